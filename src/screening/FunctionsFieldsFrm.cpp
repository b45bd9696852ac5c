#include "screening/FunctionsFieldsFrm.h"

#include "screening/StdUnitExpr.h"

#include <QListWidget>
#include <QPushButton>

TFunctionsFieldsForm::TFunctionsFieldsForm(TKind kind, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FunctionsFieldsForm"));
    setWindowTitle(kind == Functions ? QStringLiteral("List Of Valid Functions")
                                     : QStringLiteral("List Of Valid Fields"));
    setFixedSize(280, 240);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 8, 264, 186);
    if (kind == Functions) {
        for (const char *signature : kFunctionSignatures)
            ListBox1->addItem(QString::fromLatin1(signature));
    } else {
        for (const char *field : kFieldNames)
            ListBox1->addItem(QString::fromLatin1(field));
    }
    ListBox1->setCurrentRow(0);

    InsertBtn = new QPushButton(QStringLiteral("&Insert"), this);
    InsertBtn->setObjectName(QStringLiteral("InsertBtn"));
    InsertBtn->setGeometry(104, 204, 80, 25);
    InsertBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(192, 204, 80, 25);

    connect(InsertBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

QString TFunctionsFieldsForm::selectedText() const
{
    const QListWidgetItem *item = ListBox1->currentItem();
    return item ? item->text() : QString();
}
