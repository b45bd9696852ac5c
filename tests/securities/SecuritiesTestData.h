#pragma once
// Small builders the securities tests share: folders of a workspace, price
// files, portfolios and list entries written through the record classes.

#include "TestEnv.h"
#include "frame/RunTalk.h"
#include "frame/StdUnit.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "records/TransDatabase.h"
#include "records/WatchBase.h"

#include <QDir>
#include <cstring>

namespace qvtest {

inline void makeFolders(const TTestEnv &env)
{
    for (const char *f : {"symbol", "watch", "notes", "data", "port"})
        QDir().mkpath(env.path(f));
}

inline TPriceRecord price(const char *date, double high, double low, double close, int32_t volume)
{
    TPriceRecord r;
    r.Date = QString::fromLatin1(date);
    r.High = high;
    r.Low = low;
    r.Close = close;
    r.Volume = volume;
    return r;
}

inline void writePrices(const QString &symbol, const QList<TPriceRecord> &records)
{
    TDataBase db(PriceFilePath(symbol));
    for (TPriceRecord r : records)
        db.Insert(r);
}

inline QList<TPriceRecord> readPrices(const QString &symbol)
{
    TDataBase db(PriceFilePath(symbol));
    QList<TPriceRecord> out;
    TPriceRecord r;
    for (int i = 0; i < db.RecordCount(); ++i) {
        db.ReadAt(r, i);
        out << r;
    }
    return out;
}

inline QStringList priceDates(const QString &symbol)
{
    QStringList out;
    for (const TPriceRecord &r : readPrices(symbol))
        out << r.Date.text();
    return out;
}

inline void addSymbol(const char *symbol, const char *name, const char *web = "")
{
    TSymbolDataBase db(GetFolders().Symbol + "Stocks.sbl");
    TSymbolRecord r;
    r.Symbol = QString::fromLatin1(symbol);
    r.Name = QString::fromLatin1(name);
    r.WebAddress = QString::fromLatin1(web);
    db.Insert(r);
}

inline TListRecord listEntry(const char *symbolOrFile, const char *name, const QString &note = QString())
{
    TListRecord e;
    e.FileName = QString::fromLatin1(symbolOrFile);
    e.Name = QString::fromLatin1(name);
    e.NoteFile = note;
    return e;
}

// One entry of the stock data list, inserted in name order.
inline void addWatch(const char *symbol, const char *name)
{
    TWatchDatabase db(WatchListPath());
    TListRecord e = listEntry(symbol, name);
    db.Insert(e);
}

inline void addPortfolio(const char *file, const char *name)
{
    TWatchDatabase db(PortfolioListPath());
    TListRecord e = listEntry(file, name);
    db.Insert(e);
}

inline void addTrans(const char *portfolio, const char *symbol, const char *date, double shares, double price,
                     double fee = 0, int second = 0)
{
    TTransBase db(TransactionFilePath(QString::fromLatin1(portfolio)));
    TTransRecord t;
    t.Symbol = QString::fromLatin1(symbol);
    t.Date = QString::fromLatin1(date);
    t.Shares = shares;
    t.Price = price;
    t.Fee = fee;
    (void)second;
    db.Insert(t);
}

inline void addDividend(const char *portfolio, const char *symbol, const char *date, double amount)
{
    TTransBase db(DividendFilePath(QString::fromLatin1(portfolio)));
    TTransRecord t;
    t.Symbol = QString::fromLatin1(symbol);
    t.Date = QString::fromLatin1(date);
    t.Price = amount;
    db.Insert(t);
}

inline QList<TTransRecord> readTrans(const QString &path)
{
    TTransBase db(path);
    QList<TTransRecord> out;
    TTransRecord t;
    for (int i = 0; i < db.RecordCount(); ++i) {
        db.ReadAt(t, i);
        out << t;
    }
    return out;
}

// A run talk that records what the run said and answers questions from a list.
class TRecordingTalk : public TRunTalk
{
public:
    void progress(const QString &message) override { progressTexts << message; }
    void error(const QString &text) override { errors << text; }
    void information(const QString &text) override { informations << text; }
    QStringList progressTexts, errors, informations;
};

inline void setStatistics(bool limit, int n)
{
    LoadConfig();
    ConfigRecord.Statistics.LimitRecords = limit ? 1 : 0;
    ConfigRecord.Statistics.RecordCount = n;
    SaveConfig();
}

} // namespace qvtest
