// The price chart window and the overlay dialog, driven as a user would.

#include "TestEnv.h"
#include "chart/Graphfrm.h"
#include "chart/Overlayfrm.h"
#include "frame/ModalUi.h"
#include "frame/PrinterUi.h"
#include "frame/StdUnitFiles.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "records/WatchBase.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>
#include <functional>

namespace {

void writeSeries(const QString &symbol, int count)
{
    QDir().mkpath(GetFolders().Data);
    TDataBase file(PriceFilePath(symbol));
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        TPriceRecord r;
        r.Date = QDate(2000, 1, 3).addDays(i).toString(QStringLiteral("yyyyMMdd"));
        r.Close = 10.0 + (i % 9);
        r.High = r.Close + 1;
        r.Low = r.Close - 1;
        r.Volume = 1000 + i;
        file.AppendImage(bytes, r);
    }
    QVERIFY(file.ReplaceAll(bytes));
}

void setGraph(const std::function<void(TGraphSettings &)> &change)
{
    TGraphSettings g = GetGraphSettings();
    change(g);
    QVERIFY(SetGraphSettings(g));
}

void addWatch(const char *symbol, const char *name)
{
    QDir().mkpath(GetFolders().Watch);
    TWatchDatabase list(WatchListPath());
    TListRecord r;
    r.FileName = QString::fromLatin1(symbol);
    r.Name = QString::fromLatin1(name);
    list.Insert(r);
}

void addSymbol(const char *symbol, const char *name)
{
    QDir().mkpath(GetFolders().Symbol);
    TSymbolDataBase db(GetFolders().Symbol + QStringLiteral("Stocks.sbl"));
    TSymbolRecord r;
    r.Symbol = QString::fromLatin1(symbol);
    r.Name = QString::fromLatin1(name);
    db.Insert(r);
}

// Opens the chart of AAA and waits until it is drawn.
TGraphForm *openChart()
{
    TGraphForm *form = OpenGraphForm(nullptr, QStringLiteral("AAA"), QStringLiteral("Aaa"));
    if (!QTest::qWaitForWindowExposed(form))
        qWarning("chart window not exposed");
    return form;
}

struct TCloser
{
    TGraphForm *form;
    ~TCloser()
    {
        if (form)
            form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

} // namespace

class tst_Graphfrm : public QObject
{
    Q_OBJECT

private slots:
    void oneWindowPerCaption();
    void checkBoxesFollowTheOptionBits_data();
    void checkBoxesFollowTheOptionBits();
    void pressReadsOutAndDrawsTheCursor();
    void shortDragChangesNothingButEnablesZoomOut();
    void dragZoomsToTheRange();
    void zoomButtonsEnableAndDisable();
    void overlayDialog();
    void overlayDialogRewritesStaleNames();
    void rememberSizeChangesOnlyTheSizeBytes();
    void copyPutsThePictureOnTheClipboard();
    void printGivesOnePage();
    void purgeWhileOpenStartsAFreshView();
};

void tst_Graphfrm::oneWindowPerCaption()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 200);
    TGraphForm *form = openChart();
    TCloser closer{form};
    QCOMPARE(form->windowTitle(), QStringLiteral("Aaa (AAA) - Graph"));
    QCOMPARE(OpenGraphForm(nullptr, QStringLiteral("AAA"), QStringLiteral("Aaa")), form);
    TGraphForm *other = OpenGraphForm(nullptr, QStringLiteral("BBB"), QStringLiteral("Bbb"));
    TCloser closer2{other};
    QVERIFY(other != form);
    QVERIFY(!form->picture().isNull());
    QV_VERIFY_ENV(env);
}

