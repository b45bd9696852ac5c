#pragma once
// Data conversion: one day's quote file of many securities split into their
// price files, with a readable day summary (Summary.txt) and duplicate days
// written to the error log; and the register of conversion formats,
// Convert.dat in the program folder.

#include "records/ConvDatabase.h"

#include <QString>
#include <QStringList>
#include <functional>

class TRunTalk;

inline const QString kConversionKindTag = QStringLiteral("Quorvane Data Conversion");

// The six field rows of a conversion format, in the order of its field map.
QStringList ConversionFieldRows();
// Program folder + "Convert.dat".
QString ConvertDatPath();

// ---- the run ----------------------------------------------------------------

struct TConversionResult
{
    bool Completed = false;      // the closing message was shown
    bool ErrorsReported = false; // lines went to the error log
    bool ViewErrorLog = false;   // the user asked to see the log
    int Stored = 0;              // price records added
};

// Reads the format's quote file and stores its lines. The run talk shows
// progress ("Importing Record: N"), asks for a replacement date once per run
// (replacementDate) and gives the closing message; when the user wants to
// see the error log, ViewErrorLog is set for the window to open it.
TConversionResult RunDataConversion(const TConvRecord &format, TRunTalk &talk);

// The field number (from 0) that an entry "Field N" of the field map names;
// -1 for an empty or unreadable entry.
int FieldMapNumber(const QString &entry);

// The volume after the divisor: read as a 64-bit integer (0 when the text is
// not one), divided and cut toward zero when the divisor is a finite number
// above 0, then held within the stored 32-bit range.
int32_t ConvertedVolume(const QString &text, double divisor);

// A stored date only when it is eight digits forming a valid date.
bool IsStrictStoredDate(const QString &text);

// One line of Summary.txt (without its line end).
QString SummaryHeading();
QString SummaryLine(const QString &name, double high, double low, double close, double change,
                    int32_t volume);

// "Run Watch After Import": starts what the watch run installed with
// SetRunWatchAfterImportHook (transfer/ImportRun.h) when the setting is on.
void RunWatchAfterConversion();

// ---- the register of formats -------------------------------------------------

// Stores a new format in description order. A description already in use is
// refused with a message and nothing is stored.
bool CreateConversionFormat(TConvDataBase &file, TConvRecord &rec);
// Replaces the format at `index` by `rec`. The same description overwrites
// in place; a new one is inserted first and the old record removed only
// after that worked, so a failure never loses the old format. A description
// another format already has is refused with a message, the old kept.
bool EditConversionFormat(TConvDataBase &file, int index, TConvRecord &rec);
// The descriptions in file order.
QStringList ConversionFormatDescriptions(TConvDataBase &file);

inline const QString kDuplicateFormatText =
    QStringLiteral("A Conversion Format With This Description Already Exists, Format Not Saved!");
