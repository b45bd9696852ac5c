// Checks and evaluates arbitrary expression texts (up to the 255 characters a
// stored condition holds) against a small price history in memory.
//
// Input: byte 0 chooses the statistics options, byte 1 the number of
// records, the rest is the expression (Latin-1). Besides crashes and
// sanitizer reports it stops on two broken promises: an expression that
// passes the check may fail evaluation only on a text the check lets
// through by design (a field standing alone, a quoted text, a result too
// large), and every finite value text reads back as a number.

#include "screening/PriceSeries.h"
#include "screening/StdUnitExpr.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

bool allowedAfterCheck(const QString &text, const EConvertError &e)
{
    const QString t = e.text();
    if (text == QLatin1String("STOCKSYMBOL"))
        return true;
    if (t == QLatin1String("INF") || t == QLatin1String("-INF") || t == QLatin1String("NAN"))
        return true;
    // A sign may have been joined to the field or the quoted text.
    auto quote = [](QChar c) { return c == QLatin1Char('"') || c == QLatin1Char('\''); };
    const QString bare = t.startsWith(QLatin1Char('-')) ? t.mid(1) : t;
    return IsFieldName(bare) || (!bare.isEmpty() && quote(bare.front()) && quote(bare.back()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const uint8_t options = data[0];
    const int records = data[1] % 40;
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data + 2),
                                             qsizetype(std::min<size_t>(size - 2, 255)));

    TPriceSeries prices;
    for (int i = 0; i < records; ++i) {
        const double c = (i % 7) * 1.25 + (options & 0x80 ? 1e-7 : 3);
        prices.append({c + 0.5, c - 0.25, c, int32_t(i * 100000)});
    }
    TStatisticsOptions s;
    s.LimitRecords = options & 1;
    s.RecordCount = (options >> 1) % 50;
    if (s.RecordCount < 1)
        s.RecordCount = 1;
    prices.setStatisticsOptions(s);

    QString message;
    const bool valid = CheckExpression(text, message);
    if (!valid && message.isEmpty())
        __builtin_trap();
    try {
        const double v = EvaluateExpression(text, prices);
        if (!std::isfinite(v))
            __builtin_trap();
    } catch (const EConvertError &e) {
        if (valid && !allowedAfterCheck(text, e))
            __builtin_trap();
    }
    if (prices.counters().outOfRange != 0)
        __builtin_trap();

    if (size >= 10) {
        double d;
        std::memcpy(&d, data + 2, sizeof d);
        if (std::isfinite(d)) {
            double back = 0;
            if (!ReadNumber(ValueText(d), back))
                __builtin_trap();
            if (d != 0 && std::fabs(back - d) > std::fabs(d) * 1e-14)
                __builtin_trap();
        }
    }
    return 0;
}
