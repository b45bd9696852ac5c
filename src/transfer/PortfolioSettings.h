#pragma once
// The transactions and dividends windows run their imports and exports with
// settings of their own (portfolio/PortfolioTransfer.h); the import and export
// dialogs deliver the shared settings. These turn one into the other, so the
// windows only show the dialogs.

#include "portfolio/PortfolioTransfer.h"
#include "transfer/ExportRun.h"
#include "transfer/ImportDefinition.h"

// The import dialog's kind for a portfolio file.
TImportKind PortfolioImportKind(TTransferKind kind);

// File, layout and date form by name, lines to skip, append flag, and per
// import field (in ImportFieldNames order) the field number from 1, or 0
// when the row is not assigned.
TTransferImportSettings PortfolioImportSettings(TTransferKind kind, const TImportSettings &settings);

// The caption of the export dialog for the kind.
QString PortfolioExportCaption(TTransferKind kind);

// The dialog's display dates become the stored eight-digit texts the run
// compares with; a box that holds no date gives an empty text, so the range
// holds nothing rather than everything.
TTransferExportSettings PortfolioExportSettings(const TExportSettings &settings);
