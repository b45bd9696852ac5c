#include "securities/SplitFrm.h"

#include "frame/DateBoxUi.h"
#include "frame/Messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TSplitForm::TSplitForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SplitForm"));
    setFixedSize(435, 225);
    auto *l1 = new QLabel(QStringLiteral("Stock Split  Effective On:"), this);
    l1->setGeometry(24, 36, 170, 18);
    SplitDate = new TDateBox(this, QStringLiteral("DateBtn"));
    SplitDate->setObjectName(QStringLiteral("SplitDate"));
    SplitDate->setGeometry(200, 32, 140, 24);
    AfterSplit = new QLineEdit(this);
    AfterSplit->setObjectName(QStringLiteral("AfterSplit"));
    AfterSplit->setGeometry(60, 96, 70, 24);
    auto *l2 = new QLabel(QStringLiteral("For"), this);
    l2->setGeometry(140, 99, 30, 18);
    BeforeSplit = new QLineEdit(this);
    BeforeSplit->setObjectName(QStringLiteral("BeforeSplit"));
    BeforeSplit->setGeometry(176, 96, 70, 24);
    auto *l3 = new QLabel(QStringLiteral("Stock Split"), this);
    l3->setGeometry(256, 99, 100, 18);
    SplitBtn = new QPushButton(QStringLiteral("&Split"), this);
    SplitBtn->setObjectName(QStringLiteral("SplitBtn"));
    SplitBtn->setGeometry(240, 180, 84, 28);
    SplitBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(332, 180, 84, 28);
    connect(SplitBtn, &QPushButton::clicked, this, &TSplitForm::SplitBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TSplitEntry TSplitForm::entry() const
{
    return {SplitDate->text(), AfterSplit->text(), BeforeSplit->text()};
}

void TSplitForm::SplitBtnClick()
{
    const QStringList problems = CheckSplitEntry(entry());
    if (!problems.isEmpty()) {
        ShowInvalidFields(problems);
        return;
    }
    accept();
}
