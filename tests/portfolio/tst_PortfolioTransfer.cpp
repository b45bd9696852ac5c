#include "PortfolioTestData.h"

#include "frame/Clock.h"
#include "frame/NumberFormat.h"
#include "frame/StdUnitFields.h"
#include "portfolio/PortfolioTransfer.h"
#include "portfolio/TransEntry.h"

#include <QtTest>

namespace {

const QDateTime kNoon(QDate(2024, 3, 1), QTime(12, 0, 0));

QStringList rowsOf(TTransBase &db)
{
    QStringList out;
    TTransRecord r;
    for (int i = 0; i < db.RecordCount(); ++i) {
        db.ReadAt(r, i);
        out << QStringLiteral("%1 %2 %3 %4 %5 %6")
                   .arg(r.Symbol.text(), r.Date.text())
                   .arg(r.Shares)
                   .arg(r.Price)
                   .arg(r.Fee)
                   .arg(r.SecurityCode);
    }
    return out;
}

TTransferImportSettings commaImport(const QString &path, bool append)
{
    TTransferImportSettings s;
    s.FilePath = path;
    s.Layout = kLayoutComma;
    s.DateForm = QStringLiteral("MM-DD-YYYY");
    s.SkipLines = 1;
    s.Append = append;
    s.FieldNumbers = {1, 2, 3, 4, 5};
    return s;
}

} // namespace

