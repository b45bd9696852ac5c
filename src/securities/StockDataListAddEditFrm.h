#pragma once
// The price record dialog: one day's date, high, low, close and volume.
// Used for add, edit and delete in the price record window and for each
// security of the quick entry, where "Abort Quick" ends the round.

#include "securities/PriceEntry.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TDateBox;

class TStockDataListAddEditForm : public QDialog
{
    Q_OBJECT
public:
    // The result of "Abort Quick".
    static constexpr int AbortResult = 3;

    // Rows and tab order follow the input options: Date, High, Low, Close,
    // Volume, or Date, Volume, High, Low, Close.
    explicit TStockDataListAddEditForm(QWidget *parent = nullptr);

    void setDeleteMode(bool deleting);
    void setQuickMode(bool quick);
    void setEntry(const TPriceEntryTexts &entry);
    TPriceEntryTexts entry() const;
    // The record of the fields (valid after Save accepted the dialog).
    TPriceRecord record() const { return PriceRecordFromEntry(entry()); }

    TDateBox *DateField = nullptr;
    QLineEdit *HighField = nullptr;
    QLineEdit *LowField = nullptr;
    QLineEdit *CloseField = nullptr;
    QLineEdit *VolumeField = nullptr;
    QPushButton *SaveBtn = nullptr;
    QPushButton *DeleteBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QPushButton *AbortBtn = nullptr;

public slots:
    void SaveBtnClick();
};
