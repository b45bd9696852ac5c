#include "portfolio/PortGraphFrm.h"

#include "frame/Clock.h"
#include "frame/ModalUi.h"
#include "frame/NumberFormat.h"
#include "frame/PrinterUi.h"
#include "frame/StatusFrm.h"
#include "frame/StdUnitDates.h"
#include "portfolio/PortGraphSetFrm.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace {
QPushButton *button(const QString &text, const QString &name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}
} // namespace

TPortGraphForm::TPortGraphForm(const QString &caption, const QString &portfolioFileName,
                               bool includeDividends, bool sellAll, TPortGraphViewKind kind, QWidget *parent)
    : QDialog(parent), m_caption(caption), m_fileName(portfolioFileName),
      m_includeDividends(includeDividends), m_sellAll(sellAll), m_kind(kind)
{
    setObjectName(QStringLiteral("PortGraphForm"));
    setWindowTitle(QStringLiteral("Portfoilio Graph"));
    setSizeGripEnabled(true);
    resize(640, 480);
    m_year = StoredYear(DateToStoredText(Clock::Today()));

    Chart1 = new QChartView(this);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->setRenderHint(QPainter::Antialiasing);
    FooterLabel = new QLabel(this);
    FooterLabel->setObjectName(QStringLiteral("FooterLabel"));
    FooterLabel->setAlignment(Qt::AlignCenter);

    PrintBtn = button(QStringLiteral("&Print"), QStringLiteral("PrintBtn"), this);
    CopyBtn = button(QStringLiteral("C&opy"), QStringLiteral("CopyBtn"), this);
    ReturnBtn = button(QStringLiteral("&Return"), QStringLiteral("ReturnBtn"), this);
    PreviousBtn = button(QStringLiteral("&Previous"), QStringLiteral("PreviousBtn"), this);
    NextBtn = button(QStringLiteral("&Next"), QStringLiteral("NextBtn"), this);
    CloseBtn = button(QStringLiteral("Close"), QStringLiteral("CloseBtn"), this);
    ReturnBtn->setEnabled(false);
    PreviousBtn->setEnabled(false);
    NextBtn->setEnabled(false);

    auto *bar = new QHBoxLayout;
    bar->addWidget(PrintBtn);
    bar->addWidget(CopyBtn);
    bar->addWidget(ReturnBtn);
    bar->addStretch();
    bar->addWidget(PreviousBtn);
    bar->addWidget(NextBtn);
    bar->addWidget(CloseBtn);
    auto *main = new QVBoxLayout(this);
    main->addWidget(Chart1, 1);
    main->addWidget(FooterLabel);
    main->addLayout(bar);

    connect(PrintBtn, &QPushButton::clicked, this, &TPortGraphForm::PrintBtnClick);
    connect(CopyBtn, &QPushButton::clicked, this, &TPortGraphForm::CopyBtnClick);
    connect(ReturnBtn, &QPushButton::clicked, this, &TPortGraphForm::ReturnBtnClick);
    connect(PreviousBtn, &QPushButton::clicked, this, &TPortGraphForm::PreviousBtnClick);
    connect(NextBtn, &QPushButton::clicked, this, &TPortGraphForm::NextBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);

    Build();
}

void TPortGraphForm::Build()
{
    TStatusTalk talk(this, QStringLiteral("The Quorvane"), QStringLiteral("Creating Graph, Please Wait"));
    const TPortGraphInput input =
        ReadPortGraphInput(m_fileName, Clock::Today(), m_includeDividends, m_sellAll);
    m_view = BuildPortGraphView(input, m_kind, m_year, m_caption);
    m_page = 0;
    drawPage();
    PreviousBtn->setEnabled(false);
    NextBtn->setEnabled(m_view.pageCount() >= 2);
}