void tst_Graphfrm::checkBoxesFollowTheOptionBits_data()
{
    QTest::addColumn<int>("options");
    QTest::addColumn<bool>("portfolio");
    QTest::addColumn<QList<bool>>("checked"); // Std1 std2 Moving BoughtSold HighLow Highest
    QTest::newRow("none") << 0 << true << QList<bool>{false, false, false, false, false, false};
    QTest::newRow("all") << 63 << true << QList<bool>{true, true, true, true, true, true};
    QTest::newRow("moving and high/low")
        << (4 | 16) << true << QList<bool>{false, false, true, false, true, false};
    QTest::newRow("no portfolio") << 8 << false << QList<bool>{false, false, false, true, false, false};
}

void tst_Graphfrm::checkBoxesFollowTheOptionBits()
{
    QFETCH(int, options);
    QFETCH(bool, portfolio);
    QFETCH(QList<bool>, checked);
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 200);
    setGraph([&](TGraphSettings &g) { g.Options = uint16_t(options); });
    if (portfolio)
        CurrentPortfolio.FileName = QStringLiteral("P1");
    TGraphForm *form = openChart();
    TCloser closer{form};
    const QList<bool> got{form->Std1->isChecked(),    form->std2->isChecked(),
                          form->Moving->isChecked(),  form->BoughtSold->isChecked(),
                          form->HighLow->isChecked(), form->Highest->isChecked()};
    QCOMPARE(got, checked);
    QCOMPARE(form->BoughtSold->isEnabled(), portfolio);
    // ticking an indicator draws it over the picture; unticking redraws without it
    const QImage before = form->picture();
    form->Moving->setChecked(!form->Moving->isChecked());
    form->Moving->setChecked(!form->Moving->isChecked());
    QCOMPARE(form->picture(), before);
}

void tst_Graphfrm::pressReadsOutAndDrawsTheCursor()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 200);
    TGraphForm *form = openChart();
    TCloser closer{form};
    const QImage clean = form->picture();
    const int right = form->picture().width() - 1;
    form->Image1MouseDown(Qt::LeftButton, QPoint(right, 100));
    // at the right edge: the last record, 2000-07-20
    QCOMPARE(form->panelTexts(), (QStringList{"Date: 07/20/2000", "High: 12.0000", "Low: 10.0000",
                                              "Close: 11.0000", "Volume: 1199"}));
    QVERIFY(form->cursorX() >= 0);
    QVERIFY(form->picture() != clean);
    form->Image1MouseUp(Qt::LeftButton, QPoint(right, 100));
    // a right press erases the line and starts nothing
    form->Image1MouseDown(Qt::RightButton, QPoint(right - 50, 100));
    QCOMPARE(form->cursorX(), -1);
    QCOMPARE(form->picture(), clean);
    QCOMPARE(form->panelTexts().first(), QStringLiteral("Date: 07/20/2000"));
    // left of the margin: no read-out, no line, and a drag from there draws nothing
    form->Image1MouseDown(Qt::LeftButton, QPoint(2, 100));
    form->Image1MouseMove(Qt::LeftButton, QPoint(300, 150));
    form->Image1MouseUp(Qt::LeftButton, QPoint(300, 150));
    QCOMPARE(form->cursorX(), -1);
    QCOMPARE(form->picture(), clean);
    QCOMPARE(form->panelTexts().first(), QStringLiteral("Date: 07/20/2000"));
}

void tst_Graphfrm::shortDragChangesNothingButEnablesZoomOut()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 400);
    TGraphForm *form = openChart();
    TCloser closer{form};
    form->MaxBtnClick();
    QVERIFY(!form->ZoomOutBtn->isEnabled());
    const QImage clean = form->picture();
    const TGraphView before = form->chart().view();
    const int x = form->chart().RecordX(before.Start + 20);
    form->Image1MouseDown(Qt::LeftButton, QPoint(x, 80));
    form->Image1MouseMove(Qt::LeftButton, QPoint(x + 3, 120));
    form->Image1MouseMove(Qt::LeftButton, QPoint(x + 6, 130));
    form->Image1MouseUp(Qt::LeftButton, QPoint(x + 6, 130));
    QCOMPARE(form->chart().view().Start, before.Start);
    QCOMPARE(form->chart().view().N, before.N);
    QCOMPARE(form->picture(), clean); // cursor and rectangle both erased
    QVERIFY(form->ZoomOutBtn->isEnabled());
}

