#pragma once
// "Find Symbol Information": the text to look for and the column to look in.

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

class TFindSymbolForm : public QDialog
{
    Q_OBJECT
public:
    explicit TFindSymbolForm(QWidget *parent = nullptr);

    QLineEdit *FindWhat = nullptr;
    QRadioButton *FindSymbol = nullptr;
    QRadioButton *FindName = nullptr;
    QPushButton *FindBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
};
