#include "frame/WindowListFrm.h"

#include <QListWidget>
#include <QPushButton>

TWindowListForm *WindowListForm = nullptr;

namespace {
constexpr int kWindowRole = Qt::UserRole + 1;
}

TWindowListForm::TWindowListForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("WindowListForm"));
    setWindowTitle(QStringLiteral("Window List"));
    setFixedSize(374, 259);
    WindowList = new QListWidget(this);
    WindowList->setObjectName(QStringLiteral("WindowList"));
    WindowList->setGeometry(6, 8, 361, 193);
    WindowList->setSortingEnabled(true);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(110, 216, 75, 25);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(194, 216, 75, 25);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(WindowList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

TWindowListForm::~TWindowListForm()
{
    if (WindowListForm == this)
        WindowListForm = nullptr;
}

void TWindowListForm::addWindow(QWidget *window)
{
    if (!window || findWindow(window->windowTitle()))
        return;
    auto *item = new QListWidgetItem(window->windowTitle());
    item->setData(kWindowRole, QVariant::fromValue(static_cast<QObject *>(window)));
    WindowList->addItem(item);
}

void TWindowListForm::removeWindow(QWidget *window)
{
    if (!window)
        return;
    const auto items = WindowList->findItems(window->windowTitle(), Qt::MatchExactly);
    for (QListWidgetItem *item : items)
        delete item;
}

QWidget *TWindowListForm::findWindow(const QString &caption) const
{
    const auto items = WindowList->findItems(caption, Qt::MatchExactly);
    if (items.isEmpty())
        return nullptr;
    return qobject_cast<QWidget *>(items.first()->data(kWindowRole).value<QObject *>());
}

QStringList TWindowListForm::captions() const
{
    QStringList out;
    for (int i = 0; i < WindowList->count(); ++i)
        out << WindowList->item(i)->text();
    return out;
}

QWidget *TWindowListForm::selectedWindow() const
{
    QListWidgetItem *item = WindowList->currentItem();
    if (!item || !item->isSelected())
        return nullptr;
    return qobject_cast<QWidget *>(item->data(kWindowRole).value<QObject *>());
}

void WindowListAdd(QWidget *window)
{
    if (WindowListForm)
        WindowListForm->addWindow(window);
}

void WindowListRemove(QWidget *window)
{
    if (WindowListForm)
        WindowListForm->removeWindow(window);
}

QWidget *WindowListFind(const QString &caption)
{
    return WindowListForm ? WindowListForm->findWindow(caption) : nullptr;
}
