#include "TestEnv.h"

#include "frame/Stockcfg.h"

#include <QFile>
#include <QtTest>
#include <cstring>

namespace {

// A byte image of a default Stocks.cfg built field by field from the
// documented offsets, independent of the record structs.
class TImage
{
public:
    QByteArray bytes = QByteArray(3848, '\0');
    void str(int at, const QByteArray &s)
    {
        bytes[at] = char(s.size());
        std::memcpy(bytes.data() + at + 1, s.constData(), size_t(s.size()));
    }
    void u8(int at, quint8 v) { bytes[at] = char(v); }
    void i16(int at, qint16 v) { std::memcpy(bytes.data() + at, &v, 2); }
    void i32(int at, qint32 v) { std::memcpy(bytes.data() + at, &v, 4); }
    void f64(int at, double v) { std::memcpy(bytes.data() + at, &v, 8); }
};

QByteArray defaultImage(const QByteArray &prog)
{
    TImage m;
    m.str(0, "Version 3.1");
    m.str(14 + 8, "No Portfolio");
    const char *folders[] = {"symbol/", "watch/", "notes/", "data/", "port/"};
    for (int i = 0; i < 5; ++i)
        m.str(666 + 256 * i, prog + folders[i]);
    m.str(1946, prog + "stock.bmp");
    m.str(1946 + 256, prog + "scanid.wav");
    m.str(1946 + 512, "xdg-open");
    m.str(1946 + 768, prog + "Stock.txt");
    m.str(1946 + 1024, "gnome-calculator");
    m.i32(3482 + 4, 5);
    const int g = 3562;
    m.i32(g + 0, 150);
    m.i32(g + 4, 1);
    m.i32(g + 8, 5);
    m.i32(g + 12, 15);
    m.i32(g + 16, 2);
    m.i32(g + 20, 2);
    m.str(g + 32, "Times New Roman");
    m.i16(g + 74, 20);
    m.i16(g + 76, 10);
    const quint32 colors[24] = {0x000000, 0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x008000,
                                0xFFFFFF, 0x000000, 0xFF0000, 0xFF0000, 0xFF0000, 0x00FF00,
                                0x00FFFF, 0x0000FF, 0xFF00FF, 0x808000, 0x800000, 0x00FF00,
                                0x0000FF, 0x000000, 0xFF0000, 0x008000, 0x800080, 0xFFFF00};
    for (int i = 0; i < 24; ++i)
        m.i32(g + 80 + 4 * i, qint32(colors[i]));
    m.f64(g + 176, 70.0);
    m.f64(g + 184, 30.0);
    m.i16(g + 192, 500);
    m.i16(g + 194, 480);
    m.u8(g + 196, 1);
    m.i32(3764 + 4, 260);
    m.i32(3764 + 8, 0x00FF00);
    m.i32(3764 + 12, 0x0000FF);
    m.i16(3780, 2);
    m.i16(3782, 1);
    return m.bytes;
}

} // namespace

class TestStockcfg : public QObject
{
    Q_OBJECT

private slots:
    void defaultsWrittenAreByteExact()
    {
        TTestEnv env;
        LoadConfig();
        QVERIFY(SaveConfig());
        const QByteArray written = TTestEnv::readFile(env.path("Stocks.cfg"));
        QCOMPARE(written.size(), 3848);
        const QByteArray expected = defaultImage(env.dir().toLatin1());
        for (int i = 0; i < 3848; ++i)
            QVERIFY2(written[i] == expected[i], qPrintable(QStringLiteral("byte %1 differs").arg(i)));
        QV_VERIFY_ENV(env);
    }

    void missingFileGivesDefaultsAndIsNotCreated()
    {
        TTestEnv env;
        const TFolderPaths f = GetFolders();
        QCOMPARE(f.Symbol, env.dir() + "symbol/");
        QCOMPARE(f.Portfolio, env.dir() + "port/");
        const TFilePaths files = GetFiles();
        QCOMPARE(files.Background, env.dir() + "stock.bmp");
        QCOMPARE(files.StartupSound, env.dir() + "scanid.wav");
        QCOMPARE(files.NoteFile, env.dir() + "Stock.txt");
        QCOMPARE(files.CalendarFolder, QString());
        const TStartupPortfolio p = GetStartupPortfolio();
        QCOMPARE(p.Portfolio.Name.text(), QStringLiteral("No Portfolio"));
        QCOMPARE(p.Portfolio.FileName.text(), QString());
        QCOMPARE(int(p.OpenOnStartup), 0);
        QVERIFY(!QFile::exists(env.path("Stocks.cfg")));
    }

    void shortFileKeepsStoredBlocksAndDefaultsTheRest()
    {
        TTestEnv env;
        LoadConfig();
        ConfigRecord.Folders.Data = QStringLiteral("/elsewhere/data");
        ConfigRecord.RunWatch.WindowsToOpen = 42;
        ConfigRecord.Graph.Average1 = 99;
        ConfigRecord.CommissionSchedule = 2;
        QVERIFY(SaveConfig());
        QByteArray bytes = TTestEnv::readFile(env.path("Stocks.cfg"));
        env.writeFile("Stocks.cfg", bytes.left(3562));
        ResetConfigState();
        SetBaseFolder(env.dir());
        SetProgramFolder(env.dir());
        QCOMPARE(GetFolders().Data, QStringLiteral("/elsewhere/data/"));
        QCOMPARE(GetRunWatchOptions().WindowsToOpen, 42);
        QCOMPARE(GetGraphSettings().Average1, 5);
        QCOMPARE(int(GetCommissionSchedule()), 0);
        QCOMPARE(GetStatisticsOptions().RecordCount, 260);
        // A block cut in the middle is defaulted too, and so is everything after it.
        env.writeFile("Stocks.cfg", bytes.left(3562 + 100));
        QCOMPARE(GetGraphSettings().Average1, 5);
        QCOMPARE(GetPortfolioGraphOptions().Options, quint16(pgSellAll));
    }

