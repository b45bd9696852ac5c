#pragma once
// What a long run (import, export, conversion, split, purge, watch, report)
// needs from the person in front of it while it works. The windows implement
// it with the progress window and message boxes; tests with a scripted fake.
// The defaults go through the message module, so most implementations only
// supply progress().

#include "frame/Messages.h"

#include <QString>

class TRunTalk
{
public:
    virtual ~TRunTalk() = default;

    // Replaces the progress message and shows it at once.
    virtual void progress(const QString &message) = 0;

    virtual bool askYesNo(const QString &question) { return AskYesNo(question); }
    virtual void error(const QString &text) { ShowError(text); }
    virtual void warning(const QString &text) { ShowWarning(text); }
    virtual void information(const QString &text) { ShowInformation(text); }
    // Yes/No questions that carry the warning icon (overwrite questions) or
    // the information icon instead of the question icon.
    virtual bool askYesNoWarning(const QString &question)
    {
        return ShowMessageBox(question, TMsgIcon::Warning, TMsgButtons::YesNo) == TMsgResult::Yes;
    }
    virtual bool askYesNoInformation(const QString &question)
    {
        return ShowMessageBox(question, TMsgIcon::Information, TMsgButtons::YesNo) == TMsgResult::Yes;
    }
    // The stored date text (YYYYMMDD) to use instead of an invalid date a
    // quote file gave for `symbol`. Core cannot show the calendar, so the
    // default has none to give; the windows ask with the calendar dialog.
    virtual QString replacementDate(const QString &symbol)
    {
        (void)symbol;
        return {};
    }
};
