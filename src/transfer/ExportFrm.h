#pragma once
// The export dialog: target file, layout, date form, date range and the
// fields to write, in their order. It only collects and checks; the opener
// runs the export with settings(). The three openers of this kinds
// (symbols, one security, Export All) are below.

#include "transfer/ExportRun.h"

#include <QDialog>
#include <QListWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class TDateBox;

// The export list: accepts drops only from a list box and appends the
// dragged list's selected item.
class TExportFieldList : public QListWidget
{
    Q_OBJECT
public:
    using QListWidget::QListWidget;
signals:
    void fieldDropped();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};

class TExportForm : public QDialog
{
    Q_OBJECT
public:
    explicit TExportForm(QWidget *parent = nullptr);

    // Opener's interface.
    void setAvailableFields(const QStringList &fields);
    // Symbols switch the date form list, both date boxes and their calendar
    // buttons off.
    void setDatesEnabled(bool enabled);
    TExportSettings settings() const;

    QLineEdit *ExportFileName = nullptr;
    QPushButton *ExportFile = nullptr;
    QComboBox *DateFormatCombo = nullptr;
    QComboBox *ExportCombo = nullptr;
    TDateBox *StartDate = nullptr;
    TDateBox *StopDate = nullptr;
    QToolButton *StartDateBtn = nullptr;
    QToolButton *StopDateBtn = nullptr;
    QCheckBox *IncludeHeader = nullptr;
    QListWidget *AvailableFields = nullptr;
    TExportFieldList *ExportFields = nullptr;
    QPushButton *CopyBtn = nullptr;
    QPushButton *DeleteBtn = nullptr;
    QPushButton *ExportBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

public slots:
    void ExportFileClick();
    void CopyBtnClick();
    void DeleteBtnClick();
    void ExportBtnClick();
    void updateButtons();
};

// Shows the dialog for the symbol file and runs the export on OK.
void ExportSymbols(QWidget *owner);
// One security's price history (the price record window's "E&xport").
void ExportStockData(QWidget *owner, const QString &symbol);
// Every security of the watch list (the stock data window's "E&xport All").
void ExportAllStockData(QWidget *owner, const QString &watchListPath);
