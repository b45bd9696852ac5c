// The drawing lists of the price chart: what is drawn where, in which colour
// and mode. The painter only follows these lists.

#include "chart/GraphChart.h"
#include "chart/GraphPixels.h"

#include <QFile>
#include <QSet>
#include <cmath>
#include <deque>

QString ChartMonthName(int month)
{
    static const char *const names[12] = {"January",   "Febuary", "March",    "April",
                                          "May",       "June",    "July",     "August",
                                          "September", "October", "November", "December"};
    return month >= 1 && month <= 12 ? QString::fromLatin1(names[month - 1]) : QString();
}

namespace {

TDrawItem textItem(const QString &layer, uint32_t color, int x, int y, const QString &text, int size)
{
    TDrawItem t;
    t.kind = TDrawItem::Text;
    t.layer = layer;
    t.pen = color;
    t.points = {QPoint(x, y)};
    t.text = text;
    t.points_ = size;
    return t;
}

TDrawItem lineItem(const QString &layer, uint32_t color, int x1, int y1, int x2, int y2)
{
    TDrawItem t;
    t.kind = TDrawItem::Line;
    t.layer = layer;
    t.pen = color;
    t.points = {QPoint(x1, y1), QPoint(x2, y2)};
    return t;
}

TDrawItem rectItem(const QString &layer, uint32_t pen, uint32_t brush, int x1, int y1, int x2, int y2)
{
    TDrawItem t;
    t.kind = TDrawItem::FillRect;
    t.layer = layer;
    t.pen = pen;
    t.brush = brush;
    t.filled = true;
    t.points = {QPoint(x1, y1), QPoint(x2, y2)};
    return t;
}

TDrawItem polyItem(const QString &layer, uint32_t color)
{
    TDrawItem t;
    t.kind = TDrawItem::Polyline;
    t.layer = layer;
    t.pen = color;
    return t;
}

void addPoly(TDrawList &list, TDrawItem &poly)
{
    if (!poly.points.isEmpty())
        list.push_back(poly);
}

} // namespace

TDrawList TGraphChart::Frame()
{
    ensureOpen();
    const TGraphLayout &l = m_view.Layout;
    const TChartSettings &s = m_settings;
    TDrawList list;
    list.push_back(rectItem(QStringLiteral("paper"), s.color(gcPaper), s.color(gcPaper), 0, 0, l.W, l.H));
    list.push_back(rectItem(QStringLiteral("priceBox"), s.color(gcPriceBoxLine), s.color(gcPriceBoxFill),
                            l.PriceBox.Left, l.PriceBox.Top, l.PriceBox.Right, l.PriceBox.Bottom));
    list.push_back(rectItem(QStringLiteral("volumeBox"), s.color(gcVolumeBoxLine), s.color(gcVolumeBoxFill),
                            l.VolumeBox.Left, l.VolumeBox.Top, l.VolumeBox.Right, l.VolumeBox.Bottom));
    TDrawItem volume = textItem(QStringLiteral("volumeLabel"), s.color(gcVolumeBoxLine), 0,
                                l.VolumeBox.Bottom, QStringLiteral("Volume"), s.PriceSize);
    volume.kind = TDrawItem::UpText;
    list.push_back(volume);

    // The title: both parts together centred on the picture.
    const QString t1 = m_series[0].Name + QStringLiteral(" (") + m_series[0].Symbol + QStringLiteral(")");
    const QString t2 = m_overlay ? QStringLiteral(" ") + m_series[1].Name + QStringLiteral(" (") +
                                       m_series[1].Symbol + QStringLiteral(")")
                                 : QString();
    // A title too wide for the picture (a long overlay name, a narrow window)
    // would be cut at both edges and run over the increment text at the top
    // left; it is set a size smaller at a time, down to the smallest size,
    // until it fits between that text and its mirror on the right.
    const int reserve = m_metrics->textWidth(s.FontName, s.PriceSize, QStringLiteral("Increment: 00.00"));
    const int room = std::max(0, int(l.W) - 2 * reserve);
    int size = s.TitleSize, w1 = 0, w2 = 0;
    for (;;) {
        w1 = m_metrics->textWidth(s.FontName, size, t1);
        w2 = t2.isEmpty() ? 0 : m_metrics->textWidth(s.FontName, size, t2);
        if (w1 + w2 <= room || size <= kMinGraphFontSize)
            break;
        --size;
    }
    // Still too wide at the smallest size: its start at least shows.
    const int x = std::max(0, (int(l.W) - w1 - w2) / 2);
    list.push_back(textItem(QStringLiteral("title"), s.color(gcTitleFont), x, 0, t1, size));
    if (!t2.isEmpty())
        list.push_back(textItem(QStringLiteral("title"), s.color(gcOverlay), x + w1, 0, t2, size));

    const struct
    {
        QString text;
        TGraphColor color;
    } legend[] = {{QStringLiteral("Legend:"), gcTitleFont},
                  {QStringLiteral("Close"), gcClose},
                  {QStringLiteral("High/Low"), gcHighLow},
                  {QStringLiteral("Moving Avg %1 Day").arg(s.P1), gcAverage1},
                  {QStringLiteral("Moving Avg %1 Day").arg(s.P2), gcAverage2},
                  {QStringLiteral("Moving Std %1 Day").arg(s.P1), gcStdDev1},
                  {QStringLiteral("Moving Std %1 Day").arg(s.P2), gcStdDev2},
                  {QStringLiteral("Highest High"), gcHighestHigh},
                  {QStringLiteral("Lowest Low"), gcLowestLow}};
    int lx = 0;
    for (const auto &item : legend) {
        list.push_back(
            textItem(QStringLiteral("legend"), s.color(item.color), lx, l.H - l.THp, item.text, s.PriceSize));
        lx += m_metrics->textWidth(s.FontName, s.PriceSize, item.text) + 2 * l.TWp;
    }
    return list;
}

