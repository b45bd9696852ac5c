#include "securities/SymbolLookup.h"

#include "frame/Stockcfg.h"
#include "records/SblBase.h"

TSymbolName SymbolName(TSymbolDataBase &file, const QString &symbol)
{
    TSymbolRecord rec;
    if (file.RecordCount() > 0 && file.Find(rec, symbol))
        return {rec.Name.text(), 0};
    return {(symbol + QStringLiteral(" Not On File")).left(40), 0x0000FF};
}

TSymbolName SymbolName(const QString &symbol)
{
    TSymbolDataBase file(GetFolders().Symbol + QStringLiteral("Stocks.sbl"));
    return SymbolName(file, symbol);
}
