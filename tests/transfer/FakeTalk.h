#pragma once
// A run talk that answers from a script and remembers everything said, so
// the tests can compare texts, icons and the order of questions.

#include "frame/RunTalk.h"

#include <QStringList>

class TFakeTalk : public TRunTalk
{
public:
    void progress(const QString &message) override
    {
        lastProgress = message;
        ++progressCalls;
    }
    void error(const QString &text) override { said << QStringLiteral("error: ") + text; }
    void warning(const QString &text) override { said << QStringLiteral("warning: ") + text; }
    void information(const QString &text) override { said << QStringLiteral("information: ") + text; }
    bool askYesNo(const QString &q) override
    {
        said << QStringLiteral("question: ") + q;
        return answer;
    }
    bool askYesNoWarning(const QString &q) override
    {
        said << QStringLiteral("warning question: ") + q;
        return answer;
    }
    bool askYesNoInformation(const QString &q) override
    {
        said << QStringLiteral("information question: ") + q;
        return answer;
    }
    QString replacementDate(const QString &symbol) override
    {
        replacementAsked << symbol;
        return replacement;
    }

    QString lastProgress;
    int progressCalls = 0;
    QStringList said;
    bool answer = false;
    QString replacement;
    QStringList replacementAsked;
};
