// The price chart's computation with pinned text metrics: layout, view and
// zoom rules, scales, indicators, date axis, grid and markers.

#include "TestEnv.h"
#include "chart/GraphChart.h"
#include "frame/NumberFormat.h"
#include "frame/StdUnitFiles.h"
#include "records/Database.h"
#include "records/TransDatabase.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>
#include <cmath>
#include <cstring>
#include <functional>

namespace {

// "X" is 8 pixels wide at every size; a title line is 20 high, any other 12.
class TPinnedMetrics : public TTextMetrics
{
public:
    int textWidth(const QString &, int, const QString &text) const override { return 8 * int(text.size()); }
    int textHeight(const QString &, int points) const override { return points == 20 ? 20 : 12; }
};

struct TDay
{
    QString date;
    double high, low, close;
    int32_t volume;
};

void writePrices(const QString &symbol, const QList<TDay> &days)
{
    QDir().mkpath(GetFolders().Data);
    TDataBase file(PriceFilePath(symbol));
    QByteArray bytes;
    for (TDay d : days) {
        TPriceRecord r;
        r.Date = d.date;
        r.High = d.high;
        r.Low = d.low;
        r.Close = d.close;
        r.Volume = d.volume;
        file.AppendImage(bytes, r);
    }
    QVERIFY(file.ReplaceAll(bytes));
}

QString dayText(int i)
{
    return QDate(2000, 1, 3).addDays(i).toString(QStringLiteral("yyyyMMdd"));
}

// `count` daily records; the close of record i comes from `close`.
void writeSeries(const QString &symbol, int count, const std::function<double(int)> &close = {})
{
    QList<TDay> days;
    for (int i = 0; i < count; ++i) {
        const double c = close ? close(i) : 10.0 + (i % 7);
        days.append({dayText(i), c + 1, c - 1, c, 1000 + i});
    }
    writePrices(symbol, days);
}

void setGraph(const std::function<void(TGraphSettings &)> &change)
{
    TGraphSettings g = GetGraphSettings();
    change(g);
    QVERIFY(SetGraphSettings(g));
}

// The width that gives PlotWidth `plot` with the pinned metrics.
int widthFor(int plot)
{
    return plot + 5 * 8 + 2;
}

int yOf(const TGraphChart &chart, int series, double price)
{
    const TGraphLayout &l = chart.view().Layout;
    const TGraphSeries &s = chart.series(series);
    return l.PriceTop + l.PriceHeight - RoundToInt((price - s.MinPrice) * s.PriceScale);
}

const TDrawItem *findLayer(const TDrawList &list, const QString &layer)
{
    for (const TDrawItem &item : list)
        if (item.layer == layer)
            return &item;
    return nullptr;
}

QList<const TDrawItem *> allOf(const TDrawList &list, const QString &layer)
{
    QList<const TDrawItem *> out;
    for (const TDrawItem &item : list)
        if (item.layer == layer)
            out << &item;
    return out;
}

} // namespace

class tst_GraphChart : public QObject
{
    Q_OBJECT
    TPinnedMetrics metrics;

private slots:
    void layout_data();
    void layout();
    void settingsAreBroughtIntoRange_data();
    void settingsAreBroughtIntoRange();
    void shortFileShowsEverythingWithTheBarDisabled();
    void zoomInStopsBelowFive_data();
    void zoomInStopsBelowFive();
    void zoomInNearTheStartBeginsAtRecordZero();
    void zoomToRangeWithSkipTwo();
    void zoomToRangeOfFewStepsChangesNothing();
    void zoomOutToTheWholeFileAndBackByDefault();
    void recordAtAndRecordX();
    void scales_data();
    void scales();
    void movingAverageAndBandsMatchTheDefinition_data();
    void movingAverageAndBandsMatchTheDefinition();
    void extremeLinesBeginAtTheStatisticsCount_data();
    void extremeLinesBeginAtTheStatisticsCount();
    void monthNamesAreCutToTheirSpace();
    void gridTexts_data();
    void gridTexts();
    void markers();
    void overlayFollowsDatesOfTheFirstSeries();
    void aLongTitleIsSetSmallerBesideTheIncrement();
    void emptyOrUnsafeSeriesDrawsOnlyTheFrame_data();
    void emptyOrUnsafeSeriesDrawsOnlyTheFrame();
    void reopeningAChangedFileStartsAFreshView();
    void readOutTexts();
    void eachRecordIsReadOncePerDrawing();
    void painterHonoursRasterModes();
    void anyBytesInSettingsAndPricesDrawSafely_data();
    void anyBytesInSettingsAndPricesDrawSafely();
};

