#pragma once
// Importing transactions and dividends from text files and exporting them to
// text files. The import and export dialogs fill the settings; the windows
// supply the progress window and message boxes through TRunTalk.

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class TRunTalk;
class TTransBase;

enum class TTransferKind { Transactions, Dividends };

// The import fields of each kind, in the order the import dialog maps them.
QStringList ImportFieldNames(TTransferKind kind);
// The fields the export dialog offers, in the order of its grid.
QStringList ExportFieldNames(TTransferKind kind);

struct TTransferImportSettings
{
    QString FilePath;
    QString Layout;   // one of the three text layouts
    QString DateForm; // one of the nine date forms
    int SkipLines = 0;
    bool Append = false;
    // The 1-based field number of each import field, in ImportFieldNames order.
    QList<int> FieldNumbers;
};

struct TTransferImportResult
{
    bool Imported = false; // false: declined, file missing or not written
    int Lines = 0;         // lines read after the skipped ones
    int Stored = 0;
    int Skipped = 0; // invalid date, empty or unsafe symbol, amount out of range
};

// Asks before replacing the file, reads every line, stamps the portfolio's
// security code and stores every valid line (a taken second moves a record
// to the next free one). The file is rewritten once, whole, so a failure
// leaves it as it was.
TTransferImportResult ImportTransfer(TTransferKind kind, TTransBase &file, int32_t securityCode,
                                     const TTransferImportSettings &settings, TRunTalk &talk);

struct TTransferExportSettings
{
    QString FilePath;
    QString Layout;
    QString DateForm;
    QStringList Fields; // chosen fields in the chosen order
    bool HeaderLine = false;
    QString From; // stored date texts, both inclusive
    QString To;
};

// The security's name for "Company", "Not On File" when there is none.
using TCompanyLookup = std::function<QString(const QString &symbol)>;
// A look-up on the configured symbol file that reads each symbol once.
TCompanyLookup SymbolFileCompanyLookup();

// Writes the records dated From..To as lines of the chosen fields. Returns
// false (after the error box) when the file could not be created or written.
bool ExportTransfer(TTransferKind kind, TTransBase &file, const TTransferExportSettings &settings,
                    const TCompanyLookup &company, TRunTalk &talk);
