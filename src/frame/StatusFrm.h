#pragma once
// The progress window: a small centred window with an animation and a
// message, shown while a long operation runs on the one thread. The user of
// the window sets caption and message, shows it, and calls setMessage after
// each step, which repaints at once.

#include "frame/RunTalk.h"

#include <QDialog>

class QLabel;
class QProgressBar;

class TStatusForm : public QDialog
{
    Q_OBJECT
public:
    explicit TStatusForm(QWidget *owner = nullptr);

    void setMessage(const QString &message);
    QString message() const;
    // The animation stands in for a file-copy animation: a busy bar.
    void setAnimationActive(bool active);
    void setAnimationVisible(bool visible);
    void setMessageFontSize(int points);

    QProgressBar *Animate1 = nullptr;
    QLabel *Label1 = nullptr;
};

// A TRunTalk that shows progress in a TStatusForm and asks through message boxes.
class TStatusTalk : public TRunTalk
{
public:
    TStatusTalk(QWidget *owner, const QString &caption, const QString &firstMessage);
    ~TStatusTalk() override;
    void progress(const QString &message) override;
    // The closing message and an error box come without the progress window
    // behind them; a run that goes on shows it again with its next step.
    void error(const QString &text) override;
    void information(const QString &text) override;
    TStatusForm *form() const { return m_form; }

private:
    TStatusForm *m_form;
};
