#include "securities/StockDataListAddEditFrm.h"

#include "frame/DateBoxUi.h"
#include "frame/FixedLayoutUi.h"
#include "frame/Messages.h"
#include "frame/Stockcfg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

QPushButton *button(QWidget *parent, const QString &caption, const char *name, int x, int y)
{
    return PlaceButton(parent, caption, name, {x, y, 80, 26});
}

} // namespace

TStockDataListAddEditForm::TStockDataListAddEditForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("StockDataListAddEditForm"));
    setFixedSize(440, 196);

    auto *dateLabel = new QLabel(QStringLiteral("Date:"), this);
    dateLabel->setGeometry(16, 19, 60, 18);
    DateField = new TDateBox(this, QStringLiteral("DateBtn"));
    DateField->setObjectName(QStringLiteral("DateField"));
    DateField->setGeometry(80, 16, 130, 24);
    dateLabel->setBuddy(DateField->edit());

    const bool volumeFirst = GetInputOptions().FieldOrder == 1;
    struct Row
    {
        QLineEdit **edit;
        const char *name;
        const char *caption;
    };
    const QList<Row> rows = volumeFirst ? QList<Row>{{&VolumeField, "VolumeField", "Volume:"},
                                                     {&HighField, "HighField", "High:"},
                                                     {&LowField, "LowField", "Low:"},
                                                     {&CloseField, "CloseField", "Close:"}}
                                        : QList<Row>{{&HighField, "HighField", "High:"},
                                                     {&LowField, "LowField", "Low:"},
                                                     {&CloseField, "CloseField", "Close:"},
                                                     {&VolumeField, "VolumeField", "Volume:"}};
    int top = 40;
    QWidget *previous = DateField->button();
    QWidget::setTabOrder(DateField->edit(), DateField->button());
    for (const Row &r : rows) {
        auto *label = new QLabel(QString::fromLatin1(r.caption), this);
        label->setGeometry(16, top + 3, 60, 18);
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(r.name));
        edit->setGeometry(80, top, 130, 22);
        label->setBuddy(edit);
        *r.edit = edit;
        QWidget::setTabOrder(previous, edit);
        previous = edit;
        top += 24;
    }

    SaveBtn = button(this, QStringLiteral("&Save"), "SaveBtn", 250, 156);
    SaveBtn->setDefault(true);
    DeleteBtn = button(this, QStringLiteral("&Delete"), "DeleteBtn", 250, 156);
    DeleteBtn->hide();
    CancelBtn = button(this, QStringLiteral("Cancel"), "CancelBtn", 340, 156);
    AbortBtn = button(this, QStringLiteral("Abort Quick"), "AbortBtn", 160, 156);
    AbortBtn->hide();
    QWidget::setTabOrder(previous, SaveBtn);
    QWidget::setTabOrder(SaveBtn, DeleteBtn);
    QWidget::setTabOrder(DeleteBtn, CancelBtn);
    QWidget::setTabOrder(CancelBtn, AbortBtn);

    connect(SaveBtn, &QPushButton::clicked, this, &TStockDataListAddEditForm::SaveBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(AbortBtn, &QPushButton::clicked, this, [this] { done(AbortResult); });
}

void TStockDataListAddEditForm::setDeleteMode(bool deleting)
{
    DateField->setEnabled(!deleting);
    for (QLineEdit *e : {HighField, LowField, CloseField, VolumeField})
        e->setEnabled(!deleting);
    SaveBtn->setVisible(!deleting);
    DeleteBtn->setVisible(deleting);
    DeleteBtn->setDefault(deleting);
}

void TStockDataListAddEditForm::setQuickMode(bool quick)
{
    AbortBtn->setVisible(quick);
}

void TStockDataListAddEditForm::setEntry(const TPriceEntryTexts &e)
{
    DateField->setText(e.Date);
    HighField->setText(e.High);
    LowField->setText(e.Low);
    CloseField->setText(e.Close);
    VolumeField->setText(e.Volume);
    // A split-adjusted price can be wider than its edit; its leading digits
    // matter most, so every edit shows its start.
    for (QLineEdit *edit : {HighField, LowField, CloseField, VolumeField})
        edit->setCursorPosition(0);
}

TPriceEntryTexts TStockDataListAddEditForm::entry() const
{
    return {DateField->text(), HighField->text(), LowField->text(), CloseField->text(), VolumeField->text()};
}

void TStockDataListAddEditForm::SaveBtnClick()
{
    TPriceEntryTexts e = entry();
    const QStringList problems = CheckPriceEntry(e);
    // The empty High and Low took the close; the edits show it.
    HighField->setText(e.High);
    LowField->setText(e.Low);
    if (!problems.isEmpty()) {
        ShowInvalidFields(problems);
        return;
    }
    accept();
}
