#include "securities/StockDataFrm.h"

#include "frame/FixedLayoutUi.h"
#include "frame/Messages.h"
#include "frame/ModalUi.h"
#include "frame/StdUnit.h"
#include "frame/StdUnitShellUi.h"
#include "frame/Stockcfg.h"
#include "frame/WindowListFrm.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "records/WatchBase.h"
#include "securities/StockDataListAddEditFrm.h"
#include "securities/StockFrm.h"
#include "securities/SymbolChecks.h"
#include "securities/SymbolListFrm.h"
#include "securities/WatchList.h"
#include "securities/WatchListAddEditFrm.h"

#include "frame/DateBoxUi.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>

TStockDataForm *StockDataForm = nullptr;
TStockDataForm::TListHook TStockDataForm::ExportAllHook;
TStockDataForm::TListHook TStockDataForm::ReportsHook;

void TStockListBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(QLatin1String(kSymbolMimeType)))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TStockListBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasFormat(QLatin1String(kSymbolMimeType)))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TStockListBox::dropEvent(QDropEvent *event)
{
    const QByteArray data = event->mimeData()->data(QLatin1String(kSymbolMimeType));
    if (data.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    const QString text = QString::fromLatin1(data);
    emit securityDropped(text.section(QLatin1Char('\t'), 0, 0), text.section(QLatin1Char('\t'), 1));
}

namespace {

QPushButton *button(QWidget *parent, const QString &caption, const char *name, int y)
{
    return PlaceButton(parent, caption, name, {276, y, 83, 25});
}

QString symbolFilePath()
{
    return GetFolders().Symbol + QStringLiteral("Stocks.sbl");
}

} // namespace

TStockDataForm::TStockDataForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("StockDataForm"));
    setWindowTitle(QStringLiteral("Stock Data"));
    setFixedSize(374, 384);

    ListBox1 = new TStockListBox(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 8, 249, 345);
    ListBox1->setAcceptDrops(true);
    ListBox1->setDragDropMode(QAbstractItemView::DropOnly);

    (new QGroupBox(this))->setGeometry(268, 2, 99, 130);
    AddBtn = button(this, QStringLiteral("&Add"), "AddBtn", 12);
    EditBtn = button(this, QStringLiteral("&Edit"), "EditBtn", 41);
    DeleteBtn = button(this, QStringLiteral("&Delete"), "DeleteBtn", 70);
    ExportBtn = button(this, QStringLiteral("E&xport All"), "ExportBtn", 99);
    (new QGroupBox(this))->setGeometry(268, 136, 99, 72);
    OpenBtn = button(this, QStringLiteral("&Open"), "OpenBtn", 146);
    OpenBtn->setDefault(true);
    WebSiteBtn = button(this, QStringLiteral("&Web Site"), "WebSiteBtn", 175);
    (new QGroupBox(this))->setGeometry(268, 212, 99, 72);
    QuickBtn = button(this, QStringLiteral("&Quick"), "QuickBtn", 222);
    ReportBtn = button(this, QStringLiteral("&Reports"), "ReportBtn", 251);
    CloseBtn = button(this, QStringLiteral("Close"), "CloseBtn", 326);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, 362, 374, 22);
    m_status = new QLabel(StatusBar1);
    StatusBar1->addWidget(m_status, 1);

    connect(AddBtn, &QPushButton::clicked, this, &TStockDataForm::AddBtnClick);
    connect(EditBtn, &QPushButton::clicked, this, &TStockDataForm::EditBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TStockDataForm::DeleteBtnClick);
    connect(ExportBtn, &QPushButton::clicked, this, &TStockDataForm::ExportBtnClick);
    connect(OpenBtn, &QPushButton::clicked, this, &TStockDataForm::OpenBtnClick);
    connect(WebSiteBtn, &QPushButton::clicked, this, &TStockDataForm::WebSiteBtnClick);
    connect(QuickBtn, &QPushButton::clicked, this, &TStockDataForm::QuickBtnClick);
    connect(ReportBtn, &QPushButton::clicked, this, &TStockDataForm::ReportBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::hide);
    connect(ListBox1, &QListWidget::currentRowChanged, this, &TStockDataForm::UpdateStatus);
    // Double-click and Enter open the entry: Open is the window's default
    // button, which a plain window does not press by itself.
    connect(ListBox1, &QListWidget::itemActivated, this, [this] {
        if (OpenBtn->isEnabled())
            OpenBtnClick();
    });
    connect(ListBox1, &TStockListBox::securityDropped, this, &TStockDataForm::DropSecurity);

    openListFile();
    Refresh();
}

TStockDataForm::~TStockDataForm()
{
    if (SharedWatchList() == m_file.get())
        SetSharedWatchList(nullptr);
    if (StockDataForm == this)
        StockDataForm = nullptr;
}

