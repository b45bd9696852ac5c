#include "securities/StockFrm.h"

#include "frame/Messages.h"
#include "frame/ModalUi.h"
#include "frame/StdUnit.h"
#include "frame/StdUnitShellUi.h"
#include "frame/WindowListFrm.h"
#include "securities/StockDataListFrm.h"
#include "securities/StockSummary.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

TStockForm::TGraphHook TStockForm::GraphHook;

namespace {

// One row of a panel: caption at the left, then value labels at the given
// x positions (name, left, width; empty names are fixed words).
struct TCell
{
    const char *name;
    const char *text;
    int left;
    int width;
};

} // namespace

TStockForm::TStockForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("StockForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(489, 386);
    const QHash<QString, QString> &design = StockSummaryDesignTexts();

    struct TRow
    {
        const char *caption;
        QList<TCell> cells;
    };
    struct TPanel
    {
        int top;
        QList<TRow> rows;
    };
    const QList<TPanel> panels{
        {8,
         {{"Starting Price:",
           {{"StartingPrice", "", 110, 90}, {"", "On", 206, 22}, {"StartingPriceDate", "", 230, 80}}},
          {"Ending Price:",
           {{"EndingPrice", "", 110, 90}, {"", "On", 206, 22}, {"EndingPriceDate", "", 230, 80}}},
          {"Change:", {{"Change", "", 110, 90}, {"ChangePrecent", "", 230, 80}}}}},
        {72,
         {{"Highest High:",
           {{"HighestHigh", "", 110, 90}, {"", "On", 206, 22}, {"HighestHighDate", "", 230, 80}}},
          {"Lowest Low:", {{"LowestLow", "", 110, 90}, {"", "On", 206, 22}, {"LowestLowDate", "", 230, 80}}},
          {"Range:", {{"Range", "", 110, 90}, {"RangePrecent", "", 230, 80}}}}},
        {136,
         {{"Average Close:", {{"AverageClose", "", 110, 90}}},
          {"Std. Deviation:",
           {{"StdDeviation", "", 110, 90}, {"", "\u00b1", 206, 14}, {"StdPrecent", "", 230, 80}}}}},
        {184,
         {{"Total Volume:", {{"TotalVolume", "", 110, 90}}},
          {"Average Volume:", {{"AverageVolume", "", 110, 90}}},
          {"Std. Deviation:",
           {{"StdVolume", "", 110, 90}, {"", "\u00b1", 206, 14}, {"StdVolumePercent", "", 230, 80}}}}},
        {248,
         {{"Total Cost:",
           {{"TotalCostShares", "", 84, 60},
            {"", "@", 148, 14},
            {"SharePrice", "", 164, 80},
            {"", "=", 248, 10},
            {"SharePriceTotal", "", 256, 76}}},
          {"Today:",
           {{"TodayShares", "", 84, 60},
            {"", "@", 148, 14},
            {"SharePriceTotodayTotal", "", 164, 80},
            {"", "=", 248, 10},
            {"SharePriceToday", "", 256, 76}}},
          {"Change:",
           {{"SharePriceChange", "", 164, 80},
            {"", "=", 248, 10},
            {"SharePriceChangeTotal", "", 256, 76},
            {"PrecentChange", "", 334, 48}}},
          {"Total Fees:", {{"TotalFees", "", 256, 76}}},
          {"Dividends:", {{"Dividends", "", 256, 76}}},
          {"NetGain/Loss:", {{"NetGainLoss", "", 256, 76}, {"PercentNetGain", "", 334, 48}}}}}};

    for (int p = 0; p < panels.size(); ++p) {
        const TPanel &panel = panels[p];
        auto *box = new QGroupBox(this);
        const int height = int(panel.rows.size()) * 18 + 10;
        box->setGeometry(8, panel.top, 385, p == 4 ? 112 : height);
        if (p == 4) {
            HoldingsPanel = box;
            HoldingsPanel->setObjectName(QStringLiteral("HoldingsPanel"));
            HoldingsPanel->setAutoFillBackground(true);
        }
        int y = 5;
        for (const TRow &row : panel.rows) {
            auto *caption = new QLabel(QString::fromUtf8(row.caption), box);
            caption->setGeometry(6, y, 100, 17);
            if (p == 4)
                m_holdingWidgets << caption;
            for (const TCell &cell : row.cells) {
                auto *l = new QLabel(box);
                l->setGeometry(cell.left, y, cell.width, 17);
                if (*cell.name) {
                    const QString name = QLatin1String(cell.name);
                    l->setObjectName(name);
                    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                    l->setText(design.value(name));
                    m_labels.insert(name, l);
                } else {
                    l->setText(QString::fromUtf8(cell.text));
                }
                if (p == 4)
                    m_holdingWidgets << l;
            }
            y += 17;
        }
    }
    NoHoldings = new QLabel(QStringLiteral("No Holdings"), HoldingsPanel);
    NoHoldings->setObjectName(QStringLiteral("NoHoldings"));
    NoHoldings->setGeometry(0, 44, 385, 20);
    NoHoldings->setAlignment(Qt::AlignCenter);
    NoHoldings->hide();

    const auto makeButton = [this](const QString &caption, const char *name, int y) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(400, y, 81, 27);
        return b;
    };
    DataBtn = makeButton(QStringLiteral("&Data"), "DataBtn", 12);
    NotesBtn = makeButton(QStringLiteral("&Notes"), "NotesBtn", 44);
    GraphBtn = makeButton(QStringLiteral("&Graph"), "GraphBtn", 76);
    WebBtn = makeButton(QStringLiteral("&Web Site"), "WebBtn", 108);
    CloseBtn = makeButton(QStringLiteral("Close"), "CloseBtn", 330);
    connect(DataBtn, &QPushButton::clicked, this, &TStockForm::DataBtnClick);
    connect(NotesBtn, &QPushButton::clicked, this, &TStockForm::NotesBtnClick);
    connect(GraphBtn, &QPushButton::clicked, this, &TStockForm::GraphBtnClick);
    connect(WebBtn, &QPushButton::clicked, this, &TStockForm::WebBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, 364, 489, 22);
    m_status = new QLabel(StatusBar1);
    StatusBar1->addWidget(m_status, 1);
}

