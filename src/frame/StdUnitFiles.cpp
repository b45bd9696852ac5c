#include "frame/StdUnitFiles.h"

#include "frame/Clock.h"
#include "frame/IoError.h"
#include "frame/Messages.h"
#include "frame/StdUnitDates.h"
#include "frame/Stockcfg.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

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

QString CannotOpenFileMessage(const QString &path)
{
    return QStringLiteral("Error, Could Not Open The File %1").arg(QDir::toNativeSeparators(path));
}

QString CannotReadFileMessage(const QString &path)
{
    return QStringLiteral("Error, Could Not Read The File %1").arg(QDir::toNativeSeparators(path));
}

QString CannotWriteToFileMessage(const QString &path)
{
    return QStringLiteral("Error, Could Not Write To File: ") + QDir::toNativeSeparators(path);
}

bool IsSafeFileNamePart(const QString &text)
{
    return !text.contains(QLatin1Char('/')) && !text.contains(QChar(0)) && text != QLatin1String(".") &&
           text != QLatin1String("..");
}

namespace {

QString g_desktopOpener = QStringLiteral("xdg-open");
int g_watched = 0;

// Starts the program and watches it: the desktop reports nothing when a
// viewer or browser cannot be found, so an exit with failure shows
// `failureText` in an error box. The process object has no parent on
// purpose: a viewer still open when the program ends must keep running, and
// a destroyed process object would end it.
bool startWatched(const QString &program, const QStringList &args, const QString &workDir,
                  const QString &failureText)
{
    const QFileInfo info(program);
    const bool runnable = (info.isFile() && info.isExecutable())
                          // A bare program name is looked up on the search path.
                          || (!program.isEmpty() && !program.contains(QLatin1Char('/')));
    if (!runnable)
        return false;
    auto *process = new QProcess;
    process->setProgram(program);
    process->setArguments(args);
    if (!workDir.isEmpty())
        process->setWorkingDirectory(workDir);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(process, &QProcess::finished, process,
                     [process, failureText](int exitCode, QProcess::ExitStatus status) {
                         --g_watched;
                         process->deleteLater();
                         if (status != QProcess::NormalExit || exitCode != 0)
                             ShowError(failureText);
                     });
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    ++g_watched;
    return true;
}

} // namespace

void SetDesktopOpener(const QString &program)
{
    g_desktopOpener = program;
}

QString DesktopOpener()
{
    return g_desktopOpener;
}

int WatchedProcessCount()
{
    return g_watched;
}

bool OpenWithDesktop(const QString &target)
{
    const QString failure = QStringLiteral("Unable To Open %1").arg(target);
    if (startWatched(g_desktopOpener, {target}, QString(), failure))
        return true;
    ShowError(failure);
    return false;
}

bool RunProgram(QWidget *, const QString &path)
{
    const QString failure = QStringLiteral("Unable To Start %1").arg(path);
    if (startWatched(path, {}, QString(), failure))
        return true;
    // Not a program: a document, handed to the desktop's default application.
    if (QFileInfo::exists(path))
        return OpenWithDesktop(path);
    ShowError(failure);
    return false;
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
    if (!startWatched(files.NoteViewer, {path}, workDir, QStringLiteral("Unable To Open %1").arg(path)))
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
