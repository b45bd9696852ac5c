#include "frame/PortfolioAccessUi.h"

namespace {
TPortfolioWindowOpener g_opener;
}

bool CurrentPortfolioAccessAllowed(QWidget *)
{
    return true;
}

void SetPortfolioWindowOpener(TPortfolioWindowOpener opener)
{
    g_opener = std::move(opener);
}

void OpenCurrentPortfolioWindow(QWidget *owner)
{
    if (g_opener)
        g_opener(owner);
}
