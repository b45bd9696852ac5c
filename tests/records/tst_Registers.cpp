// How the other five registers differ from the price history file: the
// symbol file's upper case and replacement, the lists' scrambled protected
// texts, the transaction files' time-stamped key, and the description-keyed
// function and conversion-format files.

#include "RecordImages.h"
#include "TestEnv.h"

#include "records/ConvDatabase.h"
#include "records/FunctionBase.h"
#include "records/SblBase.h"
#include "records/TransDatabase.h"
#include "records/WatchBase.h"
#include "records/encryption.h"

#include <QtTest>

namespace {

TSymbolRecord symbol(const QString &sym, const QString &name, const QString &web = QString())
{
    TSymbolRecord r;
    r.Symbol = sym;
    r.Name = name;
    r.WebAddress = web;
    return r;
}

QByteArray symbolImage(const QByteArray &sym, const QByteArray &name, const QByteArray &web)
{
    return TImage(305).str(0, sym).str(8, name).str(49, web).bytes;
}

TListRecord entry(const QString &name, const QString &password = QString(), const QString &second = QString())
{
    TListRecord r;
    r.FileName = QStringLiteral("PF");
    r.Name = name;
    r.NoteFile = QStringLiteral("/notes/pf.txt");
    r.Password = password;
    r.Protected2 = second;
    r.WebSite = QStringLiteral("broker.example");
    r.SecurityCode = 4711;
    return r;
}

QByteArray entryImage(const QByteArray &name, const QByteArray &password, const QByteArray &second)
{
    return TImage(648)
        .str(0, "PF")
        .str(8, name)
        .str(49, "/notes/pf.txt")
        .str(305, password)
        .str(346, second)
        .str(387, "broker.example")
        .i32(644, 4711)
        .bytes;
}

TTransRecord trade(const QString &sym, const QString &date, double shares)
{
    TTransRecord r;
    r.Symbol = sym;
    r.Date = date;
    r.Shares = shares;
    r.Price = 10;
    r.Fee = 1;
    r.SecurityCode = 12345;
    return r;
}

QStringList transKeys(TTransBase &db)
{
    QStringList out;
    TTransRecord r;
    db.First(r);
    while (db.Status() == 0) {
        out << QString::fromLatin1(TTransBase::FullKey(r));
        db.Next(r);
    }
    return out;
}

const QDate kDay(2006, 3, 1);
constexpr double kDaySerial = 38777; // 2006-03-01 counted from 1899-12-30

} // namespace

class TestRegisters : public QObject
{
    Q_OBJECT

private slots:
    // ---- symbol file ----------------------------------------------------
    void symbolsAreStoredInUpperCase()
    {
        TTestEnv env;
        TSymbolDataBase db(env.path("Stocks.sbl"));
        TSymbolRecord r = symbol("ibm", "intl. business 3x", "www.Example.com");
        db.Insert(r);
        QCOMPARE(r.Symbol.text(), QStringLiteral("IBM")); // the caller's record follows
        QCOMPARE(FileBytes(env.path("Stocks.sbl")),
                 symbolImage("IBM", "INTL. BUSINESS 3X", "www.Example.com"));
        // Find compares exactly; callers pass the symbol in upper case.
        QVERIFY(!db.Find(r, "ibm"));
        QVERIFY(db.Find(r, "IBM"));
        QCOMPARE(db.Status(), quint16(0));
    }

