#include "frame/WindowListFrm.h"

#include <QListWidget>
#include <QPointer>
#include <QPushButton>

TWindowListForm *WindowListForm = nullptr;

namespace {
constexpr int kWindowRole = Qt::UserRole + 1;

// Each entry holds a guarded pointer, so a window deleted without being
// hidden first (or deleted while minimised) can never be handed out.
QWidget *windowOf(const QListWidgetItem *item)
{
    return qobject_cast<QWidget *>(item->data(kWindowRole).value<QPointer<QObject>>().data());
}
} // namespace

TWindowListForm::TWindowListForm(QWidget *parent) : QDialog(parent)
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

void TWindowListForm::dropDeadEntries() const
{
    for (int i = WindowList->count() - 1; i >= 0; --i)
        if (!windowOf(WindowList->item(i)))
            delete WindowList->item(i);
}

void TWindowListForm::addWindow(QWidget *window)
{
    if (!window || findWindow(window->windowTitle()))
        return;
    auto *item = new QListWidgetItem(window->windowTitle());
    item->setData(kWindowRole, QVariant::fromValue(QPointer<QObject>(window)));
    WindowList->addItem(item);
}

void TWindowListForm::removeWindow(QWidget *window)
{
    if (!window)
        return;
    // Minimising sends a hide event while the window stays open: keep it
    // listed, or a second window of the same caption could be opened.
    if (window->isVisible() && window->isMinimized())
        return;
    // Only this window's own entry goes: another window may carry the same
    // caption for a moment (a rename in progress).
    for (int i = WindowList->count() - 1; i >= 0; --i) {
        QListWidgetItem *item = WindowList->item(i);
        if (windowOf(item) == window || !windowOf(item))
            delete item;
    }
}

QWidget *TWindowListForm::findWindow(const QString &caption) const
{
    dropDeadEntries();
    const auto items = WindowList->findItems(caption, Qt::MatchExactly);
    return items.isEmpty() ? nullptr : windowOf(items.first());
}

QStringList TWindowListForm::captions() const
{
    dropDeadEntries();
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
    return windowOf(item);
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

void BringWindowForward(QWidget *window)
{
    if (!window)
        return;
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}