TDrawList TGraphChart::PriceGrid()
{
    ensureOpen();
    TDrawList list;
    const TGraphLayout &l = m_view.Layout;
    const TGraphSeries &s1 = m_series[0];
    const uint32_t color = m_settings.color(gcPrice);
    const double top = s1.MaxPrice / 1.02;
    const double bottom = s1.MinPrice / 0.98;
    if (s1.last() >= 0) {
        const double middle = bottom + (top - bottom) / 2;
        const double levels[] = {top, middle, middle + (top - middle) / 2, bottom + (top - bottom) / 4,
                                 bottom};
        for (double v : levels) {
            if (!(v < s1.MaxPrice && v >= s1.MinPrice))
                continue;
            const int y = priceY(s1, v);
            list.push_back(lineItem(QStringLiteral("grid"), color, l.LeftMargin, y, l.W - 1, y));
            const QString label = v <= 99.99 ? FixedWidthText(v, 5, 2) : FixedWidthText(v, 5, 0);
            list.push_back(
                textItem(QStringLiteral("gridLabel"), color, 0, y - l.THp / 2, label, m_settings.PriceSize));
        }
    }
    list.push_back(textItem(QStringLiteral("increment"), color, 0, 0,
                            QStringLiteral("Increment: ") + FixedWidthText((top - bottom) / 4, 5, 2),
                            m_settings.PriceSize));
    return list;
}

