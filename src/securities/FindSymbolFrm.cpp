#include "securities/FindSymbolFrm.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

TFindSymbolForm::TFindSymbolForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FindSymbolForm"));
    setWindowTitle(QStringLiteral("Find Symbol Information"));
    setFixedSize(360, 150);
    auto *label = new QLabel(QStringLiteral("Find What:"), this);
    label->setGeometry(12, 15, 80, 18);
    FindWhat = new QLineEdit(this);
    FindWhat->setObjectName(QStringLiteral("FindWhat"));
    FindWhat->setGeometry(96, 12, 250, 24);
    FindWhat->setMaxLength(40);
    label->setBuddy(FindWhat);
    auto *group = new QGroupBox(this);
    group->setGeometry(12, 46, 200, 56);
    FindSymbol = new QRadioButton(QStringLiteral("Symbol"), group);
    FindSymbol->setObjectName(QStringLiteral("FindSymbol"));
    FindSymbol->setGeometry(10, 18, 80, 22);
    FindSymbol->setChecked(true);
    FindName = new QRadioButton(QStringLiteral("Name"), group);
    FindName->setObjectName(QStringLiteral("FindName"));
    FindName->setGeometry(100, 18, 80, 22);
    FindBtn = new QPushButton(QStringLiteral("&Find"), this);
    FindBtn->setObjectName(QStringLiteral("FindBtn"));
    FindBtn->setGeometry(180, 112, 80, 28);
    FindBtn->setDefault(true);
    FindBtn->setEnabled(false);
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(268, 112, 80, 28);
    connect(FindWhat, &QLineEdit::textChanged, this,
            [this](const QString &t) { FindBtn->setEnabled(!t.isEmpty()); });
    connect(FindBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}
