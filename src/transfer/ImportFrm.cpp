#include "transfer/ImportFrm.h"

#include "frame/Messages.h"
#include "frame/ModalUi.h"
#include "frame/StatusFrm.h"
#include "frame/StdUnitDates.h"
#include "frame/StdUnitFields.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "transfer/ImportPreview.h"
#include "transfer/ImportRun.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <algorithm>

namespace {

QLabel *makeLabel(QWidget *parent, const QString &text, int x, int y, int w = 90)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(x, y, w, 21);
    return l;
}

template <class W> W *named(W *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

// A file picker shown through ExecModal so tests can choose the file.
QString pickFile(QWidget *owner, QFileDialog::AcceptMode mode, const QString &filter, const QString &start,
                 const QString &suffix = QString())
{
    QFileDialog dialog(owner, QString(), start, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!suffix.isEmpty())
        dialog.setDefaultSuffix(suffix);
    if (!start.isEmpty())
        dialog.selectFile(start);
    if (ExecModal(&dialog) != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

const QString kImpFilter = QStringLiteral("Import Files (*.imp);;All Files (*)");

} // namespace

// ---- the two grids ----------------------------------------------------------

QStringList TImportPreviewGrid::mimeTypes() const
{
    return {QLatin1String(kImportFieldMimeType)};
}

QMimeData *TImportPreviewGrid::mimeData(const QList<QTableWidgetItem *> &items) const
{
    if (items.isEmpty())
        return nullptr;
    const QTableWidgetItem *heading = horizontalHeaderItem(items.first()->column());
    if (!heading)
        return nullptr;
    auto *data = new QMimeData;
    data->setData(QLatin1String(kImportFieldMimeType), heading->text().toLatin1());
    return data;
}

TImportFieldGrid::TImportFieldGrid(TImportForm *form, QWidget *parent) : QTableWidget(parent), m_form(form)
{
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
}

bool TImportFieldGrid::acceptsDrop(const QMimeData *data)
{
    return data && data->hasFormat(QLatin1String(kImportFieldMimeType));
}

void TImportFieldGrid::dragEnterEvent(QDragEnterEvent *event)
{
    if (acceptsDrop(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TImportFieldGrid::dragMoveEvent(QDragMoveEvent *event)
{
    if (acceptsDrop(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TImportFieldGrid::dropEvent(QDropEvent *event)
{
    if (!acceptsDrop(event->mimeData())) {
        event->ignore();
        return;
    }
    const int row = rowAt(event->position().toPoint().y());
    m_form->ImportGridDragDrop(row < 0 ? rowCount() : row, QString::fromLatin1(event->mimeData()->data(
                                                               QLatin1String(kImportFieldMimeType))));
    event->acceptProposedAction();
}

// ---- the dialog -------------------------------------------------------------

TImportForm::TImportForm(QWidget *owner) : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("ImportForm"));
    setWindowTitle(QStringLiteral("Import"));
    setFixedSize(450, 412);

    auto *options = new QGroupBox(QStringLiteral("Import Options"), this);
    options->setGeometry(4, 2, 442, 130);
    makeLabel(options, QStringLiteral("Description:"), 8, 18);
    Description = named(new QLineEdit(options), "Description");
    Description->setGeometry(100, 18, 334, 21);
    Description->setMaxLength(255);
    makeLabel(options, QStringLiteral("File Name"), 8, 42);
    ImportFileName = named(new QLineEdit(options), "ImportFileName");
    ImportFileName->setGeometry(100, 42, 306, 21);
    ImportFileName->setMaxLength(255);
    GetFileBtn = named(new QPushButton(QStringLiteral("..."), options), "GetFileBtn");
    GetFileBtn->setGeometry(410, 42, 24, 21);
    makeLabel(options, QStringLiteral("Import Format:"), 8, 66);
    ImportFormat = named(new QComboBox(options), "ImportFormat");
    ImportFormat->setGeometry(100, 66, 150, 21);
    ImportFormat->addItems(TextLayoutNames());
    ImportFormat->setCurrentIndex(-1);
    makeLabel(options, QStringLiteral("Date Format:"), 258, 66, 70);
    DateFormat = named(new QComboBox(options), "DateFormat");
    DateFormat->setGeometry(330, 66, 104, 21);
    DateFormat->addItems(DateFormNames());
    DateFormat->setCurrentIndex(-1);
    makeLabel(options, QStringLiteral("Lines To Skip:"), 8, 92);
    SpinEdit1 = named(new QSpinBox(options), "SpinEdit1");
    SpinEdit1->setGeometry(100, 92, 60, 21);
    SpinEdit1->setRange(0, kMaxLinesToSkip);
    AppendToFile = named(new QCheckBox(QStringLiteral("Append To File"), options), "AppendToFile");
    AppendToFile->setGeometry(170, 92, 110, 21);
    AppendToFile->setChecked(true);
    VolumeLabel = makeLabel(options, QStringLiteral("Volume Divisor:"), 170, 92);
    Volume = named(new QSpinBox(options), "Volume");
    Volume->setGeometry(260, 92, 90, 21);
    Volume->setRange(1, 10000000);
    Summary = named(new QCheckBox(QStringLiteral("Summary"), options), "Summary");
    Summary->setGeometry(360, 92, 74, 21);
    VolumeLabel->hide();
    Volume->hide();
    Summary->hide();

    auto *previewBox = new QGroupBox(QStringLiteral("File Preview"), this);
    previewBox->setGeometry(4, 134, 442, 130);
    NoFileLabel = named(new QLabel(QStringLiteral("No File Loaded"), previewBox), "NoFileLabel");
    NoFileLabel->setGeometry(8, 18, 426, 104);
    NoFileLabel->setAlignment(Qt::AlignCenter);
    QFont big = NoFileLabel->font();
    big.setPointSize(20);
    big.setBold(true);
    NoFileLabel->setFont(big);
    StringGrid1 = named(new TImportPreviewGrid(previewBox), "StringGrid1");
    StringGrid1->setGeometry(8, 18, 426, 104);
    StringGrid1->setToolTip(QStringLiteral("Drage The Field You Want To Import"));
    StringGrid1->setFont(QFont(QStringLiteral("Courier New"), 10));
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    StringGrid1->setDragEnabled(true);
    StringGrid1->setDragDropMode(QAbstractItemView::DragOnly);
    StringGrid1->hide();

    auto *fieldsBox = new QGroupBox(QStringLiteral("Import Fields"), this);
    fieldsBox->setGeometry(4, 266, 442, 108);
    ImportGrid = named(new TImportFieldGrid(this, fieldsBox), "ImportGrid");
    ImportGrid->setGeometry(8, 18, 426, 84);
    ImportGrid->setColumnCount(2);
    ImportGrid->setColumnWidth(0, 198);
    ImportGrid->setColumnWidth(1, 198);
    ImportGrid->horizontalHeader()->hide();
    ImportGrid->verticalHeader()->hide();
    ImportGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ImportGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    ImportGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);

    LoadBtn = named(new QPushButton(QStringLiteral("&Load"), this), "LoadBtn");
    LoadBtn->setGeometry(98, 380, 80, 25);
    SaveBtn = named(new QPushButton(QStringLiteral("&Save"), this), "SaveBtn");
    SaveBtn->setGeometry(184, 380, 80, 25);
    ImportBtn = named(new QPushButton(QStringLiteral("&Import"), this), "ImportBtn");
    ImportBtn->setGeometry(270, 380, 80, 25);
    CancelBtn = named(new QPushButton(QStringLiteral("Cancel"), this), "CancelBtn");
    CancelBtn->setGeometry(356, 380, 80, 25);
    SaveBtn->setEnabled(false);
    ImportBtn->setEnabled(false);

    connect(Description, &QLineEdit::textChanged, this, &TImportForm::UpdateButtons);
    connect(ImportFileName, &QLineEdit::textChanged, this, &TImportForm::RefreshPreview);
    connect(ImportFormat, &QComboBox::currentIndexChanged, this, &TImportForm::RefreshPreview);
    connect(DateFormat, &QComboBox::currentIndexChanged, this, &TImportForm::UpdateButtons);
    connect(SpinEdit1, &QSpinBox::valueChanged, this, [this] {
        if (previewShown())
            RefreshPreview();
    });
    connect(GetFileBtn, &QPushButton::clicked, this, &TImportForm::GetFileBtnClick);
    connect(LoadBtn, &QPushButton::clicked, this, &TImportForm::LoadBtnClick);
    connect(SaveBtn, &QPushButton::clicked, this, &TImportForm::SaveBtnClick);
    connect(ImportBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TImportForm::setKind(TImportKind kind)
{
    const TImportKindInfo &info = ImportKindInfo(kind);
    setWindowTitle(info.Caption);
    setKindTag(info.Tag);
    setFieldRows(info.FieldRows);
    setOptionalRows(info.OptionalRows);
    setDateFormsEnabled(info.DateForms);
    setDefinitionOnly(kind == TImportKind::Conversion);
}

void TImportForm::setFieldRows(const QStringList &rows)
{
    ImportGrid->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        ImportGrid->setItem(r, 0, new QTableWidgetItem(rows[r]));
        ImportGrid->setItem(r, 1, new QTableWidgetItem(QString()));
    }
    UpdateButtons();
}

void TImportForm::setOptionalRows(const QStringList &names)
{
    m_optional.clear();
    for (const QString &n : names.mid(0, kMaxOptionalNames))
        m_optional << n.left(40);
    UpdateButtons();
}

void TImportForm::setDateFormsEnabled(bool enabled)
{
    // Disabled also greys the list, as the kinds without dates show it.
    DateFormat->setEnabled(enabled);
    UpdateButtons();
}

void TImportForm::setDefinitionOnly(bool on)
{
    m_definitionOnly = on;
    LoadBtn->setVisible(!on);
    ImportBtn->setVisible(!on);
    AppendToFile->setVisible(!on);
    VolumeLabel->setVisible(on);
    Volume->setVisible(on);
    Summary->setVisible(on);
    UpdateButtons();
}

QStringList TImportForm::fieldRows() const
{
    QStringList out;
    for (int r = 0; r < ImportGrid->rowCount(); ++r)
        out << (ImportGrid->item(r, 0) ? ImportGrid->item(r, 0)->text() : QString());
    return out;
}

QStringList TImportForm::assignments() const
{
    QStringList out;
    for (int r = 0; r < ImportGrid->rowCount(); ++r)
        out << (ImportGrid->item(r, 1) ? ImportGrid->item(r, 1)->text() : QString());
    return out;
}

TImportSettings TImportForm::settings() const
{
    TImportSettings s;
    s.Description = Description->text();
    s.KindTag = m_kindTag;
    s.FileName = ImportFileName->text();
    s.Layout = ImportFormat->currentIndex();
    s.DateForm = DateFormat->currentIndex();
    s.Append = AppendToFile->isChecked();
    s.LinesToSkip = SpinEdit1->value();
    s.VolumeDivisor = VolumeDivisorFromText(Volume->cleanText());
    s.Summary = Summary->isChecked();
    s.FieldRows = fieldRows();
    s.Assignments = assignments();
    return s;
}

void TImportForm::applyDefinition(const TImportDefinition &definition)
{
    const TImportSettings s = SettingsFromDefinition(definition, fieldRows());
    m_loadingPreview = true; // one preview at the end, not one per field
    Description->setText(s.Description);
    ImportFormat->setCurrentIndex(s.Layout);
    ImportFileName->setText(s.FileName);
    DateFormat->setCurrentIndex(s.DateForm);
    AppendToFile->setChecked(s.Append);
    SpinEdit1->setValue(s.LinesToSkip);
    Summary->setChecked(s.Summary);
    Volume->setValue(int(std::clamp(s.VolumeDivisor, 1.0, 10000000.0)));
    m_loadingPreview = false;
    RefreshPreview();
    // The stored map fills column 1 from the top once the preview (which
    // clears it for a missing file) has been built.
    for (int r = 0; r < ImportGrid->rowCount(); ++r)
        ImportGrid->item(r, 1)->setText(s.Assignments.value(r));
    UpdateButtons();
}

bool TImportForm::datedKind() const
{
    return DateFormat->isEnabled();
}

bool TImportForm::previewShown() const
{
    return StringGrid1->isVisibleTo(this);
}

void TImportForm::RefreshPreview()
{
    if (m_loadingPreview)
        return;
    const TImportPreview preview =
        BuildImportPreview(ImportFileName->text(), ImportFormat->currentText(), SpinEdit1->value());
    if (!preview.FileExists) {
        for (int r = 0; r < ImportGrid->rowCount(); ++r)
            ImportGrid->item(r, 1)->setText(QString());
    }
    if (!preview.Loaded) {
        StringGrid1->hide();
        StringGrid1->clear();
        NoFileLabel->show();
        UpdateButtons();
        return;
    }
    StringGrid1->clear();
    StringGrid1->setColumnCount(preview.Columns);
    StringGrid1->setRowCount(int(preview.Rows.size()));
    StringGrid1->setHorizontalHeaderLabels(preview.Headings);
    const QFontMetrics metrics(StringGrid1->font());
    const QFontMetrics headingMetrics(StringGrid1->horizontalHeader()->font());
    // A cell keeps the style's focus margin on either side of its text, and a
    // heading its header margin; without them the widest value is elided.
    QStyle *style = StringGrid1->style();
    const int cellMargin =
        2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, StringGrid1) + 1) + 1;
    const int headingMargin = 2 * style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, StringGrid1) + 1;
    for (int c = 0; c < preview.Columns; ++c) {
        int widest = 0;
        for (int r = 0; r < preview.Rows.size(); ++r) {
            const QString &text = preview.Rows[r][c];
            StringGrid1->setItem(r, c, new QTableWidgetItem(text));
            widest = std::max(widest, metrics.horizontalAdvance(text));
        }
        StringGrid1->setColumnWidth(
            c, std::max(widest + cellMargin,
                        headingMetrics.horizontalAdvance(preview.Headings[c]) + headingMargin));
    }
    // Fixed-length columns may be dragged wider to see where they lie; the
    // delimited ones have nothing to adjust.
    StringGrid1->horizontalHeader()->setSectionResizeMode(
        ImportFormat->currentText() == kLayoutFixed ? QHeaderView::Interactive : QHeaderView::Fixed);
    NoFileLabel->hide();
    StringGrid1->show();
    UpdateButtons();
}

void TImportForm::ImportGridDragDrop(int row, const QString &heading)
{
    if (ImportGrid->rowCount() == 0)
        return;
    row = std::clamp(row, 0, ImportGrid->rowCount() - 1);
    ImportGrid->item(row, 1)->setText(heading);
    UpdateButtons();
}

void TImportForm::UpdateButtons()
{
    const TImportSettings s = settings();
    bool ready = RequiredRowsAssigned(s, m_optional);
    if (m_definitionOnly && s.Description.isEmpty())
        ready = false;
    // A definition without a layout (or, for dated data, a date form) could
    // only ever store nothing.
    if (s.Layout < 0 || (datedKind() && s.DateForm < 0))
        ready = false;
    SaveBtn->setEnabled(ready);
    ImportBtn->setEnabled(ready);
}

void TImportForm::GetFileBtnClick()
{
    const QString file =
        pickFile(this, QFileDialog::AcceptOpen, QStringLiteral("Text Files (*.txt);;All Files (*)"),
                 ImportFileName->text());
    if (!file.isEmpty())
        ImportFileName->setText(file);
}

void TImportForm::LoadBtnClick()
{
    const QString path = pickFile(this, QFileDialog::AcceptOpen, kImpFilter, QString());
    if (path.isEmpty())
        return;
    TImportDefinition definition;
    QString ioError;
    const TDefinitionLoad result = LoadImportDefinition(path, m_kindTag, definition, &ioError);
    if (result != TDefinitionLoad::Loaded) {
        ShowError(DefinitionLoadMessage(result, ioError));
        return;
    }
    applyDefinition(definition);
}

void TImportForm::SaveBtnClick()
{
    if (m_definitionOnly) {
        accept();
        return;
    }
    const QString path =
        pickFile(this, QFileDialog::AcceptSave, kImpFilter, QString(), QStringLiteral("imp"));
    if (path.isEmpty())
        return;
    if (!SaveImportDefinition(path, definition()))
        ShowError(kCannotCreateDefinition);
}

// ---- the openers' runs --------------------------------------------------------

namespace {

// The progress window goes before a run's last word, so the closing message
// and any error stand alone.
class TImportTalk : public TStatusTalk
{
public:
    using TStatusTalk::TStatusTalk;
    void error(const QString &text) override
    {
        form()->hide();
        TStatusTalk::error(text);
    }
    void warning(const QString &text) override
    {
        form()->hide();
        TStatusTalk::warning(text);
    }
    void information(const QString &text) override
    {
        form()->hide();
        TStatusTalk::information(text);
    }
};

class TQuestionTalk : public TRunTalk
{
public:
    void progress(const QString &) override {}
};

template <class File, class Run> bool importUi(QWidget *owner, TImportKind kind, File &file, Run run)
{
    TImportSettings settings;
    {
        TImportForm dialog(owner);
        dialog.setKind(kind);
        if (ExecModal(&dialog) != QDialog::Accepted)
            return false;
        settings = dialog.settings();
    }
    TQuestionTalk ask;
    if (!ConfirmImportOverwrite(kind, settings, ask))
        return false;
    TImportTalk talk(owner, ImportKindInfo(kind).ProgressCaption, QString());
    return run(settings, file, talk).Completed;
}

} // namespace

bool ImportSymbolsUi(QWidget *owner, TSymbolDataBase &file)
{
    return importUi(owner, TImportKind::Symbols, file, RunSymbolImport);
}

bool ImportPricesUi(QWidget *owner, TDataBase &file)
{
    return importUi(owner, TImportKind::Prices, file, RunPriceImport);
}
