#pragma once
// The watch run: every screening function of Scan.dat applied to every
// security of the watch list, one result line per passing pair, and the
// decision which passing securities get their summary and chart windows.
// The run-watch window (and the automatic start after a data conversion)
// supplies a sink that shows what the run reports.

#include "frame/Stockcfg.h"
#include "records/FunctionBase.h"
#include "screening/PriceSeries.h"
#include "screening/StdUnitExpr.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class TWatchDatabase;

// One passing pair of security and function.
struct TWatchPass
{
    TListRecord Entry; // the watch-list entry, as stored
    QString Description;
    uint32_t Color = 0; // 0x00BBGGRR, top byte removed
};

class TWatchRunSink
{
public:
    virtual ~TWatchRunSink() = default;
    // The security and the function being worked on; both empty at the end.
    virtual void status(const QString &security, const QString &function) = 0;
    virtual void passLine(const TWatchPass &pass) = 0;
    // The options asked for the windows of this passing security.
    virtual void openStockForm(const TListRecord &entry) = 0;
    virtual void openGraph(const TListRecord &entry) = 0;
    // The run stops after an error; no line follows it.
    virtual void error(const QString &text) = 0;
};

struct TWatchRunResult
{
    int lines = 0;
    int windowsOpened = 0; // securities whose windows were asked for
    bool stopped = false;  // ended by an error
    // Bytes of price files read, for the benchmark's figures.
    qint64 bytesRead = 0;
};

// One condition row prepared once per run.
struct TPreparedRow
{
    TConditionText Text;
    bool TextSide = false;
    int RecordsNeeded = 0; // records of history its functions read
};

// One function of Scan.dat prepared once per run.
struct TPreparedFunction
{
    QString Description;
    uint32_t Color = 0;
    std::vector<TPreparedRow> Rows; // row 1 and every later row with expression 1
    bool UsesWindow = false;        // LOWEST, HIGHEST or STARTING
    int RecordsNeeded = 0;
};

TPreparedFunction PrepareFunction(const TFunctionRecord &function);

// How many records of history an expression's functions read: VALUE(F,n)
// n + 1, AVERAGEONDAY and STDONDAY(F,d,n) d + n + 1, the others 1; 0 for an
// expression without price functions.
int RecordsNeeded(const QString &expression);

// The verdict of a prepared function over one history. A condition that
// uses records the history lacks is false, as is a calculated condition over
// a history holding a value that is not a number. Raises EConvertError.
// `records` is the record count of the whole price file.
bool PassesFunction(const TPreparedFunction &function, const QString &symbol, TPriceSeries &prices,
                    int records, bool damaged);

// Reads the last `keep` records of a price file (all of them when keep < 0)
// in one read, with the price rule applied, into `prices`. `records` gets
// the file's record count; `damaged` whether a loaded value is not finite.
// A missing file is an empty history. Returns false and fills `error` when
// an existing file cannot be read.
bool LoadPriceHistory(const QString &path, int keep, TPriceSeries &prices, int &records, bool &damaged,
                      qint64 &bytesRead, QString &error);

// Securities with fewer price records get no chart from a run.
inline constexpr int kChartMinimumRecords = 3;

// The run over the watch list `watch` (the shared one the stock data window
// keeps open, or nullptr: Watch.sbl is then opened for reading).
TWatchRunResult RunWatch(TWatchRunSink &sink, TWatchDatabase *watch);

// The text of a result line: name, tab, "(" symbol ")", tab, description.
QString ResultLineText(const QString &name, const QString &symbol, const QString &description);

// The name and symbol a result line names; false for a line without two
// tabs or with an empty symbol.
bool ParseResultLine(const QString &line, QString &name, QString &symbol);

// Captions of the windows of a security.
QString SummaryCaption(const QString &name, const QString &symbol);
QString GraphCaption(const QString &name, const QString &symbol);

// What a security summary window is opened with.
struct TSummaryRequest
{
    QString Caption;
    QString Name;
    QString Symbol;
    QString NoteFile;
    QString WebAddress;
};

// The summary of a watch-list entry: its own note file, the web address of
// its symbol in the symbol file (empty when the symbol is not there).
TSummaryRequest SummaryRequestFor(const TListRecord &entry);
// The summary for a name and a symbol from a result line: the note file of
// the entry stored under exactly that name (empty when there is none).
TSummaryRequest SummaryRequestFor(const QString &name, const QString &symbol, TWatchDatabase *watch);

// True when Scan.dat holds at least one function.
bool HasWatchFunctions();

inline const QString kNoPassText = QStringLiteral("No Stocks Passed The Selection Criteria.");

// ---- the windows a run opens ------------------------------------------------
// The security summary and the price chart belong to their own windows'
// modules; those install the openers at start-up. Until one is installed the
// request is dropped. The run-watch window brings forward a window whose
// caption is listed before asking for a new one.
using TSummaryOpener = std::function<void(const TSummaryRequest &request)>;
using TGraphOpener = std::function<void(const QString &name, const QString &symbol)>;
void SetWatchOpeners(TSummaryOpener summary, TGraphOpener graph);
void OpenWatchSummary(const TSummaryRequest &request);
void OpenWatchGraph(const QString &name, const QString &symbol);
