#include "transfer/ExportRun.h"

#include "frame/RunTalk.h"
#include "frame/StdUnit.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "records/WatchBase.h"
#include "transfer/ProgressThrottle.h"
#include "transfer/TransferMessages.h"

#include <QFileInfo>
#include <QSaveFile>

#include <charconv>
#include <cmath>

namespace {

const QString kCannotCreate = QStringLiteral("Error Unable To Create Export File");

QString canonical(const QString &path)
{
    const QFileInfo info(path);
    const QString c = info.canonicalFilePath();
    return c.isEmpty() ? info.absoluteFilePath() : c;
}

} // namespace

// ---- the line writer -------------------------------------------------------

namespace {

// The text between leading and trailing blanks, without copying it.
QStringView trimmedView(const QString &value)
{
    QStringView v(value);
    qsizetype first = 0;
    qsizetype last = v.size();
    while (first < last && v[first] == QLatin1Char(' '))
        ++first;
    while (last > first && v[last - 1] == QLatin1Char(' '))
        --last;
    return v.sliced(first, last - first);
}

} // namespace

// Every export line passes through here, thousands of times a run, so the
// value is appended in place rather than through temporary strings.
void TExportLine::add(const QString &value, int width, bool quoted)
{
    if (m_layout == kLayoutFixed) {
        m_text += value;
        if (value.size() < width)
            m_text.append(QString(width - value.size(), QLatin1Char(' ')));
        else
            m_text += QLatin1Char(' ');
    } else if (m_layout == kLayoutComma) {
        const QStringView trimmed = trimmedView(value);
        if (!m_first)
            m_text += QLatin1Char(',');
        if (quoted || trimmed.contains(QLatin1Char(','))) {
            m_text += QLatin1Char('"');
            m_text += trimmed;
            m_text += QLatin1Char('"');
        } else {
            m_text += trimmed;
        }
    } else if (m_layout == kLayoutTab) {
        if (!m_first)
            m_text += QLatin1Char('\t');
        m_text += trimmedView(value);
    }
    m_first = false;
}

QByteArray TExportLine::finish()
{
    QByteArray out;
    out.reserve(m_text.size() + 2);
    out += m_text.toLatin1();
    out += kLineEnd;
    m_text.resize(0);
    m_first = true;
    return out;
}

// ---- dates ------------------------------------------------------------------

TExportRange::TExportRange(const QString &fromDisplay, const QString &toDisplay)
    : m_from(DisplayToStoredDate(fromDisplay)), m_to(DisplayToStoredDate(toDisplay))
{
    m_valid = !m_from.isEmpty() && !m_to.isEmpty();
}

bool ExportAllowed(const QString &fileName, int fieldCount, bool layoutChosen, bool dateFormChosen,
                   bool dateFormEnabled)
{
    return !fileName.isEmpty() && fieldCount > 0 && layoutChosen && (dateFormChosen || !dateFormEnabled);
}

QStringList ExportDateProblems(const QString &fromDisplay, const QString &toDisplay)
{
    QStringList out;
    const bool fromOk = IsValidDateText(kFormMM_DD_YYYY, fromDisplay);
    const bool toOk = IsValidDateText(kFormMM_DD_YYYY, toDisplay);
    if (!fromOk)
        out << QStringLiteral("Invalid From Date Entered.");
    if (!toOk)
        out << QStringLiteral("Invalid To Date Entered.");
    // Compared as eight-digit texts, so boxes typed in part ("1 /5 /2001")
    // order correctly too.
    if (fromOk && toOk && DisplayToStoredDate(toDisplay) < DisplayToStoredDate(fromDisplay))
        out << QStringLiteral("From Date Must Be Less than To Date.");
    return out;
}

