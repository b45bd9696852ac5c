#include "transfer/dataconversionfrm.h"

#include "frame/FixedLayoutUi.h"
#include "frame/InvalidDateFrm.h"
#include "frame/Messages.h"
#include "frame/StatusFrm.h"
#include "frame/StdUnit.h"
#include "transfer/DataConversion.h"
#include "transfer/TransferMessages.h"

#include <QListWidget>
#include <QPushButton>

namespace {

TConversionDefinitionEditor &definitionEditor()
{
    static TConversionDefinitionEditor editor;
    return editor;
}

QPushButton *button(QWidget *parent, const QString &caption, const char *name, int y)
{
    return PlaceButton(parent, caption, name, {280, y, 81, 25});
}

// The progress window of the run, and the calendar for a replacement date.
class TConversionTalk : public TStatusTalk
{
public:
    explicit TConversionTalk(QWidget *owner)
        : TStatusTalk(owner, QStringLiteral("Importing Stock Data Information"),
                      QStringLiteral("Importing Record: 1")),
          m_owner(owner)
    {
    }
    QString replacementDate(const QString &symbol) override { return AskReplacementDate(m_owner, symbol); }

private:
    QWidget *m_owner;
};

} // namespace

void SetConversionDefinitionEditor(TConversionDefinitionEditor editor)
{
    definitionEditor() = std::move(editor);
}

TDataConversionform::TDataConversionform(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DataConversionform"));
    setWindowTitle(QStringLiteral("Data Conversion"));
    setFixedSize(369, 200);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 8, 257, 177);
    CreateBtn = button(this, QStringLiteral("&Create"), "CreateBtn", 8);
    EditBtn = button(this, QStringLiteral("&Edit"), "EditBtn", 40);
    DeleteBtn = button(this, QStringLiteral("&Delete"), "DeleteBtn", 72);
    RunBtn = button(this, QStringLiteral("&Run"), "RunBtn", 104);
    CancelBtn = button(this, QStringLiteral("Cancel"), "CancelBtn", 160);

    connect(CreateBtn, &QPushButton::clicked, this, &TDataConversionform::CreateBtnClick);
    connect(EditBtn, &QPushButton::clicked, this, &TDataConversionform::EditBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TDataConversionform::DeleteBtnClick);
    connect(RunBtn, &QPushButton::clicked, this, &TDataConversionform::RunBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TDataConversionform::RunBtnClick);

    m_file = std::make_unique<TConvDataBase>(ConvertDatPath());
    if (!m_file->IsOpen())
        ShowError(CannotOpenFileMessage(ConvertDatPath()));
    Refresh();
}

TDataConversionform::~TDataConversionform() = default;

void TDataConversionform::Refresh()
{
    ListBox1->clear();
    ListBox1->addItems(ConversionFormatDescriptions(*m_file));
    const bool any = ListBox1->count() > 0;
    EditBtn->setEnabled(any && bool(definitionEditor()));
    DeleteBtn->setEnabled(any);
    RunBtn->setEnabled(any);
    CreateBtn->setEnabled(bool(definitionEditor()) && m_file->IsOpen());
    if (any)
        ListBox1->setCurrentRow(0);
}

void TDataConversionform::CreateBtnClick()
{
    if (!definitionEditor())
        return;
    TConvRecord rec;
    if (definitionEditor()(this, rec))
        CreateConversionFormat(*m_file, rec);
    Refresh();
}

void TDataConversionform::EditBtnClick()
{
    const int index = ListBox1->currentRow();
    if (!definitionEditor() || index < 0)
        return;
    TConvRecord rec;
    m_file->ReadAt(rec, index);
    if (definitionEditor()(this, rec))
        EditConversionFormat(*m_file, index, rec);
    Refresh();
}

void TDataConversionform::DeleteBtnClick()
{
    const int index = ListBox1->currentRow();
    if (index < 0)
        return;
    if (!AskYesNo(QStringLiteral("Are You Sure You Want To Delete This Conversion Format?")))
        return;
    m_file->Delete(index);
    Refresh();
}

void TDataConversionform::RunBtnClick()
{
    const int index = ListBox1->currentRow();
    if (index >= 0 && AskYesNo(QStringLiteral("Are You Sure You Want To Run This Conversion Format?"))) {
        TConvRecord rec;
        m_file->ReadAt(rec, index);
        TConversionResult result;
        {
            TConversionTalk talk(this);
            result = RunDataConversion(rec, talk);
        }
        if (result.ViewErrorLog)
            OpenDocument(this, ErrorLogPath());
        if (result.Completed)
            RunWatchAfterConversion();
    }
    // The window closes after Run whatever the answer.
    accept();
}
