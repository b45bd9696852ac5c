#include "transfer/PortfolioTransferUi.h"

#include "frame/ModalUi.h"
#include "portfolio/TransListFrm.h"
#include "transfer/ExportFrm.h"
#include "transfer/ImportFrm.h"
#include "transfer/PortfolioSettings.h"

void InstallPortfolioTransferDialogs()
{
    SetPortfolioImportDialog([](QWidget *owner, TTransferKind kind, TTransferImportSettings *settings) {
        TImportForm dialog(owner);
        dialog.setKind(PortfolioImportKind(kind));
        if (ExecModal(&dialog) != QDialog::Accepted)
            return false;
        *settings = PortfolioImportSettings(kind, dialog.settings());
        return true;
    });
    SetPortfolioExportDialog([](QWidget *owner, TTransferKind kind, TTransferExportSettings *settings) {
        TExportForm dialog(owner);
        dialog.setWindowTitle(PortfolioExportCaption(kind));
        dialog.setAvailableFields(ExportFieldNames(kind));
        dialog.setDatesEnabled(true);
        if (ExecModal(&dialog) != QDialog::Accepted)
            return false;
        *settings = PortfolioExportSettings(dialog.settings());
        return true;
    });
}