void TStockDataForm::openListFile()
{
    if (SharedWatchList() == m_file.get())
        SetSharedWatchList(nullptr);
    m_watchFolder = GetFolders().Watch;
    m_file = std::make_unique<TWatchDatabase>(m_watchFolder + QStringLiteral("Watch.sbl"));
    SetSharedWatchList(m_file.get());
}

void TStockDataForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    WindowListAdd(this);
}

void TStockDataForm::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    WindowListRemove(this);
}

int TStockDataForm::selectedRow() const
{
    return ListBox1->currentRow() + 1;
}

void TStockDataForm::selectRow(int row)
{
    ListBox1->setCurrentRow(row - 1);
}

QString TStockDataForm::statusText() const
{
    return m_status->text();
}

void TStockDataForm::Refresh()
{
    if (GetFolders().Watch != m_watchFolder)
        openListFile();
    ListBox1->blockSignals(true);
    ListBox1->clear();
    QStringList names;
    {
        TSymbolDataBase symbols(symbolFilePath(), TOpenMode::ReadOnly);
        bool rewritten = false, failed = false, unreadable = false;
        names = RefreshWatchList(*m_file, symbols, &rewritten, &failed, &unreadable);
        if (rewritten)
            SetSharedWatchList(m_file.get()); // the replaced file, published again
        if (unreadable)
            ShowError(CannotReadFileMessage(m_file->path()));
        else if (failed)
            ShowError(CannotWriteToFileMessage(m_file->path()));
    }
    ListBox1->addItems(names);
    const bool any = !names.isEmpty();
    for (QPushButton *b : {DeleteBtn, QuickBtn, EditBtn, OpenBtn, ReportBtn, ExportBtn})
        b->setEnabled(any);
    if (any) {
        m_remembered = std::clamp(m_remembered, 0, int(names.size()) - 1);
        ListBox1->setCurrentRow(m_remembered);
    }
    ListBox1->blockSignals(false);
    UpdateStatus();
}

bool TStockDataForm::readSelected(TListRecord &rec)
{
    rec = TListRecord{};
    const int row = selectedRow();
    if (!m_file || row < 1 || row > m_file->RecordCount())
        return false;
    m_file->ReadAt(rec, row - 1);
    return !(m_file->Status() & (IoError | Boundary));
}

void TStockDataForm::UpdateStatus()
{
    m_status->setText(QStringLiteral("Record %1 of %2").arg(selectedRow()).arg(ListBox1->count()));
    TListRecord rec;
    bool web = false;
    if (readSelected(rec)) {
        TSymbolDataBase symbols(symbolFilePath(), TOpenMode::ReadOnly);
        TSymbolRecord found;
        web = symbols.RecordCount() > 0 && symbols.Find(found, rec.FileName.text()) &&
              !found.WebAddress.isEmpty();
    }
    WebSiteBtn->setEnabled(web);
}

bool TStockDataForm::listWritable()
{
    if (m_file && m_file->IsWritable())
        return true;
    QString text = CannotWriteToFileMessage(m_file ? m_file->path() : QString());
    if (m_file && !m_file->OpenProblem().isEmpty())
        text += QLatin1Char('\n') + m_file->OpenProblem();
    ShowError(text);
    return false;
}

bool TStockDataForm::storeEntry(const TListRecord &rec, int except)
{
    if (WatchNameTaken(*m_file, rec.Name.text(), except)) {
        ShowError(DuplicateSecurityMessage(rec.Name.text()));
        return false;
    }
    // An edit replaces the entry in one step, so a failed write cannot lose
    // it or leave it twice.
    const int at = except >= 0 ? ReplaceWatchEntry(*m_file, except, rec) : InsertWatchEntry(*m_file, rec);
    if (at < 0) {
        ShowError(CannotWriteToFileMessage(m_file->path()));
        return false;
    }
    m_remembered = at;
    return true;
}

void TStockDataForm::AddBtnClick()
{
    if (!listWritable())
        return;
    TWatchListAddEditForm dialog(this);
    dialog.setWindowTitle(QStringLiteral("Add Stock Data"));
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    if (storeEntry(WatchEntryRecord(dialog.entry()), -1))
        Refresh();
}

void TStockDataForm::EditBtnClick()
{
    TListRecord current;
    if (!readSelected(current) || !listWritable())
        return;
    const int index = selectedRow() - 1;
    TWatchListAddEditForm dialog(this);
    dialog.setWindowTitle(QStringLiteral("Edit Stock Data"));
    dialog.setRecord(current);
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    TListRecord rec = current; // the bytes the dialog does not show stay
    const TListRecord typed = WatchEntryRecord(dialog.entry());
    rec.FileName = typed.FileName;
    rec.Name = typed.Name;
    rec.NoteFile = typed.NoteFile;
    if (storeEntry(rec, index))
        Refresh();
}

