#include "transfer/PortfolioSettings.h"

#include "frame/StdUnitDates.h"

TImportKind PortfolioImportKind(TTransferKind kind)
{
    return kind == TTransferKind::Transactions ? TImportKind::Transactions : TImportKind::Dividends;
}

TTransferImportSettings PortfolioImportSettings(TTransferKind kind, const TImportSettings &settings)
{
    TTransferImportSettings out;
    out.FilePath = settings.FileName;
    out.Layout = settings.layoutName();
    out.DateForm = settings.dateFormName();
    out.SkipLines = settings.LinesToSkip;
    out.Append = settings.Append;
    for (const QString &name : ImportFieldNames(kind))
        out.FieldNumbers << AssignedFieldNumber(settings.assignment(name)) + 1;
    return out;
}

QString PortfolioExportCaption(TTransferKind kind)
{
    return kind == TTransferKind::Transactions ? QStringLiteral("Export Transation Data Information")
                                               : QStringLiteral("Export Dividend Information");
}

TTransferExportSettings PortfolioExportSettings(const TExportSettings &settings)
{
    TTransferExportSettings out;
    out.FilePath = settings.FileName;
    out.Layout = settings.Layout;
    out.DateForm = settings.DateForm;
    out.Fields = settings.Fields;
    out.HeaderLine = settings.IncludeHeader;
    out.From = DisplayToStoredDate(settings.FromDate);
    out.To = DisplayToStoredDate(settings.ToDate);
    return out;
}
