#pragma once
// The symbol name look-up other windows use to show a security by name.

#include <QString>
#include <cstdint>

class TSymbolDataBase;

struct TSymbolName
{
    QString Name;
    uint32_t Color = 0; // 0 (black) when on file, 0x0000FF (red) when not
};

// The stored name of the symbol, or the symbol + " Not On File" (cut to 40
// characters) in red. The symbol is looked up exactly as given.
TSymbolName SymbolName(TSymbolDataBase &file, const QString &symbol);
// The same on the configured symbol file.
TSymbolName SymbolName(const QString &symbol);
