#include "securities/SymbolListFrm.h"

#include "frame/FixedLayoutUi.h"
#include "frame/Messages.h"
#include "frame/ModalUi.h"
#include "frame/StatusFrm.h"
#include "frame/StdUnit.h"
#include "frame/StdUnitShellUi.h"
#include "frame/Stockcfg.h"
#include "frame/TextWidths.h"
#include "frame/WindowListFrm.h"
#include "records/SblBase.h"
#include "securities/FindSymbolFrm.h"
#include "securities/SymbolAddEditFrm.h"
#include "securities/SymbolChecks.h"
#include "transfer/ExportFrm.h"
#include "transfer/ImportFrm.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <algorithm>

TSymbolListForm *SymbolListForm = nullptr;

QStringList TSymbolGrid::mimeTypes() const
{
    return {QLatin1String(kSymbolMimeType)};
}

QMimeData *TSymbolGrid::mimeData(const QList<QTableWidgetItem *> &items) const
{
    if (items.isEmpty())
        return nullptr;
    const int row = items.first()->row();
    const QString symbol = item(row, 0) ? item(row, 0)->text() : QString();
    if (symbol.isEmpty())
        return nullptr; // the empty row of an empty file
    const QString name = item(row, 1) ? item(row, 1)->text() : QString();
    auto *data = new QMimeData;
    data->setData(QLatin1String(kSymbolMimeType), (symbol + QLatin1Char('\t') + name).toLatin1());
    data->setText(symbol);
    return data;
}

namespace {

QPushButton *makeButton(QWidget *parent, const QString &caption, const char *name, int x, int y)
{
    return PlaceButton(parent, caption, name, {x, y, 83, 25});
}

QGroupBox *makeGroup(QWidget *parent, int x, int y, int height)
{
    auto *g = new QGroupBox(parent);
    g->setGeometry(x, y, 92, height);
    return g;
}

} // namespace

TSymbolListForm::TSymbolListForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("SymbolListForm"));
    setWindowTitle(QStringLiteral("Symbol List"));

    StringGrid1 = new TSymbolGrid(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setColumnCount(2);
    StringGrid1->setHorizontalHeaderLabels({QStringLiteral("Symbol"), QStringLiteral("Name")});
    // The columns hold the longest symbol (7) and name (40) whole in the
    // grid's font; the grid, and the window with it, widen to fit them.
    StringGrid1->setColumnWidth(0, std::max(76, TextBoxWidth(StringGrid1->font(), 7)));
    StringGrid1->setColumnWidth(1, std::max(202, TextBoxWidth(StringGrid1->font(), 40)));
    const int gridWidth = std::max(297, StringGrid1->columnWidth(0) + StringGrid1->columnWidth(1) +
                                            StringGrid1->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                                            2 * StringGrid1->frameWidth() + 2);
    StringGrid1->setGeometry(4, 4, gridWidth, 345);
    const int buttons = 4 + gridWidth + 11; // the button column beside the grid
    const int width = buttons + 94;
    setFixedSize(width, 383);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    StringGrid1->setDragEnabled(true);
    StringGrid1->setDragDropMode(QAbstractItemView::DragOnly);

    makeGroup(this, buttons - 4, 0, 100);
    AddBtn = makeButton(this, QStringLiteral("&Add"), "AddBtn", buttons, 12);
    EditBtn = makeButton(this, QStringLiteral("&Edit"), "EditBtn", buttons, 42);
    DeleteBtn = makeButton(this, QStringLiteral("&Delete"), "DeleteBtn", buttons, 72);
    makeGroup(this, buttons - 4, 104, 70);
    FindBtn = makeButton(this, QStringLiteral("&Find"), "FindBtn", buttons, 116);
    FindNextBtn = makeButton(this, QStringLiteral("F&ind Next"), "FindNextBtn", buttons, 146);
    FindNextBtn->setEnabled(false);
    makeGroup(this, buttons - 4, 178, 70);
    ImportBtn = makeButton(this, QStringLiteral("I&mport"), "ImportBtn", buttons, 190);
    ExportBtn = makeButton(this, QStringLiteral("E&xport"), "ExportBtn", buttons, 220);
    makeGroup(this, buttons - 4, 252, 40);
    WebBtn = makeButton(this, QStringLiteral("&Web Stie"), "WebBtn", buttons, 264);
    CloseBtn = makeButton(this, QStringLiteral("Close"), "CloseBtn", buttons, 322);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, 361, width, 22);
    m_status = new QLabel(StatusBar1);
    StatusBar1->addWidget(m_status, 1);

    connect(AddBtn, &QPushButton::clicked, this, &TSymbolListForm::AddBtnClick);
    connect(EditBtn, &QPushButton::clicked, this, &TSymbolListForm::EditBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TSymbolListForm::DeleteBtnClick);
    connect(FindBtn, &QPushButton::clicked, this, &TSymbolListForm::FindBtnClick);
    connect(FindNextBtn, &QPushButton::clicked, this, &TSymbolListForm::FindNextBtnClick);
    connect(WebBtn, &QPushButton::clicked, this, &TSymbolListForm::WebBtnClick);
    connect(ImportBtn, &QPushButton::clicked, this, [this] {
        ImportSymbolsUi(this, *m_file);
        Refresh();
    });
    connect(ExportBtn, &QPushButton::clicked, this, [this] { ExportSymbols(this); });
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::hide);
    connect(StringGrid1, &QTableWidget::itemSelectionChanged, this, &TSymbolListForm::StringGrid1SelectCell);
    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, [this] {
        if (m_file && m_file->RecordCount() > 0)
            EditBtnClick();
    });

    openSymbolFile();
}

