#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About window: pictures, product name, version and an OK button.
class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

    QLabel *ProgramIcon = nullptr;
    QLabel *ProductName = nullptr;
    QLabel *Version = nullptr;
    QLabel *Image2 = nullptr;
    QPushButton *OKButton = nullptr;
};
