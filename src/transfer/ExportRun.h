#pragma once
// The export runs: symbols, one security's prices, and Export All over the
// watch list. The export dialog only collects TExportSettings; the opener
// hands them to one of these runs together with the run talk that shows the
// progress window and the closing message.
//
// The line writer (TExportLine) is shared with every other export (the
// transaction and dividend runs build their lines with it too), so that the
// rules of the three layouts live in one place.

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QStringList>

class TRunTalk;

// What the export dialog delivers.
struct TExportSettings
{
    QString FileName;
    QString Layout;   // one of the three layout names
    QString DateForm; // one of the nine date forms; unused by the symbol kind
    QString FromDate; // display date texts ("MM/DD/YYYY"); unused by symbols
    QString ToDate;
    bool IncludeHeader = false;
    QStringList Fields; // in writing order; a name may occur more than once
};

// One line of an export file in one of the three layouts. Values are added
// in their order with the width the fixed-length layout gives them and
// whether the comma layout quotes them.
class TExportLine
{
public:
    explicit TExportLine(const QString &layout) : m_layout(layout) { m_text.reserve(128); }

    // Fixed length: padded to `width`, and a value that fills its width still
    // gets one blank so it cannot run into the next. Comma: trimmed, quoted
    // when asked or when the value holds a comma (it would split otherwise).
    // Tab: trimmed.
    void add(const QString &value, int width, bool quoted);
    // The line with its CR LF end, as Latin-1 bytes.
    QByteArray finish();

private:
    QString m_layout;
    QString m_text;
    bool m_first = true;
};

// The header line: every field name at its width, quoted in the comma layout.
template <class WidthOf>
QByteArray ExportHeaderLine(const QString &layout, const QStringList &fields, WidthOf widthOf)
{
    TExportLine line(layout);
    for (const QString &f : fields)
        line.add(f, widthOf(f), true);
    return line.finish();
}

// The stored-date window of a dated export. Both ends are display date texts
// taken to eight-digit stored texts by their numeric parts, so a box typed
// with blanks (" 1/ 5/2001") still compares correctly as text. The dialog
// refuses ends that are not dates; should one arrive anyway the range holds
// nothing rather than everything.
class TExportRange
{
public:
    TExportRange(const QString &fromDisplay, const QString &toDisplay);
    bool valid() const { return m_valid; }
    bool contains(const QString &storedDate) const
    {
        return m_valid && storedDate >= m_from && storedDate <= m_to;
    }
    QString from() const { return m_from; }
    QString to() const { return m_to; }

private:
    QString m_from, m_to;
    bool m_valid = false;
};

// The export dialog's rules, kept here so they are tested without a window.
// Export is possible with a file name, at least one field, a layout and a
// date form (or a date-form list switched off, as for symbols).
bool ExportAllowed(const QString &fileName, int fieldCount, bool layoutChosen, bool dateFormChosen,
                   bool dateFormEnabled);
// The collected messages for the two date boxes; empty when both are fine.
// Equal dates pass.
QStringList ExportDateProblems(const QString &fromDisplay, const QString &toDisplay);

// The "Date" value of a price line: the stored date in the chosen form.
QString ExportDateText(const QString &dateForm, const QString &storedDate);
int ExportDateWidth(const QString &dateForm);
// High, low and close: six decimals, no padding.
QString ExportPriceText(double price);

// Whether a file may be written by an export: never one of the program's
// registers (Watch.sbl, Stocks.sbl, Stocks.cfg, Port.sbl, a price file) nor
// a file the run itself reads. Compares canonical paths where the files
// exist, so another spelling of the same path is caught too.
bool IsForbiddenExportTarget(const QString &target, const QStringList &readFiles);

// The export file: a save file, so the old file stays until the new one is
// complete. It is written unbuffered in blocks of its own: through Qt's
// buffer, a write the full disk refused only failed inside the commit, which
// still renamed the cut file into place.
class TExportFile : public QSaveFile
{
public:
    QByteArray Pending; // lines not yet handed to the disk
};
// Opens the export file. On failure shows "Error Unable To Create Export
// File" with the file's name and returns false.
bool OpenExportFile(TExportFile &file, const QString &target, const QStringList &readFiles, TRunTalk &talk);
// Writes bytes; false (and the error box, once) when the device refuses them.
bool WriteExportBytes(TExportFile &file, const QByteArray &bytes, TRunTalk &talk);
// Writes what is pending and commits the file; false and the error box when
// it could not be completed (the old file is then kept).
bool FinishExportFile(TExportFile &file, TRunTalk &talk);

// The field widths of the three price/symbol kinds.
int SymbolFieldWidth(const QString &field);
int PriceFieldWidth(const QString &field, const QString &dateForm);

// The runs. Each returns true when the file was written and the closing
// message shown; false after an error (already reported through `talk`).
// Symbols: every record of Stocks.sbl in the configured symbol folder.
bool RunSymbolExport(const TExportSettings &settings, TRunTalk &talk);
// One security's price file in the configured data folder.
bool RunPriceExport(const TExportSettings &settings, const QString &symbol, TRunTalk &talk);
// Every entry of the watch list file, in list order, each entry's price file.
bool RunExportAll(const TExportSettings &settings, const QString &watchListPath, TRunTalk &talk);
