#pragma once
// The stock data entry dialog: symbol (looked up in the symbol list as it is
// typed), note file with a browse button, and in delete mode the choice to
// delete the note file as well.

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct TListRecord;
struct TWatchEntryTexts;

class TWatchListAddEditForm : public QDialog
{
    Q_OBJECT
public:
    explicit TWatchListAddEditForm(QWidget *parent = nullptr);

    void setDeleteMode(bool deleting);
    void setRecord(const TListRecord &rec);
    TWatchEntryTexts entry() const;

    QLineEdit *Symbol = nullptr;
    QLabel *SecurityName = nullptr;
    QLineEdit *NoteFile = nullptr;
    QPushButton *NoteBtn = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QPushButton *SaveBtn = nullptr;
    QPushButton *DeleteBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

public slots:
    void SymbolChange();
    void NoteBtnClick();
    void SaveBtnClick();
};
