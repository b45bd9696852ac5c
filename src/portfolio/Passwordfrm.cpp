#include "portfolio/Passwordfrm.h"

#include "frame/ModalUi.h"
#include "frame/StdUnitShellUi.h"
#include "frame/Stockcfg.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TPasswordForm::TPasswordForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PasswordForm"));
    setWindowTitle(QStringLiteral("Portfolio Protected"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    auto *grid = new QGridLayout(this);
    PortfolioEdit = new QLineEdit(this);
    PortfolioEdit->setObjectName(QStringLiteral("PortfolioEdit"));
    PortfolioEdit->setReadOnly(true);
    PortfolioEdit->setEnabled(false);
    PasswordEdit = new QLineEdit(this);
    PasswordEdit->setObjectName(QStringLiteral("PasswordEdit"));
    PasswordEdit->setEchoMode(QLineEdit::Password);
    PasswordEdit->setMaxLength(40);
    grid->addWidget(new QLabel(QStringLiteral("Portfolio:"), this), 0, 0);
    grid->addWidget(PortfolioEdit, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Password:"), this), 1, 0);
    grid->addWidget(PasswordEdit, 1, 1, 1, 2);
    LoginBtn = new QPushButton(QStringLiteral("Login"), this);
    LoginBtn->setObjectName(QStringLiteral("LoginBtn"));
    LoginBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    grid->addWidget(LoginBtn, 2, 1);
    grid->addWidget(CancelBtn, 2, 2);
    connect(LoginBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
}

void TAccessTalkUi::playSound(const QString &waveFile)
{
    PlaySoundFile(ProgramFolder() + waveFile, false);
}

bool TAccessTalkUi::askPassword(const QString &portfolioName, QString *typed)
{
    // Centred on the screen, as a login prompt is: no owner to centre on.
    TPasswordForm dialog(nullptr);
    (void)m_owner;
    dialog.PortfolioEdit->setText(portfolioName);
    if (ExecModal(&dialog) != QDialog::Accepted)
        return false;
    *typed = dialog.PasswordEdit->text();
    return true;
}
