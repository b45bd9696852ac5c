#include "reports/ReportRun.h"

#include <QDir>
#include <QFile>

TReportRun::TReportRun() = default;

TReportRun::~TReportRun()
{
    DeletePages();
}

bool TReportRun::BeginPreview(TRunTalk *talk, int resolution)
{
    DeletePages();
    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/quorvane-report-XXXXXX"));
    const QString folder = m_dir->isValid() ? m_dir->path() : QString();
    m_preview = true;
    m_pageCount = 0;
    m_target = std::make_unique<TPreviewImageTarget>(folder, resolution);
    return m_page.Begin(m_target.get(), talk);
}

bool TReportRun::Begin(std::unique_ptr<TReportTarget> target, TRunTalk *talk)
{
    DeletePages();
    m_preview = false;
    m_pageCount = 0;
    m_target = std::move(target);
    return m_page.Begin(m_target.get(), talk);
}

bool TReportRun::End()
{
    const bool ok = m_page.End();
    m_pageCount = m_page.PageNumber();
    m_target.reset();
    return ok;
}

QString TReportRun::Folder() const
{
    return m_dir && m_dir->isValid() ? m_dir->path() : QString();
}

QString TReportRun::PageFile(int page) const
{
    const QString folder = Folder();
    if (folder.isEmpty())
        return {};
    return QDir(folder).filePath(QString::number(page) + QStringLiteral(".jpg"));
}

void TReportRun::DeletePages()
{
    if (!m_dir)
        return;
    for (int page = 1; page <= m_pageCount; ++page)
        QFile::remove(PageFile(page));
    m_dir.reset(); // removes the private folder too
    m_pageCount = 0;
}
