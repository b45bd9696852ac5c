#pragma once
// The import runs: a text file described by TImportSettings goes line by line
// into records. The pieces every kind shares are public so that the
// transaction and dividend runs use the same reading and cutting:
//   ForEachImportLine   opens the file, reads over the lines to skip, hands
//                       out each data line and says "Importing Record: N";
//   TImportLineCutter   the trimmed value of each field row for one line;
//   ImportDateValue, ImportNumber, ImportInteger, IsStorableDate
//                       the conversions of the values.
// Runs parse the whole file first and change the target once, through the
// record engine's whole-file replacement, so the target ends either as it
// was or with every storable line, and a replace that finds nothing to store
// leaves the target alone.

#include "transfer/ImportDefinition.h"

#include <QString>
#include <QVector>
#include <cstdint>
#include <functional>

class TRunTalk;
class TDataBase;
class TSymbolDataBase;

inline const QString kCannotOpenImportFile = QStringLiteral("Error, Could Not Open Import File");
inline const QString kImportingRecord = QStringLiteral("Importing Record: ");
inline const QString kNothingToImport =
    QStringLiteral("No Line Of The Import File Could Be Stored, The Current File Was Not Changed");

// The overwrite question of the kind, asked (warning icon) only when the
// settings do not append. False means: import nothing.
bool ConfirmImportOverwrite(TImportKind kind, const TImportSettings &settings, TRunTalk &talk);

// The value of each field row for one line: the assigned field cut in the
// settings' layout and trimmed of blanks; empty for an unassigned row or a
// field the line does not have.
class TImportLineCutter
{
public:
    explicit TImportLineCutter(const TImportSettings &settings);
    // The row's index by name, or -1.
    int row(const QString &name) const { return int(m_rows.indexOf(name)); }
    bool assigned(int row) const { return m_fields.value(row, -1) >= 0; }
    QString value(const QString &line, int row) const;
    QString value(const QString &line, const QString &name) const { return value(line, row(name)); }

private:
    QString m_layout;
    QStringList m_rows;
    QVector<int> m_fields; // per row: field number from 0, or -1
};

// ConvertDate from the date form to the stored form, cut to 10 characters.
QString ImportDateValue(const QString &dateForm, const QString &value);
// A stored date text that may go into a record: exactly 8 digits forming a
// valid date. ("2001-1-15" read as YYYY-MM-DD gives "20011-5", which is not.)
bool IsStorableDate(const QString &date);
// A number field: 0 when the text is not a finite number.
double ImportNumber(const QString &value);
// The volume: 0 when the text is not an integer of 32 bits.
int32_t ImportInteger(const QString &value);

// Opens the import file and hands every line after the lines to skip to
// `visit` with its number among the data lines (from 1); after each line the
// progress text becomes "Importing Record: " and that number. With the fixed
// length layout the columns of the file are counted first, as the preview of
// the same file does. Returns false, after "Error, Could Not Open Import
// File", when the file cannot be opened.
bool ForEachImportLine(const TImportSettings &settings, TRunTalk &talk,
                       const std::function<void(const QString &line, int number)> &visit);

// What a run did, for tests and the opener's refresh.
struct TImportOutcome
{
    bool Completed = false; // the closing message was shown
    int Lines = 0;          // data lines read
    int Stored = 0;         // records the run added or replaced
};

// Symbols: symbol cut to 7, name to 40, web link to 255 (empty when "Web
// Link" is unassigned); a stored symbol is replaced. An empty symbol, or one
// that could not name a file, is not stored (and goes to the error log).
TImportOutcome RunSymbolImport(const TImportSettings &settings, TSymbolDataBase &target, TRunTalk &talk);
// Prices of one security: lines with a storable date, in date order; a date
// already on file (or earlier in the file) is passed over.
TImportOutcome RunPriceImport(const TImportSettings &settings, TDataBase &target, TRunTalk &talk);

// Starting the watch run after an import, when the configuration asks for it
// ("Run Watch After Import"). The watch run installs itself here; until then
// nothing happens.
void SetRunWatchAfterImportHook(std::function<void()> hook);
// Calls the hook when one is set and the option is on. Returns whether it ran.
bool RunWatchAfterImport();