QString ExportDateText(const QString &dateForm, const QString &storedDate)
{
    // The forms made of digits alone are joined here directly from a stored
    // eight-digit date (the general conversion costs a third of an export);
    // anything else takes the general path, which gives the same text.
    if (storedDate.size() != 8)
        return ConvertDate(kFormYYYYMMDD, dateForm, storedDate);
    const QStringView d(storedDate);
    const QStringView year = d.first(4), month = d.sliced(4, 2), day = d.sliced(6, 2);
    const QChar slash = QLatin1Char('/');
    QString out;
    out.reserve(10);
    if (dateForm == kFormMM_DD_YYYY)
        out.append(month).append(slash).append(day).append(slash).append(year);
    else if (dateForm == kFormYYYY_MM_DD)
        out.append(year).append(slash).append(month).append(slash).append(day);
    else if (dateForm == kFormYYYYMMDD)
        out.append(d);
    else if (dateForm == kFormMM_DD_YY)
        out.append(month).append(slash).append(day).append(slash).append(year.sliced(2));
    else if (dateForm == kFormYY_MM_DD)
        out.append(year.sliced(2)).append(slash).append(month).append(slash).append(day);
    else if (dateForm == kFormYYMMDD)
        out.append(d.sliced(2));
    else
        return ConvertDate(kFormYYYYMMDD, dateForm, storedDate);
    return out;
}

int ExportDateWidth(const QString &dateForm)
{
    return int(dateForm.size()) + 1;
}

QString ExportPriceText(double price)
{
    // Three prices on every line: std::to_chars rounds exactly as the
    // general number formatting does, at a fraction of its cost.
    // A damaged price file can hold NaN or an infinity; the line says so in
    // the program's own words instead of writing "nan" for a number.
    if (!std::isfinite(price))
        return QStringLiteral("N/A");
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, price, std::chars_format::fixed, 6);
    // Values that round to zero keep the general path, which never writes
    // "-0.000000".
    if (ec != std::errc() || std::fabs(price) < 0.000001)
        return QString::number(price, 'f', 6);
    return QString::fromLatin1(buffer, end - buffer);
}

// ---- the target file ----------------------------------------------------------

bool IsForbiddenExportTarget(const QString &target, const QStringList &readFiles)
{
    const QFileInfo info(target);
    const QString name = info.fileName();
    if (name.compare(QStringLiteral("Watch.sbl"), Qt::CaseInsensitive) == 0 ||
        name.compare(QStringLiteral("Stocks.sbl"), Qt::CaseInsensitive) == 0 ||
        name.compare(QStringLiteral("Stocks.cfg"), Qt::CaseInsensitive) == 0 ||
        name.compare(QStringLiteral("Port.sbl"), Qt::CaseInsensitive) == 0 ||
        info.suffix().compare(QStringLiteral("stk"), Qt::CaseInsensitive) == 0)
        return true;
    const QString me = canonical(target);
    for (const QString &r : readFiles)
        if (canonical(r) == me)
            return true;
    return false;
}

bool OpenExportFile(TExportFile &file, const QString &target, const QStringList &readFiles, TRunTalk &talk)
{
    if (target.trimmed().isEmpty()) {
        talk.error(kCannotCreate);
        return false;
    }
    if (IsForbiddenExportTarget(target, readFiles)) {
        talk.error(kCannotCreate +
                   QStringLiteral("\n\n%1 is one of the program's own data files.").arg(target));
        return false;
    }
    file.setFileName(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        talk.error(kCannotCreate + QStringLiteral("\n\n%1: %2").arg(target, file.errorString()));
        return false;
    }
    return true;
}

namespace {

constexpr qsizetype kExportBlock = 64 * 1024;

bool writePending(TExportFile &file, TRunTalk &talk)
{
    if (file.Pending.isEmpty() || file.write(file.Pending) == file.Pending.size()) {
        file.Pending.resize(0);
        return true;
    }
    talk.error(CannotWriteFileMessage(file.fileName(), file.errorString()));
    file.cancelWriting();
    file.Pending.clear();
    return false;
}

} // namespace

bool WriteExportBytes(TExportFile &file, const QByteArray &bytes, TRunTalk &talk)
{
    file.Pending += bytes;
    return file.Pending.size() < kExportBlock || writePending(file, talk);
}

bool FinishExportFile(TExportFile &file, TRunTalk &talk)
{
    if (!writePending(file, talk))
        return false;
    if (file.commit())
        return true;
    talk.error(CannotWriteFileMessage(file.fileName(), file.errorString()));
    return false;
}

// ---- widths -------------------------------------------------------------------

