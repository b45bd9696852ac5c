#pragma once
// "Watch Criteria": the list of screening functions in Scan.dat with add,
// edit and delete. Opened modally from the main menu; it keeps the function
// file open while it exists.

#include <QDialog>
#include <memory>

class QListWidget;
class QPushButton;
class TFunctionBase;

class TScanForm : public QDialog
{
    Q_OBJECT
public:
    explicit TScanForm(QWidget *parent = nullptr);
    ~TScanForm() override;

    void Refresh();
    int rememberedPosition() const { return m_position; }
    TFunctionBase *functionFile() const { return m_file.get(); }

    QListWidget *ListBox1 = nullptr;
    QPushButton *AddBtn = nullptr, *EditBtn = nullptr, *DeleteBtn = nullptr, *CloseBtn = nullptr;

public slots:
    void AddBtnClick();
    void EditBtnClick();
    void DeleteBtnClick();

private:
    int selectedIndex() const;

    std::unique_ptr<TFunctionBase> m_file;
    int m_position = 0;
};