void tst_GraphChart::layout_data()
{
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("H");
    QTest::addColumn<double>("p");
    QTest::addColumn<QList<int>>("metrics"); // THt, TWp, THp
    QTest::addColumn<QList<int>>(
        "expected"); // LeftMargin PlotWidth MaxRecords PriceTop PriceHeight VolumeTop VolumeHeight
    // 481 x 0.5 = 240.5 goes to the even 240
    QTest::newRow("odd half") << 640 << 481 << 0.5 << QList<int>{20, 8, 12}
                              << QList<int>{40, 598, 299, 21, 218, 241, 202};
    QTest::newRow("defaults") << 640 << 406 << 0.7 << QList<int>{20, 8, 12}
                              << QList<int>{40, 598, 299, 21, 262, 285, 84};
    QTest::newRow("tiny window clamps at 0")
        << 10 << 10 << 0.7 << QList<int>{20, 8, 12} << QList<int>{40, 0, 0, 21, 0, 8, 0};
    QTest::newRow("metrics at least 1")
        << 100 << 100 << 0.7 << QList<int>{0, 0, -3} << QList<int>{5, 93, 46, 2, 67, 71, 25};
    QTest::newRow("negative size") << -5 << -5 << 0.7 << QList<int>{20, 8, 12}
                                   << QList<int>{40, 0, 0, 21, 0, 1, 0};
}

void tst_GraphChart::layout()
{
    QFETCH(int, W);
    QFETCH(int, H);
    QFETCH(double, p);
    QFETCH(QList<int>, metrics);
    QFETCH(QList<int>, expected);
    const TGraphLayout l = ComputeGraphLayout(W, H, p, metrics[0], metrics[1], metrics[2]);
    const QList<int> got{l.LeftMargin,  l.PlotWidth, l.MaxRecords,  l.PriceTop,
                         l.PriceHeight, l.VolumeTop, l.VolumeHeight};
    QCOMPARE(got, expected);
    QVERIFY(l.VolumeBox.Bottom >= l.VolumeBox.Top);
}

void tst_GraphChart::settingsAreBroughtIntoRange_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("skip");
    QTest::addColumn<int>("fonts");
    QTest::addColumn<double>("percent");
    QTest::addColumn<int>("N");
    QTest::addColumn<int>("Skip");
    QTest::addColumn<int>("font");
    QTest::addColumn<double>("share");
    QTest::newRow("as stored") << 150 << 1 << 10 << 70.0 << 150 << 1 << 10 << 0.70;
    QTest::newRow("zero and small") << 0 << 0 << 2 << 5.0 << 1 << 1 << 6 << 0.20;
    QTest::newRow("negative and large") << -7 << -3 << 99 << 95.0 << 1 << 1 << 24 << 0.80;
    QTest::newRow("not a number") << 10 << 2 << 12 << double(NAN) << 10 << 2 << 12 << 0.70;
}

void tst_GraphChart::settingsAreBroughtIntoRange()
{
    QFETCH(int, records);
    QFETCH(int, skip);
    QFETCH(int, fonts);
    QFETCH(double, percent);
    TGraphSettings g{};
    g.DefaultRecords = records;
    g.RecordsToSkip = skip;
    g.TitleFontSize = uint16_t(fonts);
    g.PriceFontSize = uint16_t(fonts);
    g.PricePercent = percent;
    TStatisticsOptions st{};
    const TChartSettings s = SanitizeChartSettings(g, st);
    QTEST(s.N, "N");
    QTEST(s.Skip, "Skip");
    QTEST(s.PriceSize, "font");
    QCOMPARE(s.TitleSize, s.PriceSize);
    QTEST(s.PriceShare, "share");
    QCOMPARE(s.L, 1); // a record count of 0 reads as 1
}

void tst_GraphChart::shortFileShowsEverythingWithTheBarDisabled()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 50);
    TGraphChart chart(&metrics);
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), 640, 480);
    QCOMPARE(chart.view().N, 150);
    QCOMPARE(chart.view().Start, 0);
    QCOMPARE(chart.view().End, 49);
    QVERIFY(!chart.scrollBar().Enabled);
    QCOMPARE(chart.view().Step, 598.0 / 50);
}

void tst_GraphChart::zoomInStopsBelowFive_data()
{
    QTest::addColumn<int>("N");
    QTest::addColumn<bool>("zooms");
    QTest::addColumn<int>("after");
    QTest::newRow("14 stays") << 14 << false << 14;
    QTest::newRow("15 gives 5") << 15 << true << 5;
    QTest::newRow("150 gives 140") << 150 << true << 140;
}

void tst_GraphChart::zoomInStopsBelowFive()
{
    QFETCH(int, N);
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 400);
    setGraph([&](TGraphSettings &g) { g.DefaultRecords = N; });
    TGraphChart chart(&metrics);
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), 640, 480);
    QTEST(chart.ZoomIn(), "zooms");
    QTEST(chart.view().N, "after");
    QCOMPARE(chart.view().End, N > 14 ? 394 : 399);
    QCOMPARE(chart.view().Start, chart.view().End - chart.view().N);
}

void tst_GraphChart::zoomInNearTheStartBeginsAtRecordZero()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 45); // last 44
    setGraph([](TGraphSettings &g) { g.DefaultRecords = 50; });
    TGraphChart chart(&metrics);
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), 640, 480);
    QVERIFY(!chart.scrollBar().Enabled);
    QVERIFY(chart.ZoomIn());
    QCOMPARE(chart.view().N, 40);
    QCOMPARE(chart.view().Start, 0);
    QCOMPARE(chart.view().End, 40);
    QVERIFY(chart.scrollBar().Enabled);
    QCOMPARE(chart.scrollBar().Min, 40);
    QCOMPARE(chart.scrollBar().Max, 44);
    QCOMPARE(chart.scrollBar().Position, 40);
}

