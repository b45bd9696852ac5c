#pragma once
// The printer as a report target: the printable area of the program's
// printer, the document titled "The Quorvane".

#include "reports/Reports.h"

#include <QPainter>

class QPrinter;

class TPrinterTarget : public TPainterTarget
{
public:
    explicit TPrinterTarget(QPrinter *printer);
    ~TPrinterTarget() override;

    bool IsPrinter() const override { return true; }
    int ResolutionX() const override;
    int ResolutionY() const override;
    int LeftOffset() const override;
    int PageWidth() const override;
    int PageHeight() const override;
    bool Start(QString &error) override;
    bool EndPage(int page, QString &error) override;
    bool Finish(int page, QString &error) override;

protected:
    QPainter *painter() override { return m_painter.isActive() ? &m_painter : nullptr; }

private:
    QString printerName() const;

    QPrinter *m_printer;
    QPainter m_painter;
};
