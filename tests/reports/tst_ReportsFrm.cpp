// The two report option dialogs: their checks, which boxes each choice
// enables, "&Print" cancelled, and "&Reports" running the chosen report on a
// preview and on the printer.

#include "ReportTestData.h"
#include "TestEnv.h"
#include "frame/ConnectionsUi.h"
#include "frame/DateBoxUi.h"
#include "frame/ModalUi.h"
#include "frame/PrinterUi.h"
#include "portfolio/portfoliofrm.h"
#include "reports/ReportOpenersUi.h"
#include "reports/ReportOptions.h"
#include "reports/ReportPreviewFrm.h"
#include "reports/ReportsFrm.h"
#include "securities/StockDataFrm.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

class TestReportsFrm : public QObject
{
    Q_OBJECT
private slots:
    void checks_data()
    {
        QTest::addColumn<bool>("dates");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("percent");
        QTest::addColumn<QString>("percentText");
        QTest::addColumn<QStringList>("lines");
        const QStringList none;
        QTest::newRow("boxes off: bad texts pass") << false << "13/45/x"
                                                   << "" << false << "" << none;
        QTest::newRow("equal dates") << true << "03/04/2024"
                                     << "03/04/2024" << true << "0" << none;
        QTest::newRow("end a day early")
            << true << "03/04/2024"
            << "03/03/2024" << true << "5" << QStringList{"Start Date Must Be Less than Stop Date."};
        QTest::newRow("bad start, cleared percent")
            << true << "13/04/2024"
            << "03/03/2024" << true << ""
            << QStringList{"Invalid Start Date Entered.", "Invalid Value For Precent Change."};
        QTest::newRow("no such day in 2100")
            << true << "02/28/2100"
            << "02/29/2100" << false << "" << QStringList{"Invalid End Date Entered."};
        QTest::newRow("leap day 2000") << true << "02/29/2000"
                                       << "03/01/2000" << true << "-3" << none;
        QTest::newRow("all four kinds in order")
            << true << ""
            << "x" << true << "abc"
            << QStringList{"Invalid Start Date Entered.", "Invalid End Date Entered.",
                           "Invalid Value For Precent Change."};
    }
    void checks()
    {
        QFETCH(bool, dates);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(bool, percent);
        QFETCH(QString, percentText);
        QFETCH(QStringList, lines);
        QCOMPARE(ReportOptionProblems({dates, start, end, percent, percentText}), lines);
    }

    void portfolioDialogEnablesWhatAChoiceUses()
    {
        TTestEnv env;
        TPortReportsform d;
        QCOMPARE(d.windowTitle(), QStringLiteral("Portfolio Reports"));
        QVERIFY(d.SummaryBtn->isChecked());
        QCOMPARE(d.PercentEdit->value(), 0);
        QCOMPARE(d.StartDate->date(), Clock::Today());
        const QList<QRadioButton *> buttons{d.SummaryBtn, d.DetailBtn, d.OneDayBtn, d.RangeSummaryBtn,
                                            d.RangeDetailBtn};
        const QStringList texts{"Portfolio Report (Summary)", "Portfoilio Report (Detail)",
                                "Precent Change One Day", "Percent Change Range (Summary)",
                                "Precent Change Range (Detail)"};
        const QList<bool> percent{false, false, true, true, true}, dates{false, false, false, true, true};
        for (int i = 0; i < buttons.size(); ++i) {
            buttons[i]->setChecked(true);
            QCOMPARE(buttons[i]->text(), texts[i]);
            QCOMPARE(int(d.kind()), i);
            QCOMPARE(d.PercentEdit->isEnabled(), percent[i]);
            QCOMPARE(d.StartDate->isEnabled(), dates[i]);
            QCOMPARE(d.EndDate->isEnabled(), dates[i]);
            // the whole text shows, inside the group, whatever the font
            QVERIFY(buttons[i]->width() >= buttons[i]->sizeHint().width());
            QVERIFY(buttons[i]->geometry().right() < d.ReportsGroup->width());
        }
        QVERIFY(d.ReportsGroup->geometry().right() < d.OptionsGroup->x());
        QVERIFY(d.OptionsGroup->geometry().right() < d.width());
        QV_VERIFY_ENV(env);
    }

    void stockDialogKeepsThePercentOn()
    {
        TTestEnv env;
        TStockReportsForm d;
        QCOMPARE(d.windowTitle(), QStringLiteral("Stock Reports"));
        QVERIFY(d.OneDayBtn->isChecked());
        QVERIFY(d.SelectedStockBox->isChecked());
        QCOMPARE(d.SelectedStockBox->text(), QStringLiteral("Run Report On Selected Stock"));
        const QList<QRadioButton *> buttons{d.OneDayBtn, d.RangeSummaryBtn, d.RangeDetailBtn};
        const QList<bool> dates{false, true, true};
        for (int i = 0; i < buttons.size(); ++i) {
            buttons[i]->setChecked(true);
            QCOMPARE(int(d.kind()), i);
            QVERIFY(d.PercentEdit->isEnabled());
            QCOMPARE(d.StartDate->isEnabled(), dates[i]);
        }
        QV_VERIFY_ENV(env);
    }

