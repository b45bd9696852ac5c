#pragma once
// The Portfolio List: every entry of Port.sbl by name, with add, edit, delete
// and open. Opening a portfolio makes it the current one and shows its
// portfolio window. The list file stays open while the window exists.

#include <QDialog>
#include <memory>

class QLabel;
class QListWidget;
class QPushButton;
class QStatusBar;
class TWatchDatabase;
struct TListRecord;

class TPortfilioListForm : public QDialog
{
    Q_OBJECT
public:
    explicit TPortfilioListForm(QWidget *parent = nullptr);
    ~TPortfilioListForm() override;

    void Refresh();
    QString statusText() const;

    void AddBtnClick();
    void EditBtnClick();
    void DeleteBtnClick();
    void OpenBtnClick();

    QListWidget *ListBox1 = nullptr;
    QPushButton *AddBtn = nullptr, *EditBtn = nullptr, *DeleteBtn = nullptr, *OpenBtn = nullptr,
                *CloseBtn = nullptr;
    QStatusBar *StatusBar1 = nullptr;

private:
    bool readSelected(TListRecord &entry);

    std::unique_ptr<TWatchDatabase> m_list;
    int m_position = 0;
    QLabel *m_status = nullptr;
};

// "Select &Portfilios": shows the list modally.
void ShowPortfolioList(QWidget *owner);
