#include "screening/PriceSeries.h"

#include <cmath>

bool TPriceSeries::readAt(int32_t index)
{
    if (index < 0 || index > LastIndex()) {
        // The price file leaves its buffer untouched on a bad index.
        ++m_counters.outOfRange;
        return false;
    }
    ++m_counters.reads;
    m_buffer = m_points[size_t(index)];
    return true;
}

double TPriceSeries::fieldValue(const QString &field) const
{
    if (field == QLatin1String("HIGH"))
        return m_buffer.High;
    if (field == QLatin1String("LOW"))
        return m_buffer.Low;
    if (field == QLatin1String("CLOSE"))
        return m_buffer.Close;
    if (field == QLatin1String("VOLUME"))
        return double(m_buffer.Volume);
    return 0;
}

int32_t TPriceSeries::windowStart()
{
    const TStatisticsOptions options = m_options ? *m_options : GetStatisticsOptions();
    const int32_t n = std::max<int32_t>(1, options.RecordCount);
    if (options.LimitRecords && n < LastIndex())
        return LastIndex() - n;
    return 0;
}

double TPriceSeries::StartValue(const QString &field)
{
    ++m_counters.calls;
    readAt(windowStart());
    return fieldValue(field);
}

double TPriceSeries::ValueBack(const QString &field, int32_t n)
{
    ++m_counters.calls;
    readAt(LastIndex() - n);
    return fieldValue(field);
}

double TPriceSeries::LastValue(const QString &field)
{
    ++m_counters.calls;
    readAt(LastIndex());
    return fieldValue(field);
}

double TPriceSeries::extreme(const QString &field, bool highest)
{
    const int32_t start = windowStart();
    readAt(start);
    double result = fieldValue(field);
    for (int32_t i = start + 1; i <= LastIndex(); ++i) {
        readAt(i);
        const double v = fieldValue(field);
        if (highest ? v > result : v < result)
            result = v;
    }
    return result;
}

double TPriceSeries::Lowest(const QString &field)
{
    ++m_counters.calls;
    return extreme(field, false);
}

double TPriceSeries::Highest(const QString &field)
{
    ++m_counters.calls;
    return extreme(field, true);
}

double TPriceSeries::average(const QString &field, int32_t skip, int32_t count)
{
    if (count <= 0)
        return 0;
    double sum = 0;
    const int64_t first = int64_t(LastIndex()) - skip - count;
    for (int64_t i = first; i < first + count; ++i) {
        readAt(int32_t(std::clamp<int64_t>(i, -1, LastIndex() + 1)));
        sum += fieldValue(field);
    }
    return sum / count;
}

double TPriceSeries::Average(const QString &field, int32_t skip, int32_t count)
{
    ++m_counters.calls;
    return average(field, skip, count);
}

double TPriceSeries::StdDev(const QString &field, int32_t skip, int32_t count)
{
    ++m_counters.calls;
    if (count <= 0)
        return 0;
    const double mean = average(field, skip, count);
    double sum = 0;
    const int64_t first = int64_t(LastIndex()) - skip - count;
    for (int64_t i = first; i < first + count; ++i) {
        readAt(int32_t(std::clamp<int64_t>(i, -1, LastIndex() + 1)));
        const double d = fieldValue(field) - mean;
        sum += d * d;
    }
    return std::sqrt(sum / count);
}
