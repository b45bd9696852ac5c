#pragma once
// The window list: a register of the open modeless windows by caption, so the
// user can bring one to the front ("&List" in the main menu). Modeless windows
// call WindowListAdd when shown and WindowListRemove when hidden or closed;
// both do nothing while no window list exists (as in most tests). A window
// the user only minimises stays listed (it is still open), and an entry never
// outlives its window.

#include <QDialog>

class QListWidget;
class QPushButton;

class TWindowListForm : public QDialog
{
    Q_OBJECT
public:
    explicit TWindowListForm(QWidget *parent = nullptr);
    ~TWindowListForm() override;

    // Adds the window under its caption unless that caption is listed already.
    void addWindow(QWidget *window);
    void removeWindow(QWidget *window);
    QWidget *findWindow(const QString &caption) const;
    QStringList captions() const;
    // The window of the selected item, or nullptr.
    QWidget *selectedWindow() const;

    QListWidget *WindowList = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

private:
    void dropDeadEntries() const;
};

// The one window list of the program, created at start-up.
extern TWindowListForm *WindowListForm;

void WindowListAdd(QWidget *window);
void WindowListRemove(QWidget *window);
// The listed window with that caption, or nullptr: a command that would open
// a window whose caption is listed brings that window forward instead.
QWidget *WindowListFind(const QString &caption);
// Shows the window, restoring it when minimised, and brings it to the front.
void BringWindowForward(QWidget *window);
