#include "reports/ReportsFrm.h"

#include "frame/Clock.h"
#include "frame/DateBoxUi.h"
#include "frame/FixedLayoutUi.h"
#include "frame/Messages.h"
#include "frame/ModalUi.h"
#include "frame/PrinterUi.h"
#include "frame/StdUnitDates.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>
#include <climits>

namespace {

QPushButton *makeButton(QWidget *parent, const QString &text, const char *name, int x, int y)
{
    return PlaceButton(parent, text, name, {x, y, 80, 26});
}

// Disabled boxes show the button face instead of the window background.
void greyWhenDisabled(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Disabled, QPalette::Base, palette.color(QPalette::Active, QPalette::Button));
    widget->setPalette(palette);
}

} // namespace

TReportOptionsDialog::TReportOptionsDialog(QWidget *owner, const QString &caption,
                                           const QString &percentCaption)
    : QDialog(owner)
{
    setWindowTitle(caption);
    // A fixed border with the close box only: nothing to minimise or stretch.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(470, 250);

    ReportsGroup = new QGroupBox(QStringLiteral("Reports"), this);
    ReportsGroup->setObjectName(QStringLiteral("ReportsGroup"));
    ReportsGroup->setGeometry(8, 8, 220, 190);

    OptionsGroup = new QGroupBox(QStringLiteral("Options"), this);
    OptionsGroup->setObjectName(QStringLiteral("OptionsGroup"));
    OptionsGroup->setGeometry(236, 8, 226, 190);

    auto *percentLabel = new QLabel(percentCaption, OptionsGroup);
    percentLabel->setGeometry(8, 24, 100, 22);
    PercentEdit = new QSpinBox(OptionsGroup);
    PercentEdit->setObjectName(QStringLiteral("PercentEdit"));
    PercentEdit->setRange(INT_MIN, INT_MAX);
    PercentEdit->setValue(0);
    PercentEdit->setGeometry(110, 22, 100, 24);
    percentLabel->setBuddy(PercentEdit);

    auto *startLabel = new QLabel(QStringLiteral("Start Date:"), OptionsGroup);
    startLabel->setGeometry(8, 58, 100, 22);
    StartDate = new TDateBox(OptionsGroup, QStringLiteral("StartDateBtn"));
    StartDate->setObjectName(QStringLiteral("StartDate"));
    StartDate->setGeometry(80, 56, 140, 24);
    auto *endLabel = new QLabel(QStringLiteral("End Date:"), OptionsGroup);
    endLabel->setGeometry(8, 92, 100, 22);
    EndDate = new TDateBox(OptionsGroup, QStringLiteral("EndDateBtn"));
    EndDate->setObjectName(QStringLiteral("EndDate"));
    EndDate->setGeometry(80, 90, 140, 24);
    StartDate->setDate(Clock::Today());
    EndDate->setDate(Clock::Today());
    for (QWidget *box : {static_cast<QWidget *>(PercentEdit), static_cast<QWidget *>(StartDate->edit()),
                         static_cast<QWidget *>(EndDate->edit())})
        greyWhenDisabled(box);

    PreviewBtn = makeButton(this, QStringLiteral("P&review"), "PreviewBtn", 200, 212);
    PrintBtn = makeButton(this, QStringLiteral("&Print"), "PrintBtn", 290, 212);
    CancelBtn = makeButton(this, QStringLiteral("Cancel"), "CancelBtn", 380, 212);
    PreviewBtn->setDefault(true);
    connect(PreviewBtn, &QPushButton::clicked, this, &TReportOptionsDialog::PreviewBtnClick);
    connect(PrintBtn, &QPushButton::clicked, this, &TReportOptionsDialog::PrintBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

QRadioButton *TReportOptionsDialog::addChoice(const QString &text, const char *name, bool usesPercent,
                                              bool usesDates)
{
    auto *button = new QRadioButton(text, ReportsGroup);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(10, m_nextChoiceY, 205, 22);
    m_nextChoiceY += 30;
    if (m_choices.isEmpty())
        button->setChecked(true);
    m_choices.append({button, usesPercent, usesDates});
    connect(button, &QRadioButton::toggled, this, &TReportOptionsDialog::UpdateOptions);
    return button;
}

void TReportOptionsDialog::fitChoices()
{
    // The choice texts are wider than the group in larger fonts; the group
    // and everything right of it move over so that none is cut.
    int widest = 0;
    for (const TChoice &c : m_choices)
        widest = std::max(widest, c.Button->sizeHint().width());
    const int extra = std::max(0, widest + 15 - ReportsGroup->width());
    if (extra == 0)
        return;
    for (const TChoice &c : m_choices)
        c.Button->resize(widest, c.Button->height());
    ReportsGroup->resize(ReportsGroup->width() + extra, ReportsGroup->height());
    for (QWidget *w : {static_cast<QWidget *>(OptionsGroup), static_cast<QWidget *>(PreviewBtn),
                       static_cast<QWidget *>(PrintBtn), static_cast<QWidget *>(CancelBtn)})
        w->move(w->x() + extra, w->y());
    setFixedSize(width() + extra, height());
}

int TReportOptionsDialog::choiceIndex() const
{
    for (int i = 0; i < m_choices.size(); ++i)
        if (m_choices[i].Button->isChecked())
            return i;
    return 0;
}

QString TReportOptionsDialog::percentText() const
{
    // The spin box's own text() keeps the last value; the line inside shows
    // what the user actually left in the box.
    if (const auto *line = PercentEdit->findChild<QLineEdit *>())
        return line->text();
    return PercentEdit->text();
}

void TReportOptionsDialog::UpdateOptions()
{
    if (m_choices.isEmpty())
        return;
    const TChoice &c = m_choices[choiceIndex()];
    const bool dates = c.UsesDates;
    PercentEdit->setEnabled(c.UsesPercent);
    StartDate->setEnabled(dates);
    EndDate->setEnabled(dates);
}

TReportOptionTexts TReportOptionsDialog::optionTexts() const
{
    TReportOptionTexts texts;
    texts.DatesEnabled = StartDate->isEnabled();
    texts.Start = StartDate->text();
    texts.End = EndDate->text();
    texts.PercentEnabled = PercentEdit->isEnabled();
    texts.Percent = percentText();
    return texts;
}

bool TReportOptionsDialog::checksPass()
{
    const QStringList problems = ReportOptionProblems(optionTexts());
    if (problems.isEmpty())
        return true;
    ShowInvalidFields(problems);
    return false;
}

void TReportOptionsDialog::PreviewBtnClick()
{
    if (checksPass())
        done(int(TReportResult::Preview));
}

void TReportOptionsDialog::PrintBtnClick()
{
    if (!checksPass())
        return;
    QPrintDialog dialog(AppPrinter(), this);
    // Reports are printed whole: no page ranges to choose.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (ExecModal(&dialog) == QDialog::Accepted)
        done(int(TReportResult::Print));
    else
        done(int(TReportResult::Cancel));
}

TPortReportsform::TPortReportsform(QWidget *owner)
    : TReportOptionsDialog(owner, QStringLiteral("Portfolio Reports"), QStringLiteral("Percent Change:"))
{
    setObjectName(QStringLiteral("PortReportsform"));
    SummaryBtn = addChoice(QStringLiteral("Portfolio Report (Summary)"), "SummaryBtn", false, false);
    DetailBtn = addChoice(QStringLiteral("Portfoilio Report (Detail)"), "DetailBtn", false, false);
    OneDayBtn = addChoice(QStringLiteral("Precent Change One Day"), "OneDayBtn", true, false);
    RangeSummaryBtn =
        addChoice(QStringLiteral("Percent Change Range (Summary)"), "RangeSummaryBtn", true, true);
    RangeDetailBtn = addChoice(QStringLiteral("Precent Change Range (Detail)"), "RangeDetailBtn", true, true);
    fitChoices();
    UpdateOptions();
}

TStockReportsForm::TStockReportsForm(QWidget *owner)
    : TReportOptionsDialog(owner, QStringLiteral("Stock Reports"), QStringLiteral("Precent Change:"))
{
    setObjectName(QStringLiteral("StockReportsForm"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // "Precent Change:" is always on here.
    OneDayBtn = addChoice(QStringLiteral("Precent Change One Day"), "OneDayBtn", true, false);
    RangeSummaryBtn =
        addChoice(QStringLiteral("Precent Change Range (Summary)"), "RangeSummaryBtn", true, true);
    RangeDetailBtn = addChoice(QStringLiteral("Precent Change Range (Detail)"), "RangeDetailBtn", true, true);
    SelectedStockBox = new QCheckBox(QStringLiteral("Run Report On Selected Stock"), OptionsGroup);
    SelectedStockBox->setObjectName(QStringLiteral("SelectedStockBox"));
    SelectedStockBox->setGeometry(8, 130, 210, 22);
    SelectedStockBox->setChecked(true);
    fitChoices();
    UpdateOptions();
}
