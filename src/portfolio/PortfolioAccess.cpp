#include "portfolio/PortfolioAccess.h"

#include "frame/Messages.h"
#include "frame/StdUnitFiles.h"
#include "records/TransDatabase.h"
#include "records/WatchBase.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace {

bool isLatin1(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

// Reads the whole file and tells whether every record carries `code`. A
// missing file holds nothing; one that exists but cannot be read fails with
// *unreadable set.
bool codesMatch(const QString &path, int32_t code, bool *unreadable)
{
    *unreadable = false;
    if (!QFile::exists(path))
        return true;
    TTransBase file(path, TOpenMode::ReadOnly);
    if (!file.IsOpen()) {
        *unreadable = true;
        return false;
    }
    bool match = true;
    if (!file.ScanAll(
            [&match, code](const TTransRecord &rec) { match = match && rec.SecurityCode == code; })) {
        *unreadable = true;
        return false;
    }
    return match;
}

bool safeFileName(const QString &fileName)
{
    return !fileName.isEmpty() && IsSafeFileNamePart(fileName);
}

} // namespace

void TAccessTalk::error(const QString &text)
{
    ShowError(text);
}

QString PortfolioDuplicateMessage(const QString &storedName)
{
    return QStringLiteral("The Following Error Has Occured:\r\rPortfolio Name: ") + storedName +
           QStringLiteral("\rAlready On File In Database, Portfolio Not Added!");
}

QString AccessDeniedMessage(const QString &name)
{
    return QStringLiteral("Access Denied to Portfolio: ") + name;
}

QString InvalidSecurityCodeMessage(const QString &name)
{
    return AccessDeniedMessage(name) + QStringLiteral("\rInvalid Security Code Found In Files");
}

bool IsNoPortfolio(const TListRecord &entry)
{
    return entry.FileName.isEmpty() || entry.Name.isEmpty() || entry.Name.text() == kNoPortfolio;
}

bool CheckPortfolioFiles(const TListRecord &entry, TAccessTalk &talk)
{
    const QString fileName = entry.FileName.text();
    // A stored file name that would leave the portfolio folder opens nothing
    // and cannot be vouched for.
    if (!safeFileName(fileName)) {
        talk.error(InvalidSecurityCodeMessage(entry.Name.text()));
        return false;
    }
    for (const QString &path : {TransactionFilePath(fileName), DividendFilePath(fileName)}) {
        bool unreadable = false;
        if (!codesMatch(path, entry.SecurityCode, &unreadable)) {
            talk.error(unreadable ? QStringLiteral("Error, Could Not Open File: ") + path
                                  : InvalidSecurityCodeMessage(entry.Name.text()));
            return false;
        }
    }
    return true;
}

namespace {
bool askAndCheck(const TListRecord &entry, TAccessTalk &talk)
{
    talk.playSound(kScanSound);
    QString typed;
    if (!talk.askPassword(entry.Name.text(), &typed))
        return false;
    // Both sides as text: the stored password is Latin-1 and typed text is
    // compared whole, so a character outside Latin-1 never matches a '?'.
    if (typed == entry.Password.text() && CheckPortfolioFiles(entry, talk))
        return true;
    talk.playSound(kDeniedSound);
    talk.error(AccessDeniedMessage(entry.Name.text()));
    return false;
}
} // namespace

bool CheckEntryAccess(const TListRecord &entry, TAccessTalk &talk)
{
    if (entry.Password.isEmpty())
        return true;
    return askAndCheck(entry, talk);
}

bool CheckCurrentPortfolioAccess(const TListRecord &current, TAccessTalk &talk)
{
    if (current.Name.isEmpty() || current.Name.text() == kNoPortfolio || current.FileName.isEmpty())
        return true;
    TWatchDatabase list(PortfolioListPath(), TOpenMode::ReadOnly);
    if (!list.IsOpen())
        return false;
    // The entry that wrote these files: same name and file name, else the
    // same file name and security code (the entry was renamed since). The
    // name alone is not enough: another portfolio may carry it by now.
    TListRecord entry;
    bool found = list.Find(entry, current.Name.text()) && entry.FileName.bytes() == current.FileName.bytes();
    for (int i = 0; !found && i < list.RecordCount(); ++i) {
        list.ReadAt(entry, i);
        found =
            entry.FileName.bytes() == current.FileName.bytes() && entry.SecurityCode == current.SecurityCode;
    }
    if (!found)
        return false;
    if (entry.Password.isEmpty() || entry.Name.isEmpty() || entry.Name.text() == kNoPortfolio)
        return true;
    return askAndCheck(entry, talk);
}

TPortfolioInput InputFromEntry(const TListRecord &entry)
{
    TPortfolioInput in;
    in.FileName = entry.FileName.text();
    in.Password = entry.Password.text();
    in.Verify = in.Password;
    in.Name = entry.Name.text();
    in.NoteFile = entry.NoteFile.text();
    in.WebSite = entry.WebSite.text();
    in.SecurityCode = entry.SecurityCode;
    return in;
}

