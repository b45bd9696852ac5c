#include "TestEnv.h"

#include "frame/Clock.h"
#include "frame/ModalUi.h"
#include "frame/Stockcfg.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

void TScriptedMessages::expectQuestion(const QString &text, bool yes)
{
    pending.emplace_back(text, yes);
}

TMsgResult TScriptedMessages::respond(TMsgIcon icon, const QString &text, TMsgButtons buttons)
{
    said.push_back({icon, text});
    if (buttons == TMsgButtons::Ok)
        return TMsgResult::Ok;
    if (pending.empty()) {
        problems << QStringLiteral("unexpected question: \"%1\"").arg(text);
        return buttons == TMsgButtons::YesNo ? TMsgResult::No : TMsgResult::Cancel;
    }
    auto [expected, yes] = pending.front();
    pending.pop_front();
    if (expected != text)
        problems << QStringLiteral("question \"%1\" asked where \"%2\" was expected").arg(text, expected);
    if (buttons == TMsgButtons::OkCancel)
        return yes ? TMsgResult::Ok : TMsgResult::Cancel;
    return yes ? TMsgResult::Yes : TMsgResult::No;
}

QStringList TScriptedMessages::texts() const
{
    QStringList out;
    for (const TSaid &s : said)
        out << s.text;
    return out;
}

TTestEnv::TTestEnv()
{
    ResetConfigState();
    Clock::Unpin();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    SetBaseFolder(dir());
    SetProgramFolder(dir());
    SetMessageResponder(&messages);
    ClearModalScripts();
    SetModalStrict(true);
}

TTestEnv::~TTestEnv()
{
    SetMessageResponder(nullptr);
    ClearModalScripts();
    SetModalStrict(false);
    Clock::Unpin();
    ResetConfigState();
}

QString TTestEnv::dir() const
{
    return m_dir.path() + QLatin1Char('/');
}

void TTestEnv::pinClock(const QDateTime &moment)
{
    Clock::Pin(moment);
}

QString TTestEnv::writeFile(const QString &name, const QByteArray &content) const
{
    const QString p = QFileInfo(name).isAbsolute() ? name : path(name);
    QDir().mkpath(QFileInfo(p).path());
    QFile f(p);
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
    return p;
}

QByteArray TTestEnv::readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString TTestEnv::verify() const
{
    QStringList all = messages.problems;
    for (const auto &[text, yes] : messages.pending)
        all << QStringLiteral("question never asked: \"%1\"").arg(text);
    if (PendingModalScripts() > 0)
        all << QStringLiteral("%1 dialog script(s) never used").arg(PendingModalScripts());
    for (const QString &d : UnexpectedModals())
        all << QStringLiteral("dialog shown without a script: %1").arg(d);
    return all.join(QLatin1Char('\n'));
}

QString SampleCsvPath()
{
    return QStringLiteral(QV_SAMPLE_DIR "/ttrc.csv");
}
