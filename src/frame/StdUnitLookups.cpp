#include "frame/StdUnitLookups.h"

#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/TransDatabase.h"
#include "records/WatchBase.h"

#include <QFile>
#include <memory>

namespace {

TWatchDatabase *g_sharedWatch = nullptr;

// Rewrites in place every record of a register whose symbol field is oldSymbol.
template <class File, class Rec, class SymbolOf>
void renameRecords(File &file, const QString &oldSymbol, const QString &newSymbol, SymbolOf symbolOf)
{
    if (!file.IsOpen() || file.RecordCount() == 0)
        return;
    const QByteArray oldBytes = oldSymbol.toLatin1();
    Rec rec{};
    for (int i = 0; i < file.RecordCount(); ++i) {
        file.ReadAt(rec, i);
        if (symbolOf(rec).bytes() == oldBytes) {
            symbolOf(rec) = newSymbol; // cut to the field
            file.WriteCurrent(rec);
        }
    }
}

} // namespace

TWatchDatabase *SharedWatchList()
{
    return g_sharedWatch;
}

void SetSharedWatchList(TWatchDatabase *watch)
{
    g_sharedWatch = watch;
}

void RenameSymbol(const QString &oldSymbol, const QString &newSymbol, TWatchDatabase *watch)
{
    const QString newPrices = PriceFilePath(newSymbol);
    if (QFile::exists(newPrices)) {
        const QString backup = OldPriceFilePath(newSymbol);
        if (QFile::exists(backup))
            QFile::remove(backup);
        QFile::rename(newPrices, backup);
    }
    QFile::rename(PriceFilePath(oldSymbol), newPrices);

    const auto transSymbol = [](TTransRecord &r) -> TCountedString<7> & { return r.Symbol; };
    TWatchDatabase portfolios(PortfolioListPath());
    if (portfolios.IsOpen()) {
        TListRecord entry;
        for (int i = 0; i < portfolios.RecordCount(); ++i) {
            portfolios.ReadAt(entry, i);
            const QString name = entry.FileName.text();
            if (!IsSafeFileNamePart(name) || name.isEmpty())
                continue;
            TTransBase dividends(DividendFilePath(name));
            renameRecords<TTransBase, TTransRecord>(dividends, oldSymbol, newSymbol, transSymbol);
            TTransBase trades(TransactionFilePath(name));
            renameRecords<TTransBase, TTransRecord>(trades, oldSymbol, newSymbol, transSymbol);
        }
    }

    std::unique_ptr<TWatchDatabase> own;
    if (!watch) {
        own = std::make_unique<TWatchDatabase>(WatchListPath());
        watch = own.get();
    }
    renameRecords<TWatchDatabase, TListRecord>(*watch, oldSymbol, newSymbol,
                                               [](TListRecord &r) -> TCountedString<7> & { return r.FileName; });
}

double ClosePriceOn(const QString &symbol, const QString &date)
{
    TDataBase prices(PriceFilePath(symbol));
    if (!prices.IsOpen() || prices.RecordCount() == 0)
        return 0;
    TPriceRecord rec;
    prices.Find(rec, date);
    return rec.Close;
}

double DividendsUpTo(const QString &symbol, const QString &date, const QString &portfolio)
{
    TTransBase dividends(DividendFilePath(portfolio));
    double sum = 0;
    if (!dividends.IsOpen())
        return sum;
    const QByteArray wanted = symbol.toLatin1();
    const QByteArray until = date.toLatin1();
    TTransRecord rec;
    for (int i = 0; i < dividends.RecordCount(); ++i) {
        dividends.ReadAt(rec, i);
        if (rec.Symbol.bytes() == wanted && rec.Date.bytes() <= until)
            sum += rec.Price;
    }
    return sum;
}

void PositionOn(const QString &portfolio, const QString &date, const QString &symbol, TPosition &position,
                TTransBase &trans)
{
    position.Shares = 0;
    position.Value = 0;
    position.Gain = 0;
    if (!trans.IsOpen() || trans.RecordCount() == 0) {
        position.Dividends = 0;
        return;
    }
    const QByteArray wanted = symbol.toLatin1();
    const QByteArray until = date.toLatin1();
    TTransRecord rec;
    for (int i = 0; i < trans.RecordCount(); ++i) {
        trans.ReadAt(rec, i);
        if (rec.Symbol.bytes() == wanted && rec.Date.bytes() <= until) {
            position.Shares += rec.Shares;
            position.Gain += -rec.Shares * rec.Price - rec.Fee;
        }
    }
    position.Value = ClosePriceOn(symbol, date) * position.Shares;
    position.Dividends = DividendsUpTo(symbol, date, portfolio);
    position.Gain = position.Gain + position.Value + position.Dividends;
}
