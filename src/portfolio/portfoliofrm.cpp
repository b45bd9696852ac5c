#include "portfolio/portfoliofrm.h"

#include "frame/FixedLayoutUi.h"
#include "frame/NumberFormat.h"
#include "frame/StdUnitFiles.h"
#include "frame/StdUnitShellUi.h"
#include "frame/WindowListFrm.h"
#include "portfolio/Dividendsfrm.h"
#include "portfolio/Holdings.h"
#include "portfolio/Transationfrm.h"
#include "records/SblBase.h"
#include "securities/SymbolLookup.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>

namespace {
QPointer<TPortfolioForm> g_window;
TPortfolioAction g_reports;
TPortfolioAction g_graph;

const int kWidths[6] = {47, 160, 79, 75, 101, 119};

QPushButton *makeButton(QWidget *parent, const QString &caption, const char *name, int x, int y)
{
    return PlaceButton(parent, caption, name, {x, y, 105, 25});
}

QString symbolFilePath()
{
    return GetFolders().Symbol + QStringLiteral("Stocks.sbl");
}
} // namespace

TPortfolioForm::TPortfolioForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("PortfolioForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(660, 370);
    StringGrid1 = new QTableWidget(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(4, 4, 652, 260);
    StringGrid1->setColumnCount(6);
    StringGrid1->setHorizontalHeaderLabels({QStringLiteral("Symbol"), QStringLiteral("Company"),
                                            QStringLiteral("Shares"), QStringLiteral("Dividends"),
                                            QStringLiteral("Holdings"), QStringLiteral("Position")});
    for (int c = 0; c < 6; ++c)
        StringGrid1->setColumnWidth(c, kWidths[c]);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    StringGrid1->setRowCount(1);

    auto *bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("TotalsBar"));
    bar->setFrameShape(QFrame::Panel);
    bar->setFrameShadow(QFrame::Raised);
    bar->setGeometry(4, 266, 652, 24);
    int x = 2;
    for (int c = 0; c < 6; ++c) {
        auto *l = new QLabel(bar);
        l->setObjectName(QStringLiteral("Total%1").arg(c));
        l->setGeometry(x, 2, kWidths[c] - 4, 20);
        l->setAlignment(c >= 2 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
        if (c > 0) {
            auto *line = new QFrame(bar);
            line->setFrameShape(QFrame::VLine);
            line->setGeometry(x - 3, 1, 2, 22);
        }
        m_totals[c] = l;
        x += kWidths[c];
    }
    m_totals[0]->setText(QStringLiteral("Totals"));
    setTotal(2, QStringLiteral("0"), 0);
    for (int c = 3; c < 6; ++c)
        setTotal(c, QStringLiteral("$0.00"), 0);

    TransationBtn = makeButton(this, QStringLiteral("&Transation"), "TransationBtn", 4, 300);
    DividendsBtn = makeButton(this, QStringLiteral("&Dividends"), "DividendsBtn", 113, 300);
    ReportsBtn = makeButton(this, QStringLiteral("&Reports"), "ReportsBtn", 222, 300);
    StockWebBtn = makeButton(this, QStringLiteral("&Stock Web Site"), "StockWebBtn", 331, 300);
    BrokerBtn = makeButton(this, QStringLiteral("&Broker Web Site"), "BrokerBtn", 440, 300);
    CloseBtn = makeButton(this, QStringLiteral("Close"), "CloseBtn", 551, 300);
    NotesBtn = makeButton(this, QStringLiteral("&Notes"), "NotesBtn", 4, 334);
    GraphBtn = makeButton(this, QStringLiteral("&Graph"), "GraphBtn", 113, 334);
    StockWebBtn->setEnabled(false);

    connect(TransationBtn, &QPushButton::clicked, this, &TPortfolioForm::TransationBtnClick);
    connect(DividendsBtn, &QPushButton::clicked, this, &TPortfolioForm::DividendsBtnClick);
    connect(ReportsBtn, &QPushButton::clicked, this, &TPortfolioForm::ReportsBtnClick);
    connect(GraphBtn, &QPushButton::clicked, this, &TPortfolioForm::GraphBtnClick);
    connect(NotesBtn, &QPushButton::clicked, this, &TPortfolioForm::NotesBtnClick);
    connect(BrokerBtn, &QPushButton::clicked, this, &TPortfolioForm::BrokerBtnClick);
    connect(StockWebBtn, &QPushButton::clicked, this, &TPortfolioForm::StockWebBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, &TPortfolioForm::StockWebBtnClick);
    connect(StringGrid1, &QTableWidget::itemSelectionChanged, this,
            [this] { StockWebBtn->setEnabled(!selectedWebAddress().isEmpty()); });
}

TPortfolioForm::~TPortfolioForm()
{
    WindowListRemove(this);
}

void TPortfolioForm::setPortfolio(const TPortfolioInfo &info)
{
    m_info = info;
    setWindowTitle(QStringLiteral("Portfolio ") + info.Name);
}

void TPortfolioForm::setTotal(int column, const QString &text, double value)
{
    m_totalColors[column] = AmountColor(value);
    m_totals[column]->setText(text);
    m_totals[column]->setStyleSheet(m_totalColors[column] ? QStringLiteral("color: #FF0000")
                                                          : QStringLiteral("color: #000000"));
}

QString TPortfolioForm::totalText(int column) const
{
    return m_totals[column]->text();
}

uint32_t TPortfolioForm::totalColor(int column) const
{
    return m_totalColors[column];
}

void TPortfolioForm::Recompute()
{
    if (m_recomputing)
        return;
    m_recomputing = true;
    const THoldings h = ComputeHoldings(m_info.FileName);
    StringGrid1->blockSignals(true);
    StringGrid1->verticalHeader()->setDefaultSectionSize(QFontMetrics(StringGrid1->font()).height() + 4);
    StringGrid1->clearContents();
    StringGrid1->setRowCount(std::max<int>(1, int(h.Rows.size())));
    TSymbolDataBase symbols(symbolFilePath(), TOpenMode::ReadOnly);
    for (int r = 0; r < h.Rows.size(); ++r) {
        const THoldingRow &row = h.Rows[r];
        const QStringList cells{row.Symbol,
                                symbols.IsOpen() ? SymbolName(symbols, row.Symbol).Name
                                                 : row.Symbol + QStringLiteral(" Not On File"),
                                FixedText(row.Shares, 2),
                                MoneyText(row.Dividends, 2),
                                MoneyText(row.Holdings, 2),
                                MoneyText(row.Position, 2)};
        for (int c = 0; c < 6; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            if (c >= 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            StringGrid1->setItem(r, c, item);
        }
    }
    StringGrid1->blockSignals(false);
    setTotal(2, FixedText(h.Shares, 2), h.Shares);
    setTotal(3, MoneyText(h.Dividends, 2), h.Dividends);
    setTotal(4, MoneyText(h.Holdings, 2), h.Holdings);
    setTotal(5, MoneyText(h.Position, 2), h.Position);
    StockWebBtn->setEnabled(StringGrid1->currentRow() >= 0 && !selectedWebAddress().isEmpty());
    m_recomputing = false;
}

QString TPortfolioForm::selectedWebAddress() const
{
    const int row = StringGrid1->currentRow();
    const QTableWidgetItem *item = row >= 0 ? StringGrid1->item(row, 0) : nullptr;
    if (!item || item->text().isEmpty())
        return {};
    TSymbolDataBase symbols(symbolFilePath(), TOpenMode::ReadOnly);
    TSymbolRecord rec;
    if (symbols.IsOpen() && symbols.RecordCount() > 0 && symbols.Find(rec, item->text()))
        return rec.WebAddress.text();
    return {};
}

void TPortfolioForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    NotesBtn->setEnabled(!m_info.NoteFile.isEmpty());
    BrokerBtn->setEnabled(!m_info.WebSite.isEmpty());
    WindowListAdd(this);
    Recompute();
}

void TPortfolioForm::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    WindowListRemove(this);
}