TListRecord EntryFromInput(const TPortfolioInput &input)
{
    TListRecord e;
    e.FileName = input.FileName;
    e.Name = input.Name;
    e.Password = input.Password;
    e.NoteFile = input.NoteFile;
    e.WebSite = input.WebSite;
    e.SecurityCode = input.SecurityCode;
    return e;
}

int32_t NewSecurityCode()
{
    return int32_t(QRandomGenerator::global()->bounded(50000));
}

QStringList PortfolioSaveProblems(const TPortfolioInput &input, bool addMode, TWatchDatabase *list,
                                  const QString &editingName)
{
    QStringList out;
    const QString &fn = input.FileName;
    if (addMode) {
        if (fn.isEmpty() || fn.size() > 7 || !IsSafeFileNamePart(fn) || !isLatin1(fn)) {
            out << QStringLiteral("Error, Invalid File Name");
        } else {
            bool taken = QFile::exists(DividendFilePath(fn)) || QFile::exists(TransactionFilePath(fn));
            if (!taken && list) {
                TListRecord e;
                for (int i = 0; !taken && i < list->RecordCount(); ++i) {
                    list->ReadAt(e, i);
                    taken = e.FileName.text() == fn && e.Name.text() != editingName;
                }
            }
            if (taken)
                out << QStringLiteral("Error, File Name Already Exists");
        }
    }
    if (input.Password != input.Verify)
        out << QStringLiteral("Error, Passwords Do Not Match");
    // The stored password is cut at this marker when it is read back, so
    // "^@^x" would come back as an unprotected portfolio.
    if (input.Password.contains(QStringLiteral("^@^")))
        out << QStringLiteral("Error, Password May Not Contain \"^@^\"");
    if (input.Password.size() > 40)
        out << QStringLiteral("Error, Password May Not Be Longer Than 40 Characters");
    const QString name = input.Name;
    if (name.isEmpty() || name == kNoPortfolio || name.size() > 40)
        out << QStringLiteral("Error, Invalid Portfolio Name");
    // Record texts are single-byte: anything else would be stored as '?'.
    if (!isLatin1(name) || !isLatin1(input.Password) || !isLatin1(input.NoteFile) ||
        !isLatin1(input.WebSite) || (addMode && !isLatin1(fn)))
        out << QStringLiteral("Error, Only Western European Characters Can Be Stored");
    return out;
}

TListChange AddPortfolioEntry(TWatchDatabase &list, const TListRecord &entry)
{
    TListChange change;
    TListRecord found;
    if (list.RecordCount() > 0 && list.Find(found, entry.Name.text())) {
        change.DuplicateName = found.Name.text();
        return change;
    }
    TListRecord rec = entry;
    list.Insert(rec);
    change.Done = !(list.Status() & (IoError | NotOpen)) && list.IsOpen();
    change.Position = list.CurrentIndex();
    return change;
}

TListChange EditPortfolioEntry(TWatchDatabase &list, int selected, const QString &selectedName,
                               const TListRecord &edited)
{
    TListChange change;
    if (selected < 0 || selected >= list.RecordCount())
        return change;
    if (edited.Name.text() == selectedName) {
        TListRecord rec;
        list.ReadAt(rec, selected);
        rec.FileName = edited.FileName;
        rec.Name = edited.Name;
        rec.Password = edited.Password;
        rec.NoteFile = edited.NoteFile;
        rec.WebSite = edited.WebSite;
        rec.SecurityCode = edited.SecurityCode;
        list.WriteCurrent(rec);
        change.Done = !(list.Status() & IoError);
        change.Position = selected;
        return change;
    }
    TListRecord found;
    if (list.Find(found, edited.Name.text())) {
        change.DuplicateName = found.Name.text();
        return change;
    }
    list.Delete(selected);
    TListRecord rec = edited;
    list.Insert(rec);
    change.Done = !(list.Status() & IoError);
    change.Position = list.CurrentIndex();
    return change;
}

bool DeletePortfolioFiles(const TListRecord &entry, bool deleteNote, QString *error)
{
    auto removeIfThere = [error](const QString &path) {
        if (path.isEmpty() || !QFileInfo::exists(path) || QFile::remove(path))
            return true;
        if (error)
            *error = QStringLiteral("Error, Could Not Delete File: ") + path;
        return false;
    };
    const QString fileName = entry.FileName.text();
    // The record files first: a failure there keeps the entry and its note.
    if (safeFileName(fileName)) {
        if (!removeIfThere(TransactionFilePath(fileName)) || !removeIfThere(DividendFilePath(fileName)))
            return false;
    }
    if (deleteNote && !removeIfThere(entry.NoteFile.text()))
        return false;
    return true;
}
