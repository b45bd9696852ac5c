#pragma once
// Every modal dialog is shown through ExecModal, so that tests can stand in
// for the user: a test queues a script that fills the dialog's controls and
// returns the button "pressed" (QDialog::Accepted / Rejected or a custom
// code). In strict mode a dialog that no script expected is not shown at all
// but recorded as unexpected and rejected, so a missing prompt cannot pass.

#include <QStringList>
#include <functional>

class QDialog;

using TModalScript = std::function<int(QDialog *)>;

int ExecModal(QDialog *dialog);

void QueueModalScript(TModalScript script);
int PendingModalScripts();
void SetModalStrict(bool strict);
// Window titles (or class names) of dialogs shown without a script in strict mode.
QStringList UnexpectedModals();
void ClearModalScripts();

// Installs the message-box responder that shows real boxes with the program's
// title and icons.
void InstallMessageBoxes();
