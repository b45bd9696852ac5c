#include "portfolio/TransListFrm.h"

#include "frame/Messages.h"
#include "frame/StatusFrm.h"
#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "frame/TextWidths.h"
#include "portfolio/TransEntry.h"
#include "records/SblBase.h"

#include <QEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <algorithm>

namespace {
TImportDialogHook g_import;
TExportDialogHook g_export;
} // namespace

void SetPortfolioImportDialog(TImportDialogHook hook)
{
    g_import = std::move(hook);
}

void SetPortfolioExportDialog(TExportDialogHook hook)
{
    g_export = std::move(hook);
}

TTransTableModel::TTransTableModel(QStringList headers, QList<bool> rightAligned, TCell cell, QObject *parent)
    : QAbstractTableModel(parent), m_headers(std::move(headers)), m_right(std::move(rightAligned)),
      m_cell(std::move(cell))
{
}

void TTransTableModel::setRecords(QVector<TTransRecord> records)
{
    beginResetModel();
    m_records = std::move(records);
    endResetModel();
}

int TTransTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max<int>(1, int(m_records.size()));
}

int TTransTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant TTransTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_records.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_cell(m_records[index.row()], index.column());
    if (role == Qt::TextAlignmentRole)
        return int((m_right.value(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return {};
}

QVariant TTransTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_headers.value(section);
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

TTransListForm::TTransListForm(TTransferKind kind, const QString &fileName, int32_t securityCode,
                               QWidget *parent)
    : QDialog(parent), m_kind(kind), m_fileName(fileName), m_securityCode(securityCode)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    StringGrid1 = new QTableView(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setWordWrap(false);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(QFontMetrics(StringGrid1->font()).height() + 4);

    auto makeButton = [this](const QString &caption, const char *name) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    AddBtn = makeButton(QStringLiteral("&Add"), "AddBtn");
    EditBtn = makeButton(QStringLiteral("&Edit"), "EditBtn");
    DeleteBtn = makeButton(QStringLiteral("&Delete"), "DeleteBtn");
    ImportBtn = makeButton(QStringLiteral("&Import"), "ImportBtn");
    ExportBtn = makeButton(QStringLiteral("E&xport"), "ExportBtn");
    CloseBtn = makeButton(QStringLiteral("Close"), "CloseBtn");
    connect(AddBtn, &QPushButton::clicked, this, &TTransListForm::AddBtnClick);
    connect(EditBtn, &QPushButton::clicked, this, &TTransListForm::EditBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TTransListForm::DeleteBtnClick);
    connect(ImportBtn, &QPushButton::clicked, this, &TTransListForm::ImportBtnClick);
    connect(ExportBtn, &QPushButton::clicked, this, &TTransListForm::ExportBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(StringGrid1, &QTableView::doubleClicked, this, [this] {
        if (EditBtn->isEnabled())
            EditBtnClick();
    });
}

TTransListForm::~TTransListForm() = default;

void TTransListForm::setupGrid(const QStringList &headers, const QList<int> &widths,
                               const QList<bool> &rightAligned)
{
    m_model = new TTransTableModel(
        headers, rightAligned, [this](const TTransRecord &r, int c) { return cell(r, c); }, this);
    StringGrid1->setModel(m_model);
    int total = 0;
    for (int c = 0; c < widths.size(); ++c) {
        const int width = DesignedColumnWidth(StringGrid1->font(), widths[c], headers.value(c));
        StringGrid1->setColumnWidth(c, width);
        total += width;
    }
    // Wide enough for the grid, and for the five buttons with "Close" apart.
    const int gridWidth = std::max(total + 24, 5 * 80 + 90);
    StringGrid1->setGeometry(4, 4, gridWidth, 300);
    const QList<QPushButton *> buttons{AddBtn, EditBtn, DeleteBtn, ImportBtn, ExportBtn};
    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setGeometry(4 + i * 80, 312, 75, 25);
    CloseBtn->setGeometry(gridWidth - 71, 312, 75, 25);
    setFixedSize(gridWidth + 8, 345);
}

QString TTransListForm::companyOf(const QString &symbol, bool notOnFileAlone)
{
    auto it = m_names.constFind(symbol);
    if (it == m_names.constEnd()) {
        TSymbolDataBase symbols(GetFolders().Symbol + QStringLiteral("Stocks.sbl"), TOpenMode::ReadOnly);
        TSymbolRecord rec;
        const bool found = symbols.IsOpen() && symbols.RecordCount() > 0 && symbols.Find(rec, symbol);
        it = m_names.insert(symbol, found ? rec.Name.text() : QString());
    }
    if (!it->isEmpty())
        return *it;
    return notOnFileAlone ? QStringLiteral("Not On File") : symbol + QStringLiteral(" Not On File");
}

void TTransListForm::loadRows()
{
    QVector<TTransRecord> records;
    if (m_file && m_file->IsOpen()) {
        records.reserve(m_file->RecordCount());
        m_file->ScanAll([&records](const TTransRecord &r) { records.append(r); });
    }
    m_model->setRecords(std::move(records));
    const bool any = m_model->recordCount() > 0;
    for (QPushButton *b : {EditBtn, DeleteBtn, ExportBtn})
        b->setEnabled(any);
}

void TTransListForm::reopenFile()
{
    m_file.reset();
    const QString path = m_kind == TTransferKind::Transactions ? TransactionFilePath(m_fileName)
                                                               : DividendFilePath(m_fileName);
    if (m_fileName.isEmpty() || !IsSafeFileNamePart(m_fileName)) {
        loadRows();
        return;
    }
    m_file = std::make_unique<TTransBase>(path);
    if (!m_file->IsOpen())
        ShowError(QStringLiteral("Error, Could Not Open File: ") + path);
    m_names.clear();
    loadRows();
    if (m_model->recordCount() > 0)
        selectRecord(m_model->recordCount() - 1);
}

void TTransListForm::refresh()
{
    const int selected = selectedRecord();
    loadRows();
    if (m_model->recordCount() > 0)
        selectRecord(std::clamp(selected, 0, m_model->recordCount() - 1));
}

int TTransListForm::selectedRecord() const
{
    const QModelIndex i = StringGrid1->currentIndex();
    if (!i.isValid() || !m_model || i.row() >= m_model->recordCount())
        return -1;
    return i.row();
}

void TTransListForm::selectRecord(int index)
{
    StringGrid1->setCurrentIndex(m_model->index(index, 0));
    StringGrid1->selectRow(index);
}

QString TTransListForm::cellText(int row, int column) const
{
    return m_model->data(m_model->index(row, column), Qt::DisplayRole).toString();
}

void TTransListForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    reopenFile();
}

bool TTransListForm::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && isVisible())
        reopenFile();
    return QDialog::event(event);
}

