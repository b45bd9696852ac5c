// Feeds arbitrary bytes to every stored register and to Stocks.cfg: each is
// written to a file, opened, walked, searched and changed. Nothing may crash,
// read past a record or trust a length byte.

#include "frame/Stockcfg.h"
#include "records/ConvDatabase.h"
#include "records/Database.h"
#include "records/FunctionBase.h"
#include "records/SblBase.h"
#include "records/TransDatabase.h"
#include "records/WatchBase.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

namespace {

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

QString writeInput(const char *name, const uint8_t *data, size_t size)
{
    const QString path = workDir().path() + QLatin1Char('/') + QLatin1String(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    return path;
}

template <class File, class Rec> void walk(File &file)
{
    Rec rec{};
    file.First(rec);
    for (int i = 0; i < file.RecordCount() && i < 64; ++i)
        file.Next(rec);
    file.ReadAt(rec, file.LastIndex());
    file.ReadAt(rec, -1);
    if (file.RecordCount() > 0)
        file.Delete(file.RecordCount() / 2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    SetRecordFileSync(false); // the disk is not what is tested here
    SetBaseFolder(workDir().path() + QLatin1Char('/'));
    SetProgramFolder(workDir().path() + QLatin1Char('/'));
    const uint8_t selector = size ? data[0] : 0;
    switch (selector % 8) {
    case 0: {
        writeInput("Stocks.cfg", data, size);
        GetFolders();
        GetFiles();
        GetGraphSettings();
        GetStatisticsOptions();
        break;
    }
    case 1: {
        // Long histories are read and moved in 16 KB blocks: tile the input
        // past a few block borders when its second byte asks for it.
        QByteArray tiled(reinterpret_cast<const char *>(data), qsizetype(size));
        if (size > 2 && (data[1] & 1))
            while (tiled.size() < 40000)
                tiled += tiled;
        TDataBase db(
            writeInput("x.stk", reinterpret_cast<const uint8_t *>(tiled.constData()), size_t(tiled.size())));
        walk<TDataBase, TPriceRecord>(db);
        TPriceRecord r;
        db.Find(r, QStringLiteral("20000101"));
        r.Date = QStringLiteral("19991231");
        db.Insert(r);
        db.Average(QStringLiteral("CLOSE"), 1, 20);
        db.StdDev(QStringLiteral("HIGH"), 0, 50);
        db.Highest(QStringLiteral("VOLUME"));
        db.Lowest(QStringLiteral("LOW"));
        db.StartValue(QStringLiteral("CLOSE"));
        r.Date = QStringLiteral("00000000"); // lands at the front, moving every record
        db.Insert(r);
        db.Delete(1);
        db.DeleteThrough(db.RecordCount() / 3);
        break;
    }
    case 2: {
        TSymbolDataBase db(writeInput("Stocks.sbl", data, size));
        walk<TSymbolDataBase, TSymbolRecord>(db);
        TSymbolRecord r;
        db.Find(r, QStringLiteral("IBM"));
        r.Symbol = QStringLiteral("zz");
        db.Insert(r);
        break;
    }
    case 3: {
        TWatchDatabase db(writeInput("Watch.sbl", data, size));
        walk<TWatchDatabase, TListRecord>(db);
        TListRecord r;
        db.Find(r, QStringLiteral("Name"));
        r.Password = QStringLiteral("secret");
        db.Insert(r);
        break;
    }
    case 4: {
        TTransBase db(writeInput("p.tra", data, size));
        walk<TTransBase, TTransRecord>(db);
        TTransRecord r;
        db.Find(r, r);
        db.Insert(r);
        break;
    }
    case 5: {
        TFunctionBase db(writeInput("Scan.dat", data, size));
        walk<TFunctionBase, TFunctionRecord>(db);
        TFunctionRecord r;
        db.Find(r, QStringLiteral("A"));
        break;
    }
    case 7: {
        // A rollback journal beside a price file: raw bytes, or (second byte
        // odd) the input dressed as a well-formed journal, so that undoing
        // it runs with whatever offsets and contents the input gives.
        QByteArray history;
        for (int i = 0; i < 400; ++i) {
            TPriceRecord r;
            r.Date = QStringLiteral("%1").arg(19900101 + i);
            r.Close = i;
            history.append(reinterpret_cast<const char *>(&r), sizeof r);
        }
        const QString path = writeInput("j.stk", reinterpret_cast<const uint8_t *>(history.constData()),
                                        size_t(history.size()));
        QByteArray journal(reinterpret_cast<const char *>(data), qsizetype(size));
        if (size > 4 && (data[1] & 1)) {
            const qint64 length = qint64(size - 4) / 48 * 48;
            const quint64 from = quint64(data[2] | (data[3] << 8)) % 1024 * 48;
            QByteArray j("QVJRNL01", 8);
            const auto u64 = [&j](quint64 v) {
                for (int i = 0; i < 8; ++i)
                    j.append(char((v >> (8 * i)) & 0xFF));
            };
            u64(48);
            u64(from + quint64(length));
            u64(from);
            u64(quint64(length));
            j.append(reinterpret_cast<const char *>(data) + 4, length);
            quint64 h = 1469598103934665603ULL;
            for (char c : j) {
                h ^= quint8(c);
                h *= 1099511628211ULL;
            }
            u64(h);
            journal = j;
        }
        writeInput("j.stk.jnl", reinterpret_cast<const uint8_t *>(journal.constData()),
                   size_t(journal.size()));
        TDataBase db(path);
        walk<TDataBase, TPriceRecord>(db);
        TPriceRecord r;
        r.Date = QStringLiteral("00000000");
        db.Insert(r);
        break;
    }
    default: {
        TConvDataBase db(writeInput("Convert.dat", data, size));
        walk<TConvDataBase, TConvRecord>(db);
        TConvRecord r;
        db.Find(r, QStringLiteral("A"));
        break;
    }
    }
    return 0;
}
