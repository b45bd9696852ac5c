#include "TestEnv.h"

#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/FunctionBase.h"
#include "records/SblBase.h"
#include "records/WatchBase.h"
#include "screening/FunctionEdit.h"
#include "screening/WatchRun.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <cmath>
#include <cstring>

namespace {

constexpr uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;

void makeFolders(const TTestEnv &env)
{
    for (const char *f : {"symbol", "watch", "notes", "data", "port"})
        QDir().mkpath(env.path(f));
}

void writeCloses(const QString &symbol, const QList<double> &closes)
{
    TDataBase db(GetFolders().Data + symbol + ".stk");
    QDate day(2020, 1, 1);
    for (double c : closes) {
        TPriceRecord r;
        r.Date = day.toString("yyyyMMdd");
        r.High = c + 1;
        r.Low = c - 0.5;
        r.Close = c;
        r.Volume = 1000;
        QVERIFY(db.Insert(r));
        day = day.addDays(1);
    }
}

TListRecord entry(const QString &symbol, const QString &name, const QString &note = QString())
{
    TListRecord e;
    e.FileName = symbol;
    e.Name = name;
    e.NoteFile = note;
    return e;
}

void addEntry(const QString &symbol, const QString &name, const QString &note = QString())
{
    TWatchDatabase w(WatchListPath());
    TListRecord e = entry(symbol, name, note);
    w.Insert(e);
}

using TRow = QStringList; // logical operator, expression 1, comparison, expression 2

void addFunction(const QString &description, uint32_t color, const QList<TRow> &rows)
{
    TFunctionTexts t;
    t.Description = description;
    t.Color = color;
    for (int i = 0; i < rows.size(); ++i) {
        t.LogicalOperators[size_t(i)] = rows[i].value(0);
        t.Expressions[size_t(2 * i)] = rows[i].value(1);
        t.Comparisons[size_t(i)] = rows[i].value(2);
        t.Expressions[size_t(2 * i + 1)] = rows[i].value(3);
    }
    TFunctionBase scan(GetFolders().Watch + "Scan.dat");
    TFunctionRecord rec = BuildFunctionRecord(t);
    QVERIFY(scan.Insert(rec));
}

void setOptions(bool stockForm, bool graph, int windows)
{
    LoadConfig();
    ConfigRecord.RunWatch.OpenStockForm = stockForm;
    ConfigRecord.RunWatch.OpenGraph = graph;
    ConfigRecord.RunWatch.WindowsToOpen = windows;
    QVERIFY(SaveConfig());
}

class TRecordingSink : public TWatchRunSink
{
public:
    void status(const QString &security, const QString &function) override
    {
        lastStatus = security + "|" + function;
    }
    void passLine(const TWatchPass &pass) override
    {
        lines << ResultLineText(pass.Entry.Name.text(), pass.Entry.FileName.text(), pass.Description);
        colors << pass.Color;
    }
    void openStockForm(const TListRecord &e) override { windows << "form " + e.FileName.text(); }
    void openGraph(const TListRecord &e) override { windows << "graph " + e.FileName.text(); }
    void error(const QString &text) override { errors << text; }

    QStringList lines, windows, errors;
    QList<uint32_t> colors;
    QString lastStatus = "untouched";
};

QList<double> rising(int n)
{
    QList<double> v;
    for (int i = 1; i <= n; ++i)
        v << i;
    return v;
}

QList<double> falling(int n)
{
    QList<double> v;
    for (int i = n; i >= 1; --i)
        v << i;
    return v;
}

// Three securities: AAA rising, BBB falling, CCC rising; three functions.
void threeSecurityFixture()
{
    writeCloses("AAA", rising(30));
    writeCloses("BBB", falling(30));
    writeCloses("CCC", rising(30));
    addEntry("CCC", "Gamma & <Sons>");
    addEntry("AAA", "Alpha");
    addEntry("BBB", "Beta");
    addFunction("Up Day", kRed, {{QString(), "CURRENT(CLOSE)", ">", "VALUE(CLOSE,1)"}});
    addFunction("Down Day", kGreen, {{QString(), "CURRENT(CLOSE)", "<", "VALUE(CLOSE,1)"}});
    addFunction("Above Average", kBlue, {{QString(), "CURRENT(CLOSE)", ">", "AVERAGEONDAY(CLOSE,0,20)"}});
}

QString line(const char *name, const char *symbol, const char *description)
{
    return ResultLineText(name, symbol, description);
}

} // namespace

