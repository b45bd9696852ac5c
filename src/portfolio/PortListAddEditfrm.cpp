#include "portfolio/PortListAddEditfrm.h"

#include "frame/Messages.h"
#include "frame/Stockcfg.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {
QLineEdit *makeEdit(QWidget *parent, const char *name, int maxLength)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(maxLength);
    return e;
}

void grey(QLineEdit *e, bool greyed)
{
    e->setEnabled(!greyed);
    QPalette p = e->palette();
    p.setColor(QPalette::Base, greyed ? e->palette().color(QPalette::Window) : Qt::white);
    e->setPalette(p);
}
} // namespace

TPortListAddEditForm::TPortListAddEditForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PortListAddEditForm"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    auto *grid = new QGridLayout(this);
    FileNameEdit = makeEdit(this, "FileNameEdit", 7);
    PasswordEdit = makeEdit(this, "PasswordEdit", 40);
    PasswordEdit->setEchoMode(QLineEdit::Password);
    VerifyEdit = makeEdit(this, "VerifyEdit", 40);
    VerifyEdit->setEchoMode(QLineEdit::Password);
    NameEdit = makeEdit(this, "NameEdit", 40);
    NoteFileEdit = makeEdit(this, "NoteFileEdit", 255);
    WebSiteEdit = makeEdit(this, "WebSiteEdit", 255);
    BrowseBtn = new QToolButton(this);
    BrowseBtn->setObjectName(QStringLiteral("BrowseBtn"));
    BrowseBtn->setText(QStringLiteral("..."));
    DeleteNoteCheck = new QCheckBox(QStringLiteral("Delete Note File"), this);
    DeleteNoteCheck->setObjectName(QStringLiteral("DeleteNoteCheck"));
    DeleteNoteCheck->hide();

    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("File Name:"), this), row, 0);
    grid->addWidget(FileNameEdit, row++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Password:"), this), row, 0);
    grid->addWidget(PasswordEdit, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("(Case Sensitive)"), this), row++, 2);
    grid->addWidget(new QLabel(QStringLiteral("Verify Password:"), this), row, 0);
    grid->addWidget(VerifyEdit, row++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Name:"), this), row, 0);
    grid->addWidget(NameEdit, row++, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Note File:"), this), row, 0);
    grid->addWidget(NoteFileEdit, row, 1, 1, 2);
    grid->addWidget(BrowseBtn, row++, 3);
    grid->addWidget(new QLabel(QStringLiteral("Broker Web Site:"), this), row, 0);
    grid->addWidget(WebSiteEdit, row++, 1, 1, 2);
    grid->addWidget(DeleteNoteCheck, row++, 1);

    auto *buttons = new QHBoxLayout;
    SaveBtn = new QPushButton(QStringLiteral("&Save"), this);
    SaveBtn->setObjectName(QStringLiteral("SaveBtn"));
    SaveBtn->setDefault(true);
    DeleteBtn = new QPushButton(QStringLiteral("&Delete"), this);
    DeleteBtn->setObjectName(QStringLiteral("DeleteBtn"));
    DeleteBtn->hide();
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    buttons->addStretch();
    buttons->addWidget(SaveBtn);
    buttons->addWidget(DeleteBtn);
    buttons->addWidget(CancelBtn);
    grid->addLayout(buttons, row, 0, 1, 4);

    connect(SaveBtn, &QPushButton::clicked, this, &TPortListAddEditForm::SaveBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(BrowseBtn, &QToolButton::clicked, this, &TPortListAddEditForm::BrowseBtnClick);
    connect(PasswordEdit, &QLineEdit::textChanged, this, &TPortListAddEditForm::PasswordEditChange);
    PasswordEditChange();
}

void TPortListAddEditForm::setList(TWatchDatabase *list, const QString &editingName)
{
    m_list = list;
    m_editingName = editingName;
}

void TPortListAddEditForm::setInput(const TPortfolioInput &in)
{
    FileNameEdit->setText(in.FileName);
    PasswordEdit->setText(in.Password);
    VerifyEdit->setText(in.Verify);
    NameEdit->setText(in.Name);
    NoteFileEdit->setText(in.NoteFile);
    WebSiteEdit->setText(in.WebSite);
    m_securityCode = in.SecurityCode;
    PasswordEditChange();
    VerifyEdit->setText(in.Verify);
}

TPortfolioInput TPortListAddEditForm::input() const
{
    return {FileNameEdit->text(), PasswordEdit->text(), VerifyEdit->text(), NameEdit->text(),
            NoteFileEdit->text(), WebSiteEdit->text(),  m_securityCode};
}

void TPortListAddEditForm::setDeleteMode()
{
    for (QLineEdit *e : {FileNameEdit, PasswordEdit, VerifyEdit, NameEdit, NoteFileEdit, WebSiteEdit})
        grey(e, true);
    BrowseBtn->setEnabled(false);
    SaveBtn->hide();
    DeleteBtn->show();
    DeleteBtn->setDefault(true);
    DeleteNoteCheck->setChecked(false);
    DeleteNoteCheck->show();
}

void TPortListAddEditForm::PasswordEditChange()
{
    const bool on = PasswordEdit->isEnabled() && !PasswordEdit->text().isEmpty();
    if (!on)
        VerifyEdit->clear();
    grey(VerifyEdit, !on);
}

void TPortListAddEditForm::BrowseBtnClick()
{
    const QString start = NoteFileEdit->text().isEmpty() ? GetFolders().Notes : NoteFileEdit->text();
    const QString chosen = QFileDialog::getOpenFileName(this, QString(), start,
                                                        QStringLiteral("Text Files (*.txt);;All Files (*)"));
    if (!chosen.isEmpty())
        NoteFileEdit->setText(chosen);
}

void TPortListAddEditForm::SaveBtnClick()
{
    const QStringList problems =
        PortfolioSaveProblems(input(), FileNameEdit->isEnabled(), m_list, m_editingName);
    for (const QString &p : problems)
        ShowError(p);
    if (problems.isEmpty())
        accept();
}
