#pragma once
// The words of the import, export and conversion runs for a file that fails
// under them. The texts the user knows from the dialogs ("Error, Could Not
// Open Import File", "Error Unable To Create Export File") stay as they are;
// every other failure names the file in one of these forms, so the same
// trouble reads the same wherever it happens.

#include "frame/StdUnitFiles.h"

#include <QDir>
#include <QString>

// Opening and reading: CannotOpenFileMessage(path) and
// CannotReadFileMessage(path) of frame/StdUnitFiles.h.

// `reason` is the system's word for it, when there is one.
inline QString CannotWriteFileMessage(const QString &path, const QString &reason = QString())
{
    QString text = QStringLiteral("Error, Could Not Write The File %1").arg(QDir::toNativeSeparators(path));
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return text;
}
