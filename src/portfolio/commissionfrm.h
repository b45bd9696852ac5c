#pragma once
// The Commission Calculator: the commission and the total of one trade under
// the configured schedule, recomputed on every change. One long-lived,
// modeless instance is created at start-up.

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QStatusBar;

class TCommissionForm : public QWidget
{
    Q_OBJECT
public:
    explicit TCommissionForm(QWidget *parent = nullptr);

    // Reads the schedule from the configuration, shows its description and
    // title, and recomputes. Runs whenever the window becomes active.
    void FormActivate();
    void Recompute();

    QLineEdit *PriceEdit = nullptr;
    QLineEdit *SharesEdit = nullptr;
    QGroupBox *ActionGroup = nullptr;
    QRadioButton *BuyBtn = nullptr;
    QRadioButton *SellBtn = nullptr;
    QLabel *CommissionLabel = nullptr;
    QLabel *CommissionAmount = nullptr;
    QLabel *TotalLabel = nullptr;
    QLabel *TotalAmount = nullptr;
    QGroupBox *InfoGroup = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QStatusBar *StatusBar1 = nullptr;

protected:
    bool event(QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    void BuyBtnClick();
    void SellBtnClick();

    int m_schedule = -1;
};

// The program's one commission calculator, created at start-up.
extern TCommissionForm *CommissionForm;
