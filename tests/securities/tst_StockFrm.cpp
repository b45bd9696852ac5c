// The security summary window as the user sees it: which buttons work, the
// holdings panel and its colour, new figures after the price records change,
// and one window per security even while minimised.

#include "SecuritiesTestData.h"
#include "frame/ModalUi.h"
#include "frame/WindowListFrm.h"
#include "securities/StockDataFrm.h"
#include "securities/StockFrm.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace qvtest;

class TestStockFrm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { SetRecordFileSync(false); }

    void buttonsHoldingsAndColourFollowTheData()
    {
        TTestEnv env;
        makeFolders(env);
        setStatistics(false, 260);
        LoadConfig();
        ConfigRecord.CommissionSchedule = 9; // no commission
        ConfigRecord.Statistics.PlusColor = 0x00FF00;
        ConfigRecord.Statistics.MinusColor = 0x0000FF;
        SaveConfig();
        writePrices("A", {price("19990104", 11, 9, 10, 100), price("19990105", 13, 11, 12, 100),
                          price("19990106", 13, 11, 12, 100)});
        addTrans("p1", "A", "19990104", 10, 10);
        CurrentPortfolio.FileName = QStringLiteral("p1");
        CurrentPortfolio.Name = QStringLiteral("Retirement");

        TStockForm *form = OpenStockForm(nullptr, "A", "ALPHA", env.path("notes/A.txt"), "");
        QVERIFY(form->NotesBtn->isEnabled());
        QVERIFY(!form->WebBtn->isEnabled());  // no web address
        QVERIFY(form->GraphBtn->isEnabled()); // three records
        QVERIFY(!form->NoHoldings->isVisibleTo(form));
        QVERIFY(form->label("NetGainLoss")->isVisibleTo(form));
        QCOMPARE(form->label("NetGainLoss")->text(), QStringLiteral("$20.00"));
        QCOMPARE(form->HoldingsPanel->palette().color(QPalette::Window), QColor(0, 0xFF, 0));

        // A price entered through Data shows at once when the dialog closes.
        QueueModalScript([](QDialog *) {
            writePrices("A", {price("19990104", 11, 9, 10, 100), price("19990105", 13, 11, 12, 100),
                              price("19990106", 13, 11, 12, 100), price("19990107", 9, 7, 8, 100)});
            return int(QDialog::Rejected);
        });
        form->DataBtnClick();
        QCOMPARE(form->statusText(), QStringLiteral("Records On File: 4"));
        QCOMPARE(form->label("NetGainLoss")->text(), QStringLiteral("($20.00)"));
        QCOMPARE(form->HoldingsPanel->palette().color(QPalette::Window), QColor(0xFF, 0, 0));

        // Sold out: the panel says so and keeps the window's own colour.
        addTrans("p1", "A", "19990107", -10, 8);
        form->Compute();
        QVERIFY(form->NoHoldings->isVisibleTo(form));
        QVERIFY(!form->label("NetGainLoss")->isVisibleTo(form));
        CurrentPortfolio = TListRecord{};
        delete form;
        QV_VERIFY_ENV(env);
    }

    void aMinimisedSummaryIsBroughtBackNotOpenedTwice()
    {
        TTestEnv env;
        makeFolders(env);
        TWindowListForm windows;
        WindowListForm = &windows;
        TStockForm *form = OpenStockForm(nullptr, "A", "ALPHA", "", "http://alpha.example");
        QVERIFY(form->WebBtn->isEnabled());
        form->setWindowState(Qt::WindowMinimized);
        QCOMPARE(OpenStockForm(nullptr, "A", "ALPHA", "", ""), form);
        QVERIFY(!form->isMinimized());
        QCOMPARE(windows.captions(), QStringList{"ALPHA (A)"});
        form->close(); // frees itself
        QTRY_VERIFY(windows.captions().isEmpty());
        WindowListForm = nullptr;
    }

    void enterInTheStockDataListOpensTheSummary()
    {
        TTestEnv env;
        makeFolders(env);
        addSymbol("A", "ALPHA");
        addWatch("A", "ALPHA");
        TStockDataForm form;
        form.show();
        form.ListBox1->setFocus();
        QTest::keyClick(form.ListBox1, Qt::Key_Return);
        const auto summaries = form.findChildren<TStockForm *>();
        QCOMPARE(summaries.size(), 1);
        QCOMPARE(summaries.first()->windowTitle(), QStringLiteral("ALPHA (A)"));
    }
};

QTEST_MAIN(TestStockFrm)
#include "tst_StockFrm.moc"
