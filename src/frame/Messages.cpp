#include "frame/Messages.h"

#include <QDebug>
#include <QStringList>

namespace {
TMessageResponder *g_responder = nullptr;
}

void SetMessageResponder(TMessageResponder *responder)
{
    g_responder = responder;
}

TMessageResponder *MessageResponder()
{
    return g_responder;
}

TMsgResult ShowMessageBox(const QString &text, TMsgIcon icon, TMsgButtons buttons)
{
    if (g_responder)
        return g_responder->respond(icon, text, buttons);
    qDebug().noquote() << "message (no responder):" << text;
    switch (buttons) {
    case TMsgButtons::Ok:
        return TMsgResult::Ok;
    case TMsgButtons::OkCancel:
    case TMsgButtons::YesNoCancel:
        return TMsgResult::Cancel;
    case TMsgButtons::YesNo:
        return TMsgResult::No;
    }
    return TMsgResult::Cancel;
}

bool AskYesNo(const QString &question)
{
    return ShowMessageBox(question, TMsgIcon::Question, TMsgButtons::YesNo) == TMsgResult::Yes;
}

void ShowError(const QString &text)
{
    ShowMessageBox(text, TMsgIcon::Error);
}

void ShowWarning(const QString &text)
{
    ShowMessageBox(text, TMsgIcon::Warning);
}

void ShowInformation(const QString &text)
{
    ShowMessageBox(text, TMsgIcon::Information);
}

void ShowInvalidFields(const QStringList &fields)
{
    QStringList lines{QStringLiteral("Invalid Data Has Been Entered For The Following Fields:"), QString()};
    lines += fields;
    ShowError(lines.join(QLatin1Char('\n')));
}