TDrawList TGraphChart::SeriesLines(bool highLow)
{
    ensureOpen();
    TDrawList list;
    const std::vector<int> walk = plotted();
    if (walk.empty())
        return list;
    const TGraphLayout &l = m_view.Layout;
    const TChartSettings &s = m_settings;
    TGraphSeries &s1 = m_series[0];
    TGraphSeries &s2 = m_series[1];
    fetch(s1, walk.front(), walk.back());
    const int h = half();
    const int base = l.VolumeTop + l.VolumeHeight;
    TDrawItem close1 = polyItem(QStringLiteral("close1"), s.color(gcClose));
    TDrawItem close2 = polyItem(QStringLiteral("close2"), s.color(gcOverlay));
    TDrawList bars, volumes, axis;

    // Date axis state.
    QString month, year;
    double monthStartX = 0;
    const int labelY = base + 1;
    auto monthLabel = [&](double endX) {
        const QString name = ChartMonthName(month.toInt());
        const int c = Px(endX - monthStartX) / l.TWp;
        if (c > 0 && !name.isEmpty())
            axis.push_back(textItem(QStringLiteral("month"), s.color(gcMonth), Px(monthStartX), labelY,
                                    name.left(c), s.PriceSize));
    };

    auto addRecord = [&](TGraphSeries &series, const TPriceRecord &r, double x, TDrawItem &close,
                         bool overlay) {
        const int cx = Px(x) + h;
        if (std::isfinite(r.Close))
            close.points.push_back(QPoint(cx, priceY(series, r.Close)));
        if (highLow && std::isfinite(r.High) && std::isfinite(r.Low))
            bars.push_back(lineItem(overlay ? QStringLiteral("highLow2") : QStringLiteral("highLow1"),
                                    s.color(gcHighLow), cx, priceY(series, r.High), cx,
                                    priceY(series, r.Low)));
        const int top = Px(base - double(Px(double(r.Volume) * series.VolumeScale)));
        volumes.push_back(rectItem(overlay ? QStringLiteral("volume2") : QStringLiteral("volume1"),
                                   overlay ? s.color(gcOverlay) : s.color(gcVolumeLine),
                                   s.color(gcVolumeFill), Px(x), top, Px(x + m_view.Step - 1), base));
    };

    for (size_t k = 0; k < walk.size(); ++k) {
        const TPriceRecord &r = rec(s1, walk[k]);
        const double x = leftX(int(k));
        addRecord(s1, r, x, close1, false);
        if (m_overlay && s2.last() >= 0) {
            const TPriceRecord r2 = rec(s2, findDate(s2, r.Date.bytes()));
            addRecord(s2, r2, x, close2, true);
        }
        // date axis at the record's centre
        const QString date = r.Date.text();
        const double cx = x + h;
        if (year.isEmpty()) {
            year = date.mid(0, 4);
            month = date.mid(4, 2);
            monthStartX = cx;
            axis.push_back(textItem(QStringLiteral("year"), s.color(gcMonth), Px(monthStartX), labelY + l.THp,
                                    year, s.PriceSize));
        }
        if (date.mid(4, 2) != month) {
            monthLabel(cx);
            axis.push_back(
                lineItem(QStringLiteral("monthLine"), s.color(gcMonth), Px(cx), l.PriceTop, Px(cx), base));
            monthStartX = cx;
            month = date.mid(4, 2);
        }
        if (date.mid(0, 4) != year) {
            year = date.mid(0, 4);
            axis.push_back(lineItem(QStringLiteral("yearLine"), s.color(gcMonth), Px(cx) - 1, l.PriceTop,
                                    Px(cx) - 1, base));
            axis.push_back(textItem(QStringLiteral("year"), s.color(gcMonth), Px(monthStartX), labelY + l.THp,
                                    year, s.PriceSize));
        }
    }
    monthLabel(leftX(int(walk.size()) - 1));

    addPoly(list, close1);
    addPoly(list, close2);
    list.insert(list.end(), bars.begin(), bars.end());
    list.insert(list.end(), volumes.begin(), volumes.end());
    list.insert(list.end(), axis.begin(), axis.end());
    return list;
}

TDrawList TGraphChart::movingLine(int period, double k, int sign, const QString &layer, uint32_t color)
{
    TDrawList list;
    if (period < 1)
        return list;
    TGraphSeries &s1 = m_series[0];
    const std::vector<int> walk = plotted();
    const int64_t reach = int64_t(period) * m_view.Skip;
    TDrawItem line = polyItem(layer, color);
    const int h = half();
    bool fetched = false;
    for (size_t j = 0; j < walk.size(); ++j) {
        const int i = walk[j];
        if (i > m_view.End || i < reach)
            continue;
        if (!fetched) {
            fetch(s1, int(i - reach), m_view.End);
            fetched = true;
        }
        // the P grid records before i, not i itself
        double sum = 0;
        for (int64_t n = i - reach; n < i; n += m_view.Skip)
            sum += rec(s1, int(n)).Close;
        const double mean = sum / period;
        double value = mean;
        if (sign != 0) {
            double squares = 0;
            for (int64_t n = i - reach; n < i; n += m_view.Skip) {
                const double d = rec(s1, int(n)).Close - mean;
                squares += d * d;
            }
            value = mean + sign * k * std::sqrt(squares / period);
        }
        if (std::isfinite(value))
            line.points.push_back(QPoint(Px(leftX(int(j))) + h, priceY(s1, value)));
    }
    addPoly(list, line);
    return list;
}

