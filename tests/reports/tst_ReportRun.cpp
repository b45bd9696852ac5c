// A report run on preview pages and on the printer: the progress texts, the
// page files in the run's own folder and their removal, and a printer that
// cannot start reported once with nothing claimed as printed.

#include "ReportTestData.h"
#include "TestEnv.h"
#include "frame/PrinterUi.h"
#include "reports/ReportPrinterUi.h"
#include "reports/ReportRun.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPrinter>
#include <QtTest>

class TestReportRun : public QObject
{
    Q_OBJECT
private slots:
    void previewPagesLiveInTheRunsOwnFolder()
    {
        TTestEnv env;
        // Somebody else's page 1 in the shared temporary folder stays as it is.
        const QString foreign = QDir::tempPath() + QStringLiteral("/1.jpg");
        const bool hadForeign = QFileInfo::exists(foreign);
        const QByteArray foreignBytes = hadForeign ? TTestEnv::readFile(foreign) : QByteArray();

        TFakeRunTalk talk;
        TReportRun run;
        QVERIFY(run.BeginPreview(&talk));
        for (int page = 1; page < 3; ++page)
            run.Page().NewPage();
        QVERIFY(run.End());
        QCOMPARE(run.PageCount(), 3);
        QCOMPARE(talk.progressTexts.first(), QStringLiteral("Sending Page: 1 To Preview."));
        QVERIFY(talk.progressTexts.contains(QStringLiteral("Sending Page: 3 To Preview.")));
        QVERIFY(talk.said.isEmpty());
        for (int page = 1; page <= 3; ++page) {
            const QString file = run.PageFile(page);
            QCOMPARE(QFileInfo(file).fileName(), QStringLiteral("%1.jpg").arg(page));
            QVERIFY(QFileInfo(file).path() != QDir::tempPath());
            QCOMPARE(QImageReader(file).size(), QSize(816, 1056)); // letter paper at 96 ppi
        }
        const QString first = run.PageFile(1);
        run.DeletePages();
        QVERIFY(!QFileInfo::exists(first));
        QCOMPARE(QFileInfo::exists(foreign), hadForeign);
        if (hadForeign)
            QCOMPARE(TTestEnv::readFile(foreign), foreignBytes);
        QV_VERIFY_ENV(env);
    }

    void printerThatCannotStartIsOneError()
    {
        TTestEnv env;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(env.path(QStringLiteral("no/such/folder/out.pdf")));
        TFakeRunTalk talk;
        TReportRun run;
        QVERIFY(!run.Begin(std::make_unique<TPrinterTarget>(&printer), &talk));
        run.Page().NewPage(); // writing on a failed run does nothing
        QVERIFY(!run.End());
        QCOMPARE(talk.said.size(), 1);
        QVERIFY(talk.said.first().startsWith(QStringLiteral("error: ")));
        QVERIFY(!QFileInfo::exists(env.path(QStringLiteral("no/such/folder/out.pdf"))));
        QV_VERIFY_ENV(env);
    }

    void printerRunCountsItsPages()
    {
        TTestEnv env;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = env.path(QStringLiteral("out.pdf"));
        printer.setOutputFileName(pdf);
        TFakeRunTalk talk;
        TReportRun run;
        QVERIFY(run.Begin(std::make_unique<TPrinterTarget>(&printer), &talk));
        run.Page().NewPage();
        QVERIFY(run.End());
        QCOMPARE(printer.docName(), QStringLiteral("The Quorvane"));
        QCOMPARE(talk.progressTexts.last(), QStringLiteral("Sending Page: 2 To Printer."));
        const auto pages = QString::fromLatin1(TTestEnv::readFile(pdf))
                               .count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")));
        QCOMPARE(pages, 2);
        QV_VERIFY_ENV(env);
    }
};

QTEST_MAIN(TestReportRun)
#include "tst_ReportRun.moc"