void TPortfolioForm::closeEvent(QCloseEvent *event)
{
    WindowListRemove(this);
    QWidget::closeEvent(event);
}

bool TPortfolioForm::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && isVisible())
        Recompute();
    return QWidget::event(event);
}

void TPortfolioForm::TransationBtnClick()
{
    ShowTransactions(this, m_info.FileName, m_info.SecurityCode);
    Recompute();
}

void TPortfolioForm::DividendsBtnClick()
{
    ShowDividends(this, m_info.FileName, m_info.SecurityCode);
    Recompute();
}

void TPortfolioForm::ReportsBtnClick()
{
    if (g_reports)
        g_reports(this, m_info);
}

void TPortfolioForm::GraphBtnClick()
{
    if (g_graph)
        g_graph(this, m_info);
}

void TPortfolioForm::NotesBtnClick()
{
    OpenDocument(this, m_info.NoteFile);
}

void TPortfolioForm::BrokerBtnClick()
{
    OpenWebPage(this, m_info.WebSite);
}

void TPortfolioForm::StockWebBtnClick()
{
    const QString address = selectedWebAddress();
    if (!address.isEmpty())
        OpenWebPage(this, address);
}

TPortfolioForm *PortfolioWindow()
{
    return g_window.data();
}

void ClosePortfolioWindow()
{
    if (g_window) {
        TPortfolioForm *w = g_window.data();
        g_window = nullptr;
        WindowListRemove(w);
        delete w;
    }
}

void ClosePortfolioWindowOf(const QString &fileName)
{
    if (g_window && g_window->portfolio().FileName == fileName)
        ClosePortfolioWindow();
}

void OpenPortfolioWindow(QWidget *owner, const TListRecord &entry)
{
    ClosePortfolioWindow();
    auto *w = new TPortfolioForm(owner);
    w->setPortfolio({entry.NoteFile.text(), entry.FileName.text(), entry.WebSite.text(), entry.SecurityCode,
                     entry.Name.text()});
    g_window = w;
    w->show();
}

void SetPortfolioReportsAction(TPortfolioAction action)
{
    g_reports = std::move(action);
}

void SetPortfolioGraphAction(TPortfolioAction action)
{
    g_graph = std::move(action);
}
