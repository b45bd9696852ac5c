#pragma once
#include <functional>

class QWidget;

// The access check of the current portfolio, made at start-up and after the
// settings command. Until the portfolio list with its password dialog exists
// it lets every portfolio through; the portfolio list replaces this body.
bool CurrentPortfolioAccessAllowed(QWidget *owner);

// Opens the portfolio window for the current portfolio (releasing an open
// one). The portfolio window installs the opener; until then nothing opens.
using TPortfolioWindowOpener = std::function<void(QWidget *owner)>;
void SetPortfolioWindowOpener(TPortfolioWindowOpener opener);
void OpenCurrentPortfolioWindow(QWidget *owner);
