#pragma once
// Small builders shared by the portfolio tests: the default folders of a new
// workspace, price, transaction, list and symbol records.

#include "TestEnv.h"

#include "frame/RunTalk.h"
#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "records/TransDatabase.h"
#include "records/WatchBase.h"

#include <QDir>
#include <QStringList>
#include <deque>

inline void MakeFolders(const TTestEnv &env)
{
    for (const char *f : {"symbol", "watch", "notes", "data", "port"})
        QDir().mkpath(env.path(f));
}

inline void AddPrice(const QString &symbol, const char *date, double close)
{
    TDataBase db(PriceFilePath(symbol));
    TPriceRecord r;
    r.Date = QString::fromLatin1(date);
    r.High = close;
    r.Low = close;
    r.Close = close;
    db.Insert(r);
}

inline TTransRecord Trade(const char *symbol, const char *date, double shares, double price, double fee,
                          int32_t code = 0)
{
    TTransRecord r;
    r.Symbol = QString::fromLatin1(symbol);
    r.Date = QString::fromLatin1(date);
    r.Shares = shares;
    r.Price = price;
    r.Fee = fee;
    r.SecurityCode = code;
    return r;
}

inline void AddTrade(const QString &path, TTransRecord r)
{
    TTransBase db(path);
    db.Insert(r);
}

inline TListRecord Entry(const char *fileName, const char *name, const char *password = "", int32_t code = 7)
{
    TListRecord e;
    e.FileName = QString::fromLatin1(fileName);
    e.Name = QString::fromLatin1(name);
    e.Password = QString::fromLatin1(password);
    e.SecurityCode = code;
    return e;
}

inline void AddSymbol(const char *symbol, const char *name)
{
    TSymbolDataBase db(GetFolders().Symbol + QStringLiteral("Stocks.sbl"));
    TSymbolRecord r;
    r.Symbol = QString::fromLatin1(symbol);
    r.Name = QString::fromLatin1(name);
    db.Insert(r);
}

// A run talk that answers its questions from a queue and writes down
// everything it was told.
class TFakeRunTalk : public TRunTalk
{
public:
    void progress(const QString &message) override { progressTexts << message; }
    bool askYesNo(const QString &q) override { return answer(q); }
    bool askYesNoWarning(const QString &q) override { return answer(q); }
    void error(const QString &t) override { said << QStringLiteral("error: ") + t; }
    void information(const QString &t) override { said << QStringLiteral("info: ") + t; }
    void warning(const QString &t) override { said << QStringLiteral("warning: ") + t; }

    bool answer(const QString &q)
    {
        said << QStringLiteral("ask: ") + q;
        if (answers.empty()) {
            said << QStringLiteral("UNEXPECTED QUESTION");
            return false;
        }
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }

    std::deque<bool> answers;
    QStringList said;
    QStringList progressTexts;
};