TSymbolListForm::~TSymbolListForm()
{
    if (SymbolListForm == this)
        SymbolListForm = nullptr;
}

void TSymbolListForm::openSymbolFile()
{
    m_symbolFolder = GetFolders().Symbol;
    m_file = std::make_unique<TSymbolDataBase>(m_symbolFolder + QStringLiteral("Stocks.sbl"));
}

bool TSymbolListForm::symbolFileReady()
{
    // Opened once more in case its folder has been made since; a file that
    // still cannot be opened would take an entry and store nothing.
    if (!m_file->IsWritable())
        openSymbolFile();
    if (m_file->IsWritable())
        return true;
    ShowError(CannotOpenFileMessage(m_file->path()));
    return false;
}

void TSymbolListForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Refresh();
}

void TSymbolListForm::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    WindowListRemove(this);
}

int TSymbolListForm::dataRowCount() const
{
    return StringGrid1->rowCount();
}

int TSymbolListForm::selectedRow() const
{
    const int r = StringGrid1->currentRow();
    return r < 0 ? 0 : r + 1;
}

void TSymbolListForm::selectRow(int row)
{
    StringGrid1->setCurrentCell(row - 1, 0);
    StringGrid1->selectRow(row - 1);
}

QString TSymbolListForm::statusText() const
{
    return m_status->text();
}

void TSymbolListForm::Refresh()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    StringGrid1->blockSignals(true);
    StringGrid1->setRowCount(1);
    {
        TStatusTalk talk(this, kAppTitle, QStringLiteral("Please Wait, Reading Symbol Information"));
        if (GetFolders().Symbol != m_symbolFolder || !m_file->IsOpen())
            openSymbolFile();
        if (m_rememberedRow <= 0)
            m_rememberedRow = 1;
        const int records = m_file->RecordCount();
        StringGrid1->verticalHeader()->setDefaultSectionSize(QFontMetrics(StringGrid1->font()).height() + 4);
        StringGrid1->clearContents();
        StringGrid1->setRowCount(std::max(records, 1));
        TSymbolRecord rec;
        if (records > 0) {
            m_file->First(rec);
            for (int i = 0; i < records; ++i) {
                if (i > 0)
                    m_file->Next(rec);
                StringGrid1->setItem(i, 0, new QTableWidgetItem(rec.Symbol.text()));
                StringGrid1->setItem(i, 1, new QTableWidgetItem(rec.Name.text()));
            }
        }
        for (QPushButton *b : {DeleteBtn, EditBtn, FindBtn, ExportBtn})
            b->setEnabled(records > 0);
        selectRow(std::min(m_rememberedRow, dataRowCount()));
    }
    StringGrid1->blockSignals(false);
    StringGrid1SelectCell();
    QApplication::restoreOverrideCursor();
    WindowListAdd(this);
}

bool TSymbolListForm::readSelected(TSymbolRecord &rec)
{
    rec = TSymbolRecord{};
    const int row = selectedRow();
    if (!m_file || row < 1 || row > m_file->RecordCount())
        return false;
    m_file->ReadAt(rec, row - 1);
    return !(m_file->Status() & (IoError | Boundary));
}

