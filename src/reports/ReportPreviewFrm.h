#pragma once
// The report preview window: holds one report run (printer or preview
// pages) and, for a preview, pages through the stored page pictures.
// Created by the opener before the run, shown after it, released after.

#include "reports/ReportRun.h"

#include <QDialog>
#include <memory>

class QLabel;
class QPushButton;
class QScrollArea;
class TStatusTalk;

class TReportPreviewForm : public QDialog
{
    Q_OBJECT
public:
    explicit TReportPreviewForm(QWidget *owner = nullptr);
    ~TReportPreviewForm() override;

    // Starts a run on preview pages or on the program's printer, with the
    // progress window "Print Reports". The reports then write on Page().
    bool BeginRun(bool preview);
    // Ends the run (the printer prints); false after a failure, which has
    // been reported in one error box.
    bool EndRun();
    TReportPage &Page() { return m_run.Page(); }
    TReportRun &Run() { return m_run; }

    // Shows the stored pages modally, from page 1.
    int Execute();
    void ShowPage(int page);
    int PageShown() const { return m_shown; }
    // The progress window's talk while a run is on (nullptr otherwise).
    TStatusTalk *Talk() const { return m_talk.get(); }

    QScrollArea *ScrollBox1 = nullptr;
    QLabel *Image1 = nullptr;
    QPushButton *PreviousBtn = nullptr, *NextBtn = nullptr, *BitBtn1 = nullptr;

public slots:
    void PreviousBtnClick();
    void NextBtnClick();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void centre();

    TReportRun m_run;
    std::unique_ptr<TStatusTalk> m_talk;
    int m_shown = 0;
};
