// Feeds arbitrary bytes to the portfolio and percent-change reports as a
// portfolio's transaction and dividend files and as the price history of the
// first security they name. Every report is written onto a page that only
// counts lines. Nothing may crash, loop without end or touch a file outside
// the workspace, whatever symbols, dates and doubles the records hold.

#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "records/TransDatabase.h"
#include "records/WatchBase.h"
#include "reports/PercentChangeReports.h"
#include "reports/PositionReports.h"
#include "reports/ReportPage.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

namespace {

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

class TCountingPage : public TReportPage
{
public:
    void SetFont(int, uint32_t, bool) override {}
    void SetPen(int, uint32_t) override {}
    void TextLeft(const QString &t, double) override { texts += t.size(); }
    void TextRight(const QString &t, double) override { texts += t.size(); }
    void TextCentered(const QString &t, double, double) override { texts += t.size(); }
    void ShadeLine(uint32_t, double, double) override {}
    void VerticalRule(double) override {}
    void HorizontalRule(bool, double, double) override {}
    void NewLine() override
    {
        if (++line < 60)
            fresh = false;
        else
            NewPage();
    }
    void NewPage() override
    {
        ++page;
        line = 3;
        fresh = true;
    }
    int PageNumber() const override { return page; }
    bool FreshPage() const override { return fresh; }

    qint64 texts = 0;
    int page = 1;
    int line = 3;
    bool fresh = true;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3 || size > 32 * 1024)
        return 0;
    SetRecordFileSync(false);
    const QString base = workDir().path() + QLatin1Char('/');
    SetBaseFolder(base);
    SetProgramFolder(base);
    static bool folders = false;
    if (!folders) {
        for (const char *f : {"symbol", "watch", "notes", "data", "port"})
            QDir().mkpath(base + QLatin1String(f));
        folders = true;
    }
    // Two length bytes cut the rest into the .tra, the .div and the history.
    const QByteArray all(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));
    const qsizetype traSize = qMin<qsizetype>(all.size(), qsizetype(data[0]) * 64 / 4);
    const qsizetype divSize = qMin<qsizetype>(all.size() - traSize, qsizetype(data[1]) * 64 / 8);
    const QString file = QStringLiteral("F");
    writeFile(TransactionFilePath(file), all.left(traSize));
    writeFile(DividendFilePath(file), all.mid(traSize, divSize));
    const QByteArray history = all.mid(traSize + divSize);

    QString symbol;
    {
        TTransBase trades(TransactionFilePath(file), TOpenMode::ReadOnly);
        TTransRecord rec;
        if (trades.RecordCount() > 0) {
            trades.ReadAt(rec, 0);
            symbol = rec.Symbol.text();
        }
    }
    if (!symbol.isEmpty() && IsSafeFileNamePart(symbol))
        writeFile(PriceFilePath(symbol), history);

    TCountingPage page;
    TDetailReport(page, QStringLiteral("Portfolio F"), file).Write();
    TPercentChangeReportDetail(page, {QStringLiteral("Portfolio F"), double(data[0]) - 128, QDate(1990, 1, 1),
                                      QDate(2030, 1, 1), file})
        .Write();
    {
        TWatchDatabase watch(WatchListPath());
        TListRecord entry;
        entry.FileName = symbol;
        entry.Name = QStringLiteral("F");
        watch.Insert(entry);
        TStockPercentChangeReport(page, watch, 5, QDate(1990, 1, 1), QDate(2030, 1, 1)).Write();
    }
    QFile::remove(WatchListPath());
    // Nothing of the run may leave the workspace's own folders.
    QDir(base + QStringLiteral("data")).removeRecursively();
    QDir().mkpath(base + QStringLiteral("data"));
    return 0;
}
