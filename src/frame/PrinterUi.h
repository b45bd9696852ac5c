#pragma once
class QPrinter;
class QWidget;
// The program's one printer, chosen by "P&rinter Setup" and used by every print run.
QPrinter *AppPrinter();
// "P&rinter Setup": the print dialog on the program's printer, where the user
// chooses the printer and, through its properties, the page settings. The
// page-setup dialog alone offers no printer choice. Returns whether the user
// accepted.
bool PrinterSetup(QWidget *parent);
