#pragma once
// The data conversion window: the list of conversion formats in Convert.dat
// with Create, Edit, Delete and Run. The definition dialog is the import
// dialog in its definition-only mode; the import side installs it through
// SetConversionDefinitionEditor, and until it does Create and Edit stay off.

#include "records/ConvDatabase.h"

#include <QDialog>
#include <functional>
#include <memory>

class QListWidget;
class QPushButton;

// Shows the definition dialog filled from `rec` (empty for Create) and, on
// OK, leaves the built record in `rec` and returns true.
using TConversionDefinitionEditor = std::function<bool(QWidget *owner, TConvRecord &rec)>;
void SetConversionDefinitionEditor(TConversionDefinitionEditor editor);

class TDataConversionform : public QDialog
{
    Q_OBJECT
public:
    explicit TDataConversionform(QWidget *parent = nullptr);
    ~TDataConversionform() override;

    void Refresh();

    QListWidget *ListBox1 = nullptr;
    QPushButton *CreateBtn = nullptr;
    QPushButton *EditBtn = nullptr;
    QPushButton *DeleteBtn = nullptr;
    QPushButton *RunBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

public slots:
    void CreateBtnClick();
    void EditBtnClick();
    void DeleteBtnClick();
    void RunBtnClick();

private:
    std::unique_ptr<TConvDataBase> m_file;
};
