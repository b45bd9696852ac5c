#include "frame/PrinterUi.h"

#include "frame/ModalUi.h"

#include <QPrintDialog>
#include <QPrinter>

QPrinter *AppPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return &printer;
}

bool PrinterSetup(QWidget *parent)
{
    QPrintDialog dialog(AppPrinter(), parent);
    // Setup only chooses the printer and its pages; what to print is asked
    // when a report is printed.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return ExecModal(&dialog) == QDialog::Accepted;
}
