#include "securities/SymbolAddEditFrm.h"

#include "frame/Messages.h"
#include "frame/TextWidths.h"
#include "records/SblBase.h"
#include "securities/SymbolChecks.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <algorithm>

namespace {

// Turns what is typed into upper case as it is typed.
class TUpperValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

QLineEdit *addRow(QDialog *d, int y, const QString &caption, const char *name, int maxLength, int width)
{
    auto *label = new QLabel(caption, d);
    label->setGeometry(12, y + 3, 120, 18);
    auto *edit = new QLineEdit(d);
    edit->setObjectName(QLatin1String(name));
    // Wide enough for the longest text the box takes, so it never scrolls;
    // the web address is the exception and scrolls as an address must.
    if (maxLength <= 40)
        width = std::max(width, TextBoxWidth(edit->font(), maxLength));
    edit->setGeometry(136, y, width, 24);
    edit->setMaxLength(maxLength);
    label->setBuddy(edit);
    return edit;
}

} // namespace

TSymbolAddEditForm::TSymbolAddEditForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SymbolAddEditForm"));
    SymbolEdit = addRow(this, 12, QStringLiteral("Securities Symbol:"), "SymbolEdit", 7, 80);
    SymbolNameEdit = addRow(this, 44, QStringLiteral("Securities Name:"), "SymbolNameEdit", 40, 310);
    WebAddress = addRow(this, 76, QStringLiteral("Web Address:"), "WebAddress", 255, 310);
    WebAddress->resize(SymbolNameEdit->width(), WebAddress->height());
    // The dialog grows with the name box; the buttons keep to its right edge.
    const int width = std::max(460, SymbolNameEdit->geometry().right() + 14);
    setFixedSize(width, 160);
    SymbolEdit->setValidator(new TUpperValidator(SymbolEdit));
    SymbolNameEdit->setValidator(new TUpperValidator(SymbolNameEdit));

    SaveBtn = new QPushButton(QStringLiteral("&Save"), this);
    SaveBtn->setObjectName(QStringLiteral("SaveBtn"));
    SaveBtn->setGeometry(width - 180, 120, 80, 28);
    SaveBtn->setDefault(true);
    DeleteBtn = new QPushButton(QStringLiteral("&Delete"), this);
    DeleteBtn->setObjectName(QStringLiteral("DeleteBtn"));
    DeleteBtn->setGeometry(width - 180, 120, 80, 28);
    DeleteBtn->hide();
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(width - 92, 120, 80, 28);
    connect(SaveBtn, &QPushButton::clicked, this, &TSymbolAddEditForm::SaveBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TSymbolAddEditForm::setDeleteMode(bool deleting)
{
    for (QLineEdit *e : {SymbolEdit, SymbolNameEdit, WebAddress})
        e->setEnabled(!deleting);
    SaveBtn->setVisible(!deleting);
    DeleteBtn->setVisible(deleting);
    DeleteBtn->setDefault(deleting);
    SaveBtn->setDefault(!deleting);
}

void TSymbolAddEditForm::setRecord(const TSymbolRecord &rec)
{
    SymbolEdit->setText(rec.Symbol.text());
    SymbolNameEdit->setText(rec.Name.text());
    WebAddress->setText(rec.WebAddress.text());
}

void TSymbolAddEditForm::readInto(TSymbolRecord &rec) const
{
    rec.Symbol = SymbolEdit->text().toUpper();
    rec.Name = SymbolNameEdit->text();
    rec.WebAddress = WebAddress->text();
}

void TSymbolAddEditForm::SaveBtnClick()
{
    const QString problem = SymbolProblem(SymbolEdit->text());
    if (!problem.isEmpty()) {
        ShowInvalidFields({problem});
        SymbolEdit->setFocus();
        return;
    }
    accept();
}
