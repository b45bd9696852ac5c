#pragma once
// The portfolio window: one row per symbol the portfolio has traded, with
// shares, dividends, market value and overall result, totals below, and the
// doors to the portfolio's transactions, dividends, notes, reports and graph.
// At most one exists; it recomputes whenever it is shown or activated.

#include "frame/Stockcfg.h"

#include <QWidget>
#include <cstdint>
#include <functional>

class QLabel;
class QPushButton;
class QTableWidget;

struct TPortfolioInfo
{
    QString NoteFile;
    QString FileName;
    QString WebSite;
    int32_t SecurityCode = 0;
    QString Name;
};

class TPortfolioForm : public QWidget
{
    Q_OBJECT
public:
    explicit TPortfolioForm(QWidget *parent = nullptr);
    ~TPortfolioForm() override;

    // Handed over by the opener before the window is shown.
    void setPortfolio(const TPortfolioInfo &info);
    const TPortfolioInfo &portfolio() const { return m_info; }

    void Recompute();
    // The four totals as shown, and their colours (0x00BBGGRR).
    QString totalText(int column) const; // 2 = shares … 5 = position
    uint32_t totalColor(int column) const;

    void TransationBtnClick();
    void DividendsBtnClick();
    void ReportsBtnClick();
    void GraphBtnClick();
    void NotesBtnClick();
    void BrokerBtnClick();
    void StockWebBtnClick();

    QTableWidget *StringGrid1 = nullptr;
    QPushButton *TransationBtn = nullptr, *DividendsBtn = nullptr, *ReportsBtn = nullptr,
                *StockWebBtn = nullptr, *BrokerBtn = nullptr, *CloseBtn = nullptr, *NotesBtn = nullptr,
                *GraphBtn = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void setTotal(int column, const QString &text, double value);
    QString selectedWebAddress() const;

    TPortfolioInfo m_info;
    QLabel *m_totals[6] = {};
    uint32_t m_totalColors[6] = {};
    bool m_recomputing = false;
};

// The portfolio window now open, or nullptr.
TPortfolioForm *PortfolioWindow();
// Releases any open portfolio window, then opens one for the entry.
void OpenPortfolioWindow(QWidget *owner, const TListRecord &entry);
void ClosePortfolioWindow();
// Releases the window only when it shows the portfolio of this file name.
void ClosePortfolioWindowOf(const QString &fileName);

// "&Reports" and "&Graph" open windows that other parts of the program
// provide; they install themselves here.
using TPortfolioAction = std::function<void(QWidget *owner, const TPortfolioInfo &portfolio)>;
void SetPortfolioReportsAction(TPortfolioAction action);
void SetPortfolioGraphAction(TPortfolioAction action);
