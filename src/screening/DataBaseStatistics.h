#pragma once
// Screening over a security's price file: the price file's own statistics
// behind the expression language's interface.

#include "records/Database.h"
#include "screening/PriceStatistics.h"

class TDataBaseStatistics : public TPriceStatistics
{
public:
    explicit TDataBaseStatistics(TDataBase &prices) : m_prices(prices) {}

    int32_t LastIndex() const override { return m_prices.IsOpen() ? m_prices.LastIndex() : -1; }
    double StartValue(const QString &field) override { return m_prices.StartValue(field); }
    double ValueBack(const QString &field, int32_t n) override { return m_prices.ValueBack(field, n); }
    double LastValue(const QString &field) override { return m_prices.LastValue(field); }
    double Average(const QString &field, int32_t skip, int32_t count) override
    {
        return m_prices.Average(field, skip, count);
    }
    double StdDev(const QString &field, int32_t skip, int32_t count) override
    {
        return m_prices.StdDev(field, skip, count);
    }
    double Lowest(const QString &field) override { return m_prices.Lowest(field); }
    double Highest(const QString &field) override { return m_prices.Highest(field); }

private:
    TDataBase &m_prices;
};
