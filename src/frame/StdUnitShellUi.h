#pragma once
// The shell and sound services that need the window layer: the web-browser
// notice and wave-file playing.

#include <QString>

class QWidget;

// Plays a wave file when it exists; silent without a file or audio device.
// With wait, returns when the sound has ended (at most its length plus a
// second), otherwise at once.
void PlaySoundFile(const QString &path, bool wait);

// Opens the address with the desktop while a small window says so, for at
// least two seconds.
void OpenWebPage(QWidget *window, const QString &address);
