#include "screening/WatchRun.h"

#include "frame/StdUnitFiles.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "records/WatchBase.h"
#include "screening/FunctionEdit.h"

#include <QFile>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

enum { fnAverage = 2, fnLowest = 3, fnHighest = 4, fnStarting = 5, fnStdDev = 6, fnAbs = 7, fnValue = 8 };

int wholeAt(const QStringList &tokens, qsizetype i)
{
    int32_t v = 0;
    if (i < tokens.size() && ReadWholeNumber(tokens[i], v))
        return v;
    return -1; // not a whole number: the function gives 0 and reads nothing more
}

bool usesWindow(const QString &expression)
{
    for (const QString &token : TokenizeExpression(expression)) {
        const int f = FunctionNumber(token);
        if (f == fnLowest || f == fnHighest || f == fnStarting)
            return true;
    }
    return false;
}

bool rowVerdict(const TPreparedRow &row, const QString &symbol, TPriceSeries &prices, int records,
                bool damaged)
{
    if (row.RecordsNeeded > records)
        return false;
    if (damaged && !row.TextSide)
        return false;
    return EvaluateCondition(row.Text, symbol, prices);
}

// Restores the position of a watch list someone else keeps open.
class TPositionKeeper
{
public:
    explicit TPositionKeeper(TWatchDatabase &watch) : m_watch(watch), m_index(watch.CurrentIndex()) {}
    ~TPositionKeeper() { m_watch.SetCurrentIndex(m_index); }

private:
    TWatchDatabase &m_watch;
    int m_index;
};

// Clears the status panels on every way out of the run.
class TStatusClearer
{
public:
    explicit TStatusClearer(TWatchRunSink &sink) : m_sink(sink) {}
    ~TStatusClearer() { m_sink.status(QString(), QString()); }

private:
    TWatchRunSink &m_sink;
};

QString webAddressOf(const QString &symbol)
{
    if (symbol.isEmpty())
        return {};
    TSymbolDataBase file(GetFolders().Symbol + QStringLiteral("Stocks.sbl"), TOpenMode::ReadOnly);
    TSymbolRecord rec;
    if (file.RecordCount() > 0 && file.Find(rec, AsciiUpper(symbol)))
        return rec.WebAddress.text();
    return {};
}

} // namespace

int RecordsNeeded(const QString &expression)
{
    const QStringList tokens = TokenizeExpression(expression);
    int needed = 0;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const int f = FunctionNumber(tokens[i]);
        if (f == 0 || f == fnAbs || f == kFunctionCount)
            continue;
        int n = 1;
        if (f == fnValue) {
            // VALUE ( F , n )
            const int days = wholeAt(tokens, i + 4);
            n = days > 0 ? days + 1 : 0;
        } else if (f == fnAverage || f == fnStdDev) {
            // AVERAGEONDAY ( F , d , n )
            const int day = wholeAt(tokens, i + 4);
            const int days = wholeAt(tokens, i + 6);
            if (days <= 0)
                n = 0;
            else
                n = int(std::min<int64_t>(int64_t(std::max(day, 0)) + days + 1, INT32_MAX));
        }
        needed = std::max(needed, n);
    }
    return needed;
}

TPreparedFunction PrepareFunction(const TFunctionRecord &function)
{
    TPreparedFunction prepared;
    prepared.Description = function.Description.text();
    prepared.Color = function.Color & 0x00FFFFFFu;
    const TConditionTexts rows = ConditionTexts(function);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i > 0 && rows[i].Expression1.isEmpty())
            continue;
        TPreparedRow row;
        row.Text = rows[i];
        row.TextSide = IsTextSide(rows[i].Expression1);
        if (!row.TextSide) {
            row.RecordsNeeded =
                std::max(RecordsNeeded(row.Text.Expression1), RecordsNeeded(row.Text.Expression2));
            prepared.UsesWindow =
                prepared.UsesWindow || usesWindow(row.Text.Expression1) || usesWindow(row.Text.Expression2);
        }
        prepared.RecordsNeeded = std::max(prepared.RecordsNeeded, row.RecordsNeeded);
        prepared.Rows.push_back(std::move(row));
    }
    return prepared;
}

bool PassesFunction(const TPreparedFunction &function, const QString &symbol, TPriceSeries &prices,
                    int records, bool damaged)
{
    if (function.Rows.empty())
        return false;
    bool result = rowVerdict(function.Rows.front(), symbol, prices, records, damaged);
    // Strictly from top to bottom: And and Or have no precedence.
    for (size_t i = 1; i < function.Rows.size(); ++i) {
        const TPreparedRow &row = function.Rows[i];
        const bool verdict = rowVerdict(row, symbol, prices, records, damaged);
        if (row.Text.LogicalOperator == QLatin1String("And"))
            result = result && verdict;
        else if (row.Text.LogicalOperator == QLatin1String("Or"))
            result = result || verdict;
    }
    return result;
}

