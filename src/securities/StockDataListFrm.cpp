#include "securities/StockDataListFrm.h"

#include "frame/DateBoxUi.h"
#include "frame/FixedLayoutUi.h"
#include "frame/Messages.h"
#include "frame/ModalUi.h"
#include "frame/StatusFrm.h"
#include "frame/StdUnit.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "securities/PriceEntry.h"
#include "securities/PriceRuns.h"
#include "securities/SplitFrm.h"
#include "securities/StockDataListAddEditFrm.h"

#include <QAbstractTableModel>
#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

TStockDataListForm::TPriceFileHook TStockDataListForm::ImportHook;
TStockDataListForm::TPriceFileHook TStockDataListForm::ExportHook;

// The grid reads each record as it is drawn, straight from the open file,
// as the price record window always has: a file of many years needs no copy.
class TPriceGridModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setFile(TDataBase *file)
    {
        beginResetModel();
        m_file = file;
        endResetModel();
    }
    void refresh()
    {
        beginResetModel();
        endResetModel();
    }
    int rowCount(const QModelIndex &parent = {}) const override
    {
        if (parent.isValid())
            return 0;
        return std::max(1, m_file ? m_file->RecordCount() : 0);
    }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : 5; }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 5)
            return kPriceColumnNames[section];
        if (o == Qt::Horizontal && role == Qt::TextAlignmentRole)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        return {};
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || !m_file || index.row() >= m_file->RecordCount())
            return {};
        if (role == Qt::TextAlignmentRole)
            return int((index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        if (role != Qt::DisplayRole)
            return {};
        TPriceRecord rec;
        m_file->ReadAt(rec, index.row());
        if (m_file->Status() & (IoError | Boundary))
            return {};
        return PriceCellText(rec, index.column());
    }

private:
    TDataBase *m_file = nullptr;
};

namespace {

QPushButton *button(QWidget *parent, const QString &caption, const char *name, int x)
{
    return PlaceButton(parent, caption, name, {x, 222, 72, 26});
}

} // namespace

TStockDataListForm::TStockDataListForm(QWidget *parent, const QString &caption, const QString &symbol)
    : QDialog(parent), m_caption(caption), m_symbol(symbol)
{
    setObjectName(QStringLiteral("StockDataListForm"));
    setWindowTitle(caption);
    setFixedSize(566, 259);
    DrawGrid1 = new QTableView(this);
    DrawGrid1->setObjectName(QStringLiteral("DrawGrid1"));
    DrawGrid1->setGeometry(8, 8, 553, 201);
    m_model = new TPriceGridModel(this);
    DrawGrid1->setModel(m_model);
    for (int c = 0; const int w : {123, 99, 88, 92, 123})
        DrawGrid1->setColumnWidth(c++, w);
    DrawGrid1->verticalHeader()->hide();
    DrawGrid1->verticalHeader()->setDefaultSectionSize(QFontMetrics(DrawGrid1->font()).height() + 4);
    DrawGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DrawGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DrawGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DrawGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    AddBtn = button(this, QStringLiteral("&Add"), "AddBtn", 8);
    EditBtn = button(this, QStringLiteral("&Edit"), "EditBtn", 86);
    DeleteBtn = button(this, QStringLiteral("&Delete"), "DeleteBtn", 164);
    SplitBtn = button(this, QStringLiteral("&Split"), "SplitBtn", 242);
    ImportBtn = button(this, QStringLiteral("&Import"), "ImportBtn", 320);
    ExportBtn = button(this, QStringLiteral("E&xport"), "ExportBtn", 398);
    CloseBtn = button(this, QStringLiteral("Close"), "CloseBtn", 484);
    connect(AddBtn, &QPushButton::clicked, this, &TStockDataListForm::AddBtnClick);
    connect(EditBtn, &QPushButton::clicked, this, &TStockDataListForm::EditBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TStockDataListForm::DeleteBtnClick);
    connect(SplitBtn, &QPushButton::clicked, this, &TStockDataListForm::SplitBtnClick);
    connect(ImportBtn, &QPushButton::clicked, this, &TStockDataListForm::ImportBtnClick);
    connect(ExportBtn, &QPushButton::clicked, this, &TStockDataListForm::ExportBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(DrawGrid1, &QTableView::doubleClicked, this, [this] {
        if (EditBtn->isEnabled())
            EditBtnClick();
    });
    openFile();
    setUpGrid(true);
}

TStockDataListForm::~TStockDataListForm() = default;

void TStockDataListForm::openFile()
{
    m_model->setFile(nullptr);
    m_file.reset();
    if (IsSafeFileNamePart(m_symbol) && !m_symbol.isEmpty())
        m_file = std::make_unique<TDataBase>(PriceFilePath(m_symbol));
    m_model->setFile(m_file.get());
}

void TStockDataListForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Without a word the user would take the empty grid for an empty history.
    if (!m_file)
        return;
    if (!m_file->IsOpen() && QFileInfo::exists(m_file->path()))
        ShowError(CannotOpenFileMessage(m_file->path()));
    else if (m_file->IsOpen() && !m_file->IsWritable())
        ShowError(PriceFileProblem(*m_file));
}

