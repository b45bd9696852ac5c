#pragma once
// The picker of the function dialog: the function signatures or the field
// names of the expression language, one of which is inserted into the
// expression edit the user last entered.

#include <QDialog>

class QListWidget;
class QPushButton;

class TFunctionsFieldsForm : public QDialog
{
    Q_OBJECT
public:
    enum TKind { Functions, Fields };
    explicit TFunctionsFieldsForm(TKind kind, QWidget *parent = nullptr);

    // The selected item ("" when none).
    QString selectedText() const;

    QListWidget *ListBox1 = nullptr;
    QPushButton *InsertBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
};