void tst_GraphChart::zoomToRangeWithSkipTwo()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 112); // last 111
    setGraph([](TGraphSettings &g) {
        g.DefaultRecords = 60;
        g.RecordsToSkip = 2;
    });
    TGraphChart chart(&metrics);
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), 640, 480);
    QCOMPARE(chart.view().Start, 0);
    QCOMPARE(chart.scrollBar().Position, 111);
    const int x100 = chart.RecordX(100) - chart.view().Step / 4;
    QCOMPARE(chart.RecordAt(x100), 100);
    QVERIFY(chart.ZoomToRange(640, x100)); // swapped: the right end is 111
    QCOMPARE(chart.view().N, 5);
    QCOMPARE(chart.view().End, 111);
    QCOMPARE(chart.view().Start, 100); // the bar already stood at 111
}

void tst_GraphChart::zoomToRangeOfFewStepsChangesNothing()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 300);
    TGraphChart chart(&metrics);
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), 640, 480);
    const TGraphView before = chart.view();
    QVERIFY(!chart.ZoomToRange(chart.RecordX(200), chart.RecordX(204)));
    QCOMPARE(chart.view().Start, before.Start);
    QCOMPARE(chart.view().End, before.End);
    QCOMPARE(chart.view().N, before.N);
    QVERIFY(chart.ZoomToRange(chart.RecordX(200) - 1, chart.RecordX(220) - 1));
    QCOMPARE(chart.view().N, 20);
    QCOMPARE(chart.view().Start, 200);
    QCOMPARE(chart.view().End, 220);
}

void tst_GraphChart::zoomOutToTheWholeFileAndBackByDefault()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 181); // last 180
    TGraphChart chart(&metrics);
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), 640, 480);
    QVERIFY(chart.scrollBar().Enabled);
    QVERIFY(chart.ZoomOut());
    QVERIFY(chart.ZoomOut());
    QVERIFY(chart.scrollBar().Enabled);
    QVERIFY(chart.ZoomOut()); // N = 180 reaches last
    QCOMPARE(chart.view().N, 180);
    QVERIFY(!chart.scrollBar().Enabled);
    QCOMPARE(chart.view().Start, 0);
    QCOMPARE(chart.view().End, 180);
    chart.ShowMaximum();
    QCOMPARE(chart.view().N, 299);
    QVERIFY(!chart.scrollBar().Enabled);
    QVERIFY(!chart.ZoomOut()); // 299 + 10 >= 299
    chart.ResetToDefault();
    QCOMPARE(chart.view().N, 150);
    QVERIFY(chart.scrollBar().Enabled);
    QCOMPARE(chart.scrollBar().Position, 180);
    QCOMPARE(chart.view().Start, 30);
}

void tst_GraphChart::recordAtAndRecordX()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 300);
    setGraph([](TGraphSettings &g) { g.RecordsToSkip = 2; });
    TGraphChart chart(&metrics);
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), widthFor(598), 480);
    // 150 steps of 2 from 299: Start 0; n = 149, Step = 598 / 150
    QCOMPARE(chart.view().Start, 0);
    const double step = 598.0 / 150;
    QCOMPARE(chart.view().Step, step);
    QCOMPARE(chart.RecordAt(0), 0);        // left of the margin: Start
    QCOMPARE(chart.RecordAt(100000), 299); // right of the plot: End
    QCOMPARE(chart.RecordAt(40 + int(step * 10) + 1), 20);
    QCOMPARE(chart.RecordX(20), RoundToInt(step * 10 + 40) + RoundToInt(step) / 2);
}

void tst_GraphChart::scales_data()
{
    QTest::addColumn<double>("high");
    QTest::addColumn<double>("low");
    QTest::addColumn<int>("volume");
    QTest::addColumn<double>("maxPrice");
    QTest::addColumn<double>("minPrice");
    QTest::addColumn<qint64>("maxVolume");
    QTest::addColumn<bool>("priceScaleIsHeight");
    QTest::addColumn<bool>("volumeScaleIsHeight");
    QTest::newRow("flat") << 10.0 << 10.0 << 500 << 10.2 << 9.8 << qint64(525) << false << false;
    QTest::newRow("zero prices") << 0.0 << 0.0 << 500 << 0.0 << 0.0 << qint64(525) << true << false;
    QTest::newRow("zero volume") << 12.0 << 8.0 << 0 << 12.24 << 7.84 << qint64(0) << false << true;
    QTest::newRow("2.1e9 volume") << 12.0 << 8.0 << 2100000000 << 12.24 << 7.84 << qint64(2205000000) << false
                                  << false;
}

