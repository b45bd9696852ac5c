#include "reports/ReportPrinterUi.h"

#include <QPrinter>

TPrinterTarget::TPrinterTarget(QPrinter *printer) : m_printer(printer) {}

TPrinterTarget::~TPrinterTarget()
{
    if (m_painter.isActive())
        m_painter.end();
}

int TPrinterTarget::ResolutionX() const
{
    return m_printer->logicalDpiX();
}

int TPrinterTarget::ResolutionY() const
{
    return m_printer->logicalDpiY();
}

// The painter's origin is the printable area's corner, which lies the
// unprintable margin inside the paper's edge.
int TPrinterTarget::LeftOffset() const
{
    const QRect paper = m_printer->paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = m_printer->pageRect(QPrinter::DevicePixel).toRect();
    return std::max(0, page.left() - paper.left());
}

int TPrinterTarget::PageWidth() const
{
    const QRect paper = m_printer->paperRect(QPrinter::DevicePixel).toRect();
    return paper.width() - 2 * LeftOffset();
}

int TPrinterTarget::PageHeight() const
{
    const QRect paper = m_printer->paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = m_printer->pageRect(QPrinter::DevicePixel).toRect();
    return paper.height() - 2 * std::max(0, page.top() - paper.top());
}

QString TPrinterTarget::printerName() const
{
    if (m_printer->outputFormat() == QPrinter::PdfFormat)
        return m_printer->outputFileName();
    return m_printer->printerName();
}

bool TPrinterTarget::Start(QString &error)
{
    m_printer->setDocName(QStringLiteral("The Quorvane"));
    if (!m_painter.begin(m_printer)) {
        error = QStringLiteral("The printer could not start the report: %1").arg(printerName());
        return false;
    }
    return true;
}

bool TPrinterTarget::EndPage(int page, QString &error)
{
    if (!m_printer->newPage()) {
        error = QStringLiteral("The printer could not start page %1: %2").arg(page + 1).arg(printerName());
        return false;
    }
    return true;
}

bool TPrinterTarget::Finish(int page, QString &error)
{
    (void)page;
    if (m_painter.isActive() && !m_painter.end()) {
        error = QStringLiteral("The printer could not finish the report: %1").arg(printerName());
        return false;
    }
    return true;
}
