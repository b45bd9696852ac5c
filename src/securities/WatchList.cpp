#include "securities/WatchList.h"

#include "records/SblBase.h"
#include "records/WatchBase.h"
#include "securities/SymbolChecks.h"

#include <QHash>
#include <QSet>
#include <algorithm>

QString DuplicateSecurityMessage(const QString &name)
{
    return QStringLiteral("The Following Error Has Occured:\r\rSecurity: ") + name +
           QStringLiteral("\rAlready On File In Database, Security Not Added!");
}

QStringList RefreshWatchList(TWatchDatabase &watch, TSymbolDataBase &symbols, bool *rewritten, bool *failed,
                             bool *unreadable)
{
    if (rewritten)
        *rewritten = false;
    if (failed)
        *failed = false;
    if (unreadable)
        *unreadable = false;

    // The symbol file is read once; a lookup per entry would search it again
    // for every line of a long list.
    QHash<QByteArray, QByteArray> names;
    names.reserve(symbols.RecordCount());
    TSymbolRecord s;
    for (int i = 0; i < symbols.RecordCount(); ++i) {
        symbols.ReadAt(s, i);
        if (symbols.Status() & (IoError | Boundary))
            break;
        names.insert(s.Symbol.bytes(), s.Name.bytes());
    }

    QList<TListRecord> entries;
    entries.reserve(watch.RecordCount());
    TListRecord e;
    bool complete = true;
    for (int i = 0; i < watch.RecordCount(); ++i) {
        watch.ReadAt(e, i);
        if (watch.Status() & (IoError | Boundary)) {
            complete = false;
            break;
        }
        entries.push_back(e);
    }
    if (!complete && unreadable)
        *unreadable = true;

    QList<QByteArray> current(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QByteArray symbol = entries[i].FileName.bytes();
        const auto it = names.constFind(symbol);
        current[i] = it != names.constEnd() ? *it : (symbol + " Not On File").left(40);
    }

    // Renames that would give two entries one name are taken back until
    // every name is unique again; the stored names were, so this ends.
    QList<bool> renamed(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i)
        renamed[i] = current[i] != entries[i].Name.bytes();
    for (;;) {
        QHash<QByteArray, int> count;
        for (qsizetype i = 0; i < entries.size(); ++i)
            ++count[renamed[i] ? current[i] : entries[i].Name.bytes()];
        bool undone = false;
        for (qsizetype i = 0; i < entries.size(); ++i)
            if (renamed[i] && count.value(current[i]) > 1) {
                renamed[i] = false;
                undone = true;
            }
        if (!undone)
            break;
    }

    bool changed = false;
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (renamed[i]) {
            entries[i].Name.setBytes(current[i]);
            changed = true;
        }
    const auto byName = [](const TListRecord &a, const TListRecord &b) {
        return a.Name.bytes() < b.Name.bytes();
    };
    const bool sorted = std::is_sorted(entries.begin(), entries.end(), byName);
    if ((changed || !sorted) && complete && watch.IsWritable()) {
        QList<TListRecord> ordered = entries;
        std::stable_sort(ordered.begin(), ordered.end(), byName);
        QByteArray image;
        image.reserve(ordered.size() * qsizetype(sizeof(TListRecord)));
        for (TListRecord &r : ordered)
            watch.AppendImage(image, r);
        if (watch.ReplaceAll(image)) {
            entries = ordered;
            if (rewritten)
                *rewritten = true;
        } else if (failed) {
            *failed = true;
        }
    } else if (changed && complete && failed) {
        *failed = true;
    }

    QStringList out;
    out.reserve(entries.size());
    for (const TListRecord &r : entries)
        out << r.Name.text();
    return out;
}

namespace {
// Record texts are single-byte; anything else would be stored as '?'.
bool isSingleByte(const QString &text)
{
    return QString::fromLatin1(text.toLatin1()) == text;
}
} // namespace

QStringList CheckWatchEntry(const TWatchEntryTexts &entry)
{
    QStringList failed;
    // Checked as it will be stored: " .." passes as typed but is stored as
    // "..", which names no price file.
    const QString symbol = WatchEntryRecord(entry).FileName.text();
    const QString problem = SymbolProblem(symbol);
    if (!problem.isEmpty())
        failed << problem;
    else if (!isSingleByte(entry.Symbol))
        failed << QStringLiteral("Securities Symbol: The Symbol Cannot Be Stored");
    const QString note = entry.NoteFile;
    if (!isSingleByte(note) || note.size() > 255)
        failed << kNotePathProblem;
    return failed;
}

TListRecord WatchEntryRecord(const TWatchEntryTexts &entry)
{
    TListRecord r;
    r.FileName = entry.Symbol.trimmed().toUpper();
    r.Name = entry.Name;
    r.NoteFile = entry.NoteFile;
    return r;
}

bool WatchNameTaken(TWatchDatabase &watch, const QString &name, int except)
{
    if (watch.RecordCount() == 0)
        return false;
    TListRecord found;
    const QByteArray key = name.toLatin1().left(40);
    if (!watch.Find(found, QString::fromLatin1(key)))
        return false;
    return watch.CurrentIndex() != except;
}

int InsertWatchEntry(TWatchDatabase &watch, TListRecord entry)
{
    if (!watch.IsWritable())
        return -1;
    watch.Insert(entry);
    if (watch.Status() & IoError) {
        watch.ClearStatus();
        return -1;
    }
    TListRecord found;
    if (!watch.Find(found, entry.Name.text()))
        return -1;
    return watch.CurrentIndex();
}

int ReplaceWatchEntry(TWatchDatabase &watch, int index, const TListRecord &entry)
{
    if (!watch.IsWritable() || index < 0 || index >= watch.RecordCount())
        return -1;
    QList<TListRecord> entries;
    entries.reserve(watch.RecordCount());
    TListRecord e;
    for (int i = 0; i < watch.RecordCount(); ++i) {
        watch.ReadAt(e, i);
        if (watch.Status() & (IoError | Boundary)) {
            watch.ClearStatus();
            return -1;
        }
        if (i != index)
            entries.push_back(e);
    }
    // The new entry goes in front of any of the same name, as an insert puts it.
    const auto at = std::lower_bound(
        entries.begin(), entries.end(), entry,
        [](const TListRecord &a, const TListRecord &b) { return a.Name.bytes() < b.Name.bytes(); });
    const int position = int(at - entries.begin());
    entries.insert(at, entry);
    QByteArray image;
    image.reserve(entries.size() * qsizetype(sizeof(TListRecord)));
    for (TListRecord &r : entries)
        watch.AppendImage(image, r);
    const bool replaced = watch.ReplaceAll(image);
    watch.ClearStatus();
    return replaced ? position : -1;
}

bool DeleteWatchEntry(TWatchDatabase &watch, int index)
{
    if (!watch.IsWritable() || index < 0 || index >= watch.RecordCount())
        return false;
    watch.Delete(index);
    const bool deleted = !(watch.Status() & IoError);
    watch.ClearStatus();
    return deleted;
}
