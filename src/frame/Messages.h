#pragma once
// Every message box of the program goes through here: the title is always
// "The Quorvane", questions are Yes/No with the question icon. The windows
// install a responder that shows real boxes; tests install one that answers
// from a script and records what was said. Core runs may call these too.

#include <QString>

inline const QString kAppTitle = QStringLiteral("The Quorvane");

enum class TMsgIcon { None, Information, Warning, Error, Question };
enum class TMsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class TMsgResult { Ok, Cancel, Yes, No };

class TMessageResponder
{
public:
    virtual ~TMessageResponder() = default;
    virtual TMsgResult respond(TMsgIcon icon, const QString &text, TMsgButtons buttons) = 0;
};

// The responder is not owned. Passing nullptr restores the silent default,
// which answers No / Cancel / Ok and only writes the text to the debug log.
void SetMessageResponder(TMessageResponder *responder);
TMessageResponder *MessageResponder();

TMsgResult ShowMessageBox(const QString &text, TMsgIcon icon, TMsgButtons buttons = TMsgButtons::Ok);
bool AskYesNo(const QString &question);
void ShowError(const QString &text);
void ShowWarning(const QString &text);
void ShowInformation(const QString &text);

// "Invalid Data Has Been Entered For The Following Fields:", an empty line,
// then one line per failed field: the one error box of every entry dialog.
void ShowInvalidFields(const QStringList &fields);