void tst_GraphChart::scales()
{
    QFETCH(double, high);
    QFETCH(double, low);
    QFETCH(int, volume);
    QFETCH(double, maxPrice);
    QFETCH(double, minPrice);
    QFETCH(qint64, maxVolume);
    QFETCH(bool, priceScaleIsHeight);
    QFETCH(bool, volumeScaleIsHeight);
    TTestEnv env;
    writePrices(QStringLiteral("AAA"), {{dayText(0), high, low, low, volume},
                                        {dayText(1), high, low, high, volume},
                                        {dayText(2), high, low, low, volume}});
    TGraphChart chart(&metrics);
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), 640, 480);
    const TGraphSeries &s = chart.series(0);
    const TGraphLayout &l = chart.view().Layout;
    QCOMPARE(s.MaxPrice, maxPrice);
    QCOMPARE(s.MinPrice, minPrice);
    QCOMPARE(qint64(s.MaxVolume), maxVolume);
    if (priceScaleIsHeight)
        QCOMPARE(s.PriceScale, double(l.PriceHeight));
    else
        QCOMPARE(s.PriceScale, l.PriceHeight / (maxPrice - minPrice));
    if (volumeScaleIsHeight)
        QCOMPARE(s.VolumeScale, double(l.VolumeHeight));
    else
        QCOMPARE(s.VolumeScale, double(l.VolumeHeight) / double(maxVolume));
    // every volume bar stays inside the volume box
    const TDrawList list = chart.SeriesLines(false);
    for (const TDrawItem *bar : allOf(list, QStringLiteral("volume1"))) {
        QVERIFY(bar->points[0].y() >= l.VolumeTop - 1);
        QCOMPARE(bar->points[1].y(), l.VolumeTop + l.VolumeHeight);
    }
}

void tst_GraphChart::movingAverageAndBandsMatchTheDefinition_data()
{
    QTest::addColumn<int>("skip");
    QTest::addColumn<int>("firstRecord");
    QTest::newRow("skip 1: record 5 averages 0 to 4") << 1 << 5;
    QTest::newRow("skip 2") << 2 << 10;
}

void tst_GraphChart::movingAverageAndBandsMatchTheDefinition()
{
    QFETCH(int, skip);
    QFETCH(int, firstRecord);
    TTestEnv env;
    auto close = [](int i) { return 10.0 + (i * 7 % 11); };
    writeSeries(QStringLiteral("AAA"), 30, close);
    setGraph([&](TGraphSettings &g) {
        g.RecordsToSkip = skip;
        g.StdDev1 = 2;
    });
    TGraphChart chart(&metrics);
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), 640, 480);
    const TDrawList ma = chart.MovingAverages();
    const TDrawList band = chart.Band(1);
    const TDrawItem *ma1 = findLayer(ma, QStringLiteral("ma1"));
    const TDrawItem *upper = findLayer(band, QStringLiteral("std1Upper"));
    const TDrawItem *lower = findLayer(band, QStringLiteral("std1Lower"));
    QVERIFY(ma1 && upper && lower);
    QVector<QPoint> expMa, expUp, expLow;
    // the walk: 0, skip, 2 skip, ... and the last record
    QList<int> walk;
    for (int i = 0;; i += skip) {
        walk << std::min(i, 29);
        if (i >= 29)
            break;
    }
    for (int k = 0; k < walk.size(); ++k) {
        const int i = walk[k];
        if (i < 5 * skip)
            continue;
        double sum = 0;
        for (int n = i - 5 * skip; n < i; n += skip)
            sum += close(n);
        const double mean = sum / 5;
        double sq = 0;
        for (int n = i - 5 * skip; n < i; n += skip)
            sq += (close(n) - mean) * (close(n) - mean);
        const double sd = std::sqrt(sq / 5);
        // the last record stands one step on even when it is closer
        const int x = chart.RecordX(k * skip);
        expMa << QPoint(x, yOf(chart, 0, mean));
        expUp << QPoint(x, yOf(chart, 0, mean + 2 * sd));
        expLow << QPoint(x, yOf(chart, 0, mean - 2 * sd));
    }
    QCOMPARE(ma1->points.first().x(), chart.RecordX(firstRecord));
    QCOMPARE(ma1->points, expMa);
    QCOMPARE(upper->points, expUp);
    QCOMPARE(lower->points, expLow);
    // period 15 fits with skip 1 (ma2 begins at record 15); with skip 2 no
    // record of the 30 has its window in the file, so there is no line
    const TDrawItem *ma2 = findLayer(ma, QStringLiteral("ma2"));
    if (skip == 1)
        QCOMPARE(ma2->points.first().x(), chart.RecordX(15));
    else
        QVERIFY(!ma2);
}

void tst_GraphChart::extremeLinesBeginAtTheStatisticsCount_data()
{
    QTest::addColumn<bool>("limit");
    QTest::addColumn<int>("L");
    QTest::newRow("limit off, 260") << false << 260;
    QTest::newRow("limit on, 50") << true << 50;
}

void tst_GraphChart::extremeLinesBeginAtTheStatisticsCount()
{
    QFETCH(bool, limit);
    QFETCH(int, L);
    TTestEnv env;
    auto close = [](int i) { return i == 100 ? 40.0 : i == 5 ? 1.0 : 10.0 + (i % 50) * 0.1; };
    writeSeries(QStringLiteral("AAA"), 300, close);
    setGraph([](TGraphSettings &g) { g.DefaultRecords = 299; });
    ConfigRecord.Statistics.LimitRecords = limit;
    ConfigRecord.Statistics.RecordCount = L;
    QVERIFY(SaveConfig());
    TGraphChart chart(&metrics);
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), widthFor(600), 480);
    QCOMPARE(chart.view().Start, 0);
    const TDrawList list = chart.HighestLowest();
    const TDrawItem *high = findLayer(list, QStringLiteral("highest"));
    const TDrawItem *low = findLayer(list, QStringLiteral("lowest"));
    QVERIFY(high && low);
    QCOMPARE(high->points.size(), 300 - L);
    QCOMPARE(low->points.size(), 300 - L);
    for (int e = L; e < 300; ++e) {
        const int from = limit ? e - L : 0;
        double hi = 0, lo = close(from);
        for (int n = from; n <= e; ++n) {
            hi = std::max(hi, close(n));
            lo = std::min(lo, close(n));
        }
        const TGraphSeries &s = chart.series(0);
        QCOMPARE(high->points[e - L], QPoint(chart.RecordX(e), yOf(chart, 0, std::min(hi, s.MaxPrice))));
        QCOMPARE(low->points[e - L], QPoint(chart.RecordX(e), yOf(chart, 0, std::max(lo, s.MinPrice))));
    }
}

