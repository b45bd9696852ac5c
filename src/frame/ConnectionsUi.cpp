#include "frame/ConnectionsUi.h"

#include "frame/ModalUi.h"
#include "portfolio/PortGraphFrm.h"
#include "portfolio/portfoliofrm.h"
#include "transfer/ImportFrm.h"
#include "transfer/dataconversionfrm.h"

void InstallWindowConnections()
{
    // "&Graph" of the holdings window: the portfolio graph of that portfolio.
    SetPortfolioGraphAction([](QWidget *owner, const TPortfolioInfo &portfolio) {
        ShowPortfolioGraph(owner, portfolio.Name, portfolio.FileName);
    });

    // Create and Edit of the data conversion window: the import dialog in its
    // definition-only mode, filled from the stored format.
    SetConversionDefinitionEditor([](QWidget *owner, TConvRecord &rec) {
        TImportForm form(owner);
        form.setKind(TImportKind::Conversion);
        if (!rec.Description.isEmpty())
            form.applyDefinition(rec);
        if (ExecModal(&form) != QDialog::Accepted)
            return false;
        rec = form.definition();
        return true;
    });
}
