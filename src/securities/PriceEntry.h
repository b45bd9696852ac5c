#pragma once
// One day's prices as the price record dialog takes them, and the changes
// the price record window and the quick entry make to a price file: the
// dialog's checks in their fixed order, the record built from the texts, and
// add, edit and delete that never leave the file half-changed.

#include "records/Database.h"

#include <QString>
#include <QStringList>
#include <cstdint>

struct TPriceEntryTexts
{
    QString Date; // display date text, "MM/DD/YYYY"
    QString High;
    QString Low;
    QString Close;
    QString Volume;
};

inline const QString kPriceOnFileMessage = QStringLiteral("Stock Data Already On File, Stock Not Saved!");
inline const QString kPriceEditOnFileMessage =
    QStringLiteral("Stock Data Already On File, Stock Data Not Saved!");

// A volume as the dialog takes it: a whole number with an optional sign that
// fits the stored 32-bit field. "1.5" and "3000000000" are refused.
bool ReadVolumeText(const QString &text, int32_t *volume);

// Fills an empty High and an empty Low with the text of Close (the caller's
// texts show it, as the dialog's edits do), then runs every check and
// returns the messages of those that failed, in order. A value that is not a
// number counts as 0 in the later checks.
QStringList CheckPriceEntry(TPriceEntryTexts &texts);

// The record the texts describe (they passed CheckPriceEntry).
TPriceRecord PriceRecordFromEntry(const TPriceEntryTexts &texts);
// A price as the dialog shows it: the general text, or, for a price that
// text would round, the shortest text that reads back to the stored value.
QString PriceEntryText(double value);
// The texts that fill the dialog for a stored record.
TPriceEntryTexts PriceEntryFromRecord(const TPriceRecord &rec);

// The text of one grid cell for a record: column 0 the date, 1-3 high, low,
// close with 4 decimals, 4 the volume.
QString PriceCellText(const TPriceRecord &rec, int column);
inline const QStringList kPriceColumnNames = {QStringLiteral("Date"), QStringLiteral("High"),
                                              QStringLiteral("Low"), QStringLiteral("Close"),
                                              QStringLiteral("Volume")};

enum class TPriceChange { Saved, AlreadyOnFile, Failed };

// Inserts the record in date order unless its date is stored already.
TPriceChange AddPriceRecord(TDataBase &file, TPriceRecord rec);
// Replaces record `index` with `rec`, keeping the old record's reserved
// bytes. The same date is written in place; another date is first looked
// up, so a date already on file leaves the file exactly as it was, and only
// then is the record moved, by one whole-file replacement: the file holds
// the old day or the new one at every moment, and a failure leaves it as it was.
TPriceChange EditPriceRecord(TDataBase &file, int index, TPriceRecord rec);
bool DeletePriceRecord(TDataBase &file, int index);

// The message for a change that could not be made, naming the file.
QString PriceFileProblem(const TDataBase &file);