bool LoadPriceHistory(const QString &path, int keep, TPriceSeries &prices, int &records, bool &damaged,
                      qint64 &bytesRead, QString &error)
{
    std::vector<TPricePoint> points;
    records = 0;
    damaged = false;
    QFile file(path);
    if (!file.exists()) {
        prices = TPriceSeries(std::move(points));
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Error, Could Not Read ") + path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    constexpr qint64 size = sizeof(TPriceRecord);
    // A torn last record is ignored, as every reader of the file does.
    records = int(std::min<qint64>(file.size() / size, INT32_MAX));
    const int count = keep < 0 ? records : std::min(keep, records);
    if (count > 0) {
        if (!file.seek(qint64(records - count) * size)) {
            error =
                QStringLiteral("Error, Could Not Read ") + path + QStringLiteral(": ") + file.errorString();
            return false;
        }
        const QByteArray bytes = file.read(qint64(count) * size);
        if (bytes.size() != qint64(count) * size) {
            error =
                QStringLiteral("Error, Could Not Read ") + path + QStringLiteral(": ") + file.errorString();
            return false;
        }
        bytesRead += bytes.size();
        points.reserve(size_t(count));
        TPriceRecord rec;
        for (int i = 0; i < count; ++i) {
            std::memcpy(&rec, bytes.constData() + qint64(i) * size, size_t(size));
            ApplyPriceRule(rec);
            if (!std::isfinite(rec.High) || !std::isfinite(rec.Low) || !std::isfinite(rec.Close))
                damaged = true;
            points.push_back(TPricePoint{rec.High, rec.Low, rec.Close, rec.Volume});
        }
    }
    prices = TPriceSeries(std::move(points));
    return true;
}

TWatchRunResult RunWatch(TWatchRunSink &sink, TWatchDatabase *watch)
{
    TWatchRunResult result;
    const TRunWatchOptions options = GetRunWatchOptions();
    const TStatisticsOptions statistics = GetStatisticsOptions();
    const TFolderPaths folders = GetFolders();

    // Scan.dat is read whole once: each function is prepared a single time
    // and the file is closed before the first security.
    std::vector<TPreparedFunction> functions;
    bool windowed = false;
    int needed = 0;
    {
        TFunctionBase scan(folders.Watch + QStringLiteral("Scan.dat"), TOpenMode::ReadOnly);
        TFunctionRecord rec;
        for (int i = 0; i < scan.RecordCount(); ++i) {
            scan.ReadAt(rec, i);
            if (scan.Status() & IoError) {
                sink.error(QStringLiteral("Error, Could Not Read ") + scan.path());
                result.stopped = true;
                return result;
            }
            functions.push_back(PrepareFunction(rec));
            windowed = windowed || functions.back().UsesWindow;
            needed = std::max(needed, functions.back().RecordsNeeded);
        }
    }
    // Only the tail of a history is read when no function looks further back.
    int keep = needed;
    if (windowed)
        keep = statistics.LimitRecords ? std::max(needed, std::max(1, statistics.RecordCount) + 1) : -1;

    std::unique_ptr<TWatchDatabase> own;
    if (!watch) {
        own = std::make_unique<TWatchDatabase>(folders.Watch + QStringLiteral("Watch.sbl"),
                                               TOpenMode::ReadOnly);
        watch = own.get();
    }
    TPositionKeeper keeper(*watch);
    TStatusClearer clearer(sink);

    int count = 0;
    QString lastSymbol;
    bool lastSet = false;
    const int entries = watch->RecordCount();
    TListRecord entry;
    TPriceSeries prices;
    prices.setStatisticsOptions(statistics);
    for (int index = 0; index < entries; ++index) {
        // By index: windows opened for a passing security may search the same
        // open list and move its position.
        // Flags the owner of a shared list left behind are not this run's failure.
        const uint16_t before = watch->Status();
        watch->ReadAt(entry, index);
        if ((watch->Status() & ~before) & (IoError | Boundary)) {
            sink.error(QStringLiteral("Error, Could Not Read ") + watch->path());
            result.stopped = true;
            return result;
        }
        const QString name = entry.Name.text();
        const QString symbol = entry.FileName.text();
        sink.status(name, QString());
        int records = 0;
        bool damaged = false;
        if (!symbol.isEmpty() && IsSafeFileNamePart(symbol)) {
            QString error;
            if (!LoadPriceHistory(folders.Data + symbol + QStringLiteral(".stk"), keep, prices, records,
                                  damaged, result.bytesRead, error)) {
                sink.error(error);
                result.stopped = true;
                return result;
            }
        } else {
            // A symbol that would name a file outside the data folder opens none.
            prices = TPriceSeries();
        }
        prices.setStatisticsOptions(statistics);
        for (const TPreparedFunction &function : functions) {
            sink.status(name, function.Description);
            bool passed = false;
            try {
                passed = PassesFunction(function, symbol, prices, records, damaged);
            } catch (const EConvertError &e) {
                sink.error(QStringLiteral("Error In Function %1 For %2 (%3):\r\r%4")
                               .arg(function.Description, name, symbol, e.message()));
                result.stopped = true;
                return result;
            }
            if (!passed)
                continue;
            sink.passLine(TWatchPass{entry, function.Description, function.Color});
            ++result.lines;
            const int limit = options.WindowsToOpen;
            if ((limit == 0 || count < limit) && !(lastSet && symbol == lastSymbol)) {
                ++count;
                if (options.OpenStockForm)
                    sink.openStockForm(entry);
                // A chart needs at least three days to draw anything.
                if (options.OpenGraph && records >= kChartMinimumRecords)
                    sink.openGraph(entry);
                lastSymbol = symbol;
                lastSet = true;
            }
        }
    }
    result.windowsOpened = count;
    return result;
}

QString ResultLineText(const QString &name, const QString &symbol, const QString &description)
{
    return name + QLatin1Char('\t') + QLatin1Char('(') + symbol + QLatin1Char(')') + QLatin1Char('\t') +
           description;
}

bool ParseResultLine(const QString &line, QString &name, QString &symbol)
{
    const qsizetype first = line.indexOf(QLatin1Char('\t'));
    if (first < 0)
        return false;
    const qsizetype second = line.indexOf(QLatin1Char('\t'), first + 1);
    if (second < 0)
        return false;
    const QString bracketed = line.mid(first + 1, second - first - 1);
    if (bracketed.size() <= 2)
        return false;
    name = line.left(first);
    symbol = bracketed.mid(1, bracketed.size() - 2);
    return true;
}

QString SummaryCaption(const QString &name, const QString &symbol)
{
    return name + QStringLiteral(" (") + symbol + QLatin1Char(')');
}

QString GraphCaption(const QString &name, const QString &symbol)
{
    return SummaryCaption(name, symbol) + QStringLiteral(" - Graph");
}

TSummaryRequest SummaryRequestFor(const TListRecord &entry)
{
    const QString name = entry.Name.text();
    const QString symbol = entry.FileName.text();
    return {SummaryCaption(name, symbol), name, symbol, entry.NoteFile.text(), webAddressOf(symbol)};
}

TSummaryRequest SummaryRequestFor(const QString &name, const QString &symbol, TWatchDatabase *watch)
{
    TSummaryRequest request{SummaryCaption(name, symbol), name, symbol, QString(), webAddressOf(symbol)};
    std::unique_ptr<TWatchDatabase> own;
    if (!watch) {
        own = std::make_unique<TWatchDatabase>(WatchListPath(), TOpenMode::ReadOnly);
        watch = own.get();
    }
    TPositionKeeper keeper(*watch);
    TListRecord entry;
    if (watch->RecordCount() > 0 && watch->Find(entry, name)) {
        request.NoteFile = entry.NoteFile.text();
        return request;
    }
    // A list out of name order defeats the binary search: look at every entry
    // before deciding the name is not there.
    for (int i = 0; i < watch->RecordCount(); ++i) {
        watch->ReadAt(entry, i);
        if (entry.Name.text() == name) {
            request.NoteFile = entry.NoteFile.text();
            break;
        }
    }
    return request;
}

bool HasWatchFunctions()
{
    TFunctionBase scan(GetFolders().Watch + QStringLiteral("Scan.dat"), TOpenMode::ReadOnly);
    return scan.RecordCount() > 0;
}

namespace {

TSummaryOpener &summaryOpener()
{
    static TSummaryOpener opener;
    return opener;
}

TGraphOpener &graphOpener()
{
    static TGraphOpener opener;
    return opener;
}

} // namespace

void SetWatchOpeners(TSummaryOpener summary, TGraphOpener graph)
{
    summaryOpener() = std::move(summary);
    graphOpener() = std::move(graph);
}

void OpenWatchSummary(const TSummaryRequest &request)
{
    if (summaryOpener())
        summaryOpener()(request);
}

void OpenWatchGraph(const QString &name, const QString &symbol)
{
    if (graphOpener())
        graphOpener()(name, symbol);
}
