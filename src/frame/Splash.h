#pragma once
// The window shown while the program starts: picture, product name, version,
// a gauge that advances as each start-up window is created, and "Loading....".

#include <QDialog>

class QLabel;
class QProgressBar;

class TSplashForm : public QDialog
{
    Q_OBJECT
public:
    explicit TSplashForm(int gaugeMax, QWidget *parent = nullptr);

    // Advances the gauge by one; nothing while the gauge is hidden.
    void advance();

    QLabel *Image1 = nullptr;
    QLabel *ProductName = nullptr;
    QLabel *Version = nullptr;
    QProgressBar *Gauge1 = nullptr;
    QLabel *Loading = nullptr;
};

// The product name label of the splash and About windows: bold Times New
// Roman, made smaller until the name is at most 273 pixels wide.
QLabel *MakeProductNameLabel(QWidget *parent);

// Advances the splash gauge when there is a splash window.
void AdvanceSplash(TSplashForm *splash);
