#pragma once
// The import and export dialogs of the transactions and dividends windows:
// the import dialog in the portfolio kind, the export dialog with the kind's
// fields and dates. Installed into the portfolio windows' hooks at start-up.

void InstallPortfolioTransferDialogs();
