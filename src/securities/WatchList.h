#pragma once
// The stock data list Watch.sbl as the stock data window keeps it: names in
// step with the symbol file, the entry checks, the duplicate rule and the
// message that goes with it.

#include "frame/Stockcfg.h"

#include <QString>
#include <QStringList>

class TSymbolDataBase;
class TWatchDatabase;

// The lines of the duplicate box, with carriage returns between them.
QString DuplicateSecurityMessage(const QString &name);

// Brings every entry's name in step with the symbol file (its name there, or
// the symbol + " Not On File", cut to 40). The renames are collected first;
// a rename onto a name another entry keeps or gets is skipped, so no two
// entries ever share a name. When anything changed, or the file was not in
// name order, it is rewritten once, sorted by name, through the whole-file
// replacement. Returns the names in file order afterwards; *rewritten tells
// whether the file was replaced (the caller publishes it again), *failed
// whether a rewrite was needed but could not be made, *unreadable whether a
// record could not be read. A list that was not read to its end is never
// rewritten: that would drop every entry after the bad read.
QStringList RefreshWatchList(TWatchDatabase &watch, TSymbolDataBase &symbols, bool *rewritten = nullptr,
                             bool *failed = nullptr, bool *unreadable = nullptr);

struct TWatchEntryTexts
{
    QString Symbol;
    QString Name; // the name the dialog shows for the symbol
    QString NoteFile;
};
// The line for a note path the list cannot hold (not single-byte, or longer
// than its 255 places).
inline const QString kNotePathProblem = QStringLiteral("Securities Note File: The Path Cannot Be Stored");
// The entry dialog's checks: the symbol must be able to name its price file
// and the note path must be storable (single-byte text).
QStringList CheckWatchEntry(const TWatchEntryTexts &entry);
TListRecord WatchEntryRecord(const TWatchEntryTexts &entry);

// True when another entry than `except` (a position, -1 for none) has the name.
bool WatchNameTaken(TWatchDatabase &watch, const QString &name, int except = -1);
// The changes below return their failure and leave the list's Status clean:
// the stock data window's list is the one the purge, the watch run and the
// overlay choice walk with ReadAt, which keeps earlier flags, so a stale
// IoError would make every one of their reads look failed.

// Inserts the entry in name order; returns its position, -1 when it could not
// be stored.
int InsertWatchEntry(TWatchDatabase &watch, TListRecord entry);
// Removes the entry at `index`; false when the list could not be written (it
// is then unchanged).
bool DeleteWatchEntry(TWatchDatabase &watch, int index);
// Replaces the entry at `index` by `entry`, moved to its name's place, in one
// whole-file replacement: the list holds either the old entry or the new one,
// never neither or both. Returns the new position, -1 when the list could
// not be read or written (it is then unchanged).
int ReplaceWatchEntry(TWatchDatabase &watch, int index, const TListRecord &entry);