void tst_Graphfrm::dragZoomsToTheRange()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 400);
    TGraphForm *form = openChart();
    TCloser closer{form};
    TGraphChart &c = form->chart();
    const int start = c.view().Start;
    const int x1 = c.RecordX(start + 10) - 1;
    const int x2 = c.RecordX(start + 40) - 1;
    form->Image1MouseDown(Qt::LeftButton, QPoint(x1, 80));
    form->Image1MouseMove(Qt::LeftButton, QPoint(x2, 130));
    form->Image1MouseUp(Qt::LeftButton, QPoint(x2, 130));
    QCOMPARE(c.view().N, 30);
    QCOMPARE(c.view().End, start + 40);
    QCOMPARE(form->ScrollBar1->value(), start + 40);
    QCOMPARE(form->cursorX(), -1);
}

void tst_Graphfrm::zoomButtonsEnableAndDisable()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 400);
    setGraph([](TGraphSettings &g) { g.DefaultRecords = 25; });
    TGraphForm *form = openChart();
    TCloser closer{form};
    form->ZoomInBtn->click(); // 15
    form->ZoomInBtn->click(); // 5
    QCOMPARE(form->chart().view().N, 5);
    QVERIFY(form->ZoomInBtn->isEnabled());
    form->ZoomInBtn->click(); // no further
    QVERIFY(!form->ZoomInBtn->isEnabled());
    form->ZoomOutBtn->click(); // 15: zooming in is possible again
    QCOMPARE(form->chart().view().N, 15);
    QVERIFY(form->ZoomInBtn->isEnabled());
    form->MaxBtn->click();
    QVERIFY(!form->ZoomOutBtn->isEnabled());
    QVERIFY(form->ZoomInBtn->isEnabled());
    form->ZoomOutBtn->setEnabled(true);
    form->ZoomOutBtn->click(); // N is already the maximum
    QVERIFY(!form->ZoomOutBtn->isEnabled());
    form->DefaultBtn->click();
    QCOMPARE(form->chart().view().N, 25);
    QVERIFY(form->ScrollBar1->isEnabled());
}

void tst_Graphfrm::overlayDialog()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 200);
    writeSeries(QStringLiteral("BBB"), 200);
    addSymbol("AAA", "Aaa");
    addSymbol("BBB", "Bbb");
    addWatch("AAA", "Aaa");
    addWatch("BBB", "Bbb");
    TGraphForm *form = openChart();
    TCloser closer{form};
    auto choose = [](int row) {
        QueueModalScript([row](QDialog *d) {
            auto *dialog = qobject_cast<TOverlayForm *>(d);
            if (!dialog || dialog->windowTitle() != QStringLiteral("Select Overlay"))
                return int(QDialog::Rejected);
            if (row < 0)
                return int(QDialog::Rejected);
            dialog->ListBox1->setCurrentRow(row);
            dialog->OverlayBtn->click();
            return dialog->result();
        });
    };
    choose(1);
    form->OverlayBtn->click();
    QCOMPARE(form->chart().seriesCount(), 2);
    QCOMPARE(form->chart().series(1).Symbol, QStringLiteral("BBB"));
    choose(-1); // Cancel clears it
    form->OverlayBtn->click();
    QCOMPARE(form->chart().seriesCount(), 1);
    choose(1);
    form->OverlayBtn->click();
    choose(0); // the charted security itself clears it too
    form->OverlayBtn->click();
    QCOMPARE(form->chart().seriesCount(), 1);
    QV_VERIFY_ENV(env);
}

