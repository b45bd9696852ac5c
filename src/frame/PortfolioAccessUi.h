#pragma once
#include <functional>

class QWidget;

// The access check of the current portfolio, made at start-up and after the
// settings command: the password dialog of a protected portfolio.
bool CurrentPortfolioAccessAllowed(QWidget *owner);

// Opens the portfolio window for the current portfolio (releasing an open
// one). Tests may install another opener.
using TPortfolioWindowOpener = std::function<void(QWidget *owner)>;
void SetPortfolioWindowOpener(TPortfolioWindowOpener opener);
void OpenCurrentPortfolioWindow(QWidget *owner);
