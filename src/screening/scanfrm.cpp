#include "screening/scanfrm.h"

#include "frame/FixedLayoutUi.h"
#include "frame/Messages.h"
#include "frame/ModalUi.h"
#include "frame/Stockcfg.h"
#include "records/FunctionBase.h"
#include "screening/FunctionAddEditFrm.h"

#include <QListWidget>
#include <QPushButton>

namespace {

QPushButton *makeButton(QWidget *parent, const QString &caption, const char *name, int y)
{
    return PlaceButton(parent, caption, name, {232, y, 83, 25});
}

} // namespace

TScanForm::TScanForm(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("ScanForm"));
    setWindowTitle(QStringLiteral("Watch Criteria"));
    setFixedSize(324, 260);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 8, 216, 244);
    AddBtn = makeButton(this, QStringLiteral("&Add"), "AddBtn", 8);
    EditBtn = makeButton(this, QStringLiteral("&Edit"), "EditBtn", 40);
    DeleteBtn = makeButton(this, QStringLiteral("&Delete"), "DeleteBtn", 72);
    CloseBtn = makeButton(this, QStringLiteral("Close"), "CloseBtn", 227);

    connect(AddBtn, &QPushButton::clicked, this, &TScanForm::AddBtnClick);
    connect(EditBtn, &QPushButton::clicked, this, &TScanForm::EditBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TScanForm::DeleteBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] {
        if (EditBtn->isEnabled())
            EditBtnClick();
    });

    m_file = std::make_unique<TFunctionBase>(GetFolders().Watch + QStringLiteral("Scan.dat"));
    if (!m_file->IsOpen())
        ShowError(QStringLiteral("Error, Could Not Open ") + m_file->path());
    Refresh();
}

TScanForm::~TScanForm() = default;

void TScanForm::Refresh()
{
    ListBox1->clear();
    TFunctionRecord rec;
    const int count = m_file->RecordCount();
    for (int i = 0; i < count; ++i) {
        m_file->ReadAt(rec, i);
        ListBox1->addItem(rec.Description.text());
    }
    const bool any = count > 0;
    EditBtn->setEnabled(any);
    DeleteBtn->setEnabled(any);
    if (!any)
        return;
    if (m_position > count - 1)
        m_position = count - 1;
    ListBox1->setCurrentRow(m_position);
}

int TScanForm::selectedIndex() const
{
    return ListBox1->currentRow();
}

void TScanForm::AddBtnClick()
{
    TFunctionAddEditForm dialog(TFunctionAddEditForm::AddMode, this);
    dialog.store = [this](TFunctionRecord &rec) { return AddFunction(*m_file, rec); };
    ExecModal(&dialog);
    Refresh();
}

void TScanForm::EditBtnClick()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    TFunctionRecord rec;
    m_file->ReadAt(rec, index);
    TFunctionAddEditForm dialog(TFunctionAddEditForm::EditMode, this);
    dialog.setTexts(FunctionTexts(rec));
    dialog.store = [this, index](TFunctionRecord &changed) { return EditFunction(*m_file, index, changed); };
    ExecModal(&dialog);
    Refresh();
}

void TScanForm::DeleteBtnClick()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    TFunctionRecord rec;
    m_file->ReadAt(rec, index);
    TFunctionAddEditForm dialog(TFunctionAddEditForm::DeleteMode, this);
    dialog.setTexts(FunctionTexts(rec));
    if (ExecModal(&dialog) == QDialog::Accepted) {
        const QString error = DeleteFunction(*m_file, index);
        if (!error.isEmpty())
            ShowError(error);
    }
    Refresh();
}
