#pragma once
// The purge dialog and the whole purge as the main menu starts it.

#include <QDialog>

class QPushButton;
class TDateBox;

class TPurgeForm : public QDialog
{
    Q_OBJECT
public:
    // The stop date starts at the preset of the statistics settings.
    explicit TPurgeForm(QWidget *parent = nullptr);

    TDateBox *StopDate = nullptr;
    QPushButton *PurgeBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

public slots:
    void PurgeBtnClick();
};

// "P&urge Data": the dialog, the question, then the purge of every security
// of the stock data list with the progress window. A failure is reported
// and ends the run.
void PurgeData(QWidget *owner);
