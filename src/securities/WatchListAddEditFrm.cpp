#include "securities/WatchListAddEditFrm.h"

#include "frame/FixedLayoutUi.h"
#include "frame/Messages.h"
#include "frame/ModalUi.h"
#include "frame/Stockcfg.h"
#include "securities/SymbolLookup.h"
#include "securities/WatchList.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

namespace {

class TUpperCase : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

QPushButton *button(QWidget *parent, const QString &caption, const char *name, int x, int y)
{
    return PlaceButton(parent, caption, name, {x, y, 80, 26});
}

} // namespace

TWatchListAddEditForm::TWatchListAddEditForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("WatchListAddEditForm"));
    setFixedSize(435, 151);
    auto *l1 = new QLabel(QStringLiteral("Securities Symbol:"), this);
    l1->setGeometry(8, 14, 130, 18);
    Symbol = new QLineEdit(this);
    Symbol->setObjectName(QStringLiteral("Symbol"));
    Symbol->setGeometry(140, 10, 80, 24);
    Symbol->setMaxLength(7);
    Symbol->setValidator(new TUpperCase(Symbol));
    l1->setBuddy(Symbol);
    SecurityName = new QLabel(this);
    SecurityName->setObjectName(QStringLiteral("SecurityName"));
    SecurityName->setGeometry(228, 14, 200, 18);

    auto *l2 = new QLabel(QStringLiteral("Securities Note File:"), this);
    l2->setGeometry(8, 48, 130, 18);
    NoteFile = new QLineEdit(this);
    NoteFile->setObjectName(QStringLiteral("NoteFile"));
    NoteFile->setGeometry(140, 44, 252, 24);
    NoteFile->setMaxLength(255);
    l2->setBuddy(NoteFile);
    NoteBtn = button(this, QStringLiteral("..."), "NoteBtn", 398, 44);
    NoteBtn->setFixedWidth(28);

    CheckBox1 = new QCheckBox(QStringLiteral("Delete Securities Note File"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(140, 78, 250, 20);
    CheckBox1->hide();

    SaveBtn = button(this, QStringLiteral("&Save"), "SaveBtn", 252, 114);
    SaveBtn->setDefault(true);
    DeleteBtn = button(this, QStringLiteral("&Delete"), "DeleteBtn", 252, 114);
    DeleteBtn->hide();
    CancelBtn = button(this, QStringLiteral("&Cancel"), "CancelBtn", 340, 114);

    connect(Symbol, &QLineEdit::textChanged, this, &TWatchListAddEditForm::SymbolChange);
    connect(NoteBtn, &QPushButton::clicked, this, &TWatchListAddEditForm::NoteBtnClick);
    connect(SaveBtn, &QPushButton::clicked, this, &TWatchListAddEditForm::SaveBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    SymbolChange();
}

void TWatchListAddEditForm::setDeleteMode(bool deleting)
{
    for (QWidget *w :
         {static_cast<QWidget *>(Symbol), static_cast<QWidget *>(NoteFile), static_cast<QWidget *>(NoteBtn)})
        w->setEnabled(!deleting);
    SaveBtn->setVisible(!deleting);
    DeleteBtn->setVisible(deleting);
    DeleteBtn->setDefault(deleting);
    CheckBox1->setVisible(deleting);
}

void TWatchListAddEditForm::setRecord(const TListRecord &rec)
{
    Symbol->setText(rec.FileName.text());
    NoteFile->setText(rec.NoteFile.text());
    SymbolChange();
}

TWatchEntryTexts TWatchListAddEditForm::entry() const
{
    return {Symbol->text().toUpper(), SecurityName->text(), NoteFile->text()};
}

void TWatchListAddEditForm::SymbolChange()
{
    // Looked up as it will be stored (blanks around it dropped), so the name
    // shown, checked for duplicates and stored belongs to the stored symbol.
    const TSymbolName found = SymbolName(Symbol->text().trimmed().toUpper());
    SecurityName->setText(found.Name);
    SecurityName->setStyleSheet(found.Color ? QStringLiteral("color: #ff0000")
                                            : QStringLiteral("color: #000000"));
}

void TWatchListAddEditForm::NoteBtnClick()
{
    QFileDialog dialog(this, QString(), GetFolders().Notes,
                       QStringLiteral("Text Files (*.txt);;All Files (*)"));
    dialog.selectFile(NoteFile->text());
    if (ExecModal(&dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    // The edit would cut a longer path to its 255 places without a word and
    // the entry would point at another file; say so and keep the old text.
    const QString chosen = dialog.selectedFiles().first();
    if (chosen.size() > NoteFile->maxLength()) {
        ShowInvalidFields({kNotePathProblem});
        return;
    }
    NoteFile->setText(chosen);
}

void TWatchListAddEditForm::SaveBtnClick()
{
    const QStringList problems = CheckWatchEntry(entry());
    if (!problems.isEmpty()) {
        ShowInvalidFields(problems);
        Symbol->setFocus();
        return;
    }
    accept();
}
