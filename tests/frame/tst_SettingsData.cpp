#include "TestEnv.h"

#include "frame/SettingsData.h"
#include "frame/StdUnitFiles.h"
#include "records/WatchBase.h"

#include <QtTest>

namespace {

void addPortfolio(const QString &folder, const QString &name, const QString &file,
                  const QString &password = {})
{
    QDir().mkpath(folder);
    TWatchDatabase list(folder + QStringLiteral("Port.sbl"));
    TListRecord rec;
    rec.Name.setText(name);
    rec.FileName.setText(file);
    rec.Password.setText(password);
    list.Insert(rec);
}

} // namespace

class TestSettingsData : public QObject
{
    Q_OBJECT

private slots:
    void percentScheduleRateIsStoredAsFraction_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("rate");
        QTest::addColumn<QString>("shown");
        QTest::newRow("1.5 is a percentage") << "1.5" << 0.015 << "0.015";
        QTest::newRow("0.5 is a fraction") << "0.5" << 0.5 << "0.5";
        QTest::newRow("exactly 1 stays") << "1" << 1.0 << "1";
        QTest::newRow("not a number") << "abc" << 0.0 << "0";
    }
    void percentScheduleRateIsStoredAsFraction()
    {
        QFETCH(QString, typed);
        QFETCH(double, rate);
        QFETCH(QString, shown);
        TTestEnv env;
        TSettingsValues v = LoadSettingsValues();
        v.Schedule = 2;
        v.PercentCommission = typed;
        v.BrokerName = QString(50, QLatin1Char('B'));
        QVERIFY(SaveSettingsValues(v));
        QCOMPARE(GetPercentCommission().Rate, rate);
        QCOMPARE(GetPercentCommission().Broker.text(), QString(40, QLatin1Char('B')));
        const TSettingsValues again = LoadSettingsValues();
        QCOMPARE(again.Schedule, 2);
        QCOMPARE(again.PercentCommission, shown);
    }

    void otherScheduleKeepsThePercentBlock()
    {
        TTestEnv env;
        TSettingsValues v = LoadSettingsValues();
        v.Schedule = 2;
        v.PercentCommission = "0.25";
        v.BrokerName = "Broker";
        QVERIFY(SaveSettingsValues(v));
        v = LoadSettingsValues();
        v.Schedule = 1;
        v.PercentCommission.clear();
        QVERIFY(SaveSettingsValues(v));
        QCOMPARE(GetCommissionSchedule(), int16_t(1));
        QCOMPARE(GetPercentCommission().Rate, 0.25);
        QCOMPARE(LoadSettingsValues().PercentCommission, QString());
    }

    void numberTextsFallBackOrAreHeldToRange_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("stored"); // records, skip, avg1, avg2, sd1, sd2, count
        QTest::newRow("not numbers") << "x" << QList<int>{120, 1, 5, 15, 2, 2, 0};
        QTest::newRow("empty") << "" << QList<int>{120, 1, 5, 15, 2, 2, 0};
        QTest::newRow("too large") << "999999" << QList<int>{5000, 100, 20000, 20000, 3, 3, 20000};
        QTest::newRow("too small") << "-5" << QList<int>{50, 1, 2, 2, 1, 1, 10};
    }
    void numberTextsFallBackOrAreHeldToRange()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, stored);
        TTestEnv env;
        TSettingsValues v = LoadSettingsValues();
        v.DefaultRecords = v.RecordsToSkip = v.Average1 = v.Average2 = v.StdDev1 = v.StdDev2 = text;
        v.RecordsToRead = text;
        QVERIFY(SaveSettingsValues(v));
        const TGraphSettings g = GetGraphSettings();
        LoadConfig(); // the stored count itself, not the reader's view of it
        QCOMPARE((QList<int>{g.DefaultRecords, g.RecordsToSkip, g.Average1, g.Average2, g.StdDev1, g.StdDev2,
                             ConfigRecord.Statistics.RecordCount}),
                 stored);
    }

    void unlimitedStatisticsStillStoreTheCount()
    {
        TTestEnv env;
        TSettingsValues v = LoadSettingsValues();
        v.LimitRecords = false;
        v.RecordsToRead = "500";
        QVERIFY(SaveSettingsValues(v));
        QCOMPARE(GetStatisticsOptions().LimitRecords, uint8_t(0));
        QCOMPARE(GetStatisticsOptions().RecordCount, 500);
    }

    void untouchedValuesAreWrittenBackAsLoaded()
    {
        TTestEnv env;
        LoadConfig();
        ConfigRecord.Graph.Width = 777;
        ConfigRecord.Graph.Height = 555;
        ConfigRecord.PortGraph = {pgIncludeDividends, pgYearly};
        ConfigRecord.Reserved[5] = 0x5A;
        ConfigRecord.Graph.Reserved1[2] = 0x33;
        QVERIFY(SaveConfig());
        const QByteArray before = TTestEnv::readFile(env.path("Stocks.cfg"));
        QVERIFY(SaveSettingsValues(LoadSettingsValues()));
        const QByteArray after = TTestEnv::readFile(env.path("Stocks.cfg"));
        // Everything written back as it was, except the startup portfolio's
        // name, which becomes "No Portfolio" when none is chosen.
        LoadConfig();
        QCOMPARE(ConfigRecord.Graph.Width, uint16_t(777));
        QCOMPARE(ConfigRecord.PortGraph.GraphType, uint16_t(pgYearly));
        QCOMPARE(ConfigRecord.Reserved[5], uint8_t(0x5A));
        QCOMPARE(after.mid(offsetof(TConfigRecord, Folders)), before.mid(offsetof(TConfigRecord, Folders)));
    }

    void longTextsAreCutAndStoredAsTyped()
    {
        TTestEnv env;
        TSettingsValues v = LoadSettingsValues();
        const QString odd = QStringLiteral("/tmp/a b;$(rm -rf x)'\"/") + QString(300, QLatin1Char('z'));
        v.NoteViewer = odd;
        v.FontName = QString(45, QLatin1Char('F'));
        QVERIFY(SaveSettingsValues(v));
        QCOMPARE(GetFiles().NoteViewer, odd.left(255));
        QCOMPARE(GetGraphSettings().FontName.text(), QString(40, QLatin1Char('F')));
    }

    void chartPageValues()
    {
        TTestEnv env;
        TSettingsValues v = LoadSettingsValues();
        QCOMPARE(v.PriceBoxSize, 70);
        QVERIFY(!v.RememberGraphSize);
        v.PriceBoxSize = 65;
        v.RememberGraphSize = true;
        v.GraphOptions = goStdDev1 | goHighestLowest;
        v.Colors[gcOverlay] = 0x123456;
        QVERIFY(SaveSettingsValues(v));
        const TGraphSettings g = GetGraphSettings();
        QCOMPARE(g.PricePercent, 65.0);
        QCOMPARE(g.VolumePercent, 35.0);
        QCOMPARE(g.DontRememberSize, uint8_t(0));
        QCOMPARE(g.Options, uint16_t(33));
        QCOMPARE(g.Colors[gcOverlay], 0x123456u);
    }

    void portfolioListFollowsTheTypedFolder()
    {
        TTestEnv env;
        const QString other = env.dir() + QStringLiteral("other/");
        addPortfolio(other, "Growth", "GROW", "secret");
        addPortfolio(other, "Income", "INC");
        QCOMPARE(PortfolioNamesIn(other), (QStringList{"Growth", "Income"}));
        const TPortfolioChoice none = PortfolioChoiceIn(env.dir() + "empty/", "Growth");
        QVERIFY(none.Items.isEmpty());
        QVERIFY(!QFile::exists(env.dir() + "empty/Port.sbl"));
        const TPortfolioChoice unknown = PortfolioChoiceIn(other, "Gone");
        QCOMPARE(unknown.Items, (QStringList{"Growth", "Income", "No Portfolio"}));
        QCOMPARE(unknown.Selected, QStringLiteral("No Portfolio"));
        QCOMPARE(PortfolioChoiceIn(other, "Income").Selected, QStringLiteral("Income"));

        TSettingsValues v = LoadSettingsValues();
        v.PortfolioDir = other;
        v.DefaultPortfolio = "Growth";
        v.OpenPortfolio = true;
        QVERIFY(SaveSettingsValues(v));
        const TStartupPortfolio startup = GetStartupPortfolio();
        QCOMPARE(startup.Portfolio.Name.text(), QStringLiteral("Growth"));
        QCOMPARE(startup.Portfolio.FileName.text(), QStringLiteral("GROW"));
        QVERIFY(startup.Portfolio.Password.isEmpty()); // no password in plain text in Stocks.cfg
        QCOMPARE(startup.OpenOnStartup, uint8_t(1));
        QCOMPARE(GetFolders().Portfolio, other);

        v.DefaultPortfolio = kNoPortfolio;
        QVERIFY(SaveSettingsValues(v));
        QCOMPARE(GetStartupPortfolio().Portfolio.Name.text(), QStringLiteral("No Portfolio"));
        QVERIFY(GetStartupPortfolio().Portfolio.FileName.isEmpty());
    }

    void folderDialogStartAndResult()
    {
        TTestEnv env;
        const QString working = QDir::currentPath();
        QCOMPARE(FolderDialogStart(env.dir()), QDir::cleanPath(env.dir()));
        QCOMPARE(FolderDialogStart(env.dir() + "missing/"), working);
        QCOMPARE(FolderDialogStart(QString()), working);
        QCOMPARE(QDir::currentPath(), working);
        QCOMPARE(FolderDialogResult("/", true), QStringLiteral("/"));
        QCOMPARE(FolderDialogResult("/", false), QStringLiteral("/"));
        QCOMPARE(FolderDialogResult("/home/q/port", true), QStringLiteral("/home/q/port/"));
        QCOMPARE(FolderDialogResult("/home/q/data", false), QStringLiteral("/home/q/data"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsData)
#include "tst_SettingsData.moc"
