#include "portfolio/DividendAddEditFrm.h"

#include "frame/DateBoxUi.h"
#include "frame/Messages.h"
#include "portfolio/TransationsAddEditFrm.h"

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

namespace {
void grey(QLineEdit *e)
{
    e->setEnabled(false);
    QPalette p = e->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    e->setPalette(p);
}
} // namespace

TDividendAddEditForm::TDividendAddEditForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DividendAddEditForm"));
    setWindowTitle(QStringLiteral("Dividends"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    auto *grid = new QGridLayout(this);
    SymbolEdit = new QLineEdit(this);
    SymbolEdit->setObjectName(QStringLiteral("SymbolEdit"));
    SymbolEdit->setMaxLength(7);
    NameLabel = new QLabel(this);
    NameLabel->setObjectName(QStringLiteral("NameLabel"));
    NameLabel->setMinimumWidth(220);
    DateEdit = new TDateBox(this, QStringLiteral("DateBtn"));
    DateEdit->setObjectName(QStringLiteral("DateEdit"));
    DividendEdit = new QLineEdit(this);
    DividendEdit->setObjectName(QStringLiteral("DividendEdit"));
    grid->addWidget(new QLabel(QStringLiteral("Symbol:"), this), 0, 0);
    grid->addWidget(SymbolEdit, 0, 1);
    grid->addWidget(NameLabel, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Date:"), this), 1, 0);
    grid->addWidget(DateEdit, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Dividend:"), this), 2, 0);
    grid->addWidget(DividendEdit, 2, 1);
    auto *type = new QGroupBox(QStringLiteral("Transation Type"), this);
    auto *typeLayout = new QVBoxLayout(type);
    ReceivedBtn = new QRadioButton(QStringLiteral("Received"), type);
    ReceivedBtn->setObjectName(QStringLiteral("ReceivedBtn"));
    ReceivedBtn->setChecked(true);
    DistributedBtn = new QRadioButton(QStringLiteral("Distribuited"), type);
    DistributedBtn->setObjectName(QStringLiteral("DistributedBtn"));
    typeLayout->addWidget(ReceivedBtn);
    typeLayout->addWidget(DistributedBtn);
    grid->addWidget(type, 1, 2, 2, 1);

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
    grid->addLayout(buttons, 3, 0, 1, 3);

    connect(SaveBtn, &QPushButton::clicked, this, &TDividendAddEditForm::SaveBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(SymbolEdit, &QLineEdit::textEdited, this, [this](const QString &t) {
        const int pos = SymbolEdit->cursorPosition();
        SymbolEdit->setText(t.toUpper());
        SymbolEdit->setCursorPosition(pos);
    });
    connect(SymbolEdit, &QLineEdit::textChanged, this,
            [this](const QString &t) { ShowSymbolName(NameLabel, t.toUpper()); });
    ShowSymbolName(NameLabel, QString());
}

void TDividendAddEditForm::setInput(const TDividendInput &in)
{
    SymbolEdit->setText(in.Symbol);
    DateEdit->setText(in.Date);
    DividendEdit->setText(in.Amount);
    (in.Distributed ? DistributedBtn : ReceivedBtn)->setChecked(true);
}

TDividendInput TDividendAddEditForm::input() const
{
    return {SymbolEdit->text().toUpper(), DateEdit->text(), DividendEdit->text(),
            DistributedBtn->isChecked()};
}

void TDividendAddEditForm::setDeleteMode()
{
    grey(SymbolEdit);
    grey(DividendEdit);
    DateEdit->edit()->setEnabled(false);
    DateEdit->button()->setEnabled(false);
    ReceivedBtn->setEnabled(false);
    DistributedBtn->setEnabled(false);
    SaveBtn->hide();
    DeleteBtn->show();
    DeleteBtn->setDefault(true);
}

void TDividendAddEditForm::SaveBtnClick()
{
    const QStringList lines = DividendProblems(input());
    if (!lines.isEmpty()) {
        ShowInvalidFields(lines);
        return;
    }
    accept();
}

bool TDividendAddEditForm::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        ShowSymbolName(NameLabel, SymbolEdit->text().toUpper());
    return QDialog::event(event);
}