int SymbolFieldWidth(const QString &field)
{
    if (field == QLatin1String("Symbol"))
        return 9;
    if (field == QLatin1String("Name"))
        return 42;
    if (field == QLatin1String("Web Link"))
        return 257;
    return 0;
}

int PriceFieldWidth(const QString &field, const QString &dateForm)
{
    if (field == QLatin1String("Date"))
        return ExportDateWidth(dateForm);
    if (field == QLatin1String("Company"))
        return 41;
    if (field == QLatin1String("Symbol"))
        return 8;
    return 13; // High, Low, Close, Volume
}

// ---- the runs -------------------------------------------------------------------

namespace {

// Writes the header line when asked; false after a write error.
template <class WidthOf>
bool writeHeader(TExportFile &file, const TExportSettings &s, TRunTalk &talk, WidthOf widthOf)
{
    if (!s.IncludeHeader)
        return true;
    talk.progress(QStringLiteral("Exporting Header Line"));
    return WriteExportBytes(file, ExportHeaderLine(s.Layout, s.Fields, widthOf), talk);
}

QString priceValue(const QString &field, const TPriceRecord &rec, const QString &dateForm,
                   const QString &symbol, const QString &company)
{
    if (field == QLatin1String("Date"))
        return ExportDateText(dateForm, rec.Date.text());
    if (field == QLatin1String("High"))
        return ExportPriceText(rec.High);
    if (field == QLatin1String("Low"))
        return ExportPriceText(rec.Low);
    if (field == QLatin1String("Close"))
        return ExportPriceText(rec.Close);
    if (field == QLatin1String("Volume"))
        return QString::number(rec.Volume);
    if (field == QLatin1String("Company"))
        return company;
    if (field == QLatin1String("Symbol"))
        return symbol;
    return {};
}

QByteArray priceLine(const TExportSettings &s, const TPriceRecord &rec, const QString &symbol,
                     const QString &company)
{
    TExportLine line(s.Layout);
    for (int i = 0; i < s.Fields.size(); ++i) {
        const QString &f = s.Fields.at(i);
        line.add(priceValue(f, rec, s.DateForm, symbol, company), PriceFieldWidth(f, s.DateForm), i == 0);
    }
    return line.finish();
}

// Walks one price file and writes the records inside the range. `onRecord`
// is called with each record's position before it is looked at; `written`
// counts the records written. False after a read or write error.
template <class OnRecord>
bool exportPriceFile(TExportFile &out, const QString &path, const TExportSettings &s, const TExportRange &range,
                     const QString &symbol, const QString &company, TRunTalk &talk, OnRecord onRecord,
                     int &written)
{
    TDataBase prices(path, TOpenMode::ReadOnly);
    if (!prices.IsOpen()) {
        // A security without a price file has nothing to export; one whose
        // file is there but cannot be opened would silently go missing.
        if (!QFileInfo::exists(path))
            return true;
        talk.error(CannotReadFileMessage(path));
        out.cancelWriting();
        return false;
    }
    if (prices.RecordCount() == 0)
        return true;
    TPriceRecord rec;
    const int last = prices.LastIndex();
    for (int i = 0; i <= last; ++i) {
        prices.ReadAt(rec, i);
        if (prices.Status() & IoError) {
            talk.error(CannotReadFileMessage(path));
            out.cancelWriting();
            return false;
        }
        onRecord(i);
        if (!range.contains(rec.Date.text()))
            continue;
        if (!WriteExportBytes(out, priceLine(s, rec, symbol, company), talk))
            return false;
        ++written;
    }
    return true;
}

} // namespace

