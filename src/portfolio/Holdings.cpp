#include "portfolio/Holdings.h"

#include "frame/StdUnitFiles.h"
#include "records/Database.h"
#include "records/TransDatabase.h"

#include <QFile>
#include <QHash>
#include <cmath>
#include <memory>

namespace {
double finiteOr0(double v)
{
    return std::isfinite(v) ? v : 0.0;
}
} // namespace

double LatestClose(const QString &symbol)
{
    if (symbol.isEmpty() || !IsSafeFileNamePart(symbol))
        return 0;
    const QString path = PriceFilePath(symbol);
    if (!QFile::exists(path))
        return 0;
    TDataBase prices(path, TOpenMode::ReadOnly);
    if (!prices.IsOpen() || prices.RecordCount() == 0)
        return 0;
    TPriceRecord rec;
    prices.ReadAt(rec, prices.LastIndex());
    if (prices.Status() & IoError)
        return 0;
    return finiteOr0(rec.Close);
}

THoldings ComputeHoldings(TTransBase &trades, TTransBase *dividends,
                          const std::function<double(const QString &)> &latestClose)
{
    THoldings out;
    if (!trades.IsOpen() || trades.RecordCount() == 0)
        return out;

    QHash<QByteArray, int> rowOf;
    QList<QByteArray> keys;
    trades.ScanAll([&](const TTransRecord &r) {
        const QByteArray sym = r.Symbol.bytes();
        auto it = rowOf.find(sym);
        if (it == rowOf.end()) {
            it = rowOf.insert(sym, int(out.Rows.size()));
            THoldingRow row;
            row.Symbol = r.Symbol.text();
            out.Rows.append(row);
            keys.append(sym);
        }
        THoldingRow &row = out.Rows[*it];
        const double shares = finiteOr0(r.Shares);
        row.Shares += shares;
        row.Cash += finiteOr0(-shares * finiteOr0(r.Price) - finiteOr0(r.Fee));
    });

    if (dividends && dividends->IsOpen()) {
        dividends->ScanAll([&](const TTransRecord &r) {
            const auto it = rowOf.constFind(r.Symbol.bytes());
            if (it != rowOf.constEnd())
                out.Rows[*it].Dividends += finiteOr0(r.Price);
        });
    }

    for (THoldingRow &row : out.Rows) {
        row.Close = finiteOr0(latestClose(row.Symbol));
        row.Holdings = finiteOr0(row.Close * row.Shares);
        row.Position = finiteOr0(row.Cash + row.Dividends + row.Holdings);
        out.Shares += row.Shares;
        out.Dividends += row.Dividends;
        out.Holdings += row.Holdings;
        out.Position += row.Position;
    }
    return out;
}

THoldings ComputeHoldings(const QString &portfolioFileName)
{
    if (portfolioFileName.isEmpty() || !IsSafeFileNamePart(portfolioFileName))
        return {};
    TTransBase trades(TransactionFilePath(portfolioFileName));
    if (trades.RecordCount() == 0)
        return {};
    const QString divPath = DividendFilePath(portfolioFileName);
    std::unique_ptr<TTransBase> dividends;
    if (QFile::exists(divPath))
        dividends = std::make_unique<TTransBase>(divPath, TOpenMode::ReadOnly);
    return ComputeHoldings(trades, dividends.get(), LatestClose);
}

uint32_t AmountColor(double value)
{
    return std::round(value * 100.0) < 0 ? 0x0000FFu : 0u;
}
