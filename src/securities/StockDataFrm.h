#pragma once
// The stock data window: the securities whose daily prices are kept, from
// Watch.sbl, which it keeps open (and publishes) for the whole run. From
// here the user adds, edits and removes entries, opens a security's summary
// and web site, types a day's prices for a run of securities ("Quick"),
// and starts the percent-change report and the export of all prices.

#include <QListWidget>
#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QStatusBar;
class TWatchDatabase;
struct TListRecord;

// The list: takes securities dragged from the symbol list's grid.
class TStockListBox : public QListWidget
{
    Q_OBJECT
public:
    using QListWidget::QListWidget;
signals:
    void securityDropped(const QString &symbol, const QString &name);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};

class TStockDataForm : public QWidget
{
    Q_OBJECT
public:
    explicit TStockDataForm(QWidget *parent = nullptr);
    ~TStockDataForm() override;

    // Connected by the export and report runs; called with this window as
    // owner and the open list file. Unset, the buttons do nothing.
    using TListHook = std::function<void(QWidget *owner, TWatchDatabase *list)>;
    static TListHook ExportAllHook;
    static TListHook ReportsHook;

    void Refresh();
    void UpdateStatus();
    int selectedRow() const; // 1-based, 0 = none
    void selectRow(int row);
    QString statusText() const;
    TWatchDatabase *listFile() const { return m_file.get(); }
    // A row dropped from a symbol grid: symbol (cut to 7) and name (cut to 40).
    void DropSecurity(const QString &symbol, const QString &name);

    TStockListBox *ListBox1 = nullptr;
    QPushButton *AddBtn = nullptr, *EditBtn = nullptr, *DeleteBtn = nullptr, *ExportBtn = nullptr,
                *OpenBtn = nullptr, *WebSiteBtn = nullptr, *QuickBtn = nullptr, *ReportBtn = nullptr,
                *CloseBtn = nullptr;
    QStatusBar *StatusBar1 = nullptr;

public slots:
    void AddBtnClick();
    void EditBtnClick();
    void DeleteBtnClick();
    void ExportBtnClick();
    void OpenBtnClick();
    void WebSiteBtnClick();
    void QuickBtnClick();
    void ReportBtnClick();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void openListFile();
    bool readSelected(TListRecord &rec);
    bool listWritable();
    // Inserts after the duplicate check; false when nothing was stored.
    bool storeEntry(const TListRecord &rec, int except);

    std::unique_ptr<TWatchDatabase> m_file;
    QString m_watchFolder;
    int m_remembered = 0; // 0-based position to select after a refresh
    QLabel *m_status = nullptr;
};

// The program's one stock data window, created at start-up.
extern TStockDataForm *StockDataForm;