TDrawList TGraphChart::MovingAverages()
{
    ensureOpen();
    TDrawList list = movingLine(m_settings.P1, 0, 0, QStringLiteral("ma1"), m_settings.color(gcAverage1));
    TDrawList second = movingLine(m_settings.P2, 0, 0, QStringLiteral("ma2"), m_settings.color(gcAverage2));
    list.insert(list.end(), second.begin(), second.end());
    return list;
}

TDrawList TGraphChart::Band(int which)
{
    ensureOpen();
    const int p = which == 1 ? m_settings.P1 : m_settings.P2;
    const double k = which == 1 ? m_settings.K1 : m_settings.K2;
    const uint32_t color = m_settings.color(which == 1 ? gcStdDev1 : gcStdDev2);
    const QString name = which == 1 ? QStringLiteral("std1") : QStringLiteral("std2");
    TDrawList list = movingLine(p, k, +1, name + QStringLiteral("Upper"), color);
    TDrawList lower = movingLine(p, k, -1, name + QStringLiteral("Lower"), color);
    list.insert(list.end(), lower.begin(), lower.end());
    return list;
}

TDrawList TGraphChart::HighestLowest()
{
    ensureOpen();
    TDrawList list;
    TGraphSeries &s1 = m_series[0];
    const std::vector<int> walk = plotted();
    const int L = m_settings.L;
    const bool limit = m_settings.LimitRecords;
    TDrawItem high = polyItem(QStringLiteral("highest"), m_settings.color(gcHighestHigh));
    TDrawItem low = polyItem(QStringLiteral("lowest"), m_settings.color(gcLowestLow));
    const int h = half();
    // Windows only grow to the right as the walk advances, so the extremes
    // are kept up to date with monotonic queues instead of re-reading each
    // window: the same values, every record read once.
    std::deque<int> maxQ, minQ;
    int added = -1; // last record pushed
    bool fetched = false;
    for (size_t j = 0; j < walk.size(); ++j) {
        const int e = walk[j];
        if (e > m_view.End || e < L)
            continue;
        const int from = limit ? e - L : 0;
        if (!fetched) {
            fetch(s1, from, m_view.End);
            fetched = true;
        }
        for (int n = std::max(added + 1, from); n <= e; ++n) {
            const double c = rec(s1, n).Close;
            added = n;
            if (!std::isfinite(c))
                continue;
            while (!maxQ.empty() && rec(s1, maxQ.back()).Close <= c)
                maxQ.pop_back();
            maxQ.push_back(n);
            while (!minQ.empty() && rec(s1, minQ.back()).Close >= c)
                minQ.pop_back();
            minQ.push_back(n);
        }
        while (!maxQ.empty() && maxQ.front() < from)
            maxQ.pop_front();
        while (!minQ.empty() && minQ.front() < from)
            minQ.pop_front();
        const double highest = std::max(0.0, maxQ.empty() ? 0.0 : rec(s1, maxQ.front()).Close);
        const double first = rec(s1, from).Close;
        double lowest = minQ.empty() ? first : rec(s1, minQ.front()).Close;
        if (std::isfinite(first))
            lowest = std::min(lowest, first);
        const int x = Px(leftX(int(j))) + h;
        high.points.push_back(QPoint(x, priceY(s1, std::min(highest, s1.MaxPrice))));
        if (std::isfinite(lowest))
            low.points.push_back(QPoint(x, priceY(s1, std::max(lowest, s1.MinPrice))));
    }
    addPoly(list, high);
    addPoly(list, low);
    return list;
}

