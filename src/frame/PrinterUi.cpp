#include "frame/PrinterUi.h"

#include <QPrinter>

QPrinter *AppPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return &printer;
}