void tst_Graphfrm::overlayDialogRewritesStaleNames()
{
    TTestEnv env;
    addSymbol("AAA", "Renamed Aaa");
    addWatch("AAA", "Old Aaa");
    addWatch("ZZZ", "Zed");
    {
        TOverlayForm dialog;
        QCOMPARE(dialog.ListBox1->count(), 2);
        QCOMPARE(dialog.ListBox1->item(0)->text(), QStringLiteral("RENAMED AAA"));
        QCOMPARE(dialog.ListBox1->item(1)->text(), QStringLiteral("ZZZ Not On File"));
        QCOMPARE(dialog.ListBox1->currentRow(), 0);
        QVERIFY(dialog.OverlayBtn->isEnabled());
    }
    TWatchDatabase list(WatchListPath());
    TListRecord r;
    list.ReadAt(r, 0);
    QCOMPARE(r.Name.text(), QStringLiteral("RENAMED AAA"));
    list.ReadAt(r, 1);
    QCOMPARE(r.Name.text(), QStringLiteral("ZZZ Not On File"));
    // an empty or missing list offers only Cancel and creates nothing
    QFile::remove(WatchListPath());
    TOverlayForm empty;
    QCOMPARE(empty.ListBox1->count(), 0);
    QVERIFY(!empty.OverlayBtn->isEnabled());
    QVERIFY(!QFile::exists(WatchListPath()));
}

void tst_Graphfrm::rememberSizeChangesOnlyTheSizeBytes()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 200);
    setGraph([](TGraphSettings &g) { g.DontRememberSize = 0; });
    const QByteArray before = TTestEnv::readFile(env.path(QStringLiteral("Stocks.cfg")));
    TGraphForm *form = openChart();
    form->resize(700, 500);
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QByteArray after = TTestEnv::readFile(env.path(QStringLiteral("Stocks.cfg")));
    QCOMPARE(after.size(), before.size());
    QList<int> changed;
    for (int i = 0; i < after.size(); ++i)
        if (after[i] != before[i])
            changed << i;
    for (int i : changed)
        QVERIFY2(i >= 3562 + 192 && i <= 3562 + 195, qPrintable(QString::number(i)));
    QCOMPARE(GetGraphSettings().Width, 700);
    QCOMPARE(GetGraphSettings().Height, 500);
    TGraphForm *next = openChart();
    TCloser closer{next};
    QCOMPARE(next->size(), QSize(700, 500));
}

void tst_Graphfrm::copyPutsThePictureOnTheClipboard()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 200);
    TGraphForm *form = openChart();
    TCloser closer{form};
    form->CopyBtn->click();
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), form->picture().size());
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), form->picture());
}

void tst_Graphfrm::printGivesOnePage()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 200);
    TGraphForm *form = openChart();
    TCloser closer{form};
    const QString pdf = env.path(QStringLiteral("chart.pdf"));
    AppPrinter()->setOutputFormat(QPrinter::PdfFormat);
    AppPrinter()->setOutputFileName(pdf);
    QueueModalScript([](QDialog *) { return int(QDialog::Accepted); });
    form->PrintBtn->click();
    QCOMPARE(AppPrinter()->docName(), QStringLiteral("The Quorvane"));
    const QByteArray bytes = TTestEnv::readFile(pdf);
    QVERIFY(!bytes.isEmpty());
    const auto pages =
        QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")));
    QCOMPARE(pages, 1);
    QV_VERIFY_ENV(env);
}

void tst_Graphfrm::purgeWhileOpenStartsAFreshView()
{
    TTestEnv env;
    writeSeries(QStringLiteral("AAA"), 400);
    TGraphForm *form = openChart();
    TCloser closer{form};
    QCOMPARE(form->chart().view().End, 399);
    form->chart().CloseFiles(); // the window lost the focus to the purge
    writeSeries(QStringLiteral("AAA"), 100);
    form->FullDrawing();
    QCOMPARE(form->chart().view().End, 99);
    QCOMPARE(form->chart().view().Start, 0);
}

QTEST_MAIN(tst_Graphfrm)
#include "tst_Graphfrm.moc"
