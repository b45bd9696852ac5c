#pragma once
// How the per-security and per-portfolio files are named, and the small file
// and shell services many windows use: the note viewer, starting programs,
// file ages and the error log Stock.err.

#include <QDateTime>
#include <QString>

class QWidget;

// ---- file naming: a configured folder followed directly by the name -------
QString PriceFilePath(const QString &symbol);        // data folder + symbol + ".stk"
QString OldPriceFilePath(const QString &symbol);     // data folder + symbol + ".old"
QString TransactionFilePath(const QString &fileName); // portfolio folder + name + ".tra"
QString DividendFilePath(const QString &fileName);   // portfolio folder + name + ".div"
QString PortfolioListPath();                         // portfolio folder + "Port.sbl"
QString WatchListPath();                             // watch-list folder + "Watch.sbl"
QString ErrorLogPath();                              // base folder + "Stock.err"
QString SummaryFilePath();                           // base folder + "Summary.txt"

// A text that becomes part of a file name must not leave its folder: no
// separator, no NUL, not "." or "..". Empty texts are left to the caller.
bool IsSafeFileNamePart(const QString &text);

// ---- shell services ------------------------------------------------------
// Starts an executable program detached, or hands anything else (a document,
// an address) to the desktop. A start that fails is reported in an error box
// naming the program, since the desktop says nothing itself.
bool RunProgram(QWidget *window, const QString &path);

// Opens a text file in the configured note viewer, offering to create it
// (" " and a line break) when it does not exist.
void OpenDocument(QWidget *window, const QString &path);

// The file's last-modified time; today minus 100 days when it cannot be read.
QDateTime FileDate(const QString &path);

// Appends one line to Stock.err with the day header when due. Raises
// EInOutError when the log cannot be written.
void LogError(const QString &message);

// Writes lines of text with CR LF line ends, the program's rule for every text
// file it writes.
inline constexpr const char *kLineEnd = "\r\n";
