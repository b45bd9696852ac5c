#include "portfolio/PortfilioListFrm.h"

#include "frame/FixedLayoutUi.h"
#include "frame/Messages.h"
#include "frame/ModalUi.h"
#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "portfolio/Passwordfrm.h"
#include "portfolio/PortListAddEditfrm.h"
#include "portfolio/portfoliofrm.h"
#include "records/WatchBase.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>

namespace {
QPushButton *makeButton(QWidget *parent, const QString &caption, const char *name, int y)
{
    return PlaceButton(parent, caption, name, {232, y, 83, 25});
}
} // namespace

TPortfilioListForm::TPortfilioListForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PortfilioListForm"));
    setWindowTitle(QStringLiteral("Portfolio List"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(322, 262);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(6, 6, 218, 226);
    AddBtn = makeButton(this, QStringLiteral("&Add"), "AddBtn", 8);
    EditBtn = makeButton(this, QStringLiteral("&Edit"), "EditBtn", 38);
    DeleteBtn = makeButton(this, QStringLiteral("&Delete"), "DeleteBtn", 68);
    OpenBtn = makeButton(this, QStringLiteral("&Open"), "OpenBtn", 118);
    CloseBtn = makeButton(this, QStringLiteral("Close"), "CloseBtn", 206);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, 240, 322, 22);
    m_status = new QLabel(StatusBar1);
    StatusBar1->addWidget(m_status, 1);

    connect(AddBtn, &QPushButton::clicked, this, &TPortfilioListForm::AddBtnClick);
    connect(EditBtn, &QPushButton::clicked, this, &TPortfilioListForm::EditBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TPortfilioListForm::DeleteBtnClick);
    connect(OpenBtn, &QPushButton::clicked, this, &TPortfilioListForm::OpenBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] {
        if (OpenBtn->isEnabled())
            OpenBtnClick();
    });
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            m_position = row;
        m_status->setText(QStringLiteral("Record %1 of %2").arg(row + 1).arg(ListBox1->count()));
    });

    m_list = std::make_unique<TWatchDatabase>(PortfolioListPath());
    if (!m_list->IsOpen())
        ShowError(QStringLiteral("Error, Could Not Open File: ") + PortfolioListPath());
    Refresh();
}

TPortfilioListForm::~TPortfilioListForm() = default;

QString TPortfilioListForm::statusText() const
{
    return m_status->text();
}

void TPortfilioListForm::Refresh()
{
    ListBox1->blockSignals(true);
    ListBox1->clear();
    TListRecord e;
    const int count = m_list->RecordCount();
    for (int i = 0; i < count; ++i) {
        m_list->ReadAt(e, i);
        ListBox1->addItem(e.Name.text());
    }
    for (QPushButton *b : {EditBtn, DeleteBtn, OpenBtn})
        b->setEnabled(count > 0);
    if (count > 0) {
        if (m_position >= count)
            m_position = count - 1;
        ListBox1->setCurrentRow(m_position);
    }
    ListBox1->blockSignals(false);
    const int selected = count > 0 ? ListBox1->currentRow() + 1 : 0;
    m_status->setText(QStringLiteral("Record %1 of %2").arg(selected).arg(count));
}

bool TPortfilioListForm::readSelected(TListRecord &entry)
{
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= m_list->RecordCount())
        return false;
    m_list->ReadAt(entry, row);
    return !(m_list->Status() & (IoError | Boundary));
}

void TPortfilioListForm::AddBtnClick()
{
    TPortListAddEditForm dialog(this);
    dialog.setWindowTitle(QStringLiteral("Add Portfolio"));
    dialog.setList(m_list.get(), QString());
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    TPortfolioInput in = dialog.input();
    in.SecurityCode = NewSecurityCode();
    const TListChange c = AddPortfolioEntry(*m_list, EntryFromInput(in));
    if (!c.DuplicateName.isEmpty()) {
        ShowError(PortfolioDuplicateMessage(c.DuplicateName));
        return;
    }
    if (!c.Done)
        ShowError(QStringLiteral("Error, Could Not Write File: ") + PortfolioListPath());
    else
        m_position = c.Position;
    Refresh();
}

void TPortfilioListForm::EditBtnClick()
{
    TListRecord entry;
    if (!readSelected(entry))
        return;
    TAccessTalkUi talk(this);
    if (!CheckEntryAccess(entry, talk))
        return;
    TPortListAddEditForm dialog(this);
    dialog.setWindowTitle(QStringLiteral("Edit Portfolio"));
    dialog.FileNameEdit->setEnabled(false);
    dialog.setInput(InputFromEntry(entry));
    dialog.setList(m_list.get(), entry.Name.text());
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    const QString selectedName = ListBox1->currentItem() ? ListBox1->currentItem()->text() : QString();
    const TListChange c =
        EditPortfolioEntry(*m_list, ListBox1->currentRow(), selectedName, EntryFromInput(dialog.input()));
    if (!c.DuplicateName.isEmpty())
        ShowError(PortfolioDuplicateMessage(c.DuplicateName));
    else if (c.Done)
        m_position = c.Position;
    Refresh();
}

void TPortfilioListForm::DeleteBtnClick()
{
    TListRecord entry;
    if (!readSelected(entry))
        return;
    TAccessTalkUi talk(this);
    if (!CheckEntryAccess(entry, talk))
        return;
    TPortListAddEditForm dialog(this);
    dialog.setWindowTitle(QStringLiteral("Delete Portfolio"));
    dialog.setInput(InputFromEntry(entry));
    dialog.setDeleteMode();
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    const int row = ListBox1->currentRow();
    if (!readSelected(entry))
        return;
    QString error;
    if (!DeletePortfolioFiles(entry, dialog.DeleteNoteCheck->isChecked(), &error)) {
        ShowError(error);
        return;
    }
    // A window still showing the removed portfolio would write its files anew.
    ClosePortfolioWindowOf(entry.FileName.text());
    m_position = row;
    m_list->Delete(row);
    Refresh();
}

void TPortfilioListForm::OpenBtnClick()
{
    ClosePortfolioWindow();
    TListRecord entry;
    if (readSelected(entry)) {
        TAccessTalkUi talk(this);
        if (CheckEntryAccess(entry, talk)) {
            OpenPortfolioWindow(parentWidget(), entry);
            CurrentPortfolio = entry;
        }
    }
    accept();
}

void ShowPortfolioList(QWidget *owner)
{
    TPortfilioListForm form(owner);
    ExecModal(&form);
}
