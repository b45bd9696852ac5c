#include "PortfolioTestData.h"

#include "portfolio/Holdings.h"
#include "portfolio/PortfolioAccess.h"
#include "records/encryption.h"

#include <QFile>
#include <QtTest>
#include <optional>

Q_DECLARE_METATYPE(TTransRecord)

namespace {

class TScriptAccess : public TAccessTalk
{
public:
    void playSound(const QString &f) override { events << QStringLiteral("sound ") + f; }
    bool askPassword(const QString &name, QString *typed) override
    {
        events << QStringLiteral("ask ") + name;
        if (!typedPassword)
            return false;
        *typed = *typedPassword;
        return true;
    }
    void error(const QString &t) override { events << QStringLiteral("error ") + t; }

    std::optional<QString> typedPassword;
    QStringList events;
};

void store(const TListRecord &e)
{
    TWatchDatabase list(PortfolioListPath());
    TListRecord r = e;
    list.Insert(r);
}

QStringList names(TWatchDatabase &list)
{
    QStringList out;
    TListRecord r;
    for (int i = 0; i < list.RecordCount(); ++i) {
        list.ReadAt(r, i);
        out << r.Name.text();
    }
    return out;
}

} // namespace

class TestPortfolioAccess : public QObject
{
    Q_OBJECT

private slots:
    void accessOfAnEntry_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("typed");     // "<cancel>" for Cancel
        QTest::addColumn<int>("foreignCodeIn"); // 0 none, 1 .tra, 2 .div
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<QStringList>("events");

