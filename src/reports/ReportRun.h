#pragma once
// One report run: the page model on a printer or on preview pages kept in a
// private temporary folder of the run's own, so that files of others under
// the same names are never touched. Preview page files live until
// DeletePages (the preview window's close) or the run's end of life.

#include "reports/Reports.h"

#include <QTemporaryDir>
#include <memory>

class TReportRun
{
public:
    TReportRun();
    ~TReportRun();

    // Preview pages at `resolution` pixels per inch (the screen's).
    bool BeginPreview(TRunTalk *talk, int resolution = 96);
    // Any other target (the printer, a recorder).
    bool Begin(std::unique_ptr<TReportTarget> target, TRunTalk *talk);
    // False (after one error through the talk) when anything failed.
    bool End();

    TReports &Page() { return m_page; }
    bool IsPreview() const { return m_preview; }
    int PageCount() const { return m_pageCount; }
    // The page file of page n of a preview ("n.jpg" in the run's folder).
    QString PageFile(int page) const;
    QString Folder() const;
    void DeletePages();

private:
    TReports m_page;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TReportTarget> m_target;
    bool m_preview = false;
    int m_pageCount = 0;
};
