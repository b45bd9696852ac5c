#include "frame/AboutFrm.h"

#include "frame/Messages.h"
#include "frame/Pictures.h"
#include "frame/Splash.h"

#include <QApplication>
#include <QBitmap>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(kAppTitle);
    setFixedSize(330, 230);
    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(16, 16, 64, 64);
    ProgramIcon->setPixmap(QPixmap::fromImage(ProductPicture(64)));
    ProductName = MakeProductNameLabel(this);
    ProductName->setGeometry(92, 20, 230, 36);
    Version = new QLabel(QStringLiteral("Version 3.1"), this);
    Version->setObjectName(QStringLiteral("Version"));
    Version->setGeometry(92, 60, 200, 20);
    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(133, 96, 64, 64);
    QPixmap pm = QPixmap::fromImage(ProductPicture(64));
    pm.setMask(pm.createMaskFromColor(Qt::white, Qt::MaskInColor));
    Image2->setPixmap(pm);
    OKButton = new QPushButton(QStringLiteral("&OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(127, 186, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    if (QScreen *s = QApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}
