#pragma once
// The two report option dialogs: the portfolio report dialog of the
// portfolio window and the stock report dialog of the stock data window.
// Both check their options on "P&review" and "&Print" and close with
// TReportResult as their result code.

#include "reports/ReportOptions.h"

#include <QDialog>

// How a report dialog closes: Cancel, or with its checks passed for a
// preview, or for the printer after the print dialog was confirmed.
enum class TReportResult { Cancel = 0, Preview = 2, Print = 3 };

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class TDateBox;

class TReportOptionsDialog : public QDialog
{
    Q_OBJECT
public:
    // The checked choice's row, top to bottom.
    int choiceIndex() const;
    TReportOptionTexts optionTexts() const;
    // The percent box's text ("" when it has been cleared).
    QString percentText() const;

    QGroupBox *ReportsGroup = nullptr, *OptionsGroup = nullptr;
    QSpinBox *PercentEdit = nullptr;
    TDateBox *StartDate = nullptr, *EndDate = nullptr;
    QPushButton *PreviewBtn = nullptr, *PrintBtn = nullptr, *CancelBtn = nullptr;

public slots:
    void PreviewBtnClick();
    void PrintBtnClick();
    // Enables the option boxes the checked choice uses.
    void UpdateOptions();

protected:
    TReportOptionsDialog(QWidget *owner, const QString &caption, const QString &percentCaption);
    // Adds a choice button to the "Reports" group.
    QRadioButton *addChoice(const QString &text, const char *name, bool usesPercent, bool usesDates);
    bool checksPass();
    // Widens the "Reports" group to its longest choice.
    void fitChoices();

    struct TChoice
    {
        QRadioButton *Button;
        bool UsesPercent;
        bool UsesDates;
    };
    QList<TChoice> m_choices;
    int m_nextChoiceY = 20;
};

class TPortReportsform : public TReportOptionsDialog
{
    Q_OBJECT
public:
    explicit TPortReportsform(QWidget *owner = nullptr);

    TPortfolioReportKind kind() const { return TPortfolioReportKind(choiceIndex()); }

    QRadioButton *SummaryBtn = nullptr, *DetailBtn = nullptr, *OneDayBtn = nullptr,
                 *RangeSummaryBtn = nullptr, *RangeDetailBtn = nullptr;
};

class TStockReportsForm : public TReportOptionsDialog
{
    Q_OBJECT
public:
    explicit TStockReportsForm(QWidget *owner = nullptr);

    TStockReportKind kind() const { return TStockReportKind(choiceIndex()); }

    QRadioButton *OneDayBtn = nullptr, *RangeSummaryBtn = nullptr, *RangeDetailBtn = nullptr;
    QCheckBox *SelectedStockBox = nullptr;
};
