#include "frame/PortfolioAccessUi.h"

#include "frame/Stockcfg.h"
#include "portfolio/Passwordfrm.h"
#include "portfolio/portfoliofrm.h"

namespace {
TPortfolioWindowOpener g_opener;
}

bool CurrentPortfolioAccessAllowed(QWidget *owner)
{
    TAccessTalkUi talk(owner);
    return CheckCurrentPortfolioAccess(CurrentPortfolio, talk);
}

void SetPortfolioWindowOpener(TPortfolioWindowOpener opener)
{
    g_opener = std::move(opener);
}

void OpenCurrentPortfolioWindow(QWidget *owner)
{
    if (g_opener) {
        g_opener(owner);
        return;
    }
    // The current portfolio has passed its access check when it was chosen.
    if (!CurrentPortfolio.FileName.isEmpty())
        OpenPortfolioWindow(owner, CurrentPortfolio);
}