void tst_GraphChart::monthNamesAreCutToTheirSpace()
{
    TTestEnv env;
    QList<TDay> days;
    for (const char *d : {"20000130", "20000131", "20000201", "20000301", "20000302"})
        days.append({QString::fromLatin1(d), 11, 9, 10, 100});
    writePrices(QStringLiteral("AAA"), days);
    TGraphChart chart(&metrics);
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), widthFor(140), 480);
    QCOMPARE(chart.view().Step, 28.0);
    const TDrawList list = chart.SeriesLines(false);
    const TGraphLayout &l = chart.view().Layout;
    QStringList months;
    QList<int> monthX;
    for (const TDrawItem *t : allOf(list, QStringLiteral("month"))) {
        months << t->text;
        monthX << t->points[0].x();
        QCOMPARE(t->points[0].y(), l.VolumeTop + l.VolumeHeight + 1);
    }
    QCOMPARE(months, (QStringList{QStringLiteral("January"), QStringLiteral("Feb"), QStringLiteral("M")}));
    QCOMPARE(monthX, (QList<int>{54, 110, 138}));
    QList<int> lines;
    for (const TDrawItem *t : allOf(list, QStringLiteral("monthLine")))
        lines << t->points[0].x();
    QCOMPARE(lines, (QList<int>{110, 138}));
    const QList<const TDrawItem *> years = allOf(list, QStringLiteral("year"));
    QCOMPARE(years.size(), 1);
    QCOMPARE(years[0]->text, QStringLiteral("2000"));
    QCOMPARE(years[0]->points[0], QPoint(54, l.VolumeTop + l.VolumeHeight + 1 + l.THp));
    QCOMPARE(ChartMonthName(2), QStringLiteral("Febuary"));
    QCOMPARE(ChartMonthName(13), QString());
}

void tst_GraphChart::gridTexts_data()
{
    QTest::addColumn<double>("high");
    QTest::addColumn<double>("low");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QString>("increment");
    QTest::newRow("5 to 9") << 9.0 << 5.0 << QStringList{" 9.00", " 7.00", " 8.00", " 6.00", " 5.00"}
                            << "Increment:  1.00";
    QTest::newRow("100 to 200 without decimals")
        << 200.0 << 100.0 << QStringList{"  200", "  150", "  175", "  125", "  100"} << "Increment: 25.00";
    QTest::newRow("zero prices draw no grid") << 0.0 << 0.0 << QStringList{} << "Increment:  0.00";
}

void tst_GraphChart::gridTexts()
{
    QFETCH(double, high);
    QFETCH(double, low);
    QFETCH(QStringList, labels);
    QFETCH(QString, increment);
    TTestEnv env;
    writePrices(QStringLiteral("AAA"), {{dayText(0), high, low, low, 1}, {dayText(1), high, low, high, 1}});
    TGraphChart chart(&metrics);
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), 640, 480);
    const TDrawList list = chart.PriceGrid();
    QStringList got;
    for (const TDrawItem *t : allOf(list, QStringLiteral("gridLabel")))
        got << t->text;
    QCOMPARE(got, labels);
    QCOMPARE(allOf(list, QStringLiteral("grid")).size(), labels.size());
    QCOMPARE(findLayer(list, QStringLiteral("increment"))->text, increment);
    QCOMPARE(findLayer(list, QStringLiteral("increment"))->points[0], QPoint(0, 0));
}

