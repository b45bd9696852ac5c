#include "transfer/DataConversion.h"
#include "transfer/ImportRun.h"

#include "frame/IoError.h"
#include "frame/NumberFormat.h"
#include "frame/RunTalk.h"
#include "frame/StdUnit.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "securities/SymbolLookup.h"
#include "transfer/ProgressThrottle.h"
#include "transfer/TransferMessages.h"

#include <QFile>
#include <QSaveFile>
#include <cmath>
#include <limits>
#include <memory>

QStringList ConversionFieldRows()
{
    return {QStringLiteral("Symbol"), QStringLiteral("Date"),  QStringLiteral("High"),
            QStringLiteral("Low"),    QStringLiteral("Close"), QStringLiteral("Volume")};
}

QString ConvertDatPath()
{
    return WithBackslash(ProgramFolder()) + QStringLiteral("Convert.dat");
}

int FieldMapNumber(const QString &entry)
{
    if (!entry.startsWith(QLatin1String("Field ")))
        return -1;
    bool ok = false;
    const int n = entry.mid(6).toInt(&ok);
    return ok && n >= 1 ? n - 1 : -1;
}

int32_t ConvertedVolume(const QString &text, double divisor)
{
    bool ok = false;
    qint64 volume = text.toLongLong(&ok);
    if (!ok)
        volume = 0;
    double v = double(volume);
    if (std::isfinite(divisor) && divisor > 0)
        v = std::trunc(v / divisor);
    if (v > double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (v < double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return int32_t(v);
}

bool IsStrictStoredDate(const QString &text)
{
    if (text.size() != 8)
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return IsValidDateText(kFormYYYYMMDD, text);
}

QString SummaryHeading()
{
    QString s = PadRight(QStringLiteral("Company"), 41);
    for (const char *h : {"High", "Low", "Close", "Change", "Volume"})
        s += PadRight(QLatin1String(h), 12);
    return s;
}

QString SummaryLine(const QString &name, double high, double low, double close, double change, int32_t volume)
{
    QString s = PadRight(name, 41);
    for (double v : {high, low, close, change})
        s += PadRight(PadLeft(MoneyText(v, 3, 5), 8), 12);
    s += PadRight(PadLeft(FixedText(double(volume), 0, 8), 8), 12);
    return s;
}

namespace {

double numberOrZero(const QString &text)
{
    double v = 0;
    return ReadNumberText(text, &v) ? v : 0.0;
}

QString nameFor(TSymbolDataBase &symbols, const QString &symbol)
{
    return SymbolName(symbols, symbol).Name;
}

// The state of one run: the price file open for the current symbol, and
// what is reported at the end.
struct TRun
{
    const TConvRecord &format;
    TRunTalk &talk;
    QString layout;
    QString dateForm;
    int fields[6] = {-1, -1, -1, -1, -1, -1};
    QString openSymbol;
    std::unique_ptr<TDataBase> prices;
    QString replacement;
    bool asked = false;
    TConversionResult result;
    TSymbolDataBase symbols;
    QSaveFile *summary = nullptr;

    TRun(const TConvRecord &f, TRunTalk &t)
        : format(f), talk(t), symbols(GetFolders().Symbol + QStringLiteral("Stocks.sbl"), TOpenMode::ReadOnly)
    {
        const QStringList layouts = TextLayoutNames();
        const QStringList forms = DateFormNames();
        layout = f.Layout >= 0 && f.Layout < layouts.size() ? layouts.at(f.Layout) : QString();
        dateForm = f.DateForm >= 0 && f.DateForm < forms.size() ? forms.at(f.DateForm) : QString();
        for (int i = 0; i < 6; ++i)
            fields[i] = FieldMapNumber(f.FieldMap[i].text());
    }

    QString field(const QString &line, int row) const
    {
        return fields[row] < 0 ? QString() : TrimSpaces(CutField(line, layout, fields[row]));
    }

    void logError(const QString &message)
    {
        result.ErrorsReported = true;
        LogError(message);
    }

    void writeSummary(const QString &text)
    {
        if (!summary)
            return;
        const QByteArray bytes = text.toLatin1() + kLineEnd;
        if (summary->write(bytes) != bytes.size())
            throw EInOutError(CannotWriteFileMessage(summary->fileName(), summary->errorString()));
    }

    void convertLine(const QString &line, int lineNumber);
};

void TRun::convertLine(const QString &line, int lineNumber)
{
    QString symbol = field(line, 0);
    symbol.replace(QLatin1Char(' '), QLatin1Char('_'));
    // The symbol list and the price files keep symbols in capitals; a lower-case
    // spelling from a vendor must not start a second history.
    symbol = symbol.toUpper();
    if (symbol.isEmpty() || !IsSafeFileNamePart(symbol)) {
        logError(QStringLiteral("Line %1 Has An Invalid Symbol \"%2\", Line Not Imported")
                     .arg(QString::number(lineNumber), symbol));
        return;
    }
    QString date = ConvertDate(dateForm, kFormYYYYMMDD, field(line, 1)).left(10);
    if (!IsStrictStoredDate(date)) {
        if (!asked) {
            asked = true;
            replacement = talk.replacementDate(symbol);
        }
        date = replacement;
        if (!IsStrictStoredDate(date))
            return;
    }
    TPriceRecord rec;
    rec.Date.setText(date);
    rec.High = numberOrZero(field(line, 2));
    rec.Low = numberOrZero(field(line, 3));
    rec.Close = numberOrZero(field(line, 4));
    rec.Volume = ConvertedVolume(field(line, 5), format.VolumeDivisor);

    if (!prices || symbol != openSymbol) {
        prices.reset();
        openSymbol = symbol;
        prices = std::make_unique<TDataBase>(PriceFilePath(symbol));
    }
    if (!prices->IsOpen()) {
        logError(CannotOpenFileMessage(PriceFilePath(symbol)) +
                 QStringLiteral(", Line %1 Not Imported").arg(lineNumber));
        return;
    }
    double previousClose = 0;
    if (prices->RecordCount() > 0) {
        TPriceRecord newest;
        prices->ReadAt(newest, prices->LastIndex());
        previousClose = newest.Close;
    }
    const bool added = prices->Insert(rec);
    if (added)
        ++result.Stored;
    const QString name = nameFor(symbols, symbol);
    writeSummary(SummaryLine(name, rec.High, rec.Low, rec.Close, rec.Close - previousClose, rec.Volume));
    if (!added)
        logError(PadRight(symbol, 7) + QLatin1Char(' ') + PadRight(name, 40) +
                 QStringLiteral(" Duplicate Data on File For: ") +
                 ConvertDate(kFormYYYYMMDD, kFormMM_DD_YYYY, date));
}

} // namespace

TConversionResult RunDataConversion(const TConvRecord &format, TRunTalk &talk)
{
    TRun run(format, talk);
    const QString quotePath = format.FileName.text();
    QFile quotes(quotePath);
    // The old summary stays until there is a quote file to summarise.
    if (quotePath.isEmpty() || !quotes.open(QIODevice::ReadOnly)) {
        talk.error(QStringLiteral("Error, Could Not Open Import File"));
        return run.result;
    }
    QSaveFile summary(SummaryFilePath());
    try {
        if (format.Summary) {
            // Unbuffered: a line the full disk refuses fails here, not
            // silently inside the commit that renames the cut file into place.
            if (!summary.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                throw EInOutError(CannotWriteFileMessage(summary.fileName(), summary.errorString()));
            run.summary = &summary;
            run.writeSummary(SummaryHeading());
            run.writeSummary(QString());
        }
        // The fixed-length layout cuts by the columns found in this file.
        if (run.layout == kLayoutFixed)
            CountFields(quotePath, run.layout, format.LinesToSkip);

        TProgressThrottle progress(talk);
        progress.progress(QStringLiteral("Importing Record: 1"));
        TTextLineReader reader(quotes);
        for (int i = 0; i < format.LinesToSkip && !reader.atEnd(); ++i)
            reader.readLine();
        int counter = 1;
        while (!reader.atEnd()) {
            const QString line = reader.readLine();
            if (TrimSpaces(line).isEmpty())
                continue;
            run.convertLine(line, counter);
            progress.progress(QStringLiteral("Importing Record: %1").arg(counter));
            ++counter;
        }
        progress.flush();
        run.prices.reset();
        if (run.summary && !summary.commit())
            throw EInOutError(CannotWriteFileMessage(summary.fileName(), summary.errorString()));
    } catch (const EInOutError &e) {
        talk.error(e.message());
        return run.result;
    }
    run.result.Completed = true;
    if (run.result.ErrorsReported)
        run.result.ViewErrorLog = talk.askYesNoInformation(
            QStringLiteral("Stock Data Information Imported, Errors Reported In Error Log, View Error Log?"));
    else
        talk.information(QStringLiteral("Stock Data Information Imported"));
    return run.result;
}

void RunWatchAfterConversion()
{
    // One hook for every data run: the import side keeps it.
    RunWatchAfterImport();
}

// ---- Convert.dat ---------------------------------------------------------------

bool CreateConversionFormat(TConvDataBase &file, TConvRecord &rec)
{
    if (file.Insert(rec))
        return true;
    ShowError(kDuplicateFormatText);
    return false;
}

bool EditConversionFormat(TConvDataBase &file, int index, TConvRecord &rec)
{
    TConvRecord old;
    file.ReadAt(old, index);
    if (file.Status() & (IoError | Boundary))
        return false;
    if (old.Description.bytes() == rec.Description.bytes()) {
        file.ReadAt(old, index);
        file.WriteCurrent(rec);
        return !(file.Status() & IoError);
    }
    if (!file.Insert(rec)) {
        ShowError(kDuplicateFormatText);
        return false;
    }
    TConvRecord found;
    if (file.Find(found, old.Description.text()))
        file.Delete(file.CurrentIndex());
    return true;
}

QStringList ConversionFormatDescriptions(TConvDataBase &file)
{
    QStringList out;
    TConvRecord rec;
    for (int i = 0; i < file.RecordCount(); ++i) {
        file.ReadAt(rec, i);
        out << rec.Description.text();
    }
    return out;
}
