#include "frame/ModalUi.h"

#include "frame/Messages.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <deque>

namespace {

std::deque<TModalScript> g_scripts;
bool g_strict = false;
QStringList g_unexpected;

class TMessageBoxResponder : public TMessageResponder
{
public:
    TMsgResult respond(TMsgIcon icon, const QString &text, TMsgButtons buttons) override
    {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(kAppTitle);
        // Texts of the program break lines with lone carriage returns too.
        QString shown = text;
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        box.setText(shown);
        switch (icon) {
        case TMsgIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case TMsgIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case TMsgIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case TMsgIcon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case TMsgIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        }
        switch (buttons) {
        case TMsgButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case TMsgButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case TMsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case TMsgButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Yes:
            return TMsgResult::Yes;
        case QMessageBox::No:
            return TMsgResult::No;
        case QMessageBox::Ok:
            return TMsgResult::Ok;
        default:
            return TMsgResult::Cancel;
        }
    }
};

} // namespace

int ExecModal(QDialog *dialog)
{
    if (!g_scripts.empty()) {
        TModalScript script = std::move(g_scripts.front());
        g_scripts.pop_front();
        const int result = script(dialog);
        dialog->setResult(result);
        return result;
    }
    if (g_strict) {
        const QString title = dialog->windowTitle();
        g_unexpected << (title.isEmpty() ? QString::fromLatin1(dialog->metaObject()->className()) : title);
        dialog->setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    return dialog->exec();
}

void QueueModalScript(TModalScript script)
{
    g_scripts.push_back(std::move(script));
}

int PendingModalScripts()
{
    return int(g_scripts.size());
}

void SetModalStrict(bool strict)
{
    g_strict = strict;
}

QStringList UnexpectedModals()
{
    return g_unexpected;
}

void ClearModalScripts()
{
    g_scripts.clear();
    g_unexpected.clear();
}

void InstallMessageBoxes()
{
    static TMessageBoxResponder responder;
    SetMessageResponder(&responder);
}
