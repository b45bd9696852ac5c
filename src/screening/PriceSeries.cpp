#include "screening/PriceSeries.h"

#include <algorithm>
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

// Sum over the window LastIndex - skip - count .. LastIndex - skip - 1, of
// the values or of their squared distances from `mean`. Positions outside the
// history read nothing and are not counted, exactly as in the price file, so
// a short history averages the records it has instead of repeating whatever
// the previous statistic left in the buffer.
double TPriceSeries::windowSum(const QString &field, int32_t skip, int32_t count, double mean, bool squares,
                               int64_t *read)
{
    const int64_t start = int64_t(LastIndex()) - skip - count;
    const int64_t from = std::max<int64_t>(start, 0);
    const int64_t to = std::min<int64_t>(start + count - 1, LastIndex());
    double sum = 0;
    *read = 0;
    for (int64_t i = from; i <= to; ++i) {
        readAt(int32_t(i));
        const double v = fieldValue(field);
        sum += squares ? (v - mean) * (v - mean) : v;
        ++*read;
    }
    return sum;
}

double TPriceSeries::average(const QString &field, int32_t skip, int32_t count)
{
    if (count <= 0)
        return 0;
    int64_t read = 0;
    const double sum = windowSum(field, skip, count, 0, false, &read);
    return read > 0 ? sum / double(read) : 0;
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
    int64_t read = 0;
    const double sum = windowSum(field, skip, count, mean, true, &read);
    return read > 0 ? std::sqrt(sum / double(read)) : 0;
}