void TSymbolListForm::StringGrid1SelectCell()
{
    m_status->setText(QStringLiteral("Record %1 of %2").arg(selectedRow()).arg(dataRowCount()));
    TSymbolRecord rec;
    readSelected(rec);
    WebBtn->setEnabled(!rec.WebAddress.isEmpty());
}

void TSymbolListForm::AddBtnClick()
{
    if (!symbolFileReady())
        return;
    TSymbolAddEditForm dialog(this);
    dialog.setWindowTitle(QStringLiteral("Add Symbol Information"));
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    TSymbolRecord rec;
    dialog.readInto(rec);
    TSymbolRecord stored;
    if (m_file->Find(stored, rec.Symbol.text())) {
        ShowError(DuplicateSymbolMessage(stored.Symbol.text(), stored.Name.text()));
        return;
    }
    if (!m_file->Insert(rec))
        ShowError(m_file->WriteFailureText());
    m_rememberedRow = m_file->CurrentIndex() + 1;
    Refresh();
}

void TSymbolListForm::EditBtnClick()
{
    TSymbolRecord current;
    if (!readSelected(current))
        return;
    TSymbolAddEditForm dialog(this);
    dialog.setWindowTitle(QStringLiteral("Edit Symbol Information"));
    dialog.setRecord(current);
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    const QString oldSymbol = current.Symbol.text();
    const QString newSymbol = dialog.SymbolEdit->text().toUpper();
    if (newSymbol != oldSymbol) {
        TSymbolRecord stored;
        if (m_file->Find(stored, newSymbol)) {
            ShowError(DuplicateSymbolMessage(stored.Symbol.text(), stored.Name.text()));
            return;
        }
        TSymbolRecord rec;
        dialog.readInto(rec);
        RenameSymbol(oldSymbol, newSymbol, SharedWatchList());
        if (!m_file->Delete(selectedRow() - 1) || !m_file->Insert(rec))
            ShowError(m_file->WriteFailureText());
    } else {
        // `current` was read at the selected row just now, so the file
        // still stands there for the write in place.
        dialog.readInto(current);
        m_file->WriteCurrent(current);
        if (m_file->Status() & IoError)
            ShowError(m_file->WriteFailureText());
    }
    m_rememberedRow = m_file->CurrentIndex() + 1;
    Refresh();
}

void TSymbolListForm::DeleteBtnClick()
{
    TSymbolRecord current;
    if (!readSelected(current))
        return;
    TSymbolAddEditForm dialog(this);
    dialog.setWindowTitle(QStringLiteral("Delete Symbol Information"));
    dialog.setRecord(current);
    dialog.setDeleteMode(true);
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    m_rememberedRow = selectedRow();
    if (!m_file->Delete(selectedRow() - 1))
        ShowError(m_file->WriteFailureText());
    Refresh();
}

void TSymbolListForm::FindBtnClick()
{
    TFindSymbolForm dialog(this);
    dialog.FindWhat->setText(m_searchText);
    (m_searchMode == 2 ? dialog.FindName : dialog.FindSymbol)->setChecked(true);
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    FindNextBtn->setEnabled(true);
    m_searchText = dialog.FindWhat->text().left(40);
    m_searchMode = dialog.FindName->isChecked() ? 2 : 1;
    m_searchPosition = 1;
    searchStep();
}

void TSymbolListForm::FindNextBtnClick()
{
    searchStep();
}

void TSymbolListForm::searchStep()
{
    const int start = m_searchPosition;
    if (m_searchText.isEmpty()) {
        ShowError(QStringLiteral("Error No Search String Specified, Please Enter A Search String"));
        return;
    }
    QStringList cells;
    const int column = m_searchMode == 2 ? 1 : 0;
    for (int r = 0; r < StringGrid1->rowCount(); ++r)
        cells << (StringGrid1->item(r, column) ? StringGrid1->item(r, column)->text() : QString());
    const TSearchStep step = SearchStep(cells, m_searchText, m_searchPosition);
    m_searchPosition = step.nextPosition;
    if (step.matchRow > 0) {
        selectRow(step.matchRow);
        return;
    }
    FindNextBtn->setEnabled(false);
    ShowError(start == 1 ? QStringLiteral("Could Not Find Search String")
                         : QStringLiteral("No More Items Matched The Search"));
}

void TSymbolListForm::WebBtnClick()
{
    TSymbolRecord rec;
    if (readSelected(rec))
        OpenWebPage(this, rec.WebAddress.text());
}