int TStockDataListForm::selectedRow() const
{
    const QModelIndex i = DrawGrid1->currentIndex();
    return i.isValid() ? i.row() + 1 : 0;
}

void TStockDataListForm::selectRow(int row)
{
    DrawGrid1->setCurrentIndex(m_model->index(row - 1, 0));
    DrawGrid1->selectRow(row - 1);
}

int TStockDataListForm::gridRowCount() const
{
    return m_model->rowCount() + 1; // the header row counts, as on the grid
}

void TStockDataListForm::setUpGrid(bool selectNewest)
{
    const int keep = selectedRow();
    m_model->refresh();
    const int count = m_file ? m_file->RecordCount() : 0;
    for (QPushButton *b : {EditBtn, DeleteBtn, SplitBtn, ExportBtn})
        b->setEnabled(count > 0);
    // A file that is there but would not open (a folder of that name, say)
    // reads as empty; adding to it or importing over it can only fail.
    const bool writable = m_file && m_file->IsWritable();
    AddBtn->setEnabled(writable);
    ImportBtn->setEnabled(writable);
    if (selectNewest || keep < 1)
        selectRow(std::max(count, 1));
    else
        selectRow(std::min(keep, std::max(count, 1)));
}

bool TStockDataListForm::writable()
{
    if (m_file && m_file->IsWritable())
        return true;
    ShowError(m_file ? PriceFileProblem(*m_file) : QStringLiteral("Error, Could Not Open File: ") + m_symbol);
    return false;
}

bool TStockDataListForm::readSelectedForChange(TPriceRecord &current)
{
    const int index = selectedRow() - 1;
    if (!m_file || index < 0 || index >= m_file->RecordCount() || !writable())
        return false;
    m_file->ReadAt(current, index);
    return true;
}

void TStockDataListForm::reportChange(TPriceChange result, const QString &onFileMessage)
{
    if (result == TPriceChange::AlreadyOnFile)
        ShowError(onFileMessage);
    else if (result == TPriceChange::Failed)
        ShowError(PriceFileProblem(*m_file));
    setUpGrid(false);
}

void TStockDataListForm::AddBtnClick()
{
    if (!writable())
        return;
    TStockDataListAddEditForm dialog(this);
    dialog.setWindowTitle(QStringLiteral("Add Stock Data For ") + m_caption);
    dialog.setEntry({TodayText(GetInputOptions().AddDays), {}, {}, {}, {}});
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    reportChange(AddPriceRecord(*m_file, dialog.record()), kPriceOnFileMessage);
}

void TStockDataListForm::EditBtnClick()
{
    TPriceRecord current;
    if (!readSelectedForChange(current))
        return;
    TStockDataListAddEditForm dialog(this);
    dialog.setWindowTitle(QStringLiteral("Edit Stock Data For ") + m_caption);
    dialog.setEntry(PriceEntryFromRecord(current));
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    // The grid may have been drawn while the dialog was up, which moves the
    // file's current record; the edit names its record by the selected row.
    reportChange(EditPriceRecord(*m_file, selectedRow() - 1, dialog.record()), kPriceEditOnFileMessage);
}

void TStockDataListForm::DeleteBtnClick()
{
    TPriceRecord current;
    if (!readSelectedForChange(current))
        return;
    TStockDataListAddEditForm dialog(this);
    dialog.setWindowTitle(QStringLiteral("Delete Stock Data For ") + m_caption);
    dialog.setEntry(PriceEntryFromRecord(current));
    dialog.setDeleteMode(true);
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    if (!DeletePriceRecord(*m_file, selectedRow() - 1))
        ShowError(PriceFileProblem(*m_file));
    setUpGrid(false);
}

void TStockDataListForm::SplitBtnClick()
{
    TPriceRecord current;
    if (!readSelectedForChange(current))
        return;
    TSplitForm dialog(this);
    dialog.setWindowTitle(QStringLiteral("Stock Split For ") + m_caption);
    dialog.SplitDate->setText(ConvertDate(kFormYYYYMMDD, kFormMM_DD_YYYY, current.Date.text()));
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    const TSplitEntry entry = dialog.entry();
    const double factor = SplitFactor(entry);
    // Read as numbers: a part-typed " 6/ 1/1999" must compare as 19990601.
    const QString splitDate = DisplayToStoredDate(entry.Date);
    bool ok = false;
    {
        TStatusTalk talk(this, QStringLiteral("Spliting Stock Data"), QString());
        ok = SplitKeepsEveryValue(*m_file, m_symbol, splitDate, factor, talk) &&
             SplitPriceFile(*m_file, splitDate, factor, talk);
    }
    if (ok) {
        TStatusTalk talk(this, QStringLiteral("Spliting Portfolio Data"), QString());
        SplitPortfolios(m_symbol, splitDate, factor, talk);
    }
    setUpGrid(false);
}

void TStockDataListForm::ImportBtnClick()
{
    if (ImportHook) {
        m_model->setFile(nullptr);
        m_file.reset();
        ImportHook(this, m_symbol, m_caption);
        openFile();
    }
    setUpGrid(false);
}

void TStockDataListForm::ExportBtnClick()
{
    if (ExportHook)
        ExportHook(this, m_symbol, m_caption);
}