void TPortGraphForm::drawPage()
{
    const QVector<TPortGraphBar> bars = m_view.page(m_page);
    auto *chart = new QChart;
    chart->setTitle(m_view.Heading.toHtmlEscaped() + QStringLiteral("<br>") + m_view.SecondTitle);
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(16);
    chart->setTitleFont(titleFont);
    chart->setTitleBrush(Qt::blue);
    chart->legend()->hide();

    auto *set = new QBarSet(QStringLiteral("YearData"));
    set->setColor(Qt::red);
    set->setBorderColor(Qt::red);
    QStringList labels;
    double low = 0;
    double high = 0;
    for (const TPortGraphBar &b : bars) {
        *set << b.Value;
        labels << b.Label;
        low = std::min(low, b.Value);
        high = std::max(high, b.Value);
    }
    auto *series = new QBarSeries;
    series->setName(QStringLiteral("YearData"));
    series->append(set);

    // Losses hang below a visible zero level: a flat blue band at 0 drawn
    // before the bars.
    if (low < 0) {
        auto *zero = new QLineSeries;
        zero->setName(QStringLiteral("ZeroLevel"));
        zero->append(-0.5, 0);
        zero->append(std::max<qsizetype>(1, bars.size()) - 0.5, 0);
        QPen pen(Qt::blue);
        pen.setWidth(6);
        zero->setPen(pen);
        chart->addSeries(zero);
    }
    chart->addSeries(series);

    auto *categories = new QBarCategoryAxis;
    categories->append(labels);
    categories->setGridLineVisible(true);
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    // The value axis carries its own labels: a value axis can only format
    // them printf-style, without thousands separators. Room is left above
    // (and below losses) for the value marks.
    const double margin = std::max(1.0, (high - low) * 0.1);
    const QVector<double> ticks = PortGraphAxisTicks(low < 0 ? low - margin : 0, high + margin);
    auto *values = new QCategoryAxis;
    values->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const double below = ticks.front() - (ticks.back() - ticks.front()) * 1e-6;
    values->setStartValue(below);
    for (const double t : ticks)
        values->append(PortGraphAxisText(t), t);
    values->setRange(below, ticks.back());
    values->setGridLineVisible(true);
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);

    // Each bar is marked with its value just beyond its end, placed again
    // whenever the plot area moves.
    QVector<QGraphicsSimpleTextItem *> marks;
    for (const TPortGraphBar &b : bars) {
        auto *mark = new QGraphicsSimpleTextItem(PortGraphBarText(b.Value), chart);
        mark->setData(0, b.Value);
        marks << mark;
    }
    const auto placeMarks = [chart, series, marks]() {
        for (int i = 0; i < marks.size(); ++i) {
            const double v = marks[i]->data(0).toDouble();
            const QPointF end = chart->mapToPosition(QPointF(i, v), series);
            const QRectF box = marks[i]->boundingRect();
            marks[i]->setPos(end.x() - box.width() / 2, v < 0 ? end.y() + 2 : end.y() - box.height() - 2);
        }
    };
    connect(chart, &QChart::plotAreaChanged, chart, placeMarks);
    for (QAbstractSeries *s : chart->series()) {
        if (s == series)
            continue;
        auto *x = new QValueAxis;
        x->setRange(-0.5, std::max<qsizetype>(1, bars.size()) - 0.5);
        x->setVisible(false);
        chart->addAxis(x, Qt::AlignTop);
        s->attachAxis(x);
        s->attachAxis(values);
    }
    connect(set, &QBarSet::doubleClicked, this, &TPortGraphForm::BarDoubleClick);

    QChart *old = Chart1->chart();
    Chart1->setChart(chart);
    delete old;
    FooterLabel->setText(m_view.Footer);
}

void TPortGraphForm::BarDoubleClick(int index)
{
    const QVector<TPortGraphBar> bars = m_view.page(m_page);
    if (m_kind == TPortGraphViewKind::Yearly) {
        if (index < 0 || index >= bars.size())
            return;
        m_kind = TPortGraphViewKind::CurrentYear;
        m_year = bars[index].Label;
        ReturnBtn->setEnabled(true);
        Build();
    } else if (m_kind == TPortGraphViewKind::CurrentYear) {
        m_kind = TPortGraphViewKind::Yearly;
        ReturnBtn->setEnabled(false);
        Build();
    }
}

void TPortGraphForm::ReturnBtnClick()
{
    m_kind = TPortGraphViewKind::Yearly;
    ReturnBtn->setEnabled(false);
    Build();
}

void TPortGraphForm::NextBtnClick()
{
    if (m_page + 1 >= m_view.pageCount())
        return;
    ++m_page;
    drawPage();
    PreviousBtn->setEnabled(true);
    NextBtn->setEnabled(m_page < m_view.pageCount() - 1);
}

void TPortGraphForm::PreviousBtnClick()
{
    if (m_page <= 0)
        return;
    --m_page;
    drawPage();
    NextBtn->setEnabled(true);
    PreviousBtn->setEnabled(m_page >= 1);
}

QImage TPortGraphForm::chartImage() const
{
    QImage image(Chart1->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    Chart1->render(&painter);
    return image;
}

void TPortGraphForm::PrintBtnClick()
{
    QPrinter *printer = AppPrinter();
    QPrintDialog dialog(printer, this);
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    printer->setDocName(QStringLiteral("The Quorvane"));
    QPainter painter;
    if (!painter.begin(printer))
        return;
    const QRect page = printer->pageLayout().paintRectPixels(printer->resolution());
    const QRectF target(0, 0, page.width() - 5, page.height() - 5);
    // The chart is laid out afresh in the page's shape, at the screen's
    // scale, so that it fills the page without stretching its texts; then
    // it returns to the window's size.
    QChart *chart = Chart1->chart();
    const QSizeF onScreen = chart->size();
    const double scale = std::max(1.0, printer->resolution() / double(std::max(1, logicalDpiX())));
    const QRectF source(chart->pos(), QSizeF(target.width() / scale, target.height() / scale));
    chart->resize(source.size());
    if (chart->layout())
        chart->layout()->activate();
    Chart1->scene()->render(&painter, target, source, Qt::IgnoreAspectRatio);
    chart->resize(onScreen);
    if (chart->layout())
        chart->layout()->activate();
    painter.end();
}

void TPortGraphForm::CopyBtnClick()
{
    QApplication::clipboard()->setImage(chartImage());
}

bool ShowPortfolioGraph(QWidget *owner, const QString &caption, const QString &portfolioFileName)
{
    TPortGraphSetForm options(owner);
    if (ExecModal(&options) != QDialog::Accepted)
        return false;
    const TPortfolioGraphOptions o = options.options();
    const TPortGraphViewKind kind = o.GraphType == pgSummary       ? TPortGraphViewKind::Summary
                                    : o.GraphType == pgCurrentYear ? TPortGraphViewKind::CurrentYear
                                                                   : TPortGraphViewKind::Yearly;
    // The summary counts the shares still held at the latest close.
    const bool sellAll = kind == TPortGraphViewKind::Summary || (o.Options & pgSellAll);
    TPortGraphForm graph(caption, portfolioFileName, o.Options & pgIncludeDividends, sellAll, kind, owner);
    ExecModal(&graph);
    return true;
}
