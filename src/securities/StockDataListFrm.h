#pragma once
// The price record window: every day of one security's price file in a grid,
// oldest first, with add, edit, delete, the split adjustment and the import
// and export of the security's prices. Opened modally by the summary window.

#include "securities/PriceEntry.h"

#include <QDialog>
#include <functional>
#include <memory>

class QPushButton;
class QTableView;
class TDataBase;
class TPriceGridModel;

class TStockDataListForm : public QDialog
{
    Q_OBJECT
public:
    // `caption` is the summary window's caption: name (symbol).
    TStockDataListForm(QWidget *parent, const QString &caption, const QString &symbol);
    ~TStockDataListForm() override;

    // Import and export of this security's prices, connected by the import
    // and export runs: called with this window (owner), the symbol and the
    // caption. The price file is closed while the hook runs and opened again
    // afterwards, so the hook may replace it.
    using TPriceFileHook = std::function<void(QWidget *owner, const QString &symbol, const QString &caption)>;
    static TPriceFileHook ImportHook;
    static TPriceFileHook ExportHook;

    int selectedRow() const; // grid row, 1 = oldest record, 0 = none
    void selectRow(int row);
    int gridRowCount() const;
    TDataBase *priceFile() const { return m_file.get(); }

    QTableView *DrawGrid1 = nullptr;
    QPushButton *AddBtn = nullptr, *EditBtn = nullptr, *DeleteBtn = nullptr, *SplitBtn = nullptr,
                *ImportBtn = nullptr, *ExportBtn = nullptr, *CloseBtn = nullptr;

public slots:
    void AddBtnClick();
    void EditBtnClick();
    void DeleteBtnClick();
    void SplitBtnClick();
    void ImportBtnClick();
    void ExportBtnClick();

protected:
    // Says when the price file is there but could not be opened.
    void showEvent(QShowEvent *event) override;

private:
    void openFile();
    // Row count and the four buttons from the file; the selection moves only
    // when asked (on showing) or when its row is gone.
    void setUpGrid(bool selectNewest);
    bool writable();
    // The selected record, read for an edit, a delete or a split; false when
    // there is none or the file cannot be changed (said already).
    bool readSelectedForChange(TPriceRecord &current);
    // Shows what went wrong with an add or an edit, and sets the grid again.
    void reportChange(TPriceChange result, const QString &onFileMessage);

    QString m_caption;
    QString m_symbol;
    std::unique_ptr<TDataBase> m_file;
    TPriceGridModel *m_model = nullptr;
};
