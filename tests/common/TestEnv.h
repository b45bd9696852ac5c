#pragma once
// The ground every test case stands on: a private temporary folder as base
// and program folder, the locale pinned to English/United States, message
// boxes and modal dialogs answered from a script. verify() reports questions
// nobody scripted and scripts nobody asked for.

#include "frame/Messages.h"

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>

struct TSaid
{
    TMsgIcon icon;
    QString text;
};

class TScriptedMessages : public TMessageResponder
{
public:
    // The next question must read exactly `text`; it is answered Yes or No.
    void expectQuestion(const QString &text, bool yes);
    TMsgResult respond(TMsgIcon icon, const QString &text, TMsgButtons buttons) override;

    QList<TSaid> said;           // every box shown, in order
    QStringList texts() const;   // the texts of `said`
    QStringList problems;        // unexpected questions, mismatched texts
    std::deque<std::pair<QString, bool>> pending;
};

class TTestEnv
{
public:
    TTestEnv();
    ~TTestEnv();
    TTestEnv(const TTestEnv &) = delete;
    TTestEnv &operator=(const TTestEnv &) = delete;

    // The temporary folder, ending in a separator.
    QString dir() const;
    QString path(const QString &name) const { return dir() + name; }

    void pinClock(const QDateTime &moment);
    // Writes a file (creating folders) and returns its path.
    QString writeFile(const QString &name, const QByteArray &content) const;
    static QByteArray readFile(const QString &path);

    // Empty when every script was used and nothing unexpected was asked.
    QString verify() const;

    TScriptedMessages messages;

private:
    QTemporaryDir m_dir;
};

// Fails the current test when the environment has complaints.
#define QV_VERIFY_ENV(env)                                                                                   \
    do {                                                                                                     \
        const QString problems_ = (env).verify();                                                            \
        QVERIFY2(problems_.isEmpty(), qPrintable(problems_));                                                \
    } while (0)

// The sample price history shipped with the sources (real daily prices).
QString SampleCsvPath();