    void symbolInsertReplacesAStoredSymbol_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("same case") << "BBB";
        // Upper-cased before it is placed, so a lower-case entry finds and
        // replaces the stored record instead of landing out of order.
        QTest::newRow("lower case") << "bbb";
    }
    void symbolInsertReplacesAStoredSymbol()
    {
        QFETCH(QString, typed);
        TTestEnv env;
        TSymbolDataBase db(env.path("Stocks.sbl"));
        for (const char *s : {"CCC", "AAA", "BBB"}) {
            TSymbolRecord r = symbol(s, QStringLiteral("OLD ") + s, "old");
            db.Insert(r);
        }
        TSymbolRecord r = symbol(typed, "New Name", "new.example");
        db.Insert(r);
        QCOMPARE(db.LastIndex(), 2);
        QCOMPARE(db.CurrentIndex(), 1);
        QCOMPARE(db.Status(), quint16(0));
        QCOMPARE(FileBytes(env.path("Stocks.sbl")), symbolImage("AAA", "OLD AAA", "old") +
                                                        symbolImage("BBB", "NEW NAME", "new.example") +
                                                        symbolImage("CCC", "OLD CCC", "old"));
    }

    void symbolFindMissLeavesANeighbour()
    {
        TTestEnv env;
        TSymbolDataBase db(env.path("Stocks.sbl"));
        for (const char *s : {"AA", "CC"}) {
            TSymbolRecord r = symbol(s, s);
            db.Insert(r);
        }
        TSymbolRecord r;
        QVERIFY(!db.Find(r, "BB"));
        QVERIFY(r.Symbol.text() == "AA" || r.Symbol.text() == "CC");
        QCOMPARE(db.Status(), quint16(0));
        db.Delete(0);
        QCOMPARE(db.Status(), quint16(0));
        QCOMPARE(FileBytes(env.path("Stocks.sbl")), symbolImage("CC", "CC", ""));
    }

    void symbolTextsAreCutToTheirFields()
    {
        TTestEnv env;
        TSymbolDataBase db(env.path("Stocks.sbl"));
        TSymbolRecord r = symbol("abcdefg", "x");
        r.Symbol.Length = 30; // a damaged length byte
        db.Insert(r);
        QCOMPARE(int(r.Symbol.Length), 7);
        QCOMPARE(FileBytes(env.path("Stocks.sbl")).left(9), QByteArray("\x07"
                                                                       "ABCDEFG\x01"));
    }

    // ---- portfolio and watch lists ---------------------------------------
    void scrambleKnownValues_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("scrambled");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        // reversed "cba" against the reversed key "ycv[ox;…", from its 2nd character
        QTest::newRow("abc") << QByteArray("abc") << QByteArray("\x00\x14\x3a", 3);
        QTest::newRow("one character") << QByteArray("c") << QByteArray("\x00", 1);
    }
    void scrambleKnownValues()
    {
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, scrambled);
        QCOMPARE(Scramble(kListKey, plain), scrambled);
        QCOMPARE(Unscramble(kListKey, scrambled), plain);
    }

    void scrambleWrapsAroundTheKey()
    {
        // Character 23 meets the key's first character, 24 its second.
        const QByteArray s = Scramble(kListKey, QByteArray(24, 'A'));
        QCOMPARE(s.size(), 24);
        QCOMPARE(s.at(0), char('A' ^ 'c'));
        QCOMPARE(s.at(22), char('A' ^ 'y'));
        QCOMPARE(s.at(23), char('A' ^ 'c'));
        QCOMPARE(Unscramble(kListKey, Scramble(kListKey, "Pass word 40 characters long..........!")),
                 QByteArray("Pass word 40 characters long..........!"));
        QCOMPARE(Unscramble(kListKey, Scramble(kListKey, "ab^@^cd^@^")), QByteArray("ab"));
    }

    void protectedTextsOnDisk_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QByteArray>("diskPassword");
        QTest::addColumn<QByteArray>("diskSecond");
        QTest::addColumn<QString>("readPassword");
        QTest::newRow("three characters") << "abc"
                                          << "" << QByteArray("\x00\x14\x3a", 3) << QByteArray() << "abc";
        QTest::newRow("empty password keeps both plain") << ""
                                                         << "xyz" << QByteArray() << QByteArray("xyz") << "";
        QTest::newRow("end marker cuts") << "ab^@^cd"
                                         << "" << Scramble(kListKey, "ab^@^cd") << QByteArray() << "ab";
        QTest::newRow("both scrambled") << "c"
                                        << "c" << QByteArray("\x00", 1) << QByteArray("\x00", 1) << "c";
    }
    void protectedTextsOnDisk()
    {
        QFETCH(QString, password);
        QFETCH(QString, second);
        QFETCH(QByteArray, diskPassword);
        QFETCH(QByteArray, diskSecond);
        QFETCH(QString, readPassword);
        TTestEnv env;
        TWatchDatabase db(env.path("Port.sbl"));
        QCOMPARE(db.key(), QByteArray("tq615kwn847rzmep;xo[vcy"));
        TListRecord r = entry("Growth", password, second);
        db.Insert(r);
        // The caller's record keeps its plain texts.
        QCOMPARE(r.Password.text(), password);
        QCOMPARE(r.Protected2.text(), second);
        QCOMPARE(FileBytes(env.path("Port.sbl")), entryImage("Growth", diskPassword, diskSecond));
        TListRecord back;
        db.First(back);
        QCOMPARE(back.Password.text(), readPassword);
        QCOMPARE(back.Protected2.text(), second);
    }

    void entriesMovedByAnInsertStayReadable()
    {
        TTestEnv env;
        TWatchDatabase db(env.path("Port.sbl"));
        TListRecord b = entry("Beta", "pw");
        db.Insert(b);
        TListRecord a = entry("Alpha", "first");
        db.Insert(a);
        QCOMPARE(db.CurrentIndex(), 0);
        QCOMPARE(FileBytes(env.path("Port.sbl")), entryImage("Alpha", Scramble(kListKey, "first"), "") +
                                                      entryImage("Beta", Scramble(kListKey, "pw"), ""));
        db.Delete(0);
        QCOMPARE(db.Status(), quint16(0));
        QCOMPARE(FileBytes(env.path("Port.sbl")), entryImage("Beta", Scramble(kListKey, "pw"), ""));
    }

    void listInsertReplacesByName()
    {
        TTestEnv env;
        TWatchDatabase db(env.path("Watch.sbl"));
        for (const char *n : {"Cee", "Aye", "Bee"}) {
            TListRecord r = entry(n);
            db.Insert(r);
        }
        TListRecord r = entry("Bee", "new");
        r.FileName = QStringLiteral("NEW");
        r.SecurityCode = 9;
        db.Insert(r);
        QCOMPARE(db.LastIndex(), 2);
        QCOMPARE(db.Status(), quint16(0));
        TListRecord found;
        QVERIFY(db.Find(found, "Bee"));
        QCOMPARE(found.FileName.text(), QStringLiteral("NEW"));
        QCOMPARE(found.Password.text(), QStringLiteral("new"));
        QCOMPARE(found.SecurityCode, 9);
        QVERIFY(!db.Find(found, "bee"));
    }

    // A shortened or removed password must not survive in the bytes behind
    // the field's length.
    void earlierPasswordBytesAreNotStored()
    {
        TTestEnv env;
        TWatchDatabase db(env.path("Port.sbl"));
        TListRecord r = entry("Growth", "secret");
        r.Password.clear(); // length 0, the characters still in memory
        db.Insert(r);
        const QByteArray disk = FileBytes(env.path("Port.sbl"));
        QCOMPARE(disk.mid(305, 41), QByteArray(41, '\0'));
        r.Password = QStringLiteral("secret");
        r.Password = QStringLiteral("ab");
        db.Insert(r);
        QCOMPARE(db.LastIndex(), 0);
        QCOMPARE(FileBytes(env.path("Port.sbl")).mid(305, 41),
                 TImage(41).str(0, Scramble(kListKey, "ab")).bytes);
    }

    // ---- transaction and dividend files ----------------------------------
    void entryTimeText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("midnight") << 0.0 << QByteArray("00:00:00");
        QTest::newRow("noon") << 0.5 << QByteArray("12:00:00");
        QTest::newRow("zero padded") << kDaySerial + (9 * 3600 + 5 * 60 + 3) / 86400.0
                                     << QByteArray("09:05:03");
        QTest::newRow("afternoon, 24-hour")
            << kDaySerial + (15 * 3600 + 30 * 60) / 86400.0 << QByteArray("15:30:00");
        QTest::newRow("last instant") << 0.99999999 << QByteArray("23:59:59");
        QTest::newRow("before the epoch") << -1.25 << QByteArray("06:00:00");
    }
    void entryTimeText()
    {
        QFETCH(double, value);
        QFETCH(QByteArray, text);
        QCOMPARE(TTransBase::EntryTimeText(value), text);
    }

    void insertStampsTheEntryTime()
    {
        TTestEnv env;
        env.pinClock(QDateTime(kDay, QTime(10, 0, 5)));
        TTransBase db(env.path("PF.tra"));
        TTransRecord r = trade("ABC", "20060301", 100);
        QVERIFY(db.Insert(r));
        const double stamp = kDaySerial + (10 * 3600 + 5) / 86400.0;
        QCOMPARE(r.EntryTime, stamp);
        const QByteArray expected = TImage(64)
                                        .str(0, "ABC")
                                        .str(8, "20060301")
                                        .f64(24, stamp)
                                        .f64(32, 100)
                                        .f64(40, 10)
                                        .f64(48, 1)
                                        .i32(56, 12345)
                                        .bytes;
        QCOMPARE(FileBytes(env.path("PF.tra")), expected);
    }

    void tradesOfOneSymbolAndDayKeepTimeOrder()
    {
        TTestEnv env;
        TTransBase db(env.path("PF.tra"));
        const QList<QTime> times{QTime(10, 0, 5), QTime(10, 0, 9), QTime(9, 59, 58)};
        const QList<int> landed{0, 1, 0};
        for (int i = 0; i < times.size(); ++i) {
            env.pinClock(QDateTime(kDay, times[i]));
            TTransRecord r = trade("ABC", "20060301", 10 * (i + 1));
            QVERIFY(db.Insert(r));
            QCOMPARE(db.CurrentIndex(), landed[i]);
        }
        QCOMPARE(transKeys(db),
                 (QStringList{"ABC2006030109:59:58", "ABC2006030110:00:05", "ABC2006030110:00:09"}));
        // Within one second the full keys collide; the later record takes the
        // next free second instead of being lost.
        TTransRecord once = trade("ABC", "20060302", 1);
        QVERIFY(db.Insert(once));
        TTransRecord again = trade("ABC", "20060302", 99);
        QVERIFY(db.Insert(again));
        TTransRecord third = trade("ABC", "20060302", 7);
        QVERIFY(db.Insert(third));
        QCOMPARE(db.LastIndex(), 5);
        QCOMPARE(transKeys(db).mid(3), (QStringList{"ABC2006030209:59:58", "ABC2006030209:59:59",
                                                    "ABC2006030210:00:00"}));
        TTransRecord stored;
        db.ReadAt(stored, 5);
        QCOMPARE(stored.Shares, 7.0);
    }

    void concatenatedKeysOrderPrefixSymbols()
    {
        TTestEnv env;
        env.pinClock(QDateTime(kDay, QTime(12, 0, 0)));
        TTransBase db(env.path("PF.div"));
        for (const auto &[sym, date] : {std::pair{"A", "20060301"}, std::pair{"A1", "20060101"},
                                        std::pair{"A", "19991231"}, std::pair{"B", "20000101"}}) {
            TTransRecord r = trade(sym, date, 0);
            QVERIFY(db.Insert(r));
        }
        // The date's first digit meets the longer symbol's next character, so
        // A1 sorts before every A record, even one of 1999.
        QCOMPARE(transKeys(db), (QStringList{"A12006010112:00:00", "A1999123112:00:00", "A2006030112:00:00",
                                             "B2000010112:00:00"}));
        TTransRecord r;
        QVERIFY(db.Find(r, trade("A1", "20060101", 0)));
        QCOMPARE(db.CurrentIndex(), 0);
        QVERIFY(!db.Find(r, trade("A", "20060302", 0)));
        QCOMPARE(db.Status(), quint16(NotFound));
        db.Clear();
        QCOMPARE(db.LastIndex(), -1);
    }

    // ---- function and conversion-format files ----------------------------
    void descriptionsSortOrdinally()
    {
        TTestEnv env;
        TFunctionBase db(env.path("Scan.dat"));
        for (const char *d : {"Breakout", "Average cross", "above range"}) {
            TFunctionRecord f;
            f.Description = QString::fromLatin1(d);
            QVERIFY(db.Insert(f));
        }
        QStringList order;
        TFunctionRecord f;
        db.First(f);
        while (db.Status() == 0) {
            order << f.Description.text();
            db.Next(f);
        }
        QCOMPARE(order, (QStringList{"Average cross", "Breakout", "above range"}));
        QVERIFY(!db.Find(f, "average cross"));
        QCOMPARE(db.Status(), quint16(NotFound));
    }

    void secondDescriptionIsRefused_data()
    {
        QTest::addColumn<int>("stored");
        QTest::newRow("one record") << 1;
        QTest::newRow("three records") << 3;
    }
    void secondDescriptionIsRefused()
    {
        QFETCH(int, stored);
        TTestEnv env;
        TFunctionBase db(env.path("Scan.dat"));
        for (int i = 0; i < stored; ++i) {
            TFunctionRecord f;
            f.Description = QStringLiteral("F%1").arg(i);
            QVERIFY(db.Insert(f));
        }
        const QByteArray before = FileBytes(env.path("Scan.dat"));
        TFunctionRecord dup;
        dup.Description = QStringLiteral("F0");
        dup.Color = 0xFF;
        bool added = true;
        db.Insert(dup, added);
        QVERIFY(!added);
        QCOMPARE(FileBytes(env.path("Scan.dat")), before);
    }

    void functionRecordsHoldFiveRowsEvenWhenEmpty()
    {
        TTestEnv env;
        TFunctionBase db(env.path("Scan.dat"));
        TFunctionRecord f;
        f.Description = QStringLiteral("Up day");
        f.Color = 0x0000FF;
        f.Rows[0].Expression1 = QStringLiteral("CLOSE");
        f.Rows[0].Comparison = QStringLiteral(">=");
        f.Rows[0].Expression2 = QStringLiteral("VALUEBACK(CLOSE,1)");
        QVERIFY(db.Insert(f));
        TImage expected(2644);
        expected.str(0, "Up day")
            .i32(44, 0x0000FF)
            .str(48 + 4, "CLOSE")
            .str(48 + 260, ">=")
            .str(48 + 263, "VALUEBACK(CLOSE,1)");
        QCOMPARE(FileBytes(env.path("Scan.dat")), expected.bytes);
    }

    void conversionFormatsAreByteExact()
    {
        TTestEnv env;
        TConvDataBase db(env.path("Convert.dat"));
        TConvRecord c;
        c.Description = QStringLiteral("Daily quotes");
        c.KindTag = QStringLiteral("Quorvane Data Conversion");
        c.FileName = QStringLiteral("/q/day.txt");
        c.Layout = 1;
        c.DateForm = 0;
        c.Append = 1;
        c.LinesToSkip = 2;
        c.FieldRowCount = 6;
        c.VolumeDivisor = 100;
        c.Summary = 1;
        for (int i = 0; i < 6; ++i)
            c.FieldMap[i] = QStringLiteral("Field %1").arg(i + 1);
        QVERIFY(db.Insert(c));
        TImage expected(1912);
        expected.str(0, "Daily quotes").str(51, "Quorvane Data Conversion").str(102, "/q/day.txt");
        expected.i32(360, 1)
            .i32(364, 0)
            .raw(368, "\x01")
            .i32(372, 2)
            .i32(376, 6)
            .f64(384, 100)
            .raw(392, "\x01");
        for (int i = 0; i < 6; ++i)
            expected.str(393 + 11 * i, "Field " + QByteArray::number(i + 1));
        QCOMPARE(FileBytes(env.path("Convert.dat")), expected.bytes);
        TConvRecord back;
        QVERIFY(db.Find(back, "Daily quotes"));
        QCOMPARE(back.FieldMap[5].text(), QStringLiteral("Field 6"));
        QCOMPARE(back.FieldMap[6].text(), QString());
    }
};

QTEST_GUILESS_MAIN(TestRegisters)
#include "tst_Registers.moc"
