#include "frame/Splash.h"

#include "frame/Background.h"
#include "frame/Messages.h"
#include "frame/Pictures.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QScreen>

namespace {
constexpr int kProductNameMaxWidth = 273;

QPixmap productPixmap(int size)
{
    QPixmap pm = QPixmap::fromImage(ProductPicture(size));
    // White is the transparent colour of the pictures.
    pm.setMask(pm.createMaskFromColor(Qt::white, Qt::MaskInColor));
    return pm;
}
} // namespace

QLabel *MakeProductNameLabel(QWidget *parent)
{
    auto *label = new QLabel(kAppTitle, parent);
    label->setObjectName(QStringLiteral("ProductName"));
    QFont f(QStringLiteral("Times New Roman"));
    f.setBold(true);
    f.setPixelSize(24);
    label->setFont(FitFontToWidth(f, kAppTitle, kProductNameMaxWidth));
    return label;
}

TSplashForm::TSplashForm(int gaugeMax, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(kAppTitle);
    setFixedSize(441, 200);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(12, 12, 96, 96);
    Image1->setPixmap(productPixmap(96));
    ProductName = MakeProductNameLabel(this);
    ProductName->setGeometry(124, 24, 300, 40);
    Version = new QLabel(QStringLiteral("Version 3.1"), this);
    Version->setObjectName(QStringLiteral("Version"));
    Version->setGeometry(124, 70, 300, 20);
    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setGeometry(12, 128, 417, 20);
    Gauge1->setTextVisible(false);
    Gauge1->setStyleSheet(QStringLiteral("QProgressBar::chunk { background: #0000ff; }"));
    if (gaugeMax > 0) {
        Gauge1->setRange(0, gaugeMax);
        Gauge1->setValue(0);
    } else {
        Gauge1->hide();
    }
    Loading = new QLabel(QStringLiteral("Loading...."), this);
    Loading->setObjectName(QStringLiteral("Loading"));
    Loading->setGeometry(12, 160, 417, 20);
    if (QScreen *s = QApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

void TSplashForm::advance()
{
    if (Gauge1->isHidden())
        return;
    Gauge1->setValue(std::min(Gauge1->maximum(), Gauge1->value() + 1));
}

void AdvanceSplash(TSplashForm *splash)
{
    if (!splash)
        return;
    splash->advance();
    splash->repaint();
}
