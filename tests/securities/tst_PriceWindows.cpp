// The price record window, its dialogs and the purge as the user meets them:
// the texts of the duplicate-date boxes, the captions of the dialogs and of
// the progress windows, and the date the Add dialog starts with.

#include "ProgressCaptions.h"
#include "SecuritiesTestData.h"
#include "frame/DateBoxUi.h"
#include "frame/ModalUi.h"
#include "frame/StatusFrm.h"
#include "securities/PriceEntry.h"
#include "securities/SplitFrm.h"
#include "securities/StockDataListAddEditFrm.h"
#include "securities/StockDataListFrm.h"
#include "securities/purgefrm.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace qvtest;

class TestPriceWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { SetRecordFileSync(false); }

    void aDateOnFileIsRefusedWithItsOwnMessage_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::addColumn<QString>("message");
        QTest::newRow("add") << true << "Stock Data Already On File, Stock Not Saved!";
        QTest::newRow("edit") << false << "Stock Data Already On File, Stock Data Not Saved!";
    }
    void aDateOnFileIsRefusedWithItsOwnMessage()
    {
        QFETCH(bool, adding);
        QFETCH(QString, message);
        TTestEnv env;
        makeFolders(env);
        writePrices("A", {price("19990104", 2, 1, 1.5, 10), price("19990105", 3, 2, 2.5, 20)});
        const QByteArray before = TTestEnv::readFile(PriceFilePath("A"));
        TStockDataListForm form(nullptr, "ALPHA (A)", "A");
        QueueModalScript([](QDialog *d) {
            auto *dialog = static_cast<TStockDataListAddEditForm *>(d);
            dialog->DateField->setText("01/04/1999");
            dialog->HighField->setText("9");
            dialog->LowField->setText("8");
            dialog->CloseField->setText("8.5");
            dialog->VolumeField->setText("5");
            dialog->SaveBtn->click();
            return d->result();
        });
        if (adding) {
            form.AddBtnClick();
        } else {
            form.selectRow(2);
            form.EditBtnClick();
        }
        QCOMPARE(env.messages.said.size(), 1);
        QCOMPARE(env.messages.said[0].icon, TMsgIcon::Error);
        QCOMPARE(env.messages.said[0].text, message);
        QCOMPARE(TTestEnv::readFile(PriceFilePath("A")), before);
        QCOMPARE(form.gridRowCount(), 3);
        QV_VERIFY_ENV(env);
    }

    void splitBeforeTheFirstRecordStillAdjustsOlderTrades()
    {
        TTestEnv env;
        makeFolders(env);
        writePrices("A", {price("19990601", 20, 10, 16, 100), price("19990602", 22, 12, 18, 200)});
        addPortfolio("p1", "FIRST");
        addTrans("p1", "A", "19990301", 100, 40);
        addTrans("p1", "A", "19990602", 10, 18);
        const QByteArray prices = TTestEnv::readFile(PriceFilePath("A"));
        TStockDataListForm form(nullptr, "ALPHA (A)", "A");
        QueueModalScript([](QDialog *d) {
            auto *dialog = static_cast<TSplitForm *>(d);
            dialog->SplitDate->setText("05/03/1999");
            dialog->AfterSplit->setText("2");
            dialog->BeforeSplit->setText("1");
            dialog->SplitBtn->click();
            return d->result();
        });
        TProgressCaptions shown;
        form.SplitBtnClick();
        QCOMPARE(shown.captions, QStringList({"Spliting Stock Data", "Spliting Portfolio Data"}));
        QCOMPARE(TTestEnv::readFile(PriceFilePath("A")), prices);
        const QList<TTransRecord> t = readTrans(TransactionFilePath("p1"));
        QCOMPARE(t[0].Shares, 200.0);
        QCOMPARE(t[0].Price, 20.0);
        QCOMPARE(t[1].Shares, 10.0); // after the split date
        QV_VERIFY_ENV(env);
    }

    // The date box hands over its blanks; the split must still take the
    // day typed, for prices (strictly before) and trades (on or before).
    void aSplitDateTypedInPartIsThatDay_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("blanks in front") << " 6/ 1/1999";
        QTest::newRow("blanks behind") << "6 /1 /1999";
    }
    void aSplitDateTypedInPartIsThatDay()
    {
        QFETCH(QString, typed);
        TTestEnv env;
        makeFolders(env);
        writePrices("A", {price("19990528", 20, 10, 16, 100), price("19990601", 22, 12, 18, 200),
                          price("19991001", 24, 14, 20, 300)});
        addPortfolio("p1", "FIRST");
        addTrans("p1", "A", "19990601", 100, 40);
        addTrans("p1", "A", "19990602", 10, 18);
        TStockDataListForm form(nullptr, "ALPHA (A)", "A");
        QueueModalScript([&](QDialog *d) {
            auto *dialog = static_cast<TSplitForm *>(d);
            dialog->SplitDate->setText(typed);
            dialog->AfterSplit->setText("2");
            dialog->BeforeSplit->setText("1");
            dialog->SplitBtn->click();
            return d->result();
        });
        form.SplitBtnClick();
        QList<double> closes;
        for (const TPriceRecord &r : readPrices("A"))
            closes << r.Close;
        QCOMPARE(closes, QList<double>({8, 18, 20}));
        const QList<TTransRecord> t = readTrans(TransactionFilePath("p1"));
        QCOMPARE(t[0].Shares, 200.0);
        QCOMPARE(t[1].Shares, 10.0);
        QV_VERIFY_ENV(env);
    }

    void aSplitThatWouldOverflowWritesNothing()
    {
        TTestEnv env;
        makeFolders(env);
        writePrices("A", {price("19990528", 2e10, 1e10, 1.5e10, 100), price("19990601", 22, 12, 18, 200)});
        addPortfolio("p1", "FIRST");
        addTrans("p1", "A", "19990520", 100, 40);
        const QByteArray prices = TTestEnv::readFile(PriceFilePath("A"));
        const QByteArray trades = TTestEnv::readFile(TransactionFilePath("p1"));
        TStockDataListForm form(nullptr, "ALPHA (A)", "A");
        QueueModalScript([](QDialog *d) {
            auto *dialog = static_cast<TSplitForm *>(d);
            dialog->AfterSplit->setText("1");
            dialog->BeforeSplit->setText("1e300"); // passes the ratio check
            dialog->SplitBtn->click();
            return d->result();
        });
        TProgressCaptions shown;
        form.SplitBtnClick();
        QCOMPARE(shown.captions, QStringList{"Spliting Stock Data"});
        QCOMPARE(env.messages.texts(),
                 QStringList{"The Split Ratio Is Out Of Range For File: " + PriceFilePath("A")});
        QCOMPARE(TTestEnv::readFile(PriceFilePath("A")), prices);
        QCOMPARE(TTestEnv::readFile(TransactionFilePath("p1")), trades);
        QV_VERIFY_ENV(env);
    }

    // A price file that is there but will not open looks like an empty
    // history; the window says which file it is and offers no change to it.
    void aPriceFileThatWillNotOpenIsNamed_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::newRow("ordinary file") << false;
        QTest::newRow("folder of that name") << true;
    }
    void aPriceFileThatWillNotOpenIsNamed()
    {
        QFETCH(bool, folder);
        TTestEnv env;
        makeFolders(env);
        if (folder)
            QVERIFY(QDir().mkpath(PriceFilePath("A")));
        else
            writePrices("A", {});
        TStockDataListForm form(nullptr, "ALPHA (A)", "A");
        form.show();
        QCOMPARE(env.messages.texts(),
                 folder ? QStringList{"Error, Could Not Open The File " + PriceFilePath("A")}
                        : QStringList());
        QCOMPARE(form.AddBtn->isEnabled(), !folder);
        QCOMPARE(form.ImportBtn->isEnabled(), !folder);
        QVERIFY(!form.EditBtn->isEnabled() && !form.SplitBtn->isEnabled());
        form.hide();
        QV_VERIFY_ENV(env);
    }

    void deleteDialogNamesTheSecurity()
    {
        TTestEnv env;
        makeFolders(env);
        writePrices("A", {price("19990104", 2, 1, 1.5, 10)});
        TStockDataListForm form(nullptr, "ALPHA (A)", "A");
        QString caption;
        QueueModalScript([&](QDialog *d) {
            caption = d->windowTitle();
            return int(QDialog::Rejected);
        });
        form.DeleteBtnClick();
        QCOMPARE(caption, QStringLiteral("Delete Stock Data For ALPHA (A)"));
        QCOMPARE(priceDates("A"), QStringList{"19990104"});
        QV_VERIFY_ENV(env);
    }

    void purgeShowsItsProgressWindow()
    {
        TTestEnv env;
        makeFolders(env);
        addWatch("A", "ALPHA");
        writePrices("A", {price("20000103", 2, 1, 1.5, 1), price("20000105", 2, 1, 1.5, 3)});
        QueueModalScript([](QDialog *d) {
            auto *dialog = static_cast<TPurgeForm *>(d);
            dialog->StopDate->setText("01/04/2000");
            dialog->PurgeBtn->click();
            return d->result();
        });
        env.messages.expectQuestion("Are You Sure You Want To Purge Files?", true);
        TProgressCaptions shown;
        PurgeData(nullptr);
        QCOMPARE(shown.captions, QStringList{"Purging Old Stock Data"});
        QCOMPARE(priceDates("A"), QStringList{"20000105"});
        QV_VERIFY_ENV(env);
    }

    void purgeSaysWhenTheListCannotBeOpened()
    {
        TTestEnv env;
        makeFolders(env);
        QDir().mkpath(WatchListPath()); // a folder where the list should be
        QueueModalScript([](QDialog *d) {
            static_cast<TPurgeForm *>(d)->PurgeBtn->click();
            return d->result();
        });
        env.messages.expectQuestion("Are You Sure You Want To Purge Files?", true);
        PurgeData(nullptr);
        QCOMPARE(env.messages.texts().size(), 2);
        QCOMPARE(env.messages.said.last().icon, TMsgIcon::Error);
        QCOMPARE(env.messages.said.last().text, "Error, Could Not Open File: " + WatchListPath());
        QV_VERIFY_ENV(env);
    }

    void addDaysOutOfRangeStillGivesADate_data()
    {
        QTest::addColumn<int>("addDays");
        QTest::addColumn<QString>("date");
        QTest::newRow("in range") << 3 << "06/18/2000";
        QTest::newRow("2,000,000,000") << 2000000000 << "09/23/2000";
        QTest::newRow("-2,000,000,000") << -2000000000 << "03/07/2000";
    }
    void addDaysOutOfRangeStillGivesADate()
    {
        QFETCH(int, addDays);
        QFETCH(QString, date);
        TTestEnv env;
        makeFolders(env);
        env.pinClock(QDateTime(QDate(2000, 6, 15), QTime(9, 0)));
        LoadConfig();
        ConfigRecord.Input.AddDays = addDays;
        SaveConfig();
        TStockDataListForm form(nullptr, "ALPHA (A)", "A");
        QString shown;
        QueueModalScript([&](QDialog *d) {
            shown = static_cast<TStockDataListAddEditForm *>(d)->DateField->text();
            return int(QDialog::Rejected);
        });
        form.AddBtnClick();
        QCOMPARE(shown, date);
        QV_VERIFY_ENV(env);
    }
};

QTEST_MAIN(TestPriceWindows)
#include "tst_PriceWindows.moc"