TDrawList TGraphChart::Markers()
{
    ensureOpen();
    TDrawList list;
    TGraphSeries &s1 = m_series[0];
    const QString path = transactionPath();
    if (path.isEmpty() || s1.last() < 0 || m_view.End < m_view.Start || !QFile::exists(path))
        return list;
    TChartTransFile tra(path);
    if (!tra.IsOpen() || tra.RecordCount() == 0)
        return list;
    std::vector<TTransRecord> all(size_t(tra.RecordCount()));
    if (!tra.ReadAll(all.data()))
        return list;
    const TGraphLayout &l = m_view.Layout;
    const QByteArray symbol = s1.Symbol.toLatin1();
    const QByteArray startDate = rec(s1, m_view.Start).Date.bytes();
    const QByteArray endDate = rec(s1, std::min(m_view.End, s1.last())).Date.bytes();
    const uint32_t paper = m_settings.color(gcPaper);
    const int h = half();
    // Markers are ANDed onto the picture, so drawing the same marker twice
    // changes nothing: many trades on one day, or outside the view at one
    // price, are drawn once.
    QSet<quint64> made;
    for (const TTransRecord &t : all) {
        if (t.Symbol.bytes() != symbol || !std::isfinite(t.Price))
            continue;
        const uint32_t color = m_settings.color(t.Shares > 0 ? gcBuy : gcSell);
        const QString layer = t.Shares > 0 ? QStringLiteral("buy") : QStringLiteral("sell");
        int y;
        if (t.Price > s1.MaxPrice)
            y = l.PriceBox.Top;
        else if (t.Price >= s1.MinPrice)
            y = priceY(s1, t.Price);
        else
            y = l.PriceBox.Bottom;
        const QByteArray date = t.Date.bytes();
        double x;
        QString text;
        bool inView = false;
        if (date < startDate) {
            x = l.TWp + l.LeftMargin + 2;
            text = QStringLiteral("<");
        } else if (date > endDate) {
            x = l.W - l.TWp - 2;
            text = QStringLiteral(">");
        } else {
            const int index = findDate(s1, date);
            x = l.LeftMargin + ((double(index) - m_view.Start) / m_view.Skip) * m_view.Step;
            inView = true;
        }
        const int rx = Px(x);
        const int cx = inView ? rx + h : rx;
        const quint64 key = (quint64(t.Shares > 0) << 63) |
                            (quint64(text.isEmpty() ? 0 : text[0].unicode()) << 48) |
                            (quint64(uint16_t(rx)) << 24) | quint64(uint32_t(y) & 0xFFFFFF);
        if (made.contains(key))
            continue;
        made.insert(key);
        auto circle = [&](int radius) {
            TDrawItem e;
            e.kind = TDrawItem::Ellipse;
            e.layer = layer;
            e.pen = color;
            e.brush = paper;
            e.filled = true;
            e.mode = TDrawMode::And;
            e.points = {QPoint(cx, y)};
            e.radius = radius;
            list.push_back(e);
        };
        if (inView)
            circle(3);
        if (!text.isEmpty()) {
            TDrawItem tx = textItem(layer, color, rx - l.TWp / 2, y - l.THp / 2, text, m_settings.PriceSize);
            tx.mode = TDrawMode::And;
            list.push_back(tx);
        }
        circle(l.TWp);
    }
    return list;
}

TDrawList TGraphChart::Draw(const TChartShow &show)
{
    ensureOpen();
    TDrawList list = Frame();
    auto add = [&list](TDrawList more) { list.insert(list.end(), more.begin(), more.end()); };
    // Without records there is nothing to scale: frame, title and legend.
    if (m_series[0].last() < 0 || m_view.End < m_view.Start)
        return list;
    add(PriceGrid());
    add(SeriesLines(show.HighLow));
    if (show.MovingAverage)
        add(MovingAverages());
    if (show.HighestLowest)
        add(HighestLowest());
    if (show.Std1)
        add(Band(1));
    if (show.Std2)
        add(Band(2));
    if (show.BoughtSold)
        add(Markers());
    return list;
}

TDrawItem TGraphChart::CursorLine(int x) const
{
    const TGraphLayout &l = m_view.Layout;
    const int cx = RecordX(RecordAt(x));
    TDrawItem t = lineItem(QStringLiteral("cursor"), m_settings.color(gcPriceLine), cx, l.PriceBox.Top + 1,
                           cx, l.VolumeBox.Bottom - 1);
    t.mode = TDrawMode::NotXor;
    return t;
}

TDrawItem TGraphChart::ZoomRect(QPoint a, QPoint b) const
{
    TDrawItem t = rectItem(QStringLiteral("zoom"), m_settings.color(gcZoomLine), m_settings.color(gcZoomFill),
                           a.x(), a.y(), b.x(), b.y());
    t.mode = TDrawMode::NotXor;
    return t;
}
