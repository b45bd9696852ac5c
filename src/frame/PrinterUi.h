#pragma once
class QPrinter;
// The program's one printer, chosen by "P&rinter Setup" and used by every print run.
QPrinter *AppPrinter();