bool RunSymbolExport(const TExportSettings &s, TRunTalk &talk)
{
    const QString path = GetFolders().Symbol + QStringLiteral("Stocks.sbl");
    TExportFile out;
    if (!OpenExportFile(out, s.FileName, {path}, talk))
        return false;
    if (!writeHeader(out, s, talk, SymbolFieldWidth))
        return false;
    TSymbolDataBase symbols(path, TOpenMode::ReadOnly);
    TProgressThrottle progress(talk);
    const int count = symbols.RecordCount();
    TSymbolRecord rec;
    for (int i = 0; i < count; ++i) {
        symbols.ReadAt(rec, i);
        if (symbols.Status() & IoError) {
            talk.error(CannotReadFileMessage(path));
            out.cancelWriting();
            return false;
        }
        progress.progress(QStringLiteral("Exporting Record: %1").arg(i));
        TExportLine line(s.Layout);
        for (const QString &f : s.Fields) {
            QString value;
            if (f == QLatin1String("Symbol"))
                value = rec.Symbol.text();
            else if (f == QLatin1String("Name"))
                value = rec.Name.text();
            else if (f == QLatin1String("Web Link"))
                value = rec.WebAddress.text();
            line.add(value, SymbolFieldWidth(f), true);
        }
        if (!WriteExportBytes(out, line.finish(), talk))
            return false;
    }
    progress.flush();
    if (!FinishExportFile(out, talk))
        return false;
    talk.information(QStringLiteral("Symbol Information Exported"));
    return true;
}

bool RunPriceExport(const TExportSettings &s, const QString &symbol, TRunTalk &talk)
{
    const QString path = PriceFilePath(symbol);
    TExportFile out;
    if (!OpenExportFile(out, s.FileName, {path}, talk))
        return false;
    auto width = [&](const QString &f) { return PriceFieldWidth(f, s.DateForm); };
    if (!writeHeader(out, s, talk, width))
        return false;
    const TExportRange range(s.FromDate, s.ToDate);
    TProgressThrottle progress(talk);
    int written = 0;
    const bool ok = exportPriceFile(
        out, path, s, range, symbol, QString(), talk,
        [&](int) {
            progress.progress(QStringLiteral("Exporting Record: %1").arg(written));
        },
        written);
    progress.flush();
    if (!ok || !FinishExportFile(out, talk))
        return false;
    talk.information(QStringLiteral("Stock Data Information Exported"));
    return true;
}

bool RunExportAll(const TExportSettings &s, const QString &watchListPath, TRunTalk &talk)
{
    // Read the list first, so the files the run will read are known before
    // the export file is created.
    QList<std::pair<QString, QString>> entries; // symbol, name
    {
        TWatchDatabase watch(watchListPath, TOpenMode::ReadOnly);
        // A list that is there but cannot be read would export part of the
        // securities (or one twice) under a success message.
        if (!watch.IsOpen() && QFileInfo::exists(watchListPath)) {
            talk.error(CannotReadFileMessage(watchListPath));
            return false;
        }
        TListRecord rec;
        for (int i = 0; i < watch.RecordCount(); ++i) {
            watch.ReadAt(rec, i);
            if (watch.Status() & (IoError | Boundary)) {
                talk.error(CannotReadFileMessage(watchListPath));
                return false;
            }
            entries.append({rec.FileName.text(), rec.Name.text()});
        }
    }
    QStringList reads{watchListPath};
    for (const auto &e : entries)
        if (IsSafeFileNamePart(e.first) && !e.first.isEmpty())
            reads.append(PriceFilePath(e.first));
    TExportFile out;
    if (!OpenExportFile(out, s.FileName, reads, talk))
        return false;
    auto width = [&](const QString &f) { return PriceFieldWidth(f, s.DateForm); };
    if (!writeHeader(out, s, talk, width))
        return false;
    const TExportRange range(s.FromDate, s.ToDate);
    TProgressThrottle progress(talk);
    int total = 0;
    for (const auto &entry : entries) {
        // Named references, not a structured binding: lambdas below capture them.
        const QString &symbol = entry.first;
        const QString &name = entry.second;
        // A symbol that would leave the data folder names no price file.
        if (symbol.isEmpty() || !IsSafeFileNamePart(symbol))
            continue;
        const bool ok = exportPriceFile(
            out, PriceFilePath(symbol), s, range, symbol, name, talk,
            [&](int i) {
                // Every record's text is made, so the window always has the
                // exact text of the record in hand; only its painting is
                // throttled.
                progress.progress(QStringLiteral("Exporting Record: %1 For %2\nTotal Records Exported : %3")
                                      .arg(QString::number(i), name, QString::number(total)));
            },
            total);
        if (!ok)
            return false;
    }
    progress.flush();
    if (!FinishExportFile(out, talk))
        return false;
    talk.information(QStringLiteral("Stock Data Information Exported"));
    return true;
}