void tst_GraphChart::markers()
{
    TTestEnv env;
    // prices on every second day, so day 5 is missing
    QList<TDay> days;
    for (int i = 0; i < 10; ++i)
        days.append({dayText(2 * i), 20, 10, 15, 100});
    writePrices(QStringLiteral("AAA"), days);
    QDir().mkpath(GetFolders().Portfolio);
    {
        TTransBase tra(TransactionFilePath(QStringLiteral("P1")));
        auto add = [&](const char *symbol, const QString &date, double shares, double price) {
            TTransRecord t;
            t.Symbol = QString::fromLatin1(symbol);
            t.Date = date;
            t.Shares = shares;
            t.Price = price;
            QVERIFY(tra.Insert(t));
        };
        add("AAA", QStringLiteral("19991231"), 10, 15);   // before the view
        add("AAA", QStringLiteral("20010101"), -10, 100); // after it, above the scale
        add("AAA", dayText(6), 10, 1);                    // record 3, below the scale
        add("AAA", dayText(5), -5, 15);                   // missing: where the search stops
        add("BBB", dayText(6), 10, 15);                   // another security
    }
    CurrentPortfolio.FileName = QStringLiteral("P1");
    TGraphChart chart(&metrics);
    const int W = 640;
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), W, 480);
    const TGraphLayout &l = chart.view().Layout;
    const TDrawList list = chart.Markers();
    for (const TDrawItem &item : list)
        QCOMPARE(item.mode, TDrawMode::And);
    const QList<const TDrawItem *> buys = allOf(list, QStringLiteral("buy"));
    const QList<const TDrawItem *> sells = allOf(list, QStringLiteral("sell"));
    // "<": text and a circle of radius TWp at x = TWp + LeftMargin + 2
    QCOMPARE(buys[0]->text, QStringLiteral("<"));
    QCOMPARE(buys[0]->points[0], QPoint(50 - 4, yOf(chart, 0, 15) - 6));
    QCOMPARE(buys[1]->kind, TDrawItem::Ellipse);
    QCOMPARE(buys[1]->points[0], QPoint(50, yOf(chart, 0, 15)));
    QCOMPARE(buys[1]->radius, 8);
    // in view, below the scale: small circle and large circle at the record's centre, box bottom
    const int x3 = RoundToInt(40 + 3 * chart.view().Step) + RoundToInt(chart.view().Step) / 2;
    QCOMPARE(buys[2]->radius, 3);
    QCOMPARE(buys[2]->points[0], QPoint(x3, l.PriceBox.Bottom));
    QCOMPARE(buys[3]->radius, 8);
    QCOMPARE(buys.size(), 4);
    // the missing day 5 is drawn where the search stopped: record 3
    QCOMPARE(sells[0]->points[0], QPoint(x3, yOf(chart, 0, 15)));
    // ">" above the scale: the price box top
    const QList<const TDrawItem *> right = {sells[2], sells[3]};
    QCOMPARE(right[0]->text, QStringLiteral(">"));
    QCOMPARE(right[1]->points[0], QPoint(W - 8 - 2, l.PriceBox.Top));
    // no current portfolio: no markers
    CurrentPortfolio.FileName = QString();
    QVERIFY(chart.Markers().empty());
}

// Text as wide as half its size per character, so a smaller size is narrower.
class TScaledMetrics : public TTextMetrics
{
public:
    int textWidth(const QString &, int points, const QString &text) const override
    {
        return points * int(text.size()) / 2;
    }
    int textHeight(const QString &, int points) const override { return points; }
};

void tst_GraphChart::aLongTitleIsSetSmallerBesideTheIncrement()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 30);
    writeSeries(QStringLiteral("BBB"), 30);
    TScaledMetrics scaled;
    TGraphChart chart(&scaled);
    // "Increment: 00.00" at 10 points is 80 wide; the title has 640 - 160.
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), 640, 480);
    const TDrawList fitting = chart.Frame(); // the items point into it
    const QList<const TDrawItem *> fits = allOf(fitting, QStringLiteral("title"));
    QCOMPARE(fits[0]->points_, 20);
    QCOMPARE(fits[0]->points[0].x(), (640 - 90) / 2);

    const QString longName(40, QLatin1Char('N'));
    chart.Build(QStringLiteral("AAA"), longName, 640, 480);
    chart.SetOverlay(QStringLiteral("BBB"), longName);
    const TDrawList overlaid = chart.Frame();
    const QList<const TDrawItem *> titles = allOf(overlaid, QStringLiteral("title"));
    QCOMPARE(titles.size(), 2);
    const int size = titles[0]->points_;
    QCOMPARE(titles[1]->points_, size);
    const int width = scaled.textWidth({}, size, titles[0]->text + titles[1]->text);
    QVERIFY(size < 20);
    QVERIFY(width <= 640 - 160);
    QVERIFY(scaled.textWidth({}, size + 1, titles[0]->text + titles[1]->text) >
            640 - 160); // no smaller than needed
    QVERIFY(titles[0]->points[0].x() >= 80);
    QCOMPARE(titles[1]->points[0].x(),
             titles[0]->points[0].x() + scaled.textWidth({}, size, titles[0]->text));

    // A window too narrow even for the smallest size: the title starts at the
    // left edge rather than before it.
    chart.Build(QStringLiteral("AAA"), longName, 120, 480);
    const TDrawList narrowFrame = chart.Frame();
    const QList<const TDrawItem *> narrow = allOf(narrowFrame, QStringLiteral("title"));
    QCOMPARE(narrow[0]->points_, kMinGraphFontSize);
    QCOMPARE(narrow[0]->points[0].x(), 0);
}

