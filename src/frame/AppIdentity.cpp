#include "frame/AppIdentity.h"

#include "frame/Messages.h"
#include "frame/Pictures.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

void InstallApplicationIdentity()
{
    QGuiApplication::setApplicationName(kAppTitle);
    QGuiApplication::setWindowIcon(QIcon(QPixmap::fromImage(ProductPicture(64))));
}
