#pragma once
// How the per-security and per-portfolio files are named, and the small file
// and shell services many windows use: the note viewer, starting programs,
// file ages and the error log Stock.err.

#include <QDateTime>
#include <QString>

class QWidget;

// ---- file naming: a configured folder followed directly by the name -------
QString PriceFilePath(const QString &symbol);         // data folder + symbol + ".stk"
QString OldPriceFilePath(const QString &symbol);      // data folder + symbol + ".old"
QString TransactionFilePath(const QString &fileName); // portfolio folder + name + ".tra"
QString DividendFilePath(const QString &fileName);    // portfolio folder + name + ".div"
QString PortfolioListPath();                          // portfolio folder + "Port.sbl"
QString WatchListPath();                              // watch-list folder + "Watch.sbl"
QString ErrorLogPath();                               // base folder + "Stock.err"
QString SummaryFilePath();                            // base folder + "Summary.txt"

// The error text of a record file that cannot be opened for a change.
QString CannotOpenFileMessage(const QString &path);
// The error text of a file that could not be read to its end.
QString CannotReadFileMessage(const QString &path);
// The error text of the stock data windows and runs for a file they could
// not change.
QString CannotWriteToFileMessage(const QString &path);

// A text that becomes part of a file name must not leave its folder: no
// separator, no NUL, not "." or "..". Empty texts are left to the caller.
bool IsSafeFileNamePart(const QString &text);

// ---- shell services ------------------------------------------------------
// Every program started here is watched, since the Linux desktop says nothing
// itself: a start that fails shows "Unable To Start <program>" at once, and
// an exit with failure later (no viewer, no browser, a file it cannot read)
// shows "Unable To Open <what>" (for a program "Unable To Start <program>").

// Starts an executable program, or hands anything else (a document) to the
// desktop opener.
bool RunProgram(QWidget *window, const QString &path);

// Opens a text file in the configured note viewer, offering to create it
// (" " and a line break) when it does not exist.
void OpenDocument(QWidget *window, const QString &path);

// Hands a document path or an address to the desktop opener, the desktop's
// default application for it.
bool OpenWithDesktop(const QString &target);

// The desktop opener, "xdg-open"; tests put a script of their own in its place.
void SetDesktopOpener(const QString &program);
QString DesktopOpener();

// Started programs that have not ended yet.
int WatchedProcessCount();

// The file's last-modified time; today minus 100 days when it cannot be read.
QDateTime FileDate(const QString &path);

// Appends one line to Stock.err with the day header when due. Raises
// EInOutError when the log cannot be written.
void LogError(const QString &message);

// Writes lines of text with CR LF line ends, the program's rule for every text
// file it writes.
inline constexpr const char *kLineEnd = "\r\n";