void tst_GraphChart::overlayFollowsDatesOfTheFirstSeries()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 10);
    QList<TDay> days;
    for (int i = 0; i < 10; ++i)
        days.append({dayText(2 * i), 100.0 + i, 90.0, 95.0 + i, 50});
    writePrices(QStringLiteral("BBB"), days);
    TGraphChart chart(&metrics);
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), 640, 480);
    chart.SetOverlay(QStringLiteral("BBB"), QStringLiteral("Bbb"));
    QCOMPARE(chart.seriesCount(), 2);
    // the last date (day 9) is missing; the search stops at record 5 (day 10)
    QCOMPARE(chart.series(1).MaxPrice, 105.0 * 1.02);
    QCOMPARE(chart.series(1).MinPrice, 90.0 * 0.98);
    const TDrawList list = chart.SeriesLines(false);
    const TDrawItem *close2 = findLayer(list, QStringLiteral("close2"));
    QVERIFY(close2);
    QCOMPARE(close2->points.size(), 10);
    // day 1 is missing: the search for it stops at record 0 (day 0)... or 1
    QCOMPARE(close2->points[0].y(), yOf(chart, 1, 95.0));
    QCOMPARE(close2->points[2].y(), yOf(chart, 1, 96.0)); // day 2 is record 1
    const TDrawList frame = chart.Frame();
    const QList<const TDrawItem *> titles = allOf(frame, QStringLiteral("title"));
    QCOMPARE(titles.size(), 2);
    QCOMPARE(titles[0]->text, QStringLiteral("Aaa (AAA)"));
    QCOMPARE(titles[1]->text, QStringLiteral(" Bbb (BBB)"));
    QCOMPARE(titles[1]->pen, chart.settings().color(gcOverlay));
    QCOMPARE(titles[0]->points[0].x(), (640 - 8 * 19) / 2);
    // the charted symbol itself clears the overlay
    chart.SetOverlay(QStringLiteral("AAA"), QStringLiteral("Aaa"));
    QCOMPARE(chart.seriesCount(), 1);
    // an overlay without a file draws nothing and creates nothing
    chart.SetOverlay(QStringLiteral("ZZZ"), QStringLiteral("Zzz"));
    QVERIFY(!findLayer(chart.SeriesLines(false), QStringLiteral("close2")));
    QVERIFY(!QFile::exists(PriceFilePath(QStringLiteral("ZZZ"))));
}

void tst_GraphChart::emptyOrUnsafeSeriesDrawsOnlyTheFrame_data()
{
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<bool>("emptyFile");
    QTest::newRow("missing file") << "NONE" << false;
    QTest::newRow("empty file") << "EMPTY" << true;
    QTest::newRow("unsafe symbol") << "../X" << false;
}

void tst_GraphChart::emptyOrUnsafeSeriesDrawsOnlyTheFrame()
{
    QFETCH(QString, symbol);
    QFETCH(bool, emptyFile);
    TTestEnv env;
    QDir().mkpath(GetFolders().Data);
    if (emptyFile)
        env.writeFile(QStringLiteral("data/") + symbol + QStringLiteral(".stk"), QByteArray());
    const QStringList before =
        QDir(GetFolders().Data).entryList(QDir::Files) + QDir(env.dir()).entryList(QDir::Files);
    TGraphChart chart(&metrics);
    chart.Build(symbol, QStringLiteral("Nothing"), 640, 480);
    TChartShow all{true, true, true, true, true, true};
    QStringList layers;
    for (const TDrawItem &item : chart.Draw(all))
        if (!layers.contains(item.layer))
            layers << item.layer;
    QCOMPARE(layers, (QStringList{"paper", "priceBox", "volumeBox", "volumeLabel", "title", "legend"}));
    TReadOut out;
    QVERIFY(!chart.ReadOut(300, out));
    QVERIFY(!chart.ZoomIn());
    QVERIFY(!chart.ZoomOut());
    QVERIFY(!chart.ZoomToRange(50, 600));
    chart.ScrollTo(100);
    chart.ShowMaximum();
    const QStringList after =
        QDir(GetFolders().Data).entryList(QDir::Files) + QDir(env.dir()).entryList(QDir::Files);
    QCOMPARE(after, before);
}

void tst_GraphChart::reopeningAChangedFileStartsAFreshView()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 300);
    TGraphChart chart(&metrics);
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), 640, 480);
    chart.ScrollTo(200);
    chart.CloseFiles();
    writeSeries(QStringLiteral("AAA"), 120); // purged meanwhile
    chart.OpenFiles();
    QCOMPARE(chart.view().End, 119);
    QCOMPARE(chart.view().Start, 0);
    QVERIFY(!chart.scrollBar().Enabled);
    // an unchanged file keeps the view
    chart.ZoomIn();
    const int end = chart.view().End;
    chart.CloseFiles();
    chart.OpenFiles();
    QCOMPARE(chart.view().End, end);
}

void tst_GraphChart::readOutTexts()
{
    TTestEnv env;
    writePrices(QStringLiteral("AAA"), {{QStringLiteral("20000103"), 11.5, 9.25, 10.125, 2147483000},
                                        {QStringLiteral("20000104"), 11.5, 9.25, 10.125, 1}});
    TGraphChart chart(&metrics);
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), 640, 480);
    TReadOut out;
    QVERIFY(chart.ReadOut(45, out));
    QCOMPARE(out.Date, QStringLiteral("Date: 01/03/2000"));
    QCOMPARE(out.High, QStringLiteral("High: 11.5000"));
    QCOMPARE(out.Low, QStringLiteral("Low: 9.2500"));
    QCOMPARE(out.Close, QStringLiteral("Close: 10.1250"));
    QCOMPARE(out.Volume, QStringLiteral("Volume: 2147483000"));
    QVERIFY(chart.ReadOut(5000, out)); // right of the plot: the last record
    QCOMPARE(out.Date, QStringLiteral("Date: 01/04/2000"));
}

