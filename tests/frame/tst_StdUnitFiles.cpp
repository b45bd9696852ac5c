#include "TestEnv.h"

#include "frame/Background.h"
#include "frame/Clock.h"
#include "frame/IoError.h"
#include "frame/StdUnit.h"
#include "frame/Stockcfg.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

namespace {

// Makes the note viewer a harmless program so OpenDocument can start it.
void useHarmlessViewer()
{
    LoadConfig();
    ConfigRecord.Files.NoteViewer = QStringLiteral("/bin/true");
    SaveConfig();
}

void setModified(const QString &path, const QDateTime &when)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
}

} // namespace

class TestStdUnitFiles : public QObject
{
    Q_OBJECT

private slots:
    void filesAreNamedInTheirFolders()
    {
        TTestEnv env;
        QCOMPARE(PriceFilePath("IBM"), env.dir() + "data/IBM.stk");
        QCOMPARE(OldPriceFilePath("IBM"), env.dir() + "data/IBM.old");
        QCOMPARE(TransactionFilePath("MINE"), env.dir() + "port/MINE.tra");
        QCOMPARE(DividendFilePath("MINE"), env.dir() + "port/MINE.div");
        QCOMPARE(PortfolioListPath(), env.dir() + "port/Port.sbl");
        QCOMPARE(WatchListPath(), env.dir() + "watch/Watch.sbl");
        QCOMPARE(ErrorLogPath(), env.dir() + "Stock.err");
        QCOMPARE(SummaryFilePath(), env.dir() + "Summary.txt");
    }

