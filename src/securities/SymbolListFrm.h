#pragma once
// The symbol list: every security of Stocks.sbl by symbol and name, with add,
// edit, delete, search, import, export and the security's web page. Created
// at start-up, it keeps the symbol file open for its whole life.

#include <QTableWidget>
#include <QWidget>
#include <memory>

class QLabel;
class QPushButton;
class QStatusBar;
class TSymbolDataBase;
struct TSymbolRecord;

// The grid: dragging a data row hands its symbol and name to a drop target.
class TSymbolGrid : public QTableWidget
{
    Q_OBJECT
public:
    using QTableWidget::QTableWidget;

protected:
    QMimeData *mimeData(const QList<QTableWidgetItem *> &items) const override;
    QStringList mimeTypes() const override;
};

// The mime type of a dragged security: "symbol\tname" as Latin-1 text.
inline constexpr const char *kSymbolMimeType = "application/x-quorvane-security";

class TSymbolListForm : public QWidget
{
    Q_OBJECT
public:
    explicit TSymbolListForm(QWidget *parent = nullptr);
    ~TSymbolListForm() override;

    void Refresh();
    int selectedRow() const;   // 1 = first data row, 0 = none
    void selectRow(int row);   // 1-based
    int dataRowCount() const;  // rows below the header, at least 1
    QString statusText() const;
    TSymbolDataBase *symbolFile() const { return m_file.get(); }

    TSymbolGrid *StringGrid1 = nullptr;
    QPushButton *AddBtn = nullptr, *EditBtn = nullptr, *DeleteBtn = nullptr, *FindBtn = nullptr,
                *FindNextBtn = nullptr, *ImportBtn = nullptr, *ExportBtn = nullptr, *WebBtn = nullptr,
                *CloseBtn = nullptr;
    QStatusBar *StatusBar1 = nullptr;

public slots:
    void AddBtnClick();
    void EditBtnClick();
    void DeleteBtnClick();
    void FindBtnClick();
    void FindNextBtnClick();
    void WebBtnClick();
    void StringGrid1SelectCell();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void openSymbolFile();
    // Whether the symbol file is open for a change; says so with its path when not.
    bool symbolFileReady();
    bool readSelected(TSymbolRecord &rec);
    void searchStep();

    std::unique_ptr<TSymbolDataBase> m_file;
    QString m_symbolFolder;
    int m_rememberedRow = 0;
    QString m_searchText;
    int m_searchMode = 1; // 1 = symbol column, 2 = name column
    int m_searchPosition = 1;
    QLabel *m_status = nullptr;
};

// The program's one symbol list, created at start-up.
extern TSymbolListForm *SymbolListForm;
