#pragma once
// What the Transactions and Dividends windows share: a grid over the
// portfolio's .tra or .div file, reopened whenever the window becomes active,
// with add, edit, delete, import and export. The two windows differ in their
// columns, their dialog and their texts.

#include "portfolio/PortfolioTransfer.h"
#include "records/TransDatabase.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QHash>
#include <QVector>
#include <memory>

class QPushButton;
class QTableView;

// The grid's rows: the records of the open file, read in one pass when the
// file is (re)opened, formatted when painted. Empty files show one empty row.
class TTransTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using TCell = std::function<QString(const TTransRecord &, int column)>;
    TTransTableModel(QStringList headers, QList<bool> rightAligned, TCell cell, QObject *parent);

    void setRecords(QVector<TTransRecord> records);
    int recordCount() const { return int(m_records.size()); }
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_headers;
    QList<bool> m_right;
    TCell m_cell;
    QVector<TTransRecord> m_records;
};

class TTransListForm : public QDialog
{
    Q_OBJECT
public:
    enum class TMode { Add, Edit, Delete };

    TTransListForm(TTransferKind kind, const QString &fileName, int32_t securityCode, QWidget *parent);
    ~TTransListForm() override;

    // Closes the file and opens it afresh, selecting the last row.
    void reopenFile();
    // After a change: rows and buttons follow the file, the selection stays
    // (clamped to a record).
    void refresh();
    int selectedRecord() const; // −1 when none
    void selectRecord(int index);
    QString cellText(int row, int column) const;
    TTransBase *file() const { return m_file.get(); }

    void AddBtnClick();
    void EditBtnClick();
    void DeleteBtnClick();
    void ImportBtnClick();
    void ExportBtnClick();

    QTableView *StringGrid1 = nullptr;
    QPushButton *AddBtn = nullptr, *EditBtn = nullptr, *DeleteBtn = nullptr, *ImportBtn = nullptr,
                *ExportBtn = nullptr, *CloseBtn = nullptr;

protected:
    void setupGrid(const QStringList &headers, const QList<int> &widths, const QList<bool> &rightAligned);
    // Shows the kind's dialog for the record; true on OK with `rec` filled.
    virtual bool runDialog(TMode mode, TTransRecord &rec) = 0;
    virtual QString cell(const TTransRecord &rec, int column) = 0;
    virtual QString addRefusedText() const = 0;
    virtual QString editRefusedText() const = 0;
    // The company of a symbol, read once per symbol while the window is open.
    QString companyOf(const QString &symbol, bool notOnFileAlone);

    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

    TTransferKind m_kind;
    QString m_fileName;
    int32_t m_securityCode;

private:
    void loadRows();

    std::unique_ptr<TTransBase> m_file;
    TTransTableModel *m_model = nullptr;
    QHash<QString, QString> m_names;
};

// The import and export dialogs of the transfer windows install themselves
// here; they fill the settings and return true on OK.
using TImportDialogHook =
    std::function<bool(QWidget *owner, TTransferKind kind, TTransferImportSettings *settings)>;
using TExportDialogHook =
    std::function<bool(QWidget *owner, TTransferKind kind, TTransferExportSettings *settings)>;
void SetPortfolioImportDialog(TImportDialogHook hook);
void SetPortfolioExportDialog(TExportDialogHook hook);
