// Feeds arbitrary bytes to the watch run as Scan.dat, Watch.sbl and one price
// file: torn records, oversized length bytes, odd operators, colours with a
// top byte, NaN prices and symbols that try to leave the data folder. Nothing
// may crash, and no file may be created outside the workspace's folders.

#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "screening/FunctionEdit.h"
#include "screening/WatchRun.h"

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

class TNullSink : public TWatchRunSink
{
public:
    void status(const QString &, const QString &) override {}
    void passLine(const TWatchPass &pass) override
    {
        QString name, symbol;
        ParseResultLine(ResultLineText(pass.Entry.Name.text(), pass.Entry.FileName.text(), pass.Description),
                        name, symbol);
    }
    void openStockForm(const TListRecord &entry) override { SummaryRequestFor(entry); }
    void openGraph(const TListRecord &) override {}
    void error(const QString &) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static bool ready = [] {
        SetBaseFolder(workDir().path());
        SetProgramFolder(workDir().path());
        const TFolderPaths f = GetFolders();
        for (const QString &folder : {f.Symbol, f.Watch, f.Notes, f.Data, f.Portfolio})
            QDir().mkpath(folder);
        return true;
    }();
    (void)ready;
    if (size < 4)
        return 0;
    // Two length words split the input into Scan.dat, Watch.sbl and the price file.
    const size_t scanSize = std::min<size_t>(size - 4, size_t(data[0]) << 4 | data[1]);
    const size_t rest = size - 4 - scanSize;
    const size_t watchSize = std::min<size_t>(rest, size_t(data[2]) << 4 | data[3]);
    const char *p = reinterpret_cast<const char *>(data) + 4;
    const QByteArray scanBytes(p, qsizetype(scanSize));
    const QByteArray watchBytes(p + scanSize, qsizetype(watchSize));
    const QByteArray priceBytes(p + scanSize + watchSize, qsizetype(rest - watchSize));

    // Short inputs still reach the run: the fuzzer's bytes become the
    // expressions of one function when Scan.dat would hold no whole record.
    QByteArray scan = scanBytes;
    if (scan.size() < qsizetype(sizeof(TFunctionRecord))) {
        TFunctionTexts texts;
        const QString text = QString::fromLatin1(scanBytes);
        texts.Description = QStringLiteral("F");
        texts.Expressions[0] = text.section(QLatin1Char('\n'), 0, 0);
        texts.Comparisons[0] = text.section(QLatin1Char('\n'), 1, 1);
        texts.Expressions[1] = text.section(QLatin1Char('\n'), 2, 2);
        texts.LogicalOperators[1] = text.section(QLatin1Char('\n'), 3, 3);
        texts.Expressions[2] = text.section(QLatin1Char('\n'), 4, 4);
        texts.Comparisons[1] = QStringLiteral("<");
        texts.Expressions[3] = text.section(QLatin1Char('\n'), 5, 5);
        CheckFunctionTexts(texts);
        const TFunctionRecord rec = BuildFunctionRecord(texts);
        scan = QByteArray(reinterpret_cast<const char *>(&rec), sizeof rec);
    }
    const TFolderPaths folders = GetFolders();
    writeFile(folders.Watch + QStringLiteral("Scan.dat"), scan);
    QByteArray watch = watchBytes;
    TListRecord entry;
    entry.FileName = QStringLiteral("A");
    entry.Name = QStringLiteral("A");
    watch.append(reinterpret_cast<const char *>(&entry), sizeof entry);
    writeFile(folders.Watch + QStringLiteral("Watch.sbl"), watch);
    writeFile(folders.Data + QStringLiteral("A.stk"), priceBytes);

    TNullSink sink;
    RunWatch(sink, nullptr);
    return 0;
}
