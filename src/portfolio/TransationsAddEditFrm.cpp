#include "portfolio/TransationsAddEditFrm.h"

#include "frame/DateBoxUi.h"
#include "frame/Messages.h"
#include "securities/SymbolLookup.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

void ShowSymbolName(QLabel *label, const QString &symbol)
{
    const TSymbolName n = SymbolName(symbol);
    label->setText(n.Name);
    label->setStyleSheet(n.Color ? QStringLiteral("color: #FF0000") : QStringLiteral("color: #000000"));
}

namespace {
QLineEdit *makeEdit(QWidget *parent, const char *name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

void grey(QLineEdit *e)
{
    e->setEnabled(false);
    QPalette p = e->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    e->setPalette(p);
}
} // namespace

TTransationAddEditForm::TTransationAddEditForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TransationAddEditForm"));
    setWindowTitle(QStringLiteral("Transation"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    auto *grid = new QGridLayout(this);
    SymbolEdit = makeEdit(this, "SymbolEdit");
    SymbolEdit->setMaxLength(7);
    NameLabel = new QLabel(this);
    NameLabel->setObjectName(QStringLiteral("NameLabel"));
    NameLabel->setMinimumWidth(220);
    DateEdit = new TDateBox(this, QStringLiteral("DateBtn"));
    DateEdit->setObjectName(QStringLiteral("DateEdit"));
    SharesEdit = makeEdit(this, "SharesEdit");
    PriceEdit = makeEdit(this, "PriceEdit");
    FeeEdit = makeEdit(this, "FeeEdit");
    TotalEdit = makeEdit(this, "TotalEdit");
    TotalEdit->setReadOnly(true);
    grey(TotalEdit);

    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("Symbol:"), this), row, 0);
    grid->addWidget(SymbolEdit, row, 1);
    grid->addWidget(NameLabel, row++, 2);
    grid->addWidget(new QLabel(QStringLiteral("Date:"), this), row, 0);
    grid->addWidget(DateEdit, row++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Shares"), this), row, 0);
    grid->addWidget(SharesEdit, row++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Price:"), this), row, 0);
    grid->addWidget(PriceEdit, row++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Fee"), this), row, 0);
    grid->addWidget(FeeEdit, row++, 1);
    auto *type = new QGroupBox(QStringLiteral("Transation Type"), this);
    auto *typeLayout = new QVBoxLayout(type);
    BoughtBtn = new QRadioButton(QStringLiteral("Bought"), type);
    BoughtBtn->setObjectName(QStringLiteral("BoughtBtn"));
    BoughtBtn->setChecked(true);
    SoldBtn = new QRadioButton(QStringLiteral("Sold"), type);
    SoldBtn->setObjectName(QStringLiteral("SoldBtn"));
    typeLayout->addWidget(BoughtBtn);
    typeLayout->addWidget(SoldBtn);
    grid->addWidget(type, 2, 2, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Total:"), this), row, 0);
    grid->addWidget(TotalEdit, row++, 1);

    auto *buttons = new QHBoxLayout;
    SaveBtn = new QPushButton(QStringLiteral("&Save"), this);
    SaveBtn->setObjectName(QStringLiteral("SaveBtn"));
    SaveBtn->setDefault(true);
    DeleteBtn = new QPushButton(QStringLiteral("&Delete"), this);
    DeleteBtn->setObjectName(QStringLiteral("DeleteBtn"));
    DeleteBtn->hide();
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    buttons->addStretch();
    buttons->addWidget(SaveBtn);
    buttons->addWidget(DeleteBtn);
    buttons->addWidget(CancelBtn);
    grid->addLayout(buttons, row, 0, 1, 3);

    connect(SaveBtn, &QPushButton::clicked, this, &TTransationAddEditForm::SaveBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(SymbolEdit, &QLineEdit::textEdited, this, [this](const QString &t) {
        const int pos = SymbolEdit->cursorPosition();
        SymbolEdit->setText(t.toUpper());
        SymbolEdit->setCursorPosition(pos);
    });
    connect(SymbolEdit, &QLineEdit::textChanged, this, &TTransationAddEditForm::SymbolEditChange);
    for (QLineEdit *e : {SharesEdit, PriceEdit, FeeEdit})
        connect(e, &QLineEdit::textChanged, this, &TTransationAddEditForm::UpdateTotal);
    connect(BoughtBtn, &QRadioButton::clicked, this, &TTransationAddEditForm::UpdateTotal);
    connect(SoldBtn, &QRadioButton::clicked, this, &TTransationAddEditForm::UpdateTotal);
    SymbolEditChange();
    UpdateTotal();
}

void TTransationAddEditForm::setInput(const TTransInput &in)
{
    SymbolEdit->setText(in.Symbol);
    DateEdit->setText(in.Date);
    SharesEdit->setText(in.Shares);
    PriceEdit->setText(in.Price);
    FeeEdit->setText(in.Fee);
    (in.Sold ? SoldBtn : BoughtBtn)->setChecked(true);
    UpdateTotal();
}

TTransInput TTransationAddEditForm::input() const
{
    return {SymbolEdit->text().toUpper(),
            DateEdit->text(),
            SharesEdit->text(),
            PriceEdit->text(),
            FeeEdit->text(),
            SoldBtn->isChecked()};
}

void TTransationAddEditForm::setDeleteMode()
{
    for (QLineEdit *e : {SymbolEdit, SharesEdit, PriceEdit, FeeEdit})
        grey(e);
    DateEdit->edit()->setEnabled(false);
    DateEdit->button()->setEnabled(false);
    BoughtBtn->setEnabled(false);
    SoldBtn->setEnabled(false);
    SaveBtn->hide();
    DeleteBtn->show();
    DeleteBtn->setDefault(true);
}

void TTransationAddEditForm::SymbolEditChange()
{
    ShowSymbolName(NameLabel, SymbolEdit->text().toUpper());
}

void TTransationAddEditForm::UpdateTotal()
{
    TotalEdit->setText(TransactionTotalText(input()));
}

void TTransationAddEditForm::SaveBtnClick()
{
    const QStringList lines = TransactionProblems(input());
    if (!lines.isEmpty()) {
        ShowInvalidFields(lines);
        return;
    }
    accept();
}

bool TTransationAddEditForm::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        SymbolEditChange();
        UpdateTotal();
    }
    return QDialog::event(event);
}