    void namesThatWouldLeaveTheirFolderAreRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("safe");
        QTest::newRow("plain") << "IBM" << true;
        QTest::newRow("dotted") << "BRK.A" << true;
        QTest::newRow("slash") << "../etc" << false;
        QTest::newRow("inner slash") << "A/B" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dotdot") << ".." << false;
        QTest::newRow("nul") << QString("A") + QChar(0) + "B" << false;
    }
    void namesThatWouldLeaveTheirFolderAreRefused()
    {
        QFETCH(QString, text);
        QFETCH(bool, safe);
        QCOMPARE(IsSafeFileNamePart(text), safe);
    }

    void errorLogHasOneHeaderPerDay()
    {
        TTestEnv env;
        const QDateTime day1(QDate(2026, 3, 2), QTime(9, 30));
        env.pinClock(day1);
        LogError("first");
        setModified(ErrorLogPath(), day1);
        env.pinClock(day1.addSecs(3600));
        LogError("second");
        setModified(ErrorLogPath(), day1.addSecs(3600));
        env.pinClock(day1.addDays(1));
        LogError("third");
        const QByteArray expected = "\r\nThe Quorvane Begining Of Error Log For 03/02/2026\r\n\r\n"
                                    "first\r\nsecond\r\n"
                                    "\r\nThe Quorvane Begining Of Error Log For 03/03/2026\r\n\r\n"
                                    "third\r\n";
        QCOMPARE(TTestEnv::readFile(ErrorLogPath()), expected);
    }

    void errorLogThatCannotBeWrittenRaises()
    {
        TTestEnv env;
        SetBaseFolder(env.path("missing/"));
        QVERIFY_THROWS_EXCEPTION(EInOutError, LogError("lost"));
    }

    void fileDateOfMissingFileIsHundredDaysAgo()
    {
        TTestEnv env;
        env.pinClock(QDateTime(QDate(2026, 5, 20), QTime(14, 0)));
        QCOMPARE(FileDate(env.path("nothing")), QDateTime(QDate(2026, 2, 9), QTime(0, 0)));
        const QString p = env.writeFile("x.txt", "x");
        const QDateTime when(QDate(2020, 1, 2), QTime(3, 4, 5));
        setModified(p, when);
        QCOMPARE(FileDate(p), when);
    }

    void openDocumentOffersToCreateMissingFile()
    {
        TTestEnv env;
        useHarmlessViewer();
        const QString note = env.path("notes.txt");
        env.messages.expectQuestion("The Requested File Does Not Exist, Do You Wish To Create It?", false);
        OpenDocument(nullptr, note);
        QVERIFY(!QFile::exists(note));

        env.messages.expectQuestion("The Requested File Does Not Exist, Do You Wish To Create It?", true);
        OpenDocument(nullptr, note);
        QCOMPARE(TTestEnv::readFile(note), QByteArray(" \r\n"));

        // An existing file is opened without a question and left as it is.
        OpenDocument(nullptr, note);
        QCOMPARE(TTestEnv::readFile(note), QByteArray(" \r\n"));
        QCOMPARE(env.messages.said.size(), 2);
        QV_VERIFY_ENV(env);
    }

    void viewerThatCannotStartIsReported()
    {
        TTestEnv env;
        LoadConfig();
        ConfigRecord.Files.NoteViewer = env.path("no-such-viewer");
        SaveConfig();
        const QString note = env.writeFile("n.txt", " \r\n");
        OpenDocument(nullptr, note);
        QCOMPARE(env.messages.said.size(), 1);
        QCOMPARE(env.messages.said[0].icon, TMsgIcon::Error);
        QVERIFY(env.messages.said[0].text.contains("no-such-viewer"));
    }

    // A viewer or desktop opener that starts but ends with failure (no
    // viewer, no browser) is reported, naming what could not be opened; one
    // that ends well says nothing.
    void openerEndingWithFailureIsReported_data()
    {
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("noteViewer");
        QTest::newRow("note viewer fails") << 1 << true;
        QTest::newRow("note viewer succeeds") << 0 << true;
        QTest::newRow("desktop opener fails") << 3 << false;
        QTest::newRow("desktop opener succeeds") << 0 << false;
    }
    void openerEndingWithFailureIsReported()
    {
        QFETCH(int, exitCode);
        QFETCH(bool, noteViewer);
        TTestEnv env;
        const QString fake =
            env.writeFile("fake-viewer", "#!/bin/sh\nexit " + QByteArray::number(exitCode) + "\n");
        QVERIFY(QFile::setPermissions(fake, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner));
        const QString note = env.writeFile("n.txt", " \r\n");
        const QString saved = DesktopOpener();
        if (noteViewer) {
            LoadConfig();
            ConfigRecord.Files.NoteViewer = fake;
            SaveConfig();
            OpenDocument(nullptr, note);
        } else {
            SetDesktopOpener(fake);
            // A document that is no program goes to the desktop opener.
            QVERIFY(RunProgram(nullptr, note));
        }
        QTRY_COMPARE(WatchedProcessCount(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SetDesktopOpener(saved);
        if (exitCode == 0) {
            QCOMPARE(env.messages.texts(), QStringList());
        } else {
            QCOMPARE(env.messages.texts(), QStringList({"Unable To Open " + note}));
            QCOMPARE(env.messages.said[0].icon, TMsgIcon::Error);
        }
        QV_VERIFY_ENV(env);
    }

    void jpegIsChosenByTextNotByEnding_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("jpeg");
        QTest::newRow("bmp") << "/a/stock.bmp" << false;
        QTest::newRow("jpg") << "/a/stock.jpg" << true;
        QTest::newRow("upper") << "/a/STOCK.JPG" << true;
        QTest::newRow("jpg.bmp") << "/a/x.jpg.bmp" << true;
        QTest::newRow("folder") << "/a.jpgs/x.bmp" << true;
        QTest::newRow("jpeg") << "/a/x.jpeg" << false;
    }
    void jpegIsChosenByTextNotByEnding()
    {
        QFETCH(QString, path);
        QFETCH(bool, jpeg);
        QCOMPARE(IsJpegPath(path), jpeg);
    }

    void backgroundDecodesByThePathRule()
    {
        TTestEnv env;
        QImage img(10, 8, QImage::Format_RGB32);
        img.fill(Qt::red);
        QVERIFY(img.save(env.path("x.jpg.bmp"), "JPG"));
        const TBackgroundLoad jpg = LoadBackgroundPicture(env.path("x.jpg.bmp"));
        QVERIFY(jpg.exists);
        QCOMPARE(jpg.image.size(), QSize(10, 8));
        // A bitmap named .jpg is decoded as JPEG, fails, and says so.
        QVERIFY(img.save(env.path("y.jpg"), "BMP"));
        const TBackgroundLoad bad = LoadBackgroundPicture(env.path("y.jpg"));
        QVERIFY(bad.image.isNull());
        QVERIFY(bad.error.contains(env.path("y.jpg")));
        QVERIFY(!LoadBackgroundPicture(env.path("none.bmp")).exists);
    }

    void tilesOverlapByOnePixel()
    {
        const QList<QPoint> t = TileOrigins(QSize(11, 6), QSize(25, 10));
        const QList<QPoint> expected{{0, 0}, {10, 0}, {20, 0}, {0, 5}, {10, 5}, {20, 5}};
        QCOMPARE(t, expected);
        QVERIFY(TileOrigins(QSize(1, 50), QSize(100, 100)).isEmpty());
        QVERIFY(TileOrigins(QSize(50, 1), QSize(100, 100)).isEmpty());
        QVERIFY(TileOrigins(QSize(), QSize(100, 100)).isEmpty());
        QCOMPARE(TileOrigins(QSize(2, 2), QSize(3, 1)).size(), 3);
    }

    void productNameShrinksToFit()
    {
        QFont f(QStringLiteral("Times New Roman"));
        f.setBold(true);
        f.setPixelSize(24);
        const QString name = QStringLiteral("The Quorvane");
        QCOMPARE(QFontMetrics(FitFontToWidth(f, name, 1000)).horizontalAdvance(name),
                 QFontMetrics(f).horizontalAdvance(name));
        const QFont small = FitFontToWidth(f, name, 100);
        QVERIFY(QFontMetrics(small).horizontalAdvance(name) <= 100);
        QVERIFY(QFontMetrics(small).horizontalAdvance(name) > 80);
    }
};

QTEST_MAIN(TestStdUnitFiles)
#include "tst_StdUnitFiles.moc"
