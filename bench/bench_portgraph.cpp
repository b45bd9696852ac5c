// A portfolio of 10,000 transactions over 200 symbols and 26 years with
// 5,000 dividend records: one build of every view from the records in
// memory (the files are read once per build).

#include "portfolio/PortGraph.h"

#include <QLocale>
#include <benchmark/benchmark.h>

namespace {

TPortGraphInput makeInput()
{
    TPortGraphInput in;
    in.CurrentYear = QStringLiteral("2025");
    in.Today = QStringLiteral("20250615");
    in.IncludeDividends = true;
    in.SellAll = true;
    in.LastClose = [](const QString &) { return 25.0; };
    for (int s = 0; s < 200; ++s) {
        const QString symbol = QStringLiteral("S%1").arg(s);
        for (int t = 0; t < 50; ++t) {
            TTransRecord rec;
            rec.Symbol.setText(symbol);
            rec.Date.setText(
                QStringLiteral("%1%2%3").arg(2000 + t / 2).arg(1 + t % 12, 2, 10, QLatin1Char('0')).arg(15));
            rec.Shares = (t % 3 == 2) ? -100 : 100;
            rec.Price = 10 + t % 7;
            rec.Fee = 9.95;
            in.Transactions.append(rec);
        }
        for (int d = 0; d < 25; ++d) {
            TTransRecord rec;
            rec.Symbol.setText(symbol);
            rec.Date.setText(QStringLiteral("%1%2").arg(2000 + d).arg(QStringLiteral("0301")));
            rec.Price = 12.5;
            in.Dividends.append(rec);
        }
    }
    return in;
}

void BM_PortGraphBuild(benchmark::State &state)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const TPortGraphInput in = makeInput();
    const auto kind = static_cast<TPortGraphViewKind>(state.range(0));
    for (auto _ : state) {
        const TPortGraphView view =
            BuildPortGraphView(in, kind, QStringLiteral("2010"), QStringLiteral("Portfolio Bench"));
        benchmark::DoNotOptimize(view.Bars.size());
    }
}
BENCHMARK(BM_PortGraphBuild)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
