#include "frame/StdUnitShellUi.h"

#include "frame/Clock.h"
#include "frame/StatusFrm.h"
#include "frame/StdUnitFiles.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QSoundEffect>
#include <QThread>
#include <QUrl>

void PlaySoundFile(const QString &path, bool wait)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    // One effect per call; an asynchronous one lives until it stops playing.
    auto *effect = new QSoundEffect(qApp);
    effect->setSource(QUrl::fromLocalFile(path));
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying() && effect->status() != QSoundEffect::Loading)
            effect->deleteLater();
    });
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() == QSoundEffect::Ready && !effect->isPlaying())
            effect->play();
        else if (effect->status() == QSoundEffect::Error)
            effect->deleteLater(); // no audio device or not a wave file: silent
    });
    if (!wait)
        return;
    // Waits while the sound loads and plays; a broken device cannot hang the
    // program for longer than a few seconds.
    QElapsedTimer timer;
    timer.start();
    QPointer<QSoundEffect> guard(effect);
    while (guard && timer.elapsed() < 10000 &&
           (guard->status() == QSoundEffect::Loading || guard->isPlaying() ||
            (guard->status() == QSoundEffect::Ready && timer.elapsed() < 1000)))
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
}

void OpenWebPage(QWidget *, const QString &address)
{
    const qint64 start = Clock::TickCount();
    TStatusForm form;
    form.setAnimationVisible(false);
    form.setWindowTitle(QStringLiteral("Activate Web Browser"));
    form.setMessageFontSize(20);
    form.setMessage(QStringLiteral("Activating Web Browser"));
    form.show();
    form.repaint();
    // The opener is watched: no browser shows "Unable To Open" and the address.
    OpenWithDesktop(QUrl::fromUserInput(address).toString());
    while (Clock::TickCount() < start + 2000) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
        QThread::msleep(20);
    }
    form.hide();
}