    void versionRule()
    {
        TTestEnv env;
        QByteArray bytes(3848, '\0');
        bytes[0] = 5;
        std::memcpy(bytes.data() + 1, "Hello", 5);
        bytes[3764 + 4] = 77; // statistics N still read at its fixed offset
        env.writeFile("Stocks.cfg", bytes);
        LoadConfig();
        QCOMPARE(ConfigRecord.Version.text(), QStringLiteral("Version 1.0"));
        QCOMPARE(GetStatisticsOptions().RecordCount, 77);

        std::memcpy(bytes.data(), "\x0bVersion 2.7", 12);
        env.writeFile("Stocks.cfg", bytes);
        LoadConfig();
        QCOMPARE(ConfigRecord.Version.text(), QStringLiteral("Version 2.7"));
    }

    void withBackslash_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("plain") << "/a/b"
                               << "/a/b/";
        QTest::newRow("ended") << "/a/b/"
                               << "/a/b/";
        QTest::newRow("root") << "/"
                              << "/";
    }
    void withBackslash()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(WithBackslash(in), out);
    }

    void statisticsCountHandedOutAsAtLeastOne_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("handed");
        QTest::newRow("zero") << 0 << 1;
        QTest::newRow("negative") << -5 << 1;
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("normal") << 260 << 260;
    }
    void statisticsCountHandedOutAsAtLeastOne()
    {
        QFETCH(int, stored);
        QFETCH(int, handed);
        TTestEnv env;
        LoadConfig();
        ConfigRecord.Statistics.RecordCount = stored;
        QVERIFY(SaveConfig());
        QCOMPARE(GetStatisticsOptions().RecordCount, handed);
        QCOMPARE(ConfigRecord.Statistics.RecordCount, stored);
    }

    void settersReplaceOnlyTheirBlock()
    {
        TTestEnv env;
        LoadConfig();
        ConfigRecord.Folders.Watch = QStringLiteral("/w");
        ConfigRecord.Input.AddDays = -3;
        QVERIFY(SaveConfig());
        ConfigRecord.Input.AddDays = 50; // unsaved change: the setter reloads first
        TGraphSettings g = GetGraphSettings();
        g.Width = 800;
        g.Colors[gcOverlay] = 0x123456;
        QVERIFY(SetGraphSettings(g));
        QCOMPARE(GetGraphSettings().Width, quint16(800));
        QCOMPARE(GetGraphSettings().Colors[gcOverlay], 0x123456u);
        QCOMPARE(GetFolders().Watch, QStringLiteral("/w/"));
        QCOMPARE(GetInputOptions().AddDays, -3);
        ConfigRecord.Input.AddDays = -2000000000; // a damaged file: held to the allowed range
        QVERIFY(SaveConfig());
        QCOMPARE(GetInputOptions().AddDays, -100);
        ConfigRecord.Input.AddDays = -3;
        QVERIFY(SaveConfig());

        QVERIFY(SetPortfolioGraphOptions({pgIncludeDividends, pgYearly}));
        QCOMPARE(GetPortfolioGraphOptions().GraphType, quint16(pgYearly));
        QCOMPARE(GetGraphSettings().Width, quint16(800));
        QCOMPARE(TTestEnv::readFile(env.path("Stocks.cfg")).size(), 3848);
    }

    void garbageLoadsWithoutOverread()
    {
        TTestEnv env;
        QByteArray junk(3848, char(0xFF));
        env.writeFile("Stocks.cfg", junk);
        const TFolderPaths f = GetFolders();
        QCOMPARE(f.Symbol.size(), 256); // 255 clamped characters plus the separator
        QCOMPARE(ConfigRecord.Version.text(), QStringLiteral("Version 1.0"));
        for (int size : {0, 1, 13, 14, 700, 3847, 5000}) {
            env.writeFile("Stocks.cfg", QByteArray(size, char(0xC8)));
            LoadConfig();
            // A version block that could not be read whole takes the default.
            QCOMPARE(ConfigRecord.Version.text(),
                     size < 14 ? QStringLiteral("Version 3.1") : QStringLiteral("Version 1.0"));
        }
    }

    void failedSaveKeepsOldFileAndTellsTheUser()
    {
        TTestEnv env;
        LoadConfig();
        QVERIFY(SaveConfig());
        const QByteArray before = TTestEnv::readFile(env.path("Stocks.cfg"));
        SetBaseFolder(env.path("no/such/folder/"));
        ConfigRecord.CommissionSchedule = 1;
        QVERIFY(!SaveConfig());
        QCOMPARE(env.messages.said.size(), 1);
        QCOMPARE(env.messages.said[0].icon, TMsgIcon::Error);
        QVERIFY(env.messages.said[0].text.contains(env.path("no/such/folder/Stocks.cfg")));
        QCOMPARE(TTestEnv::readFile(env.path("Stocks.cfg")), before);
    }

    void missingFoldersAreCreatedWhenTheirParentExists()
    {
        TTestEnv env;
        LoadConfig();
        ConfigRecord.Folders.Notes = env.path("deep/notes");
        QVERIFY(SaveConfig());
        CreateMissingFolders();
        QVERIFY(QFileInfo(env.path("symbol")).isDir());
        QVERIFY(QFileInfo(env.path("port")).isDir());
        QVERIFY(!QFileInfo::exists(env.path("deep")));
    }
};

QTEST_GUILESS_MAIN(TestStockcfg)
#include "tst_Stockcfg.moc"