void TTransListForm::AddBtnClick()
{
    TTransRecord rec;
    if (!m_file || !runDialog(TMode::Add, rec)) {
        reopenFile();
        return;
    }
    rec.SecurityCode = m_securityCode;
    const TSaveOutcome outcome = AddRecord(*m_file, rec);
    if (outcome == TSaveOutcome::AlreadyOnFile)
        ShowError(addRefusedText());
    else if (outcome == TSaveOutcome::Failed)
        ShowError(QStringLiteral("Error, Could Not Write File: ") + m_file->path());
    reopenFile();
}

void TTransListForm::EditBtnClick()
{
    const int index = selectedRecord();
    if (!m_file || index < 0)
        return;
    TTransRecord original;
    m_file->ReadAt(original, index);
    TTransRecord edited = original;
    if (runDialog(TMode::Edit, edited)) {
        const TSaveOutcome outcome = EditRecord(*m_file, index, original, edited);
        if (outcome == TSaveOutcome::AlreadyOnFile)
            ShowError(editRefusedText());
        else if (outcome == TSaveOutcome::Failed)
            ShowError(QStringLiteral("Error, Could Not Write File: ") + m_file->path());
    }
    reopenFile();
}

void TTransListForm::DeleteBtnClick()
{
    const int index = selectedRecord();
    if (!m_file || index < 0)
        return;
    TTransRecord rec;
    m_file->ReadAt(rec, index);
    if (runDialog(TMode::Delete, rec)) {
        m_file->Delete(index);
    }
    reopenFile();
}

void TTransListForm::ImportBtnClick()
{
    TTransferImportSettings settings;
    if (!g_import || !m_file || !g_import(this, m_kind, &settings)) {
        reopenFile();
        return;
    }
    {
        TStatusTalk talk(this,
                         m_kind == TTransferKind::Transactions
                             ? QStringLiteral("Importing Transation Data Information")
                             : QStringLiteral("Importing Dividend Data Information"),
                         QString());
        ImportTransfer(m_kind, *m_file, m_securityCode, settings, talk);
    }
    reopenFile();
}

void TTransListForm::ExportBtnClick()
{
    TTransferExportSettings settings;
    if (!g_export || !m_file || !g_export(this, m_kind, &settings)) {
        reopenFile();
        return;
    }
    {
        TStatusTalk talk(this,
                         m_kind == TTransferKind::Transactions
                             ? QStringLiteral("Exporting Transation Information")
                             : QStringLiteral("Exporting Dividend Information"),
                         QString());
        ExportTransfer(m_kind, *m_file, settings, SymbolFileCompanyLookup(), talk);
    }
    reopenFile();
}