        const QString denied = QStringLiteral("error Access Denied to Portfolio: Growth");
        const QString invalid =
            QStringLiteral("error Access Denied to Portfolio: Growth\rInvalid Security Code Found In Files");
        QTest::newRow("unprotected") << ""
                                     << "" << 1 << true << QStringList{};
        QTest::newRow("right password")
            << "Se7"
            << "Se7" << 0 << true << QStringList{"sound scanid.wav", "ask Growth"};
        QTest::newRow("wrong case is wrong")
            << "Se7"
            << "se7" << 0 << false
            << QStringList{"sound scanid.wav", "ask Growth", "sound borgDisarm.wav", denied};
        QTest::newRow("cancel denies silently")
            << "Se7"
            << "<cancel>" << 0 << false << QStringList{"sound scanid.wav", "ask Growth"};
        QTest::newRow("foreign code in .tra: both boxes, invalid code first")
            << "Se7"
            << "Se7" << 1 << false
            << QStringList{"sound scanid.wav", "ask Growth", invalid, "sound borgDisarm.wav", denied};
        QTest::newRow("foreign code in .div")
            << "Se7"
            << "Se7" << 2 << false
            << QStringList{"sound scanid.wav", "ask Growth", invalid, "sound borgDisarm.wav", denied};
    }
    void accessOfAnEntry()
    {
        QFETCH(QString, password);
        QFETCH(QString, typed);
        QFETCH(int, foreignCodeIn);
        QFETCH(bool, allowed);
        QFETCH(QStringList, events);
        TTestEnv env;
        MakeFolders(env);
        const TListRecord e = Entry("GRW", "Growth", password.toLatin1().constData(), 4711);
        AddTrade(TransactionFilePath("GRW"), Trade("A", "20240102", 1, 1, 0, 4711));
        AddTrade(DividendFilePath("GRW"), Trade("A", "20240102", 0, 1, 0, 4711));
        if (foreignCodeIn)
            AddTrade(foreignCodeIn == 1 ? TransactionFilePath("GRW") : DividendFilePath("GRW"),
                     Trade("B", "20240103", 1, 1, 0, 4712));
        TScriptAccess talk;
        if (typed != QLatin1String("<cancel>"))
            talk.typedPassword = typed;
        QCOMPARE(CheckEntryAccess(e, talk), allowed);
        QCOMPARE(talk.events, events);
    }

    void currentPortfolioCheck_data()
    {
        QTest::addColumn<QString>("currentName");
        QTest::addColumn<QString>("currentFile");
        QTest::addColumn<int>("currentCode");
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<bool>("asked");

        QTest::newRow("No Portfolio passes") << "No Portfolio"
                                             << "X" << 0 << true << false;
        QTest::newRow("empty name passes") << ""
                                           << "" << 0 << true << false;
        QTest::newRow("empty file name is no portfolio") << "Growth"
                                                         << "" << 0 << true << false;
        QTest::newRow("found by name and file") << "Growth"
                                                << "GRW" << 4711 << true << true;
        QTest::newRow("renamed: found by file and code") << "Old Name"
                                                         << "GRW" << 4711 << true << true;
        QTest::newRow("same name, other files: denied without asking") << "Growth"
                                                                       << "OTH" << 1 << false << false;
        QTest::newRow("unknown: denied without asking") << "Gone"
                                                        << "GON" << 3 << false << false;
    }
    void currentPortfolioCheck()
    {
        QFETCH(QString, currentName);
        QFETCH(QString, currentFile);
        QFETCH(int, currentCode);
        QFETCH(bool, allowed);
        QFETCH(bool, asked);
        TTestEnv env;
        MakeFolders(env);
        store(Entry("GRW", "Growth", "pw", 4711));
        store(Entry("INC", "Income", "", 5));
        TListRecord current;
        current.Name = currentName;
        current.FileName = currentFile;
        current.SecurityCode = currentCode;
        TScriptAccess talk;
        talk.typedPassword = QStringLiteral("pw");
        QCOMPARE(CheckCurrentPortfolioAccess(current, talk), allowed);
        QCOMPARE(talk.events.contains(QStringLiteral("ask Growth")), asked);
    }

    void passwordIsStoredScrambledWithItsLength()
    {
        TTestEnv env;
        MakeFolders(env);
        store(Entry("GRW", "Growth", "Se7", 4711));
        const QByteArray disk = TTestEnv::readFile(PortfolioListPath());
        QCOMPARE(disk.size(), 648);
        // Scrambled by hand: key reversed, text reversed, character j (from 1)
        // combined with key character j mod 23.
        QByteArray k = QByteArray(kListKey);
        std::reverse(k.begin(), k.end());
        QByteArray t = "7eS";
        for (int j = 1; j <= t.size(); ++j)
            t[j - 1] = char(t[j - 1] ^ k[j % k.size()]);
        QCOMPARE(int(uint8_t(disk[305])), 3);
        QCOMPARE(disk.mid(306, 3), t);
        QCOMPARE(int(uint8_t(disk[346])), 0);
        TWatchDatabase list(PortfolioListPath());
        TListRecord back;
        list.ReadAt(back, 0);
        QCOMPARE(back.Password.text(), QStringLiteral("Se7"));
    }

    void saveChecks_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("verify");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("addMode");
        QTest::addColumn<QStringList>("problems");

        const QString exists = QStringLiteral("Error, File Name Already Exists");
        const QString mismatch = QStringLiteral("Error, Passwords Do Not Match");
        const QString badFile = QStringLiteral("Error, Invalid File Name");
        const QString badName = QStringLiteral("Error, Invalid Portfolio Name");
        QTest::newRow("fine") << "NEW"
                              << "a"
                              << "a"
                              << "New" << true << QStringList{};
        QTest::newRow("only .tra exists") << "TRAONLY"
                                          << ""
                                          << ""
                                          << "New" << true << QStringList{exists};
        QTest::newRow("only .div exists") << "DIVONLY"
                                          << ""
                                          << ""
                                          << "New" << true << QStringList{exists};
        QTest::newRow("used by another entry") << "GRW"
                                               << ""
                                               << ""
                                               << "New" << true << QStringList{exists};
        QTest::newRow("both boxes in turn") << "TRAONLY"
                                            << "a"
                                            << "b"
                                            << "New" << true << QStringList{exists, mismatch};
        QTest::newRow("edit skips the file check") << "TRAONLY"
                                                   << "a"
                                                   << "b"
                                                   << "New" << false << QStringList{mismatch};
        QTest::newRow("empty file name") << ""
                                         << ""
                                         << ""
                                         << "New" << true << QStringList{badFile};
        QTest::newRow("file name leaves the folder") << ".."
                                                     << ""
                                                     << ""
                                                     << "New" << true << QStringList{badFile};
        QTest::newRow("slash") << "a/b"
                               << ""
                               << ""
                               << "New" << true << QStringList{badFile};
        QTest::newRow("end marker in password")
            << "NEW"
            << "^@^x"
            << "^@^x"
            << "New" << true << QStringList{"Error, Password May Not Contain \"^@^\""};
        QTest::newRow("empty name") << "NEW"
                                    << ""
                                    << ""
                                    << "" << true << QStringList{badName};
        QTest::newRow("No Portfolio is reserved") << "NEW"
                                                  << ""
                                                  << ""
                                                  << "No Portfolio" << true << QStringList{badName};
        QTest::newRow("beyond Latin-1")
            << "NEW" << QString::fromUtf8("п") << QString::fromUtf8("п") << "New" << true
            << QStringList{"Error, Only Western European Characters Can Be Stored"};
    }
    void saveChecks()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, password);
        QFETCH(QString, verify);
        QFETCH(QString, name);
        QFETCH(bool, addMode);
        QFETCH(QStringList, problems);
        TTestEnv env;
        MakeFolders(env);
        env.writeFile("port/TRAONLY.tra", {});
        env.writeFile("port/DIVONLY.div", {});
        store(Entry("GRW", "Growth"));
        TWatchDatabase list(PortfolioListPath());
        TPortfolioInput in{fileName, password, verify, name, {}, {}, 1};
        QCOMPARE(PortfolioSaveProblems(in, addMode, &list, QString()), problems);
    }

    void addKeepsNameOrderAndReportsDuplicates()
    {
        TTestEnv env;
        MakeFolders(env);
        TWatchDatabase list(PortfolioListPath());
        QStringList positions;
        for (const char *n : {"beta", "Beta", "alpha", "Alpha"}) {
            const TListChange c = AddPortfolioEntry(list, Entry("F", n));
            QVERIFY(c.Done);
            positions << QString::number(c.Position);
        }
        QCOMPARE(names(list), (QStringList{"Alpha", "Beta", "alpha", "beta"}));
        QCOMPARE(positions, (QStringList{"0", "0", "1", "0"}));

        const QByteArray before = TTestEnv::readFile(PortfolioListPath());
        const TListChange dup = AddPortfolioEntry(list, Entry("G", "Beta"));
        QVERIFY(!dup.Done);
        QCOMPARE(
            PortfolioDuplicateMessage(dup.DuplicateName),
            QStringLiteral("The Following Error Has Occured:\r\rPortfolio Name: Beta\rAlready On File In "
                           "Database, Portfolio Not Added!"));
        QCOMPARE(TTestEnv::readFile(PortfolioListPath()), before);
    }

    void editInPlaceOrMoved()
    {
        TTestEnv env;
        MakeFolders(env);
        TWatchDatabase list(PortfolioListPath());
        for (const char *n : {"B", "D", "F"})
            AddPortfolioEntry(list, Entry(n, n));
        TListRecord e = Entry("D", "D", "", 99);
        e.WebSite = QStringLiteral("http://broker");
        TListChange c = EditPortfolioEntry(list, 1, QStringLiteral("D"), e);
        QVERIFY(c.Done);
        QCOMPARE(c.Position, 1);
        e.Name = QStringLiteral("Z");
        c = EditPortfolioEntry(list, 1, QStringLiteral("D"), e);
        QCOMPARE(c.Position, 2);
        QCOMPARE(names(list), (QStringList{"B", "F", "Z"}));
        TListRecord back;
        list.ReadAt(back, 2);
        QCOMPARE(back.SecurityCode, 99);
        QCOMPARE(back.WebSite.text(), QStringLiteral("http://broker"));
        e.Name = QStringLiteral("B");
        c = EditPortfolioEntry(list, 2, QStringLiteral("Z"), e);
        QVERIFY(!c.Done);
        QCOMPARE(c.DuplicateName, QStringLiteral("B"));
        QCOMPARE(names(list), (QStringList{"B", "F", "Z"}));
    }

    void deleteRemovesFilesOrNamesTheOneThatStays()
    {
        TTestEnv env;
        MakeFolders(env);
        const QString note = env.writeFile("notes/g.txt", "n");
        env.writeFile("port/GRW.tra", {});
        env.writeFile("port/GRW.div", {});
        TListRecord e = Entry("GRW", "Growth");
        e.NoteFile = note;
        QString error;
        QVERIFY(DeletePortfolioFiles(e, false, &error));
        QVERIFY(QFile::exists(note));
        QVERIFY(!QFile::exists(TransactionFilePath("GRW")));
        QVERIFY(!QFile::exists(DividendFilePath("GRW")));

        // A directory in the place of the .tra cannot be removed as a file.
        QDir().mkpath(TransactionFilePath("GRW"));
        QVERIFY(!DeletePortfolioFiles(e, true, &error));
        QCOMPARE(error, QStringLiteral("Error, Could Not Delete File: ") + TransactionFilePath("GRW"));
        QVERIFY(QFile::exists(note));
    }

    void holdings_data()
    {
        QTest::addColumn<QList<TTransRecord>>("trades");
        QTest::addColumn<QStringList>("rows"); // symbol shares dividends holdings position
        QTest::addColumn<double>("totalPosition");

        QTest::newRow("bought, partly sold, close 7, dividends 2")
            << QList<TTransRecord>{Trade("X", "20240102", 10, 5, 1), Trade("X", "20240103", -4, 6, 1)}
            << QStringList{"X 6 2 42 16"} << 16.0;
        QTest::newRow("sold completely keeps its row")
            << QList<TTransRecord>{Trade("X", "20240102", 10, 5, 1), Trade("X", "20240103", -10, 6, 1)}
            << QStringList{"X 0 2 0 10"} << 10.0;
        QTest::newRow("oversold is a short row")
            << QList<TTransRecord>{Trade("X", "20240102", -5, 6, 0)} << QStringList{"X -5 2 -35 -3"} << -3.0;
        QTest::newRow("A and A20 interleave in the file, one row each")
            << QList<TTransRecord>{Trade("A", "19991231", 1, 1, 0), Trade("A20", "20240101", 2, 1, 0),
                                   Trade("A", "20240301", 3, 1, 0)}
            << QStringList{"A 4 0 0 -4", "A20 2 0 0 -2"} << -6.0;
        QTest::newRow("letter case makes two rows")
            << QList<TTransRecord>{Trade("x", "20240102", 1, 1, 0), Trade("X", "20240102", 1, 1, 0)}
            << QStringList{"X 1 2 7 8", "x 1 0 0 -1"} << 7.0;
    }
    void holdings()
    {
        QFETCH(QList<TTransRecord>, trades);
        QFETCH(QStringList, rows);
        QFETCH(double, totalPosition);
        TTestEnv env;
        MakeFolders(env);
        AddPrice("X", "20240101", 3);
        AddPrice("X", "20240105", 7);
        for (const TTransRecord &t : trades)
            AddTrade(TransactionFilePath("P"), t);
        AddTrade(DividendFilePath("P"), Trade("X", "20240104", 0, 1.5, 0));
        AddTrade(DividendFilePath("P"), Trade("X", "20240105", 0, 0.5, 0));
        AddTrade(DividendFilePath("P"), Trade("NOTRADE", "20240105", 0, 100, 0));
        const THoldings h = ComputeHoldings(QStringLiteral("P"));
        QStringList got;
        for (const THoldingRow &r : h.Rows)
            got << QStringLiteral("%1 %2 %3 %4 %5")
                       .arg(r.Symbol)
                       .arg(r.Shares)
                       .arg(r.Dividends)
                       .arg(r.Holdings)
                       .arg(r.Position);
        QCOMPARE(got, rows);
        QCOMPARE(h.Position, totalPosition);
    }

    void holdingsOfAnEmptyPortfolio()
    {
        TTestEnv env;
        MakeFolders(env);
        const THoldings h = ComputeHoldings(QStringLiteral("P"));
        QVERIFY(h.Rows.isEmpty());
        QCOMPARE(h.Position, 0.0);
        QVERIFY(ComputeHoldings(QStringLiteral("..")).Rows.isEmpty());
    }

    void totalColourFollowsCents_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<uint>("color");
        QTest::newRow("zero") << 0.0 << 0u;
        QTest::newRow("gain") << 16.0 << 0u;
        QTest::newRow("loss") << -0.01 << 0xFFu;
        QTest::newRow("a rounding crumb below zero is zero") << -0.004 << 0u;
    }
    void totalColourFollowsCents()
    {
        QFETCH(double, value);
        QFETCH(uint, color);
        QCOMPARE(AmountColor(value), color);
    }

    void foreignFilesLoadWithoutHarm()
    {
        TTestEnv env;
        MakeFolders(env);
        // An odd size, a length byte of 255 and a NaN price.
        QByteArray rec(64, '\0');
        rec[0] = char(255);
        rec[1] = 'Q';
        const double nan = std::numeric_limits<double>::quiet_NaN();
        memcpy(rec.data() + 40, &nan, 8);
        env.writeFile("port/BAD.tra", rec + rec + QByteArray(17, 'x'));
        const THoldings h = ComputeHoldings(QStringLiteral("BAD"));
        QCOMPARE(h.Rows.size(), 1);
        QCOMPARE(h.Position, 0.0);
        TScriptAccess talk;
        talk.typedPassword = QStringLiteral("pw");
        QVERIFY(!CheckEntryAccess(Entry("../x", "Evil", "pw"), talk));
    }
};

QTEST_GUILESS_MAIN(TestPortfolioAccess)
#include "tst_PortfolioAccess.moc"