class TestWatchRun : public QObject
{
    Q_OBJECT

private slots:
    void linesInListOrderWithTheirColours()
    {
        TTestEnv env;
        makeFolders(env);
        threeSecurityFixture();
        setOptions(false, false, 0);
        TRecordingSink sink;
        const TWatchRunResult r = RunWatch(sink, nullptr);
        QCOMPARE(sink.lines,
                 QStringList({line("Alpha", "AAA", "Above Average"), line("Alpha", "AAA", "Up Day"),
                              line("Beta", "BBB", "Down Day"), line("Gamma & <Sons>", "CCC", "Above Average"),
                              line("Gamma & <Sons>", "CCC", "Up Day")}));
        QCOMPARE(sink.colors, QList<uint32_t>({kBlue, kRed, kGreen, kBlue, kRed}));
        QCOMPARE(r.lines, 5);
        QVERIFY(!r.stopped);
        QCOMPARE(sink.lastStatus, QStringLiteral("|"));
        QV_VERIFY_ENV(env);
    }

    // Windows for at most W securities, once per security however many functions pass.
    void windowLimit_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<QStringList>("windows");
        QTest::newRow("no limit") << 0 << QStringList{"form AAA",  "graph AAA", "form BBB",
                                                      "graph BBB", "form CCC",  "graph CCC"};
        QTest::newRow("two") << 2 << QStringList{"form AAA", "graph AAA", "form BBB", "graph BBB"};
        QTest::newRow("one") << 1 << QStringList{"form AAA", "graph AAA"};
    }
    void windowLimit()
    {
        QFETCH(int, limit);
        QFETCH(QStringList, windows);
        TTestEnv env;
        makeFolders(env);
        threeSecurityFixture();
        setOptions(true, true, limit);
        TRecordingSink sink;
        RunWatch(sink, nullptr);
        QCOMPARE(sink.lines.size(), 5);
        QCOMPARE(sink.windows, windows);
    }

    void noChartForShortHistories()
    {
        TTestEnv env;
        makeFolders(env);
        writeCloses("AAA", rising(2));
        writeCloses("BBB", rising(3));
        addEntry("AAA", "Alpha");
        addEntry("BBB", "Beta");
        addFunction("Always", 0, {{QString(), "1", "=", "1"}});
        setOptions(true, true, 0);
        TRecordingSink sink;
        RunWatch(sink, nullptr);
        QCOMPARE(sink.windows, QStringList({"form AAA", "form BBB", "graph BBB"}));
    }

    void onlyTheChosenWindowsOpen()
    {
        TTestEnv env;
        makeFolders(env);
        threeSecurityFixture();
        setOptions(false, true, 0);
        TRecordingSink sink;
        RunWatch(sink, nullptr);
        QCOMPARE(sink.windows, QStringList({"graph AAA", "graph BBB", "graph CCC"}));
    }

    // Rows combine strictly top to bottom; rows below an empty row still count.
    void rowsCombineTopToBottom_data()
    {
        QTest::addColumn<QList<TRow>>("rows");
        QTest::addColumn<bool>("passes");
        const TRow t{QString(), "1", "=", "1"};
        const TRow f{QString(), "1", "=", "2"};
        QTest::newRow("true or false and false")
            << QList<TRow>{t, {"Or", "1", "=", "2"}, {"And", "1", "=", "2"}} << false;
        QTest::newRow("false and false or true")
            << QList<TRow>{f, {"And", "1", "=", "2"}, {"Or", "1", "=", "1"}} << true;
        QTest::newRow("blank operator joins nothing") << QList<TRow>{t, {" ", "1", "=", "2"}} << true;
        QTest::newRow("row below an empty row") << QList<TRow>{t, {}, {"And", "1", "=", "2"}} << false;
    }
    void rowsCombineTopToBottom()
    {
        QFETCH(QList<TRow>, rows);
        QFETCH(bool, passes);
        TTestEnv env;
        makeFolders(env);
        writeCloses("AAA", rising(5));
        addEntry("AAA", "Alpha");
        addFunction("F", 0, rows);
        TRecordingSink sink;
        RunWatch(sink, nullptr);
        QCOMPARE(sink.lines.size(), passes ? 1 : 0);
    }

    // STARTING follows the statistics window; only the needed tail is read when limited.
    void statisticsLimit_data()
    {
        QTest::addColumn<bool>("limit");
        QTest::addColumn<QString>("starting");
        QTest::addColumn<qint64>("bytes");
        QTest::newRow("off") << false << "1" << qint64(1000 * 48);
        QTest::newRow("on") << true << "740" << qint64(261 * 48);
    }
    void statisticsLimit()
    {
        QFETCH(bool, limit);
        QFETCH(QString, starting);
        QFETCH(qint64, bytes);
        TTestEnv env;
        makeFolders(env);
        LoadConfig();
        ConfigRecord.Statistics.LimitRecords = limit;
        ConfigRecord.Statistics.RecordCount = 260;
        QVERIFY(SaveConfig());
        writeCloses("AAA", rising(1000));
        addEntry("AAA", "Alpha");
        addFunction("Start", 0, {{QString(), "STARTING(CLOSE)", "=", starting}});
        addFunction("Low", 0, {{QString(), "LOWEST(CLOSE)", "=", starting}});
        TRecordingSink sink;
        const TWatchRunResult r = RunWatch(sink, nullptr);
        QCOMPARE(sink.lines, QStringList({line("Alpha", "AAA", "Low"), line("Alpha", "AAA", "Start")}));
        QCOMPARE(r.bytesRead, bytes);
    }

    void conversionErrorStopsTheRunNamingFunctionAndSecurity()
    {
        TTestEnv env;
        makeFolders(env);
        writeCloses("AAA", rising(5));
        writeCloses("BBB", rising(5));
        addEntry("AAA", "Alpha");
        addEntry("BBB", "Beta");
        addFunction("A Good", 0, {{QString(), "1", "=", "1"}});
        // Written past the editor's checks, as an older file may hold it.
        addFunction("B Bad", 0, {{QString(), "CURRENT(CLOSE)", "=", "'x'"}});
        TRecordingSink sink;
        const TWatchRunResult r = RunWatch(sink, nullptr);
        QVERIFY(r.stopped);
        QCOMPARE(sink.lines, QStringList({line("Alpha", "AAA", "A Good")}));
        QCOMPARE(sink.errors.size(), 1);
        QVERIFY2(sink.errors[0].startsWith("Error In Function B Bad For Alpha (AAA):\r\r"),
                 qPrintable(sink.errors[0]));
        QCOMPARE(sink.lastStatus, QStringLiteral("|"));
    }

    // A condition that needs records the history lacks is false, never a pass on zeros.
    void shortHistories_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("expression1");
        QTest::addColumn<QString>("expression2");
        QTest::addColumn<bool>("passes");
        QTest::newRow("no file") << -1 << "CURRENT(CLOSE)"
                                 << "0" << false;
        QTest::newRow("empty file") << 0 << "CURRENT(CLOSE)"
                                    << "0" << false;
        QTest::newRow("empty file lowest") << 0 << "LOWEST(CLOSE)"
                                           << "0" << false;
        QTest::newRow("value reaches before the first") << 5 << "VALUE(CLOSE,5)"
                                                        << "0" << false;
        QTest::newRow("value just inside") << 5 << "VALUE(CLOSE,4)"
                                           << "1" << true;
        QTest::newRow("average reaches before the first") << 20 << "0"
                                                          << "AVERAGEONDAY(CLOSE,0,20)" << false;
        QTest::newRow("average just inside") << 21 << "AVERAGEONDAY(CLOSE,0,20)"
                                             << "10.5" << true;
        QTest::newRow("std with skip") << 10 << "STDONDAY(CLOSE,5,5)"
                                       << "0" << false;
        QTest::newRow("constants need nothing") << 0 << "1"
                                                << "1" << true;
    }
    void shortHistories()
    {
        QFETCH(int, records);
        QFETCH(QString, expression1);
        QFETCH(QString, expression2);
        QFETCH(bool, passes);
        TTestEnv env;
        makeFolders(env);
        if (records >= 0) {
            writeCloses("AAA", rising(records));
            QVERIFY(QFile::exists(GetFolders().Data + "AAA.stk"));
        }
        addEntry("AAA", "Alpha");
        addFunction("F", 0, {{QString(), expression1, "=", expression2}});
        TRecordingSink sink;
        const TWatchRunResult r = RunWatch(sink, nullptr);
        QCOMPARE(sink.lines.size(), passes ? 1 : 0);
        QVERIFY(sink.errors.isEmpty());
        QVERIFY(!r.stopped);
        // The run reads; it creates no price file.
        QCOMPARE(QFile::exists(GetFolders().Data + "AAA.stk"), records >= 0);
    }

    // Damaged price files: no crash, no wrong pass, no error stop.
    void damagedPriceFiles()
    {
        TTestEnv env;
        makeFolders(env);
        writeCloses("NAN", rising(5));
        {
            QFile f(GetFolders().Data + "NAN.stk");
            QVERIFY(f.open(QIODevice::ReadWrite));
            const double nan = std::nan("");
            QVERIFY(f.seek(4 * 48 + 32));
            f.write(reinterpret_cast<const char *>(&nan), 8);
        }
        writeCloses("TORN", rising(5));
        {
            QFile f(GetFolders().Data + "TORN.stk");
            QVERIFY(f.open(QIODevice::Append));
            f.write(QByteArray(20, '\x7F'));
        }
        addEntry("NAN", "Nan");
        addEntry("TORN", "Torn");
        addFunction("Equal", 0, {{QString(), "CURRENT(CLOSE)", "=", "CURRENT(CLOSE)"}});
        addFunction("Symbol", 0, {{QString(), "STOCKSYMBOL", "=", "'NAN'"}});
        TRecordingSink sink;
        RunWatch(sink, nullptr);
        QCOMPARE(sink.lines, QStringList({line("Nan", "NAN", "Symbol"), line("Torn", "TORN", "Equal")}));
        QVERIFY(sink.errors.isEmpty());
    }

    // Scan.dat written by anything: length bytes beyond their fields, odd
    // operators, a colour with a top byte and a torn last record.
    void storedFunctionBytesReadSafely()
    {
        TTestEnv env;
        makeFolders(env);
        writeCloses("AAA", rising(5));
        addEntry("AAA", "Alpha");
        auto bytesOf = [](const QString &description, const QList<TRow> &rows) {
            TFunctionTexts t;
            t.Description = description;
            for (int i = 0; i < rows.size(); ++i) {
                t.LogicalOperators[size_t(i)] = rows[i].value(0);
                t.Expressions[size_t(2 * i)] = rows[i].value(1);
                t.Comparisons[size_t(i)] = rows[i].value(2);
                t.Expressions[size_t(2 * i + 1)] = rows[i].value(3);
            }
            const TFunctionRecord rec = BuildFunctionRecord(t);
            return QByteArray(reinterpret_cast<const char *>(&rec), sizeof rec);
        };
        constexpr int row2 = 48 + 519;
        // "Xor" and "and" are no logical operators: their rows change nothing.
        QByteArray odd = bytesOf("Odd", {{QString(), "CURRENT(CLOSE)", ">", "0"},
                                         {"And", "CURRENT(CLOSE)", "<", "0"},
                                         {"And", "CURRENT(CLOSE)", "<", "0"}});
        odd.replace(row2, 4, QByteArray("\x03Xor", 4));
        odd.replace(row2 + 519, 4, QByteArray("\x03and", 4));
        const uint32_t colour = 0xAB0000FFu;
        odd.replace(44, 4, QByteArray(reinterpret_cast<const char *>(&colour), 4));
        // Oversized lengths are cut to their fields: 40 characters of
        // description, ">=" of a comparison whose length byte says 9.
        QByteArray wide = bytesOf(QString(), {{QString(), "CURRENT(CLOSE)", ">", "1"}});
        wide[0] = char(255);
        wide.replace(1, 40, QByteArray(40, 'W'));
        wide.replace(48 + 260, 3, QByteArray("\x09>=", 3));
        // A comparison that is none of the six never passes.
        QByteArray never = bytesOf("Zz Never", {{QString(), "CURRENT(CLOSE)", "=>", "0"}});
        {
            QFile f(GetFolders().Watch + "Scan.dat");
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(odd + wide + never + QByteArray(100, '\xFF'));
        }
        TRecordingSink sink;
        const TWatchRunResult r = RunWatch(sink, nullptr);
        QCOMPARE(sink.lines, QStringList({line("Alpha", "AAA", "Odd"),
                                          ResultLineText("Alpha", "AAA", QString(40, 'W'))}));
        QCOMPARE(sink.colors.value(0), 0x0000FFu);
        QVERIFY(sink.errors.isEmpty());
        QVERIFY(!r.stopped);
    }

    void unsafeSymbolsOpenNoFile()
    {
        TTestEnv env;
        makeFolders(env);
        writeCloses("AAA", rising(3));
        // A price file outside the data folder that the symbol would name.
        QDir().mkpath(env.path("outside"));
        {
            TDataBase outside(env.path("outside/EVIL.stk"));
            TPriceRecord r;
            r.Date = "20200101";
            r.Close = 5;
            QVERIFY(outside.Insert(r));
        }
        addEntry("../outside/EVIL", "Evil");
        addEntry("..", "Dots");
        addEntry("AAA", "Alpha");
        addFunction("Any Close", 0, {{QString(), "CURRENT(CLOSE)", ">", "0"}});
        TRecordingSink sink;
        RunWatch(sink, nullptr);
        QCOMPARE(sink.lines, QStringList({line("Alpha", "AAA", "Any Close")}));
        QVERIFY(!QFile::exists(GetFolders().Data + "...stk"));

        // A function that passes without prices lists them, but no chart is
        // asked for a history that was never read.
        addFunction("Always", 0, {{QString(), "1", "=", "1"}});
        setOptions(false, true, 0);
        TRecordingSink again;
        RunWatch(again, nullptr);
        QCOMPARE(again.lines.size(), 4);
        QCOMPARE(again.windows, QStringList({"graph AAA"}));
        QVERIFY(!QFile::exists(GetFolders().Data + "...stk"));
    }

    // An out-of-order Watch.sbl is walked in file order, each entry once, and
    // the shared list's position is given back.
    void outOfOrderSharedListWalkedByIndex()
    {
        TTestEnv env;
        makeFolders(env);
        writeCloses("ZZZ", rising(3));
        writeCloses("AAA", rising(3));
        {
            QFile f(WatchListPath());
            QVERIFY(f.open(QIODevice::WriteOnly));
            for (const TListRecord &e :
                 {entry("ZZZ", "Zulu", "zulu.txt"), entry("AAA", "Alpha", "alpha.txt")})
                f.write(reinterpret_cast<const char *>(&e), sizeof e);
        }
        addFunction("Any Close", 0, {{QString(), "CURRENT(CLOSE)", ">", "0"}});
        setOptions(true, false, 0);
        TWatchDatabase shared(WatchListPath());
        shared.SetCurrentIndex(1);

        class TLookingSink : public TRecordingSink
        {
        public:
            TWatchDatabase *watch = nullptr;
            QStringList notes;
            void openStockForm(const TListRecord &e) override
            {
                TRecordingSink::openStockForm(e);
                notes << SummaryRequestFor(e).NoteFile;
                TListRecord found;
                watch->Find(found, "Alpha"); // a window searching the same open list
            }
        } sink;
        sink.watch = &shared;
        RunWatch(sink, &shared);
        QCOMPARE(sink.lines,
                 QStringList({line("Zulu", "ZZZ", "Any Close"), line("Alpha", "AAA", "Any Close")}));
        QCOMPARE(sink.notes, QStringList({"zulu.txt", "alpha.txt"}));
        QCOMPARE(shared.CurrentIndex(), 1);
        // The line action finds names exactly, also in a list out of order.
        QCOMPARE(SummaryRequestFor("Alpha", "AAA", &shared).NoteFile, QStringLiteral("alpha.txt"));
        QCOMPARE(SummaryRequestFor("Zulu", "ZZZ", nullptr).NoteFile, QStringLiteral("zulu.txt"));
        QCOMPARE(SummaryRequestFor("alpha", "AAA", &shared).NoteFile, QString());
    }

    void summaryRequestCarriesWebAddress()
    {
        TTestEnv env;
        makeFolders(env);
        {
            TSymbolDataBase symbols(GetFolders().Symbol + "Stocks.sbl");
            TSymbolRecord s;
            s.Symbol = QStringLiteral("AAA");
            s.Name = QStringLiteral("ALPHA");
            s.WebAddress = QStringLiteral("http://alpha.example");
            symbols.Insert(s);
        }
        const TSummaryRequest r = SummaryRequestFor(entry("AAA", "Alpha & Co", "a.txt"));
        QCOMPARE(r.Caption, QStringLiteral("Alpha & Co (AAA)"));
        QCOMPARE(r.WebAddress, QStringLiteral("http://alpha.example"));
        QCOMPARE(r.NoteFile, QStringLiteral("a.txt"));
        QCOMPARE(SummaryRequestFor(entry("BBB", "Beta")).WebAddress, QString());
        QCOMPARE(GraphCaption("Alpha & Co", "AAA"), QStringLiteral("Alpha & Co (AAA) - Graph"));
    }

    void resultLineParts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("symbol");
        QTest::newRow("result line") << "Alpha & Co\t(AAA)\tUp Day" << true << "Alpha & Co"
                                     << "AAA";
        QTest::newRow("title") << "Watch Results" << false << ""
                               << "";
        QTest::newRow("no pass") << kNoPassText << false << ""
                                 << "";
        QTest::newRow("one tab") << "Alpha\t(AAA)" << false << ""
                                 << "";
        QTest::newRow("empty symbol") << "Alpha\t()\tUp" << false << ""
                                      << "";
    }
    void resultLineParts()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QString, name);
        QFETCH(QString, symbol);
        QString n, s;
        QCOMPARE(ParseResultLine(text, n, s), valid);
        if (valid) {
            QCOMPARE(n, name);
            QCOMPARE(s, symbol);
        }
    }

    void recordsNeeded_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<int>("needed");
        QTest::newRow("number") << "1.5 * 2" << 0;
        QTest::newRow("current") << "CURRENT(CLOSE)" << 1;
        QTest::newRow("value") << "value(close,9)" << 10;
        QTest::newRow("value 0") << "VALUE(CLOSE,0)" << 0;
        QTest::newRow("average") << "AVERAGEONDAY(CLOSE,5,20)" << 26;
        QTest::newRow("average no days") << "AVERAGEONDAY(CLOSE,5,0)" << 0;
        QTest::newRow("largest wins") << "ABS(VALUE(LOW,3) - STDONDAY(HIGH,1,2))" << 4;
        QTest::newRow("lowest") << "LOWEST(LOW)" << 1;
    }
    void recordsNeeded()
    {
        QFETCH(QString, expression);
        QFETCH(int, needed);
        QCOMPARE(RecordsNeeded(expression), needed);
    }

    void historyTailIsReadInOnePiece()
    {
        TTestEnv env;
        makeFolders(env);
        writeCloses("AAA", rising(10));
        TPriceSeries prices;
        int records = 0;
        bool damaged = true;
        qint64 bytes = 0;
        QString error;
        QVERIFY(LoadPriceHistory(GetFolders().Data + "AAA.stk", 3, prices, records, damaged, bytes, error));
        QCOMPARE(records, 10);
        QVERIFY(!damaged);
        QCOMPARE(bytes, qint64(3 * 48));
        QCOMPARE(prices.points().size(), size_t(3));
        QCOMPARE(prices.points().front().Close, 8.0);
        QVERIFY(!HasWatchFunctions());
        addFunction("F", 0, {{QString(), "1", "=", "1"}});
        QVERIFY(HasWatchFunctions());
    }
};

QTEST_GUILESS_MAIN(TestWatchRun)
#include "tst_WatchRun.moc"
