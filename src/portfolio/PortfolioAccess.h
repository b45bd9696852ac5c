#pragma once
// The portfolio register's rules that need no window: who may open a
// protected portfolio, what the portfolio dialog may store, and how an entry
// and its two record files are added, changed and removed.

#include "frame/Stockcfg.h"

#include <QString>
#include <QStringList>
#include <cstdint>

class TWatchDatabase;

inline const QString kScanSound = QStringLiteral("scanid.wav");
inline const QString kDeniedSound = QStringLiteral("borgDisarm.wav");

// What the access checks need from the person in front of the program: the
// password dialog, the two wave files and the denial boxes. The windows show
// the real dialog; tests answer from a script.
class TAccessTalk
{
public:
    virtual ~TAccessTalk() = default;
    // Plays one of the two wave files without waiting for it.
    virtual void playSound(const QString &waveFile) = 0;
    // The password dialog for the portfolio name; false on "Cancel".
    virtual bool askPassword(const QString &portfolioName, QString *typed) = 0;
    // An error box; by default through the message module.
    virtual void error(const QString &text);
};

QString PortfolioDuplicateMessage(const QString &storedName);
QString AccessDeniedMessage(const QString &name);
QString InvalidSecurityCodeMessage(const QString &name);

// The entry's .tra and .div hold only records of its security code. Shows
// the invalid-code message (or the error naming a file that cannot be read)
// and returns false otherwise. A file that does not exist holds nothing.
bool CheckPortfolioFiles(const TListRecord &entry, TAccessTalk &talk);
// An unprotected entry passes; a protected one asks for its password
// (ordinal, case-sensitive) and checks its files. Cancel denies silently.
bool CheckEntryAccess(const TListRecord &entry, TAccessTalk &talk);
// The current portfolio set from the configuration: no portfolio passes; the
// entry of Port.sbl with the same name and file name is checked, else the one
// with the same file name and security code (a renamed portfolio). With none,
// access is denied without asking.
bool CheckCurrentPortfolioAccess(const TListRecord &current, TAccessTalk &talk);
bool IsNoPortfolio(const TListRecord &entry);

// ---- the portfolio dialog ----------------------------------------------
struct TPortfolioInput
{
    QString FileName;
    QString Password;
    QString Verify;
    QString Name;
    QString NoteFile;
    QString WebSite;
    int32_t SecurityCode = 0;
};

TPortfolioInput InputFromEntry(const TListRecord &entry);
TListRecord EntryFromInput(const TPortfolioInput &input);
// 0 to 49 999, drawn when a portfolio is added.
int32_t NewSecurityCode();

// The error boxes "&Save" shows, in order; empty when the entry may be saved.
// `list` (may be null) is asked whether another entry already uses the file
// name; `editingName` is the name of the entry being edited (empty on add).
QStringList PortfolioSaveProblems(const TPortfolioInput &input, bool addMode, TWatchDatabase *list,
                                  const QString &editingName);

// ---- changes to Port.sbl -------------------------------------------------
struct TListChange
{
    bool Done = false;
    int Position = 0;      // where the entry now stands
    QString DuplicateName; // the stored entry that refused it
};
TListChange AddPortfolioEntry(TWatchDatabase &list, const TListRecord &entry);
// `selected` is the list position of the entry being edited and
// `selectedName` its name as listed.
TListChange EditPortfolioEntry(TWatchDatabase &list, int selected, const QString &selectedName,
                               const TListRecord &edited);
// Removes the note file (when asked), the .tra and the .div of the entry. A
// file that exists and cannot be removed stops it with *error naming the
// file; the caller then keeps the entry.
bool DeletePortfolioFiles(const TListRecord &entry, bool deleteNote, QString *error);
