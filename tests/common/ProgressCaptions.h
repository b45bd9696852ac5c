#pragma once
// Collects the caption of every progress window shown while it lives, so a
// test can check which runs showed their window and in what order.

#include "frame/StatusFrm.h"

#include <QApplication>
#include <QEvent>
#include <QStringList>

class TProgressCaptions : public QObject
{
public:
    TProgressCaptions() { qApp->installEventFilter(this); }
    ~TProgressCaptions() override { qApp->removeEventFilter(this); }
    QStringList captions;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            if (auto *form = qobject_cast<TStatusForm *>(watched))
                captions << form->windowTitle();
        return false;
    }
};
