#include "chart/GraphChart.h"

#include "chart/GraphPixels.h"
#include "frame/StdUnitFiles.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

TChartSettings SanitizeChartSettings(const TGraphSettings &graph, const TStatisticsOptions &statistics)
{
    TChartSettings s;
    s.Raw = graph;
    s.N = std::max(1, int(graph.DefaultRecords));
    s.Skip = std::max(1, int(graph.RecordsToSkip));
    s.P1 = graph.Average1;
    s.P2 = graph.Average2;
    s.K1 = graph.StdDev1;
    s.K2 = graph.StdDev2;
    s.TitleSize = std::clamp(int(graph.TitleFontSize), kMinGraphFontSize, kMaxGraphFontSize);
    s.PriceSize = std::clamp(int(graph.PriceFontSize), kMinGraphFontSize, kMaxGraphFontSize);
    const double share = graph.PricePercent;
    s.PriceShare = std::isnan(share) ? 0.70 : std::clamp(share, 20.0, 80.0) / 100.0;
    s.FontName = graph.FontName.text();
    s.LimitRecords = statistics.LimitRecords != 0;
    s.L = std::max(1, int(statistics.RecordCount));
    return s;
}

TGraphLayout ComputeGraphLayout(int W, int H, double p, int THt, int TWp, int THp)
{
    TGraphLayout l;
    l.W = std::max(0, W);
    l.H = std::max(0, H);
    l.THt = std::max(1, THt);
    l.TWp = std::max(1, TWp);
    l.THp = std::max(1, THp);
    const int64_t left = int64_t(5) * l.TWp;
    const int64_t priceBottom = Px(l.H * p);
    const int64_t volumeRest = Px(l.H * (1 - p)) - int64_t(3) * l.THp;
    l.LeftMargin = U16(left);
    l.PlotWidth = U16(l.W - left - 2);
    l.MaxRecords = U16(l.PlotWidth / 2);
    l.PriceTop = U16(l.THt + 1);
    l.PriceHeight = U16(priceBottom - l.THt - 2);
    l.PriceBox = {int(left), l.THt, l.W, int(priceBottom)};
    l.VolumeBox = {int(left), int(priceBottom), l.W, int(priceBottom + std::max<int64_t>(0, volumeRest))};
    l.VolumeTop = U16(priceBottom + 1);
    l.VolumeHeight = U16(volumeRest - 2);
    return l;
}