void TStockDataForm::DeleteBtnClick()
{
    TListRecord current;
    if (!readSelected(current) || !listWritable())
        return;
    TWatchListAddEditForm dialog(this);
    dialog.setWindowTitle(QStringLiteral("Delete Stock Data"));
    dialog.setRecord(current);
    dialog.setDeleteMode(true);
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    const int index = selectedRow() - 1;
    m_file->ReadAt(current, index);
    m_remembered = index;
    if (!DeleteWatchEntry(*m_file, index)) {
        // The entry is still listed, so its note stays too.
        ShowError(CannotWriteToFileMessage(m_file->path()));
        Refresh();
        return;
    }
    // The user asked for the note to go with the entry and must know when
    // it is still there.
    const QString note = current.NoteFile.text();
    const bool noteKept =
        dialog.CheckBox1->isChecked() && !note.isEmpty() && QFile::exists(note) && !QFile::remove(note);
    Refresh();
    if (noteKept)
        ShowError(CannotWriteToFileMessage(note));
}

void TStockDataForm::DropSecurity(const QString &symbol, const QString &name)
{
    if (!listWritable())
        return;
    const QString sym = symbol.left(7);
    if (!SymbolProblem(sym).isEmpty())
        return; // a row that cannot name a price file is not taken
    TListRecord rec;
    rec.FileName = sym;
    rec.Name = name.left(40);
    rec.NoteFile = GetFolders().Notes + sym + QStringLiteral(".txt");
    const int kept = m_remembered;
    if (storeEntry(rec, -1)) {
        m_remembered = kept;
        Refresh();
    }
}

void TStockDataForm::OpenBtnClick()
{
    TListRecord rec;
    if (!readSelected(rec))
        return;
    const QString symbol = rec.FileName.text();
    const QString name = rec.Name.text();
    const QString caption = name + QStringLiteral(" (") + symbol + QLatin1Char(')');
    if (QWidget *open = WindowListFind(caption)) {
        BringWindowForward(open);
        return;
    }
    QString web;
    {
        TSymbolDataBase symbols(symbolFilePath(), TOpenMode::ReadOnly);
        TSymbolRecord found;
        if (symbols.RecordCount() > 0 && symbols.Find(found, symbol))
            web = found.WebAddress.text();
    }
    OpenStockForm(this, symbol, name, rec.NoteFile.text(), web);
    if (selectedRow() < ListBox1->count()) {
        selectRow(selectedRow() + 1);
        m_remembered = selectedRow() - 1;
    }
    UpdateStatus();
}

void TStockDataForm::WebSiteBtnClick()
{
    TListRecord rec;
    if (!readSelected(rec))
        return;
    TSymbolDataBase symbols(symbolFilePath(), TOpenMode::ReadOnly);
    TSymbolRecord found;
    if (symbols.RecordCount() > 0 && symbols.Find(found, rec.FileName.text()) && !found.WebAddress.isEmpty())
        OpenWebPage(this, found.WebAddress.text());
}

void TStockDataForm::QuickBtnClick()
{
    if (!AskYesNo(QStringLiteral("Are You Sure You Want To Do Quick Data Entry?")))
        return;
    QString defaultDate = TodayText(GetInputOptions().AddDays);
    for (int row = std::max(1, selectedRow()); row <= ListBox1->count(); ++row) {
        selectRow(row);
        m_remembered = row - 1;
        TListRecord rec;
        if (!readSelected(rec))
            break;
        const QString symbol = rec.FileName.text();
        if (!SymbolProblem(symbol).isEmpty())
            continue; // no price file may be named by it
        TDataBase prices(PriceFilePath(symbol));
        // Said before the dialog, so no day's prices are typed for nothing.
        if (!prices.IsWritable()) {
            ShowError(PriceFileProblem(prices));
            continue;
        }
        TStockDataListAddEditForm dialog(this);
        dialog.setWindowTitle(QStringLiteral("Add Stock Data For ") + rec.Name.text() + QStringLiteral(" (") +
                              symbol + QLatin1Char(')'));
        dialog.setQuickMode(true);
        dialog.setEntry({defaultDate, {}, {}, {}, {}});
        const int result = ExecModal(&dialog);
        if (result == TStockDataListAddEditForm::AbortResult)
            break;
        if (result != QDialog::Accepted)
            continue;
        defaultDate = dialog.DateField->text();
        switch (AddPriceRecord(prices, dialog.record())) {
        case TPriceChange::AlreadyOnFile:
            ShowError(kPriceOnFileMessage);
            break;
        case TPriceChange::Failed:
            ShowError(PriceFileProblem(prices));
            break;
        case TPriceChange::Saved:
            break;
        }
    }
    UpdateStatus();
}

void TStockDataForm::ReportBtnClick()
{
    if (ReportsHook)
        ReportsHook(this, m_file.get());
}

void TStockDataForm::ExportBtnClick()
{
    if (ExportAllHook)
        ExportAllHook(this, m_file.get());
}
