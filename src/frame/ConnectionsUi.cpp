#include "frame/ConnectionsUi.h"

#include "chart/Graphfrm.h"
#include "chart/Overlayfrm.h"
#include "frame/ModalUi.h"
#include "frame/StdUnit.h"
#include "frame/StdUnitLookups.h"
#include "portfolio/PortGraphFrm.h"
#include "portfolio/portfoliofrm.h"
#include "records/Database.h"
#include "records/WatchBase.h"
#include "reports/ReportOpenersUi.h"
#include "screening/WatchRun.h"
#include "screening/runwatchfrm.h"
#include "securities/StockDataFrm.h"
#include "securities/StockDataListFrm.h"
#include "securities/StockFrm.h"
#include "transfer/ExportFrm.h"
#include "transfer/ImportFrm.h"
#include "transfer/ImportRun.h"
#include "transfer/PortfolioTransferUi.h"
#include "transfer/dataconversionfrm.h"

void InstallWindowConnections()
{
    // "&Reports" of the holdings window and of the stock data window.
    SetPortfolioReportsAction(RunPortfolioReports);
    TStockDataForm::ReportsHook = RunStockReports;

    // "&Graph" of the holdings window: the portfolio graph of that portfolio,
    // headed with the holdings window's caption ("Portfolio " and the name).
    SetPortfolioGraphAction([](QWidget *owner, const TPortfolioInfo &portfolio) {
        ShowPortfolioGraph(owner, QStringLiteral("Portfolio ") + portfolio.Name, portfolio.FileName);
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

    // The security summary's "&Graph" and the watch run's lines open the
    // chart and the summary.
    // A chart outlives the summary it was opened from (as the watch run's
    // charts do), so it gets no owner that would delete it with the summary.
    TStockForm::GraphHook = [](QWidget *, const QString &symbol, const QString &name) {
        OpenGraphForm(nullptr, symbol, name);
    };
    SetWatchOpeners(
        [](const TSummaryRequest &r) { OpenStockForm(nullptr, r.Symbol, r.Name, r.NoteFile, r.WebAddress); },
        [](const QString &name, const QString &symbol) { OpenGraphForm(nullptr, symbol, name); });
    // The overlay list is the stock data window's open Watch.sbl.
    SetOverlayWatchListSource([] { return SharedWatchList(); });

    // Price import and export of the price record window, Export All of the
    // stock data window. The record window has closed its file for the run.
    TStockDataListForm::ImportHook = [](QWidget *owner, const QString &symbol, const QString &) {
        TDataBase file(PriceFilePath(symbol));
        ImportPricesUi(owner, file);
    };
    TStockDataListForm::ExportHook = [](QWidget *owner, const QString &symbol, const QString &) {
        ExportStockData(owner, symbol);
    };
    TStockDataForm::ExportAllHook = [](QWidget *owner, TWatchDatabase *list) {
        ExportAllStockData(owner, list ? list->path() : WatchListPath());
    };

    // "&Import" and "E&xport" of the transactions and dividends windows.
    InstallPortfolioTransferDialogs();

    // "Run Watch After Import": the run-watch window runs as "&Run" does.
    SetRunWatchAfterImportHook([] { StartWatchRun(nullptr); });
}