QColor ChartColor(uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

bool TChartPriceFile::ReadRange(int from, int to, TPriceRecord *out)
{
    TPriceRecord buffer;
    int k = 0;
    return scan(from, to, &buffer, [&](const void *p) { out[k++] = *static_cast<const TPriceRecord *>(p); });
}

// ---------------------------------------------------------------------------

TGraphChart::TGraphChart(const TTextMetrics *metrics) : m_metrics(metrics)
{
    if (!m_metrics) {
        m_ownMetrics = std::make_unique<TFontTextMetrics>();
        m_metrics = m_ownMetrics.get();
    }
}

TGraphChart::~TGraphChart() = default;

void TGraphChart::loadSettings()
{
    m_settings = SanitizeChartSettings(GetGraphSettings(), GetStatisticsOptions());
    m_view.N = m_settings.N;
    m_view.Skip = m_settings.Skip;
}

void TGraphChart::layout(int W, int H)
{
    const QString &f = m_settings.FontName;
    m_view.Layout =
        ComputeGraphLayout(W, H, m_settings.PriceShare, m_metrics->textHeight(f, m_settings.TitleSize),
                           m_metrics->textWidth(f, m_settings.PriceSize, QStringLiteral("X")),
                           m_metrics->textHeight(f, m_settings.PriceSize));
}

void TGraphChart::Build(const QString &symbol, const QString &name, int W, int H)
{
    ClearOverlay();
    CloseFiles();
    m_series[0].Symbol = symbol.left(7);
    m_series[0].Name = name.left(40);
    loadSettings();
    layout(W, H);
    ensureOpen();
    initialView();
}

void TGraphChart::Relayout(int W, int H)
{
    ensureOpen();
    layout(W, H);
    computeStep();
    computeScales();
}

void TGraphChart::initialView()
{
    TGraphView &v = m_view;
    v.N = std::max(1, std::min(v.N, int(v.Layout.MaxRecords)));
    const int last = m_series[0].last();
    v.End = last;
    v.Start = int(std::max<int64_t>(0, int64_t(v.End) - int64_t(v.N) * v.Skip));
    if (v.N >= last) {
        m_scroll.Enabled = false;
    } else {
        m_scroll = {true, v.N, last, last, 10, v.N};
    }
    m_builtCount = last + 1;
    m_builtFirst = last >= 0 ? rec(m_series[0], 0).Date.bytes() : QByteArray();
    m_builtLast = last >= 0 ? rec(m_series[0], last).Date.bytes() : QByteArray();
    computeStep();
    computeScales();
}

void TGraphChart::ScrollTo(int position)
{
    ensureOpen();
    TGraphView &v = m_view;
    const int last = m_series[0].last();
    if (last < 0)
        return;
    v.End = std::clamp(position, 0, last);
    v.Start = int(std::max<int64_t>(0, int64_t(v.End) - int64_t(v.N) * v.Skip));
    m_scroll.Position = position;
    computeScales();
}

void TGraphChart::followScrollBar()
{
    TGraphView &v = m_view;
    const int last = m_series[0].last();
    if (v.N >= last) {
        m_scroll.Enabled = false;
        v.Start = 0;
        v.End = last;
    } else {
        m_scroll.Enabled = true;
        m_scroll.Min = v.N;
        m_scroll.Max = last;
        const int position = std::clamp(v.End, v.N, last);
        if (position != m_scroll.Position) {
            m_scroll.Position = position;
            v.End = position;
            v.Start = int(std::max<int64_t>(0, int64_t(v.End) - int64_t(v.N) * v.Skip));
        }
    }
    computeStep();
    computeScales();
}

bool TGraphChart::ZoomIn()
{
    ensureOpen();
    TGraphView &v = m_view;
    if (m_series[0].last() < 0 || v.N - 10 < 5)
        return false;
    v.N -= 10;
    v.End = int(std::max<int64_t>(0, int64_t(v.End) - int64_t(5) * v.Skip));
    const int64_t start = int64_t(v.End) - int64_t(v.N) * v.Skip;
    if (start < 0) {
        v.Start = 0;
        v.End = 10;
    } else {
        v.Start = int(start);
    }
    followScrollBar();
    return true;
}

bool TGraphChart::ZoomOut()
{
    ensureOpen();
    TGraphView &v = m_view;
    const int last = m_series[0].last();
    if (last < 0 || int64_t(v.N) + 10 >= v.Layout.MaxRecords)
        return false;
    v.N += 10;
    v.End = int(std::min<int64_t>(int64_t(v.End) + int64_t(5) * v.Skip, last));
    v.Start = int(std::max<int64_t>(0, int64_t(v.End) - int64_t(v.N) * v.Skip));
    followScrollBar();
    return true;
}

bool TGraphChart::ZoomToRange(int x1, int x2)
{
    ensureOpen();
    if (m_series[0].last() < 0)
        return false;
    int i1 = RecordAt(x1);
    int i2 = RecordAt(x2);
    if (i2 < i1)
        std::swap(i1, i2);
    const int n = (i2 - i1) / m_view.Skip;
    if (n < 5)
        return false;
    m_view.Start = i1;
    m_view.End = i2;
    m_view.N = n;
    followScrollBar();
    return true;
}

void TGraphChart::ShowMaximum()
{
    ensureOpen();
    m_view.N = std::max(1, int(m_view.Layout.MaxRecords));
    initialView();
}

void TGraphChart::ResetToDefault()
{
    ensureOpen();
    loadSettings();
    // The fonts or the price box share may have changed with the settings.
    layout(m_view.Layout.W, m_view.Layout.H);
    initialView();
}

void TGraphChart::SetOverlay(const QString &symbol, const QString &name)
{
    if (symbol.left(7) == m_series[0].Symbol) {
        ClearOverlay();
        computeScales();
        return;
    }
    ClearOverlay();
    TGraphSeries &s = m_series[1];
    s.Symbol = symbol.left(7);
    s.Name = name.left(40);
    m_overlay = true;
    if (m_filesOpen)
        openSeries(s);
    ensureOpen();
    computeScales();
}

void TGraphChart::ClearOverlay()
{
    TGraphSeries &s = m_series[1];
    s.File.reset();
    s.Records.clear();
    s.Have.clear();
    s.Symbol.clear();
    s.Name.clear();
    s.MaxPrice = s.MinPrice = s.PriceScale = s.VolumeScale = 0;
    s.MaxVolume = 0;
    m_overlay = false;
}

// ---- files ----------------------------------------------------------------

void TGraphChart::openSeries(TGraphSeries &s)
{
    s.File.reset();
    s.Records.clear();
    s.Have.clear();
    // A symbol that would leave the data folder opens nothing: the series
    // simply has no records.
    if (s.Symbol.isEmpty() || !IsSafeFileNamePart(s.Symbol))
        return;
    s.File = std::make_unique<TChartPriceFile>(PriceFilePath(s.Symbol));
    if (!s.File->IsOpen()) {
        s.File.reset();
        return;
    }
    s.Records.resize(size_t(s.File->RecordCount()));
    s.Have.assign(size_t(s.File->RecordCount()), 0);
}

void TGraphChart::OpenFiles()
{
    if (m_filesOpen)
        return;
    m_filesOpen = true;
    openSeries(m_series[0]);
    if (m_overlay)
        openSeries(m_series[1]);
    // The file may have been edited, split or purged while the window was
    // in the background: a view made for another history starts over.
    const int last = m_series[0].last();
    const QByteArray first = last >= 0 ? rec(m_series[0], 0).Date.bytes() : QByteArray();
    const QByteArray lastDate = last >= 0 ? rec(m_series[0], last).Date.bytes() : QByteArray();
    if (m_builtCount >= 0 && (last + 1 != m_builtCount || first != m_builtFirst || lastDate != m_builtLast))
        initialView();
}

void TGraphChart::CloseFiles()
{
    m_filesOpen = false;
    for (TGraphSeries &s : m_series) {
        s.File.reset();
        s.Records.clear();
        s.Have.clear();
    }
}

void TGraphChart::ensureOpen()
{
    if (!m_filesOpen)
        OpenFiles();
}

void TGraphChart::ForgetRecords()
{
    for (TGraphSeries &s : m_series)
        std::fill(s.Have.begin(), s.Have.end(), 0);
}

qint64 TGraphChart::readCalls() const
{
    qint64 n = 0;
    for (const TGraphSeries &s : m_series)
        if (s.File)
            n += s.File->readCalls();
    return n;
}

void TGraphChart::fetch(TGraphSeries &s, int from, int to)
{
    const int last = s.last();
    from = std::max(from, 0);
    to = std::min(to, last);
    int i = from;
    while (i <= to) {
        if (s.Have[size_t(i)]) {
            ++i;
            continue;
        }
        int j = i;
        while (j + 1 <= to && !s.Have[size_t(j + 1)])
            ++j;
        if (s.File->ReadRange(i, j, s.Records.data() + i)) {
            std::fill(s.Have.begin() + i, s.Have.begin() + j + 1, 1);
        } else {
            // A failed read leaves zero records, which draw at the scale bottom.
            for (int k = i; k <= j; ++k) {
                s.Records[size_t(k)] = TPriceRecord{};
                s.Have[size_t(k)] = 1;
            }
        }
        i = j + 1;
    }
}

const TPriceRecord &TGraphChart::rec(TGraphSeries &s, int index)
{
    static const TPriceRecord none{};
    if (index < 0 || size_t(index) >= s.Records.size())
        return none;
    if (!s.Have[size_t(index)])
        fetch(s, index, index);
    return s.Records[size_t(index)];
}

int TGraphChart::findDate(TGraphSeries &s, const QByteArray &date)
{
    // The engine's binary search, probe for probe, on the fetched records:
    // a date that is not on file ends on the same record as a Find would.
    int lo = 0;
    int hi = s.last();
    int mid = 0;
    while (hi >= lo) {
        mid = lo + (hi - lo) / 2;
        const int c = date.compare(rec(s, mid).Date.bytes());
        if (c < 0)
            hi = mid - 1;
        else if (c > 0)
            lo = mid + 1;
        else
            break;
    }
    return mid;
}

// ---- horizontal mapping and scales ----------------------------------------------

std::vector<int> TGraphChart::plotted()
{
    std::vector<int> out;
    const int last = m_series[0].last();
    if (last < 0 || m_view.End < m_view.Start)
        return out;
    int64_t i = m_view.Start;
    for (;;) {
        if (i > last)
            i = last;
        out.push_back(int(i));
        if (i >= m_view.End || i == last)
            break;
        i += m_view.Skip;
    }
    return out;
}

void TGraphChart::computeStep()
{
    const int n = (m_view.End - m_view.Start) / m_view.Skip;
    m_view.Step = n >= 1 ? double(m_view.Layout.PlotWidth) / (n + 1) : 0.0;
}

int TGraphChart::half() const
{
    return Px(m_view.Step) / 2;
}

int TGraphChart::RecordX(int index) const
{
    return Px(m_view.Step * (double(index) - m_view.Start) / m_view.Skip + m_view.Layout.LeftMargin) + half();
}

int TGraphChart::RecordAt(int x) const
{
    if (m_view.Step <= 0 || m_view.End < m_view.Start)
        return m_view.Start;
    const double k = std::trunc((double(x) - m_view.Layout.LeftMargin) / m_view.Step);
    const double index = m_view.Start + double(m_view.Skip) * k;
    return int(std::clamp(index, double(m_view.Start), double(m_view.End)));
}

int TGraphChart::priceY(const TGraphSeries &s, double price) const
{
    const TGraphLayout &l = m_view.Layout;
    return Px(double(l.PriceTop) + l.PriceHeight - double(Px((price - s.MinPrice) * s.PriceScale)));
}

namespace {

void finishScales(TGraphSeries &s, const TGraphLayout &l, double highest, double lowest, int64_t volume)
{
    s.MinPrice = lowest * 0.98;
    s.MaxPrice = highest * 1.02;
    s.MaxVolume = int64_t(RoundHalfEven(double(volume) * 1.05));
    const double range = s.MaxPrice - s.MinPrice;
    s.PriceScale = range > 0 ? l.PriceHeight / range : double(l.PriceHeight);
    s.VolumeScale = s.MaxVolume > 0 ? double(l.VolumeHeight) / double(s.MaxVolume) : double(l.VolumeHeight);
}

// Extremes of records; values that are not numbers never widen a scale.
struct TExtremes
{
    bool any = false;
    double highest = 0, lowest = 0;
    int64_t volume = 0;
    void add(const TPriceRecord &r)
    {
        if (std::isfinite(r.High) && (!any || r.High > highest))
            highest = r.High;
        if (std::isfinite(r.Low) && (!any || r.Low < lowest))
            lowest = r.Low;
        if (std::isfinite(r.High) && std::isfinite(r.Low))
            any = true;
        volume = std::max<int64_t>(volume, r.Volume);
    }
};

} // namespace

void TGraphChart::computeScales()
{
    const TGraphLayout &l = m_view.Layout;
    TGraphSeries &s1 = m_series[0];
    const std::vector<int> walk = plotted();
    TExtremes e1;
    if (!walk.empty())
        fetch(s1, walk.front(), walk.back());
    for (int i : walk)
        e1.add(rec(s1, i));
    finishScales(s1, l, e1.highest, e1.lowest, e1.volume);
    if (!m_overlay)
        return;
    TGraphSeries &s2 = m_series[1];
    TExtremes e2;
    if (!walk.empty() && s2.last() >= 0) {
        int a = findDate(s2, rec(s1, walk.front()).Date.bytes());
        int b = findDate(s2, rec(s1, m_view.End < 0 ? 0 : std::min(m_view.End, s1.last())).Date.bytes());
        if (b < a)
            std::swap(a, b);
        fetch(s2, a, b);
        for (int i = a; i <= b; ++i)
            e2.add(rec(s2, i));
    }
    finishScales(s2, l, e2.highest, e2.lowest, e2.volume);
}

bool TGraphChart::ReadOut(int x, TReadOut &out)
{
    ensureOpen();
    if (m_series[0].last() < 0 || m_view.End < m_view.Start)
        return false;
    const int i = std::clamp(RecordAt(x), 0, m_series[0].last());
    const TPriceRecord &r = rec(m_series[0], i);
    out.Date = QStringLiteral("Date: ") + ConvertDateText(r.Date.text());
    out.High = QStringLiteral("High: ") + FixedText(r.High, 4);
    out.Low = QStringLiteral("Low: ") + FixedText(r.Low, 4);
    out.Close = QStringLiteral("Close: ") + FixedText(r.Close, 4);
    out.Volume = QStringLiteral("Volume: ") + FixedText(r.Volume, 0);
    return true;
}

QString TGraphChart::transactionPath() const
{
    if (!m_traPath.isEmpty())
        return m_traPath;
    const QString file = CurrentPortfolio.FileName.text();
    if (file.isEmpty() || !IsSafeFileNamePart(file))
        return {};
    return TransactionFilePath(file);
}