TStockForm::~TStockForm()
{
    WindowListRemove(this);
}

QString TStockForm::statusText() const
{
    return m_status->text();
}

void TStockForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    WindowListAdd(this);
    Compute();
}

void TStockForm::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    WindowListRemove(this);
}

void TStockForm::Compute()
{
    NotesBtn->setEnabled(!NoteFile.isEmpty());
    WebBtn->setEnabled(!WebAddress.isEmpty());
    const TStockSummaryTexts s = ComputeStockSummary(Symbol);
    for (auto it = s.Labels.cbegin(); it != s.Labels.cend(); ++it)
        if (QLabel *l = m_labels.value(it.key()))
            l->setText(it.value());
    m_status->setText(s.Status);
    GraphBtn->setEnabled(s.GraphEnabled);
    for (QWidget *w : m_holdingWidgets)
        w->setVisible(s.ShowHoldings);
    NoHoldings->setVisible(!s.ShowHoldings);
    QPalette pal = HoldingsPanel->palette();
    if (s.ShowHoldings) {
        const uint32_t c = s.HoldingsColor;
        pal.setColor(QPalette::Window, QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
    } else {
        pal = palette();
    }
    HoldingsPanel->setPalette(pal);
    if (!s.Problem.isEmpty())
        ShowError(s.Problem);
}

void TStockForm::DataBtnClick()
{
    {
        TStockDataListForm dialog(this, windowTitle(), Symbol);
        ExecModal(&dialog);
    }
    Compute();
}

void TStockForm::NotesBtnClick()
{
    OpenDocument(this, NoteFile);
}

void TStockForm::GraphBtnClick()
{
    if (GraphHook)
        GraphHook(this, Symbol, SecurityName);
}

void TStockForm::WebBtnClick()
{
    OpenWebPage(this, WebAddress);
}

TStockForm *OpenStockForm(QWidget *owner, const QString &symbol, const QString &name, const QString &noteFile,
                          const QString &webAddress)
{
    const QString caption = name + QStringLiteral(" (") + symbol + QLatin1Char(')');
    if (QWidget *open = WindowListFind(caption)) {
        BringWindowForward(open);
        return qobject_cast<TStockForm *>(open);
    }
    auto *form = new TStockForm(owner);
    form->setWindowTitle(caption);
    form->Symbol = symbol;
    form->SecurityName = name;
    form->NoteFile = noteFile;
    form->WebAddress = webAddress;
    form->show();
    return form;
}
