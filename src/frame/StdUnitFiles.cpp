#include "frame/StdUnitFiles.h"

#include "frame/Clock.h"
#include "frame/IoError.h"
#include "frame/Messages.h"
#include "frame/StdUnitDates.h"
#include "frame/Stockcfg.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

QString PriceFilePath(const QString &symbol)
{
    return GetFolders().Data + symbol + QStringLiteral(".stk");
}

QString OldPriceFilePath(const QString &symbol)
{
    return GetFolders().Data + symbol + QStringLiteral(".old");
}

QString TransactionFilePath(const QString &fileName)
{
    return GetFolders().Portfolio + fileName + QStringLiteral(".tra");
}

QString DividendFilePath(const QString &fileName)
{
    return GetFolders().Portfolio + fileName + QStringLiteral(".div");
}

QString PortfolioListPath()
{
    return GetFolders().Portfolio + QStringLiteral("Port.sbl");
}

QString WatchListPath()
{
    return GetFolders().Watch + QStringLiteral("Watch.sbl");
}

QString ErrorLogPath()
{
    return WithBackslash(BaseFolder()) + QStringLiteral("Stock.err");
}

QString SummaryFilePath()
{
    return WithBackslash(BaseFolder()) + QStringLiteral("Summary.txt");
}

bool IsSafeFileNamePart(const QString &text)
{
    return !text.contains(QLatin1Char('/')) && !text.contains(QChar(0)) && text != QLatin1String(".") &&
           text != QLatin1String("..");
}

namespace {

bool startDetached(const QString &program, const QStringList &args, const QString &workDir)
{
    const QFileInfo info(program);
    if (info.isFile() && info.isExecutable())
        return QProcess::startDetached(program, args, workDir);
    // A bare program name is looked up on the search path.
    if (!program.contains(QLatin1Char('/')) && !program.isEmpty())
        return QProcess::startDetached(program, args, workDir);
    return false;
}

} // namespace

bool RunProgram(QWidget *, const QString &path)
{
    bool started = startDetached(path, {}, QString());
    if (!started && QFileInfo::exists(path))
        started = QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    if (!started)
        ShowError(QStringLiteral("Unable To Start %1").arg(path));
    return started;
}

void OpenDocument(QWidget *, const QString &path)
{
    const TFolderPaths folders = GetFolders();
    const TFilePaths files = GetFiles();
    if (!QFileInfo::exists(path)) {
        if (!AskYesNo(QStringLiteral("The Requested File Does Not Exist, Do You Wish To Create It?")))
            return;
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(" \r\n");
    }
    if (!QFileInfo::exists(path))
        return;
    // The path goes to the viewer as one argument, never through a shell. A
    // note folder that does not exist would make the start fail, so the
    // viewer then starts in the current folder.
    const QString workDir = QFileInfo(folders.Notes).isDir() ? folders.Notes : QString();
    if (!startDetached(files.NoteViewer, {path}, workDir))
        ShowError(QStringLiteral("Unable To Start %1").arg(files.NoteViewer));
}

QDateTime FileDate(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QDateTime(Clock::Today().addDays(-100), QTime(0, 0));
    return QFileInfo(path).lastModified();
}

void LogError(const QString &message)
{
    const QString path = ErrorLogPath();
    const QDateTime lastWritten = FileDate(path);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        throw EInOutError(QStringLiteral("Unable To Write To %1: %2").arg(path, f.errorString()));
    QByteArray out;
    const QDate today = Clock::Today();
    if (QDateTime(today, QTime(0, 0)) > lastWritten) {
        out += kLineEnd;
        out += "The Quorvane Begining Of Error Log For " + DisplayDateText(today).toLatin1();
        out += kLineEnd;
        out += kLineEnd;
    }
    out += message.toLatin1() + kLineEnd;
    // The file is buffered: only the flush shows whether the disk took it.
    if (f.write(out) != out.size() || !f.flush())
        throw EInOutError(QStringLiteral("Unable To Write To %1: %2").arg(path, f.errorString()));
}