void tst_GraphChart::eachRecordIsReadOncePerDrawing()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 2000);
    writeSeries(QStringLiteral("BBB"), 2000);
    TGraphChart chart(&metrics);
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), 1280, 720);
    chart.SetOverlay(QStringLiteral("BBB"), QStringLiteral("Bbb"));
    const TChartShow all{true, true, true, true, true, true};
    chart.ForgetRecords();
    const qint64 before = chart.readCalls();
    chart.Draw(all);
    const qint64 reads = chart.readCalls() - before;
    QVERIFY2(reads > 0 && reads <= 4000, qPrintable(QString::number(reads)));
    chart.Draw(all);
    QCOMPARE(chart.readCalls() - before, reads);
}

void tst_GraphChart::painterHonoursRasterModes()
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(10, 5, qRgb(0, 0, 0));
    const QImage original = image;
    TDrawItem line;
    line.kind = TDrawItem::Line;
    line.pen = 0x0000FF; // red
    line.mode = TDrawMode::NotXor;
    line.points = {QPoint(10, 0), QPoint(10, 19)};
    PaintDrawList(image, {line}, QString());
    QVERIFY(image != original);
    QCOMPARE(QColor(image.pixel(10, 10)), QColor(255, 0, 0)); // not (red xor white) is red
    PaintDrawList(image, {line}, QString());
    QCOMPARE(image, original); // drawn twice: gone
    line.mode = TDrawMode::And;
    PaintDrawList(image, {line}, QString());
    QCOMPARE(QColor(image.pixel(10, 10)), QColor(255, 0, 0));
    QCOMPARE(QColor(image.pixel(10, 5)), QColor(0, 0, 0)); // black stays black under AND
}

void tst_GraphChart::anyBytesInSettingsAndPricesDrawSafely_data()
{
    QTest::addColumn<int>("seed");
    for (int seed = 1; seed <= 40; ++seed)
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

void tst_GraphChart::anyBytesInSettingsAndPricesDrawSafely()
{
    QFETCH(int, seed);
    TTestEnv env;
    QRandomGenerator random{quint32(seed)};
    auto bytes = [&](int n) {
        QByteArray b(n, Qt::Uninitialized);
        for (char &c : b)
            c = char(random.bounded(256));
        return b;
    };
    // blocks 7 and 9 of any content
    TGraphSettings g;
    const QByteArray gb = bytes(int(sizeof g));
    std::memcpy(&g, gb.constData(), sizeof g);
    if (seed % 4 == 0)
        g.RecordsToSkip = 1 + seed % 3; // keep some files walkable end to end
    QVERIFY(SetGraphSettings(g));
    LoadConfig();
    const QByteArray sb = bytes(int(sizeof ConfigRecord.Statistics));
    std::memcpy(&ConfigRecord.Statistics, sb.constData(), sb.size());
    QVERIFY(SaveConfig());
    // 0, 1, 2 or more records of any bytes, some with real-looking prices
    const int records = seed % 5 == 0 ? 0 : seed % 7;
    QByteArray file;
    for (int i = 0; i < records; ++i) {
        QByteArray r = bytes(48);
        if (seed % 3 == 0) {
            TPriceRecord p;
            p.Date = dayText(i);
            p.High = i % 2 ? 1e308 : NAN;
            p.Low = -5;
            p.Close = i % 3 ? 2147483647.0 : INFINITY;
            p.Volume = 2147483647 - i;
            r = QByteArray(reinterpret_cast<const char *>(&p), 48);
        }
        file += r;
    }
    QDir().mkpath(GetFolders().Data);
    env.writeFile(QStringLiteral("data/AAA.stk"), file);
    env.writeFile(QStringLiteral("data/BBB.stk"), bytes(48 * (seed % 4)));
    const QStringList before = QDir(GetFolders().Data).entryList(QDir::Files);

    const int sizes[][2] = {{0, 0}, {1, 1}, {30, 20}, {640, 480}, {4000, 3000}};
    const auto &size = sizes[seed % 5];
    TGraphChart chart(&metrics);
    chart.Build(QStringLiteral("AAA"), QStringLiteral("Aaa"), size[0], size[1]);
    chart.SetOverlay(QStringLiteral("BBB"), QStringLiteral("Bbb"));
    const TChartShow all{true, true, true, true, true, true};
    TDrawList list = chart.Draw(all);
    chart.ZoomIn();
    chart.ZoomOut();
    chart.ZoomToRange(0, size[0]);
    chart.ShowMaximum();
    chart.ScrollTo(seed);
    chart.Relayout(size[1], size[0]);
    list = chart.Draw(all);
    TReadOut out;
    chart.ReadOut(size[0] / 2, out);
    chart.ResetToDefault();
    list = chart.Draw(all);
    for (const TDrawItem &item : list)
        for (const QPoint &p : item.points)
            QVERIFY(std::abs(p.x()) <= 1000000 && std::abs(p.y()) <= 1000000);
    QImage image(64, 48, QImage::Format_RGB32);
    PaintDrawList(image, list, chart.settings().FontName);
    QCOMPARE(QDir(GetFolders().Data).entryList(QDir::Files), before);
}

QTEST_MAIN(tst_GraphChart)
#include "tst_GraphChart.moc"
