#pragma once
// "&Reports" of the portfolio window and of the stock data window: the
// option dialog, then the chosen report on a preview or on the printer.

class QWidget;
class TWatchDatabase;
struct TPortfolioInfo;

void RunPortfolioReports(QWidget *owner, const TPortfolioInfo &portfolio);
void RunStockReports(QWidget *owner, TWatchDatabase *list);