class TestPortfolioTransfer : public QObject
{
    Q_OBJECT

private slots:
    void transactionChecks_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("shares");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("fee");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("zeros are fine") << "IBM"
                                        << "03/01/2024"
                                        << "0"
                                        << "0"
                                        << "0" << QStringList{};
        QTest::newRow("no symbol, bad date: two lines")
            << ""
            << "  /  /    "
            << "1"
            << "1"
            << "1" << QStringList{"No Symbol Entered.", "Invalid Date Entered."};
        QTest::newRow("negative fee") << "IBM"
                                      << "03/01/2024"
                                      << "1"
                                      << "1"
                                      << "-1" << QStringList{"Fee Cannot Be Less Than 0."};
        QTest::newRow("every number wrong")
            << "IBM"
            << "02/30/2024"
            << "x"
            << "-2"
            << "y"
            << QStringList{"Invalid Date Entered.", "Invalid Value For Shares.",
                           "Price Cannot Be Less Than 0.", "Invalid Value For Fee."};
        QTest::newRow("unsafe symbol")
            << ".."
            << "03/01/2024"
            << "1"
            << "1"
            << "1" << QStringList{"Securities Symbol: May Not Contain \"/\" Or Be \".\" Or \"..\""};
        QTest::newRow("beyond the bound") << "IBM"
                                          << "03/01/2024"
                                          << "1e300"
                                          << "1"
                                          << "1" << QStringList{"Shares Cannot Be More Than 1000000000000."};
    }
    void transactionChecks()
    {
        QFETCH(QString, symbol);
        QFETCH(QString, date);
        QFETCH(QString, shares);
        QFETCH(QString, price);
        QFETCH(QString, fee);
        QFETCH(QStringList, lines);
        QCOMPARE(TransactionProblems({symbol, date, shares, price, fee, false}), lines);
    }

    void dividendChecks()
    {
        TTestEnv env;
        QCOMPARE(DividendProblems({"", "03/01/2024", "abc", false}),
                 (QStringList{"No Symbol Entered.", "Invalid Value For Dividend"}));
        QCOMPARE(DividendProblems({"X", "03/01/2024", "-1", false}),
                 QStringList{"Dividend Cannot Be Less Than 0."});
        QVERIFY(DividendProblems({"X", "03/01/2024", "0", true}).isEmpty());
    }

    void saleAndPurchaseTotals()
    {
        TTestEnv env;
        TTransRecord r;
        InputToTransaction({"IBM", "03/01/2024", "100", "10.00", "9.95", true}, r);
        QCOMPARE(r.Shares, -100.0);
        QCOMPARE(r.Date.text(), QStringLiteral("20240301"));
        QCOMPARE(MoneyText(TransactionTotal(r)), QStringLiteral("$990.05"));
        QCOMPARE(TransactionTotalText({"IBM", "", "100", "10.00", "9.95", true}), QStringLiteral("$990.05"));
        QCOMPARE(TransactionTotalText({"IBM", "", "100", "10.00", "9.95", false}),
                 QStringLiteral("($1,009.95)"));
        QCOMPARE(TransactionTotalText({"IBM", "", "x", "10.00", "9.95", false}), QStringLiteral("($9.95)"));
        const TTransInput back = TransactionToInput(r);
        QCOMPARE(back.Shares, QStringLiteral("100"));
        QVERIFY(back.Sold);
        QCOMPARE(back.Date, QStringLiteral("03/01/2024"));
        // A date box typed in part stores its digits, never blanks in the key.
        InputToTransaction({"IBM", " 3/ 1/2024", "100", "10.00", "9.95", true}, r);
        QCOMPARE(r.Date.text(), QStringLiteral("20240301"));
        InputToDividend({"XYZ", "3 /1 /2024", "12.50", true}, r);
        QCOMPARE(r.Date.text(), QStringLiteral("20240301"));
    }

    void distributedDividendRoundTrip()
    {
        TTestEnv env;
        TTransRecord r;
        InputToDividend({"XYZ", "03/01/2024", "12.50", true}, r);
        QCOMPARE(r.Price, -12.5);
        QCOMPARE(MoneyText(r.Price), QStringLiteral("($12.50)"));
        const TDividendInput back = DividendToInput(r);
        QCOMPARE(back.Amount, QStringLiteral("12.5"));
        QVERIFY(back.Distributed);
    }

    void editKeepsOrMovesTheRecord()
    {
        TTestEnv env;
        env.pinClock(kNoon);
        TTransBase db(env.path("P.tra"));
        TTransRecord a = Trade("A", "20240101", 1, 1, 0, 5);
        TTransRecord b = Trade("B", "20240101", 1, 1, 0, 5);
        QCOMPARE(AddRecord(db, a), TSaveOutcome::Saved);
        QCOMPARE(AddRecord(db, b), TSaveOutcome::Saved);
        const double stamp = a.EntryTime;

        env.pinClock(kNoon.addSecs(60));
        TTransRecord priceOnly = a;
        priceOnly.Price = 2;
        QCOMPARE(EditRecord(db, 0, a, priceOnly), TSaveOutcome::Saved);
        TTransRecord back;
        db.ReadAt(back, 0);
        QCOMPARE(back.Price, 2.0);
        QCOMPARE(back.EntryTime, stamp);

        TTransRecord moved = back;
        moved.Date = QStringLiteral("20240201");
        moved.Symbol = QStringLiteral("C");
        QCOMPARE(EditRecord(db, 0, back, moved), TSaveOutcome::Saved);
        QCOMPARE(rowsOf(db), (QStringList{"B 20240101 1 1 0 5", "C 20240201 1 2 0 5"}));
        db.ReadAt(back, 1);
        QVERIFY(back.EntryTime > stamp);
        QCOMPARE(ClampedIndex(db, 7), 1);
        QCOMPARE(ClampedIndex(db, -3), 0);
    }

    void importAnsweredNoLeavesTheFile()
    {
        TTestEnv env;
        MakeFolders(env);
        const QString tra = TransactionFilePath("P");
        AddTrade(tra, Trade("KEEP", "20240101", 1, 1, 0, 3));
        const QByteArray before = TTestEnv::readFile(tra);
        const QString file = env.writeFile("in.csv", "h\r\nIBM,03/01/2024,1,2,3\r\n");
        TTransBase db(tra);
        TFakeRunTalk talk;
        talk.answers = {false};
        const TTransferImportResult r =
            ImportTransfer(TTransferKind::Transactions, db, 3, commaImport(file, false), talk);
        QVERIFY(!r.Imported);
        QCOMPARE(talk.said,
                 QStringList{"ask: Warning, This will overwrite the current Transation File, Proceed?"});
        QCOMPARE(TTestEnv::readFile(tra), before);
    }

    void importStoresEveryValidLine()
    {
        TTestEnv env;
        MakeFolders(env);
        env.pinClock(kNoon);
        const QString tra = TransactionFilePath("P");
        AddTrade(tra, Trade("OLD", "20240101", 1, 1, 0, 3));
        const QString file = env.writeFile("in.csv", "Symbol,Date,Shares,Price,Fee\n"
                                                     "IBM,03/01/2024,100,10,9.95\n"
                                                     "IBM,03/01/2024,-50,11,1\n"
                                                     "IBM,03/01/2024,7,x,1\r\n"
                                                     "IBM,02/30/2024,1,1,1\n"
                                                     "../x,03/01/2024,1,1,1\n"
                                                     ",03/01/2024,1,1,1\n"
                                                     "BIG,03/01/2024,1e13,1,1\n"
                                                     "\"A,B\",03/01/2024,1,1,1");
        TTransBase db(tra);
        TFakeRunTalk talk;
        talk.answers = {true};
        const TTransferImportResult r =
            ImportTransfer(TTransferKind::Transactions, db, 42, commaImport(file, false), talk);
        QVERIFY(r.Imported);
        QCOMPARE(r.Lines, 8);
        QCOMPARE(r.Stored, 4);
        QCOMPARE(r.Skipped, 4); // the bad date, the unsafe and the empty symbol, 1e13
        // Three trades of one day are all kept; the replaced file lost OLD.
        QCOMPARE(rowsOf(db), (QStringList{"A,B 20240301 1 1 1 42", "IBM 20240301 100 10 9.95 42",
                                          "IBM 20240301 -50 11 1 42", "IBM 20240301 7 0 1 42"}));
        QCOMPARE(talk.progressTexts.size(), 8);
        QCOMPARE(talk.progressTexts.last(), QStringLiteral("Importing Record: 8"));
        QCOMPARE(talk.said.last(), QStringLiteral("info: Transation Data Information Imported"));
    }

    void replaceWithNothingStorableKeepsTheFile()
    {
        TTestEnv env;
        MakeFolders(env);
        const QString tra = TransactionFilePath("P");
        AddTrade(tra, Trade("KEEP", "20240101", 1, 1, 0, 3));
        const QByteArray before = TTestEnv::readFile(tra);
        const QString file = env.writeFile("in.csv", "h\r\nIBM,02/30/2024,1,2,3\r\n,03/01/2024,1,1,1\r\n");
        TTransBase db(tra);
        TFakeRunTalk talk;
        talk.answers = {true};
        const TTransferImportResult r =
            ImportTransfer(TTransferKind::Transactions, db, 3, commaImport(file, false), talk);
        QVERIFY(!r.Imported);
        QCOMPARE(
            talk.said.last(),
            QStringLiteral("warning: No Line Of The Import File Could Be Stored, The Current File Was Not "
                           "Changed"));
        QCOMPARE(TTestEnv::readFile(tra), before);
    }

    void importedSymbolsAreUpperCased()
    {
        TTestEnv env;
        MakeFolders(env);
        env.pinClock(kNoon);
        const QString file = env.writeFile("in.csv", "h\nibm,03/01/2024,1,2,3\nbrk.b,03/01/2024,1,2,3\n");
        TTransBase db(TransactionFilePath("P"));
        TFakeRunTalk talk;
        QVERIFY(ImportTransfer(TTransferKind::Transactions, db, 3, commaImport(file, true), talk).Imported);
        QCOMPARE(rowsOf(db), (QStringList{"BRK.B 20240301 1 2 3 3", "IBM 20240301 1 2 3 3"}));
    }

    void appendingDividendsKeepsTheFile()
    {
        TTestEnv env;
        MakeFolders(env);
        env.pinClock(kNoon);
        const QString div = DividendFilePath("P");
        AddTrade(div, Trade("X", "20240301", 0, 1, 0, 9));
        const QString file = env.writeFile("in.txt", "X\t03/01/2024\t2.5\nY\t2024-13-01\t1\n");
        TTransBase db(div);
        TFakeRunTalk talk;
        TTransferImportSettings s;
        s.FilePath = file;
        s.Layout = kLayoutTab;
        s.DateForm = QStringLiteral("MM-DD-YYYY");
        s.Append = true;
        s.FieldNumbers = {1, 2, 3};
        const TTransferImportResult r = ImportTransfer(TTransferKind::Dividends, db, 9, s, talk);
        QCOMPARE(r.Stored, 1);
        QCOMPARE(rowsOf(db), (QStringList{"X 20240301 0 1 0 9", "X 20240301 0 2.5 0 9"}));
        QCOMPARE(talk.said, QStringList{"info: Dividend Data Information Imported"});

        TFakeRunTalk missing;
        s.FilePath = env.path("nothing.txt");
        QVERIFY(!ImportTransfer(TTransferKind::Dividends, db, 9, s, missing).Imported);
        QCOMPARE(missing.said, QStringList{"error: Error, Could Not Open Import File"});
    }

    void exportLines_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<bool>("header");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("comma quoting by position")
            << kLayoutComma << QStringList{"Price", "Symbol", "Fee", "Date"} << true
            << QByteArray("\"Price\",\"Symbol\",\"Fee\",\"Date\"\r\n"
                          "\"10.0000\",\"IBM\",\"9.95\",03/01/2024\r\n");
        QTest::newRow("one fixed line byte for byte")
            << kLayoutFixed << QStringList{"Symbol", "Company", "Date", "Shares", "Total"} << false
            << QByteArray("IBM     INTL BUSINESS MACHINES                   03/01/2024  -100.0000       "
                          "990.05   \r\n");
        QTest::newRow("tab") << kLayoutTab << QStringList{"Symbol", "Fee"} << false
                             << QByteArray("IBM\t9.95\r\n");
    }
    void exportLines()
    {
        QFETCH(QString, layout);
        QFETCH(QStringList, fields);
        QFETCH(bool, header);
        QFETCH(QByteArray, expected);
        TTestEnv env;
        MakeFolders(env);
        AddSymbol("IBM", "Intl Business Machines");
        TTransBase db(TransactionFilePath("P"));
        TTransRecord r = Trade("IBM", "20240301", -100, 10, 9.95);
        db.Insert(r);
        TTransRecord outside = Trade("IBM", "20240401", 1, 1, 1);
        db.Insert(outside);
        TTransferExportSettings s{env.path("out.txt"),
                                  layout,
                                  QStringLiteral("MM-DD-YYYY"),
                                  fields,
                                  header,
                                  QStringLiteral("20240101"),
                                  QStringLiteral("20240331")};
        TFakeRunTalk talk;
        QVERIFY(ExportTransfer(TTransferKind::Transactions, db, s, SymbolFileCompanyLookup(), talk));
        QCOMPARE(TTestEnv::readFile(s.FilePath), expected);
        QCOMPARE(talk.said, QStringList{"info: Transation Information Exported"});
        QCOMPARE(talk.progressTexts.last(), QStringLiteral("Exporting Record: 1"));
    }

    void dividendExportNamesUnknownCompaniesAlone()
    {
        TTestEnv env;
        MakeFolders(env);
        TTransBase db(DividendFilePath("P"));
        TTransRecord r = Trade("ZZZ", "20240301", 0, -12.5, 0);
        db.Insert(r);
        TTransferExportSettings s{env.path("d.csv"),
                                  kLayoutComma,
                                  QStringLiteral("YYYYMMDD"),
                                  {"Symbol", "Company", "Date", "Dividend"},
                                  false,
                                  "20240101",
                                  "20241231"};
        TFakeRunTalk talk;
        QVERIFY(ExportTransfer(TTransferKind::Dividends, db, s, SymbolFileCompanyLookup(), talk));
        QCOMPARE(TTestEnv::readFile(s.FilePath),
                 QByteArray("\"ZZZ\",\"Not On File\",\"20240301\",-12.5000\r\n"));
        QCOMPARE(talk.said, QStringList{"info: Dividend Data Exported"});

        TFakeRunTalk failing;
        s.FilePath = env.path("no/such/folder/d.csv");
        QVERIFY(!ExportTransfer(TTransferKind::Dividends, db, s, SymbolFileCompanyLookup(), failing));
        QCOMPARE(failing.said.size(), 1);
        QVERIFY(failing.said[0].startsWith("error: Error Unable To Create Export File"));
        QVERIFY(failing.said[0].contains(s.FilePath));
    }

    void exportNeverOverwritesItsOwnFileAndQuotesCommas()
    {
        TTestEnv env;
        MakeFolders(env);
        AddSymbol("ACME", "Acme, Inc");
        const QString div = DividendFilePath("P");
        TTransBase db(div);
        TTransRecord r = Trade("ACME", "20240301", 0, 2, 0);
        db.Insert(r);
        const QByteArray before = TTestEnv::readFile(div);
        TTransferExportSettings s{div,
                                  kLayoutComma,
                                  QStringLiteral("YYYYMMDD"),
                                  {"Date", "Dividend", "Symbol", "Company"},
                                  false,
                                  "20240101",
                                  "20241231"};
        TFakeRunTalk refused;
        QVERIFY(!ExportTransfer(TTransferKind::Dividends, db, s, SymbolFileCompanyLookup(), refused));
        QCOMPARE(refused.said.size(), 1);
        QVERIFY(refused.said[0].startsWith("error: Error Unable To Create Export File"));
        QCOMPARE(TTestEnv::readFile(div), before);

        // The fourth field is not quoted by position, but a comma inside it
        // would split the line.
        s.FilePath = env.path("d.csv");
        TFakeRunTalk talk;
        QVERIFY(ExportTransfer(TTransferKind::Dividends, db, s, SymbolFileCompanyLookup(), talk));
        QCOMPARE(TTestEnv::readFile(s.FilePath),
                 QByteArray("\"20240301\",\"2.0000\",\"ACME\",\"ACME, INC\"\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestPortfolioTransfer)
#include "tst_PortfolioTransfer.moc"
