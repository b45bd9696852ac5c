#pragma once
// Builders shared by the report tests: a workspace with the default folders,
// price histories with volumes, trades and dividends of a portfolio.

#include "../portfolio/PortfolioTestData.h"

#include "frame/Clock.h"

#include <limits>

inline void AddDay(const QString &symbol, const char *date, double close, int32_t volume)
{
    TDataBase db(PriceFilePath(symbol));
    TPriceRecord r;
    r.Date = QString::fromLatin1(date);
    r.High = close;
    r.Low = close;
    r.Close = close;
    r.Volume = volume;
    db.Insert(r);
}

inline void AddDividend(const QString &portfolio, const char *symbol, const char *date, double amount)
{
    AddTrade(DividendFilePath(portfolio), Trade(symbol, date, 0, amount, 0));
}

inline void AddWatch(const char *symbol, const char *name)
{
    TWatchDatabase db(WatchListPath());
    TListRecord e = Entry(symbol, name);
    db.Insert(e);
}

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kInf = std::numeric_limits<double>::infinity();