    void failedChecksKeepTheDialogOpen()
    {
        TTestEnv env;
        TPortReportsform d;
        d.RangeSummaryBtn->setChecked(true);
        d.StartDate->setText(QStringLiteral("02/30/2024"));
        d.PercentEdit->findChild<QLineEdit *>()->clear();
        d.PreviewBtn->click();
        QCOMPARE(d.result(), 0);
        QCOMPARE(env.messages.texts(),
                 QStringList{"Invalid Data Has Been Entered For The Following Fields:\n\n"
                             "Invalid Start Date Entered.\nInvalid Value For Precent Change."});
        QV_VERIFY_ENV(env);
    }

    void printCancelledClosesWithCancel()
    {
        TTestEnv env;
        TPortReportsform d;
        bool asked = false;
        QueueModalScript([&asked](QDialog *p) {
            asked = qobject_cast<QPrintDialog *>(p) != nullptr;
            return int(QDialog::Rejected);
        });
        d.PrintBtn->click();
        QVERIFY(asked);
        QCOMPARE(d.result(), int(TReportResult::Cancel));
        QV_VERIFY_ENV(env);
    }

    // "&Reports" of the holdings window runs through the start-up wiring:
    // the detail report previewed, its pages gone after the preview closes.
    void portfolioDetailPreviewFromTheWiring()
    {
        TTestEnv env;
        MakeFolders(env);
        AddPrice("IBM", "20240301", 12);
        AddTrade(TransactionFilePath("P1"), Trade("IBM", "20240102", 10, 10, 1));
        InstallWindowConnections();
        QueueModalScript([](QDialog *p) {
            auto *d = qobject_cast<TPortReportsform *>(p);
            if (!d)
                return int(QDialog::Rejected);
            d->DetailBtn->setChecked(true);
            d->PreviewBtn->click();
            return d->result();
        });
        QString firstPage;
        int pages = 0;
        QueueModalScript([&](QDialog *p) {
            auto *preview = qobject_cast<TReportPreviewForm *>(p);
            if (!preview)
                return int(QDialog::Rejected);
            pages = preview->Run().PageCount();
            firstPage = preview->Run().PageFile(1);
            [&] {
                QCOMPARE(preview->windowTitle(), QStringLiteral("Report Preview"));
                QCOMPARE(preview->PageShown(), 1);
                QVERIFY(QFileInfo::exists(firstPage));
            }();
            return int(QDialog::Accepted);
        });
        TPortfolioInfo info;
        info.Name = QStringLiteral("One");
        info.FileName = QStringLiteral("P1");
        QWidget owner;
        owner.setWindowTitle(QStringLiteral("Portfolio One"));
        RunPortfolioReports(&owner, info);
        QVERIFY(pages >= 1);
        QVERIFY(!firstPage.isEmpty());
        QVERIFY(!QFileInfo::exists(firstPage));
        QVERIFY(TStockDataForm::ReportsHook);
        QV_VERIFY_ENV(env);
    }

    void stockReportPrintsToPdf()
    {
        TTestEnv env;
        MakeFolders(env);
        AddDay("AAA", "20240301", 10, 100);
        AddDay("AAA", "20240304", 11, 100);
        AddWatch("AAA", "Aaa");
        const QString pdf = env.path(QStringLiteral("stock.pdf"));
        AppPrinter()->setOutputFormat(QPrinter::PdfFormat);
        AppPrinter()->setOutputFileName(pdf);
        QueueModalScript([](QDialog *p) {
            auto *d = qobject_cast<TStockReportsForm *>(p);
            if (!d)
                return int(QDialog::Rejected);
            d->RangeSummaryBtn->setChecked(true);
            d->StartDate->setText(QStringLiteral("03/01/2024"));
            d->EndDate->setText(QStringLiteral("03/04/2024"));
            QueueModalScript([](QDialog *) { return int(QDialog::Accepted); }); // the print dialog
            d->PrintBtn->click();
            return d->result();
        });
        TWatchDatabase list(WatchListPath());
        RunStockReports(nullptr, &list);
        QVERIFY(TTestEnv::readFile(pdf).startsWith("%PDF"));
        QV_VERIFY_ENV(env);
    }
};

QTEST_MAIN(TestReportsFrm)
#include "tst_ReportsFrm.moc"
