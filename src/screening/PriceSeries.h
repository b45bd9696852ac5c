#pragma once
// A price history held in memory with the statistics of the price file,
// record for record: the same windows, the same reading order, the same
// "the buffer keeps the last record read" behaviour of an out-of-range read.
// Used to screen prices that are not (yet) in a file, and by the benchmarks
// and fuzz targets, which must not touch the disk.

#include "frame/Stockcfg.h"
#include "screening/PriceStatistics.h"

#include <QString>
#include <optional>
#include <vector>

struct TPricePoint
{
    double High = 0;
    double Low = 0;
    double Close = 0;
    int32_t Volume = 0;
};

class TPriceSeries : public TPriceStatistics
{
public:
    TPriceSeries() = default;
    explicit TPriceSeries(std::vector<TPricePoint> points) : m_points(std::move(points)) {}

    void append(const TPricePoint &point) { m_points.push_back(point); }
    const std::vector<TPricePoint> &points() const { return m_points; }

    // Without fixed options every statistic reads the configuration, as the
    // price file does; fixed options spare the file reads.
    void setStatisticsOptions(const TStatisticsOptions &options) { m_options = options; }
    void useConfiguredOptions() { m_options.reset(); }

    int32_t LastIndex() const override { return int32_t(m_points.size()) - 1; }
    double StartValue(const QString &field) override;
    double ValueBack(const QString &field, int32_t n) override;
    double LastValue(const QString &field) override;
    double Average(const QString &field, int32_t skip, int32_t count) override;
    double StdDev(const QString &field, int32_t skip, int32_t count) override;
    double Lowest(const QString &field) override;
    double Highest(const QString &field) override;

    // Counters for benchmarks and tests: statistic calls made from outside,
    // records read, and reads that asked for a record outside the file.
    struct TCounters
    {
        long calls = 0;
        long reads = 0;
        long outOfRange = 0;
    };
    const TCounters &counters() const { return m_counters; }
    void resetCounters() { m_counters = {}; }

private:
    bool readAt(int32_t index);
    double fieldValue(const QString &field) const;
    int32_t windowStart();
    double extreme(const QString &field, bool highest);
    double average(const QString &field, int32_t skip, int32_t count);
    double windowSum(const QString &field, int32_t skip, int32_t count, double mean, bool squares,
                     int64_t *read);

    std::vector<TPricePoint> m_points;
    std::optional<TStatisticsOptions> m_options;
    TPricePoint m_buffer;
    TCounters m_counters;
};
