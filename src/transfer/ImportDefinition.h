#pragma once
// What the import dialog describes: the kind of data, the text layout and
// date form of the import file, the lines to skip and which field of a line
// feeds which field of the record. The description travels as TImportSettings
// between the dialog, its opener and the import runs, and is stored as one
// 1912-byte TImportDefinition in an .imp file (and in Convert.dat).

#include "records/ConvDatabase.h"

#include <QString>
#include <QStringList>

enum class TImportKind { Symbols, Prices, Transactions, Dividends, Conversion };

// Everything the opener of the dialog sets for one kind, and the texts of
// the kind's run.
struct TImportKindInfo
{
    QString Caption;
    QString Tag;
    QStringList FieldRows;
    QStringList OptionalRows;
    bool DateForms = true;     // whether the date-form list is usable
    QString OverwriteQuestion; // asked before a run that replaces the target
    QString ProgressCaption;
    QString ClosingMessage;
};
const TImportKindInfo &ImportKindInfo(TImportKind kind);

inline const QString kImportFieldPrefix = QStringLiteral("Field ");
inline constexpr int kMaxLinesToSkip = 100;
// Names of optional rows: at most 101, each at most 40 characters.
inline constexpr int kMaxOptionalNames = 101;

struct TImportSettings
{
    QString Description;
    QString KindTag;
    QString FileName;
    int Layout = -1;   // index into TextLayoutNames(); -1 none chosen
    int DateForm = -1; // index into DateFormNames(); -1 none chosen
    bool Append = true;
    int LinesToSkip = 0;
    double VolumeDivisor = 1.0;
    bool Summary = false;
    QStringList FieldRows;   // the names of the field rows, top to bottom
    QStringList Assignments; // per row "Field N" (N from 1) or empty

    QString layoutName() const;   // empty when none is chosen
    QString dateFormName() const; // empty when none is chosen
    QString assignment(const QString &row) const;
};

// "Field N" -> N - 1, the field number CutField takes; -1 for an empty entry
// or one that does not name a field (a damaged definition file).
int AssignedFieldNumber(const QString &assignment);

// Whether every row whose name is not optional has an assignment.
bool RequiredRowsAssigned(const TImportSettings &settings, const QStringList &optionalRows);

// The volume divisor as the definition stores it: the text read as a number,
// 1.0 when it is not one (or not a finite number).
double VolumeDivisorFromText(const QString &text);
// The shortest general decimal form, as the dialog shows a loaded divisor.
QString VolumeDivisorText(double divisor);

// The definition record of the settings: description cut to 50, the field
// map entries cut to 10, rows 0 to row count (the last entry empty).
TImportDefinition BuildImportDefinition(const TImportSettings &settings);
// The settings a definition carries for a dialog with these field rows: the
// stored map entries fill the rows from the top. Numbers a damaged file
// holds are brought into range (an unknown layout or date form is none, the
// lines to skip 0 to 100, a divisor that is not a finite number 1.0).
TImportSettings SettingsFromDefinition(const TImportDefinition &definition, const QStringList &fieldRows);

// The whole file is the one record, written through a temporary file so an
// old definition is never left half-overwritten.
bool SaveImportDefinition(const QString &path, const TImportDefinition &definition, QString *error = nullptr);

enum class TDefinitionLoad {
    Loaded,
    CannotOpen, // "Error, Could Not Open Import File."
    TooShort,   // the platform's input/output error
    WrongKind   // "Error, This Import File Is Not For The Data You Are Trying To Import."
};
// Reads the one record of an .imp file and checks its kind tag against
// `expectedTag`. `definition` is only changed when the result is Loaded.
TDefinitionLoad LoadImportDefinition(const QString &path, const QString &expectedTag,
                                     TImportDefinition &definition, QString *error = nullptr);
// The error text for a load that failed, or empty.
QString DefinitionLoadMessage(TDefinitionLoad result, const QString &ioError);

inline const QString kCannotOpenDefinition = QStringLiteral("Error, Could Not Open Import File.");
inline const QString kCannotCreateDefinition = QStringLiteral("Error, Could Not Create Import File.");
inline const QString kWrongKindDefinition =
    QStringLiteral("Error, This Import File Is Not For The Data You Are Trying To Import.");
