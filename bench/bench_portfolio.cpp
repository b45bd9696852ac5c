// Costs of a large portfolio: 500 securities with 5,000 prices each, 5,000
// securities in the symbol file, 10,000 transactions and 5,000 dividends.
// Measured: the holdings recompute, the security-code file check, the import
// of 10,000 lines and the export with the company column. Counters "reads"
// and "writes" are record reads and writes per operation where they apply.

#include "frame/RunTalk.h"
#include "frame/StdUnitFields.h"
#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "portfolio/Holdings.h"
#include "portfolio/PortfolioAccess.h"
#include "portfolio/PortfolioTransfer.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "records/TransDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kSymbols = 500;
constexpr int kPrices = 5000;
constexpr int kSecurities = 5000;
constexpr int kTrades = 10000;
constexpr int kDividends = 5000;

QString symbolOf(int i)
{
    return QStringLiteral("S%1").arg(i);
}

QString dateOf(int day)
{
    return QDate(2000, 1, 1).addDays(day).toString(QStringLiteral("yyyyMMdd"));
}

class TQuietTalk : public TRunTalk
{
public:
    void progress(const QString &) override {}
    bool askYesNo(const QString &) override { return true; }
    bool askYesNoWarning(const QString &) override { return true; }
    void error(const QString &) override {}
    void information(const QString &) override {}
    void warning(const QString &) override {}
};

// The workspace, built once for every benchmark of the program.
class TWorkspace
{
public:
    TWorkspace()
    {
        const QString base = m_dir.path() + QLatin1Char('/');
        SetBaseFolder(base);
        SetProgramFolder(base);
        for (const char *f : {"symbol", "watch", "notes", "data", "port"})
            QDir().mkpath(base + QLatin1String(f));
        for (int s = 0; s < kSymbols; ++s) {
            TDataBase prices(PriceFilePath(symbolOf(s)));
            QByteArray image;
            TPriceRecord p;
            for (int d = 0; d < kPrices; ++d) {
                p.Date = dateOf(d);
                p.High = p.Low = p.Close = 10 + s + d * 0.01;
                prices.AppendImage(image, p);
            }
            prices.ReplaceAll(image);
        }
        {
            TSymbolDataBase symbols(GetFolders().Symbol + QStringLiteral("Stocks.sbl"));
            QList<TSymbolRecord> all;
            QByteArray image;
            QStringList names;
            for (int i = 0; i < kSecurities; ++i)
                names << symbolOf(i);
            names.sort();
            TSymbolRecord r;
            for (const QString &n : names) {
                r.Symbol = n;
                r.Name = QStringLiteral("COMPANY ") + n;
                symbols.AppendImage(image, r);
            }
            symbols.ReplaceAll(image);
        }
        QFile lines(base + QStringLiteral("trades.csv"));
        lines.open(QIODevice::WriteOnly);
        for (int i = 0; i < kTrades; ++i)
            lines.write(
                QStringLiteral("%1,%2,%3,%4,1\r\n")
                    .arg(symbolOf(i % kSymbols),
                         QDate(2001, 1, 1).addDays(i / kSymbols).toString(QStringLiteral("MM/dd/yyyy")))
                    .arg(i % 7 == 0 ? -5 : 10)
                    .arg(12.5)
                    .toLatin1());
        lines.close();
        importTrades();
        TTransBase dividends(DividendFilePath(QStringLiteral("BIG")));
        QByteArray image;
        QList<TTransRecord> recs;
        for (int i = 0; i < kDividends; ++i) {
            TTransRecord r;
            r.Symbol = symbolOf(i % kSymbols);
            r.Date = dateOf(i);
            r.Price = 1.25;
            r.SecurityCode = 7;
            recs << r;
        }
        std::sort(recs.begin(), recs.end(), [](const TTransRecord &a, const TTransRecord &b) {
            return TTransBase::FullKey(a) < TTransBase::FullKey(b);
        });
        for (TTransRecord &r : recs)
            dividends.AppendImage(image, r);
        dividends.ReplaceAll(image);
    }

    void importTrades()
    {
        TTransBase trades(TransactionFilePath(QStringLiteral("BIG")));
        TTransferImportSettings s;
        s.FilePath = m_dir.path() + QStringLiteral("/trades.csv");
        s.Layout = kLayoutComma;
        s.DateForm = QStringLiteral("MM-DD-YYYY");
        s.FieldNumbers = {1, 2, 3, 4, 5};
        TQuietTalk talk;
        ImportTransfer(TTransferKind::Transactions, trades, 7, s, talk);
    }

    QString path(const QString &name) const { return m_dir.path() + QLatin1Char('/') + name; }

private:
    QTemporaryDir m_dir;
};

TWorkspace &workspace()
{
    static TWorkspace w;
    return w;
}

void BM_HoldingsRecompute(benchmark::State &state)
{
    workspace();
    for (auto _ : state) {
        const THoldings h = ComputeHoldings(QStringLiteral("BIG"));
        benchmark::DoNotOptimize(h.Position);
        if (h.Rows.size() != kSymbols)
            state.SkipWithError("wrong row count");
    }
}
BENCHMARK(BM_HoldingsRecompute)->Unit(benchmark::kMillisecond);

void BM_FileCheck(benchmark::State &state)
{
    workspace();
    TListRecord entry;
    entry.FileName = QStringLiteral("BIG");
    entry.Name = QStringLiteral("Big");
    entry.SecurityCode = 7;
    class TSilent : public TAccessTalk
    {
    public:
        void playSound(const QString &) override {}
        bool askPassword(const QString &, QString *) override { return false; }
        void error(const QString &) override {}
    } talk;
    for (auto _ : state)
        if (!CheckPortfolioFiles(entry, talk))
            state.SkipWithError("check failed");
}
BENCHMARK(BM_FileCheck)->Unit(benchmark::kMillisecond);

void BM_Import10000Lines(benchmark::State &state)
{
    workspace();
    for (auto _ : state)
        workspace().importTrades();
    TTransBase trades(TransactionFilePath(QStringLiteral("BIG")));
    state.counters["stored"] = trades.RecordCount();
}
BENCHMARK(BM_Import10000Lines)->Unit(benchmark::kMillisecond);

void BM_ExportWithCompany(benchmark::State &state)
{
    workspace();
    TTransBase trades(TransactionFilePath(QStringLiteral("BIG")));
    TTransferExportSettings s{workspace().path(QStringLiteral("out.txt")),
                              kLayoutFixed,
                              QStringLiteral("MM-DD-YYYY"),
                              ExportFieldNames(TTransferKind::Transactions),
                              true,
                              QStringLiteral("19000101"),
                              QStringLiteral("29991231")};
    TQuietTalk talk;
    const qint64 reads = trades.readCalls();
    for (auto _ : state)
        ExportTransfer(TTransferKind::Transactions, trades, s, SymbolFileCompanyLookup(), talk);
    state.counters["reads"] = double(trades.readCalls() - reads) / double(state.iterations());
}
BENCHMARK(BM_ExportWithCompany)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
