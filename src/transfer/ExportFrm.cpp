#include "transfer/ExportFrm.h"

#include "frame/DateBoxUi.h"
#include "frame/FixedLayoutUi.h"
#include "frame/Messages.h"
#include "frame/ModalUi.h"
#include "frame/StatusFrm.h"
#include "frame/StdUnit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

// ---- the export list ----------------------------------------------------------

namespace {

QListWidget *sourceList(QDropEvent *event)
{
    return qobject_cast<QListWidget *>(event->source());
}

} // namespace

void TExportFieldList::dragEnterEvent(QDragEnterEvent *event)
{
    if (sourceList(event) && sourceList(event) != this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TExportFieldList::dragMoveEvent(QDragMoveEvent *event)
{
    if (sourceList(event) && sourceList(event) != this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TExportFieldList::dropEvent(QDropEvent *event)
{
    QListWidget *source = sourceList(event);
    if (!source || source == this || !source->currentItem()) {
        event->ignore();
        return;
    }
    addItem(source->currentItem()->text());
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit fieldDropped();
}

// ---- the dialog ------------------------------------------------------------------

namespace {

QLabel *label(QWidget *parent, const QString &text, int x, int y)
{
    auto *l = new QLabel(text, parent);
    l->move(x, y);
    return l;
}

QPushButton *button(QWidget *parent, const QString &caption, const char *name, int x, int y, int w = 75)
{
    return PlaceButton(parent, caption, name, {x, y, w, 25});
}

} // namespace

TExportForm::TExportForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ExportForm"));
    setWindowTitle(QStringLiteral("Export"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::CustomizeWindowHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(417, 390);

    auto *options = new QGroupBox(QStringLiteral("Export Options"), this);
    options->setGeometry(8, 4, 401, 166);
    label(options, QStringLiteral("File Name:"), 8, 22);
    ExportFileName = new QLineEdit(options);
    ExportFileName->setObjectName(QStringLiteral("ExportFileName"));
    ExportFileName->setMaxLength(255);
    ExportFileName->setGeometry(100, 18, 260, 22);
    ExportFile = button(options, QStringLiteral("..."), "ExportFile", 366, 17, 25);

    label(options, QStringLiteral("Date Format:"), 8, 52);
    DateFormatCombo = new QComboBox(options);
    DateFormatCombo->setObjectName(QStringLiteral("DateFormatCombo"));
    DateFormatCombo->addItems(DateFormNames());
    DateFormatCombo->setCurrentIndex(-1);
    DateFormatCombo->setGeometry(100, 48, 120, 22);

    label(options, QStringLiteral("Export Format:"), 8, 82);
    ExportCombo = new QComboBox(options);
    ExportCombo->setObjectName(QStringLiteral("ExportCombo"));
    ExportCombo->addItems(TextLayoutNames());
    ExportCombo->setCurrentIndex(-1);
    ExportCombo->setGeometry(100, 78, 180, 22);

    label(options, QStringLiteral("From:"), 8, 114);
    StartDate = new TDateBox(options, QStringLiteral("StartDateBtn"));
    StartDate->setObjectName(QStringLiteral("StartDate"));
    StartDate->setGeometry(100, 110, 120, 24);
    StartDate->setText(QStringLiteral("01/01/1960"));
    StartDateBtn = StartDate->button();

    label(options, QStringLiteral("To:"), 230, 114);
    StopDate = new TDateBox(options, QStringLiteral("StopDateBtn"));
    StopDate->setObjectName(QStringLiteral("StopDate"));
    StopDate->setGeometry(260, 110, 120, 24);
    StopDate->setText(TodayText(0));
    StopDateBtn = StopDate->button();

    IncludeHeader = new QCheckBox(QStringLiteral("Include Header Line"), options);
    IncludeHeader->setObjectName(QStringLiteral("IncludeHeader"));
    IncludeHeader->move(8, 142);

    auto *fields = new QGroupBox(QStringLiteral("Export Fields"), this);
    fields->setGeometry(8, 174, 401, 178);
    label(fields, QStringLiteral("Available Fields To Export"), 8, 18);
    AvailableFields = new QListWidget(fields);
    AvailableFields->setObjectName(QStringLiteral("AvailableFields"));
    AvailableFields->setGeometry(8, 36, 160, 132);
    AvailableFields->setSortingEnabled(true);
    AvailableFields->setDragEnabled(true);
    AvailableFields->setDragDropMode(QAbstractItemView::DragOnly);
    label(fields, QStringLiteral("Fields To Export"), 233, 18);
    ExportFields = new TExportFieldList(fields);
    ExportFields->setObjectName(QStringLiteral("ExportFields"));
    ExportFields->setGeometry(233, 36, 160, 132);
    ExportFields->setAcceptDrops(true);
    ExportFields->setDragDropMode(QAbstractItemView::DropOnly);
    CopyBtn = button(fields, QStringLiteral(">"), "CopyBtn", 180, 70, 41);
    DeleteBtn = button(fields, QStringLiteral("<"), "DeleteBtn", 180, 110, 41);

    ExportBtn = button(this, QStringLiteral("&Export"), "ExportBtn", 250, 360);
    ExportBtn->setDefault(true);
    CancelBtn = button(this, QStringLiteral("Cancel"), "CancelBtn", 334, 360);

    connect(ExportFile, &QPushButton::clicked, this, &TExportForm::ExportFileClick);
    connect(CopyBtn, &QPushButton::clicked, this, &TExportForm::CopyBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TExportForm::DeleteBtnClick);
    connect(ExportBtn, &QPushButton::clicked, this, &TExportForm::ExportBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(ExportFileName, &QLineEdit::textChanged, this, &TExportForm::updateButtons);
    connect(ExportCombo, &QComboBox::currentIndexChanged, this, &TExportForm::updateButtons);
    connect(DateFormatCombo, &QComboBox::currentIndexChanged, this, &TExportForm::updateButtons);
    connect(ExportFields, &TExportFieldList::fieldDropped, this, &TExportForm::updateButtons);
    updateButtons();
}

void TExportForm::setAvailableFields(const QStringList &fields)
{
    AvailableFields->clear();
    AvailableFields->addItems(fields);
}

void TExportForm::setDatesEnabled(bool enabled)
{
    DateFormatCombo->setEnabled(enabled);
    StartDate->setEnabled(enabled);
    StopDate->setEnabled(enabled);
    StartDateBtn->setEnabled(enabled);
    StopDateBtn->setEnabled(enabled);
    updateButtons();
}

TExportSettings TExportForm::settings() const
{
    TExportSettings s;
    s.FileName = ExportFileName->text();
    s.Layout = ExportCombo->currentText();
    s.DateForm = DateFormatCombo->isEnabled() ? DateFormatCombo->currentText() : QString();
    s.FromDate = StartDate->text();
    s.ToDate = StopDate->text();
    s.IncludeHeader = IncludeHeader->isChecked();
    for (int i = 0; i < ExportFields->count(); ++i)
        s.Fields << ExportFields->item(i)->text();
    return s;
}

void TExportForm::ExportFileClick()
{
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("Text File (*.txt)"), QStringLiteral("All Files (*.*)")});
    dialog.setDefaultSuffix(QStringLiteral("Txt"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!ExportFileName->text().isEmpty())
        dialog.selectFile(ExportFileName->text());
    if (ExecModal(&dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    ExportFileName->setText(dialog.selectedFiles().constFirst());
}

void TExportForm::CopyBtnClick()
{
    if (!AvailableFields->currentItem() || !AvailableFields->currentItem()->isSelected())
        return;
    ExportFields->addItem(AvailableFields->currentItem()->text());
    updateButtons();
}

void TExportForm::DeleteBtnClick()
{
    QListWidgetItem *item = ExportFields->currentItem();
    if (!item || !item->isSelected())
        return;
    delete ExportFields->takeItem(ExportFields->row(item));
    updateButtons();
}

void TExportForm::ExportBtnClick()
{
    if (StartDate->isEnabled()) {
        const QStringList problems = ExportDateProblems(StartDate->text(), StopDate->text());
        if (!problems.isEmpty()) {
            ShowInvalidFields(problems);
            return;
        }
    }
    accept();
}

void TExportForm::updateButtons()
{
    DeleteBtn->setEnabled(ExportFields->count() > 0);
    ExportBtn->setEnabled(ExportAllowed(ExportFileName->text(), ExportFields->count(),
                                        ExportCombo->currentIndex() >= 0,
                                        DateFormatCombo->currentIndex() >= 0, DateFormatCombo->isEnabled()));
}

// ---- the openers ------------------------------------------------------------------

void ExportSymbols(QWidget *owner)
{
    TExportForm dialog(owner);
    dialog.setWindowTitle(QStringLiteral("Export Symbol Information"));
    dialog.setAvailableFields({QStringLiteral("Symbol"), QStringLiteral("Name"), QStringLiteral("Web Link")});
    dialog.setDatesEnabled(false);
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    TStatusTalk talk(owner, QStringLiteral("Exporting Symbol Information"), QString());
    RunSymbolExport(dialog.settings(), talk);
}

void ExportStockData(QWidget *owner, const QString &symbol)
{
    TExportForm dialog(owner);
    dialog.setWindowTitle(QStringLiteral("Export Stock Data Information"));
    dialog.setAvailableFields({QStringLiteral("Date"), QStringLiteral("High"), QStringLiteral("Low"),
                               QStringLiteral("Close"), QStringLiteral("Volume")});
    dialog.setDatesEnabled(true);
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    TStatusTalk talk(owner, QStringLiteral("Exporting Stock Data Information"), QString());
    RunPriceExport(dialog.settings(), symbol, talk);
}

void ExportAllStockData(QWidget *owner, const QString &watchListPath)
{
    TExportForm dialog(owner);
    dialog.setWindowTitle(QStringLiteral("Export Stock Data Information"));
    dialog.setAvailableFields({QStringLiteral("Symbol"), QStringLiteral("Company"), QStringLiteral("Date"),
                               QStringLiteral("High"), QStringLiteral("Low"), QStringLiteral("Close"),
                               QStringLiteral("Volume")});
    dialog.setDatesEnabled(true);
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    TStatusTalk talk(owner, QStringLiteral("Exporting Stock Data Information"), QString());
    RunExportAll(dialog.settings(), watchListPath, talk);
}
