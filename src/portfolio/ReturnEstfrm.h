#pragma once
// The Return Estimator: one planned purchase and sale with the commissions of
// the configured schedule, the returns and the holding period. Modeless and
// kept for the whole run once created; it touches no file.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class TDateBox;

class TReturnEstForm : public QWidget
{
    Q_OBJECT
public:
    explicit TReturnEstForm(QWidget *parent = nullptr);

    void Compute();

    TDateBox *BuyDate = nullptr;
    QLineEdit *BuyShares = nullptr, *BuyPrice = nullptr, *BuyCommission = nullptr;
    TDateBox *SellDate = nullptr;
    QLineEdit *SellShares = nullptr, *SellPrice = nullptr, *SellCommission = nullptr;
    QLabel *InitialCost = nullptr, *Proceeds = nullptr, *ProfitLossLabel = nullptr, *ProfitLoss = nullptr,
           *ReturnValue = nullptr, *Annualized = nullptr, *DaysHeld = nullptr, *YearsHeld = nullptr,
           *TotalDaysHeld = nullptr;
    QPushButton *CloseBtn = nullptr;

protected:
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    void BuySharesChange(const QString &text);
    int m_schedule = 0;
};

// "&Return Estimator": creates the window on first use (both dates today)
// and shows it.
TReturnEstForm *ShowReturnEstimator(QWidget *owner);
// The window once created, else nullptr.
TReturnEstForm *ReturnEstForm();
