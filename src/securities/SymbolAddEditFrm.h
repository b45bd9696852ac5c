#pragma once
// The symbol dialog for add, edit and delete: symbol, name and web address.
// In delete mode the fields are disabled and greyed and "&Delete" stands
// where "&Save" was.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
struct TSymbolRecord;

class TSymbolAddEditForm : public QDialog
{
    Q_OBJECT
public:
    explicit TSymbolAddEditForm(QWidget *parent = nullptr);

    void setDeleteMode(bool deleting);
    // Shows a stored security in the fields.
    void setRecord(const TSymbolRecord &rec);
    // Puts the fields into a record (cut to its fields); other bytes stay.
    void readInto(TSymbolRecord &rec) const;
    // Checks the fields; shows the one error box of entry dialogs and stays
    // open when something is wrong.
    void SaveBtnClick();

    QLineEdit *SymbolEdit = nullptr;
    QLineEdit *SymbolNameEdit = nullptr;
    QLineEdit *WebAddress = nullptr;
    QPushButton *SaveBtn = nullptr;
    QPushButton *DeleteBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
};
