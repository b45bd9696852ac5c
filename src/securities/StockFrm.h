#pragma once
// The security summary window: price movement, extremes and spreads over
// the statistics window, and the holding in the current portfolio. Modeless,
// one per security (by caption), freed when closed.

#include <QHash>
#include <QWidget>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class QStatusBar;

class TStockForm : public QWidget
{
    Q_OBJECT
public:
    explicit TStockForm(QWidget *parent = nullptr);
    ~TStockForm() override;

    // Set by the opener before the window is shown.
    QString Symbol, SecurityName, NoteFile, WebAddress;

    // Opens the price chart of the security: (owner, symbol, name). The chart
    // brings an open chart of that caption forward itself.
    using TGraphHook = std::function<void(QWidget *owner, const QString &symbol, const QString &name)>;
    static TGraphHook GraphHook;

    // Computes and shows every figure again.
    void Compute();
    QLabel *label(const QString &name) const { return m_labels.value(name); }
    QString statusText() const;

    QGroupBox *HoldingsPanel = nullptr;
    QLabel *NoHoldings = nullptr;
    QPushButton *DataBtn = nullptr, *NotesBtn = nullptr, *GraphBtn = nullptr, *WebBtn = nullptr,
                *CloseBtn = nullptr;
    QStatusBar *StatusBar1 = nullptr;

public slots:
    void DataBtnClick();
    void NotesBtnClick();
    void GraphBtnClick();
    void WebBtnClick();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QHash<QString, QLabel *> m_labels;
    QList<QWidget *> m_holdingWidgets;
    QLabel *m_status = nullptr;
};

// Shows the summary window of the security, or brings forward the one whose
// caption, name + " (" + symbol + ")", is in the window list. The stock data
// window's Open and the watch run both come here. The window frees itself
// when closed.
TStockForm *OpenStockForm(QWidget *owner, const QString &symbol, const QString &name, const QString &noteFile,
                          const QString &webAddress);
