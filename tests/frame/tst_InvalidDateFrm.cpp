#include "TestEnv.h"

#include "frame/CalendarPictures.h"
#include "frame/DateBoxUi.h"
#include "frame/InvalidDateFrm.h"
#include "frame/ModalUi.h"
#include "frame/StdUnitDates.h"
#include "frame/Stockcfg.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {

// Makes `name` under the test folder the configured calendar folder.
QString useCalendarFolder(const TTestEnv &env, const QString &name = QStringLiteral("pictures"))
{
    QDir().mkpath(env.path(name));
    LoadConfig();
    ConfigRecord.Files.CalendarFolder.setText(env.path(name));
    SaveConfig();
    return GetFiles().CalendarFolder;
}

bool writePicture(const QString &path, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(40, 120, 200));
    return image.save(path);
}

QCalendarWidget *calendarOf(QDialog *d)
{
    return d->findChild<QCalendarWidget *>(QStringLiteral("MonthCalendar1"));
}

// How much wider than its designed 209 pixels the calendar was made so that
// the longest month name fits its title row; the dialog widens by as much.
int widening(QDialog *d)
{
    return calendarOf(d)->width() - 209;
}

// The cell of a day of the month on view (the grid also shows days of the
// months before and after).
QPoint dayCell(QCalendarWidget *calendar, int day, QAbstractItemView **viewOut)
{
    auto *view = calendar->findChild<QAbstractItemView *>(QStringLiteral("qt_calendar_calendarview"));
    *viewOut = view;
    if (!view)
        return {};
    const QAbstractItemModel *model = view->model();
    bool inMonth = false;
    for (int r = 0; r < model->rowCount(); ++r) {
        for (int c = 0; c < model->columnCount(); ++c) {
            bool number = false;
            const int n = model->index(r, c).data().toInt(&number);
            if (!number)
                continue;
            if (n == 1)
                inMonth = !inMonth;
            if (inMonth && n == day)
                return view->visualRect(model->index(r, c)).center();
        }
    }
    return {};
}

void clickDay(QCalendarWidget *calendar, int day, bool twice)
{
    QAbstractItemView *view = nullptr;
    const QPoint at = dayCell(calendar, day, &view);
    QVERIFY(view && !at.isNull());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

void showAndWait(QWidget *w)
{
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
}

} // namespace

class TestInvalidDateFrm : public QObject
{
    Q_OBJECT

private slots:
    // ---- picture choice and sizing (core) ------------------------------

    void candidatesInPreferenceOrder()
    {
        const QStringList names = CalendarPictureCandidates(QStringLiteral("D/"), QDate(2004, 2, 9));
        QCOMPARE(names, (QStringList{"D/20040209.jpg", "D/20040209.bmp", "D/20040200.jpg", "D/20040200.bmp",
                                     "D/20040000.jpg", "D/20040000.bmp", "D/00000209.jpg", "D/00000209.bmp",
                                     "D/00000200.jpg", "D/00000200.bmp", "D/00000009.jpg", "D/00000009.bmp",
                                     "D/00.jpg", "D/00.bmp"}));
    }

    void fitsIntoPictureBox_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("exact box") << QSize(209, 156) << QSize(209, 156);
        QTest::newRow("twice the box") << QSize(418, 312) << QSize(209, 156);
        QTest::newRow("small is not enlarged") << QSize(100, 50) << QSize(100, 50);
        QTest::newRow("tall limited to 156 high") << QSize(300, 600) << QSize(78, 156);
        QTest::newRow("height half rounds to even") << QSize(418, 209) << QSize(209, 104);
        QTest::newRow("width half rounds to even, down") << QSize(209, 312) << QSize(104, 156);
        QTest::newRow("width half rounds to even, up") << QSize(211, 312) << QSize(106, 156);
        QTest::newRow("narrow sliver keeps a pixel") << QSize(2000, 1) << QSize(209, 1);
        QTest::newRow("no area") << QSize(0, 10) << QSize(0, 0);
    }
    void fitsIntoPictureBox()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, shown);
        const TPictureSize fit = FitCalendarPicture(picture.width(), picture.height());
        QCOMPARE(QSize(fit.Width, fit.Height), shown);
    }

    void refreshPrefersDayAndReloadsOnlyOnChange()
    {
        TTestEnv env;
        const QString d = useCalendarFolder(env);
        QVERIFY(writePicture(d + "20040210.bmp", 100, 75));
        QVERIFY(writePicture(d + "20040200.bmp", 300, 150));
        TCalendarPictures pictures;

        TPictureRefresh r = pictures.refresh(d, QDate(2004, 2, 10));
        QCOMPARE(r.Kind, TPictureRefresh::Loaded);
        QCOMPARE(r.Path, d + "20040210.bmp");
        QCOMPARE(r.FormWidth, 100 + 244);

        r = pictures.refresh(d, QDate(2004, 2, 11));
        QCOMPARE(r.Path, d + "20040200.bmp");
        QCOMPARE(r.Size, (TPictureSize{209, 104}));
        QCOMPARE(r.FormWidth, 209 + 244);
        QCOMPARE(pictures.refresh(d, QDate(2004, 2, 12)).Kind, TPictureRefresh::Unchanged);

        r = pictures.refresh(d, QDate(2004, 3, 1));
        QCOMPARE(r.Kind, TPictureRefresh::NoPicture);
        QCOMPARE(r.FormWidth, 228);
        QCOMPARE(pictures.current(), QString());

        QVERIFY(writePicture(d + "00.bmp", 50, 50));
        QCOMPARE(pictures.refresh(d, QDate(2004, 3, 1)).Path, d + "00.bmp");

        r = pictures.refresh(QString(), QDate(2004, 3, 1));
        QCOMPARE(r.Kind, TPictureRefresh::NoFolder);
        QCOMPARE(r.FormWidth, 228);
        QV_VERIFY_ENV(env);
    }

    // A damaged picture file shows the calendar alone instead of an error.
    void damagedPictureCountsAsNone()
    {
        TTestEnv env;
        const QString d = useCalendarFolder(env);
        env.writeFile(d + "00.jpg", QByteArray("\xff\xd8\xff\xe0 not really a picture", 26));
        TCalendarPictures pictures;
        const TPictureRefresh r = pictures.refresh(d, QDate(2004, 2, 10));
        QCOMPARE(r.Kind, TPictureRefresh::NoPicture);
        QCOMPARE(r.FormWidth, 228);
        QV_VERIFY_ENV(env);
    }

    // ---- the dialog -------------------------------------------------------

    void dialogShowsDayPictureTodayMonthPictureOnAnotherDay()
    {
        TTestEnv env;
        env.pinClock(QDateTime(QDate(2004, 2, 10), QTime(10, 0)));
        const QString d = useCalendarFolder(env);
        QVERIFY(writePicture(d + "20040210.jpg", 100, 75));
        QVERIFY(writePicture(d + "20040200.jpg", 418, 209));
        TInvalidDateForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Calendar"));
        QCOMPARE(form.pictureName(), d + "20040210.jpg");
        QCOMPARE(form.pictureSize(), QSize(100, 75)); // not enlarged
        QCOMPARE(form.width(), 344 + widening(&form));
        showAndWait(&form);
        clickDay(calendarOf(&form), 15, false);
        QCOMPARE(form.date(), QDate(2004, 2, 15));
        QCOMPARE(form.pictureName(), d + "20040200.jpg");
        QCOMPARE(form.pictureSize(), QSize(209, 104)); // scaled down
        QCOMPARE(form.width(), 453 + widening(&form));
        QV_VERIFY_ENV(env);
    }

    void withoutFolderCalendarStandsAlone()
    {
        TTestEnv env;
        TInvalidDateForm form;
        QCOMPARE(form.width(), 228 + widening(&form));
        QCOMPARE(form.pictureSize(), QSize());
        QV_VERIFY_ENV(env);
    }

    void changingTheMonthRefreshesThePicture()
    {
        TTestEnv env;
        const QString d = useCalendarFolder(env);
        QVERIFY(writePicture(d + "00000300.bmp", 120, 90));
        TInvalidDateForm form;
        form.setDate(QDate(2004, 2, 29));
        QCOMPARE(form.width(), 228 + widening(&form));
        calendarOf(&form)->showNextMonth();
        QCOMPARE(form.date(), QDate(2004, 3, 29));
        QCOMPARE(form.width(), 120 + 244 + widening(&form));
        calendarOf(&form)->showNextMonth();
        QCOMPARE(form.date(), QDate(2004, 4, 29));
        QCOMPARE(form.width(), 228 + widening(&form));
        QV_VERIFY_ENV(env);
    }

    // The month name shows whole between the year buttons for every month,
    // and the picture box stays clear of the calendar.
    void titleRowShowsTheLongestMonthName()
    {
        TTestEnv env;
        useCalendarFolder(env);
        TInvalidDateForm form;
        form.setDate(QDate(2026, 9, 30));
        form.show();
        QApplication::processEvents();
        QCalendarWidget *calendar = calendarOf(&form);
        auto *month = calendar->findChild<QToolButton *>(QStringLiteral("qt_calendar_monthbutton"));
        auto *prev = form.findChild<QPushButton *>(QStringLiteral("PrevYearBtn"));
        auto *next = form.findChild<QPushButton *>(QStringLiteral("NextYearBtn"));
        QVERIFY(month && prev && next);
        QCOMPARE(month->text(), QLocale().standaloneMonthName(9));
        const QFontMetrics metrics(month->font());
        QVERIFY(month->width() >= metrics.horizontalAdvance(month->text()));
        const QRect monthRect(month->mapTo(&form, QPoint(0, 0)), month->size());
        const QRect prevRect(prev->mapTo(&form, QPoint(0, 0)), prev->size());
        const QRect nextRect(next->mapTo(&form, QPoint(0, 0)), next->size());
        QVERIFY(!monthRect.intersects(prevRect));
        QVERIFY(!monthRect.intersects(nextRect));
        QVERIFY(nextRect.right() <= calendar->geometry().right() + 1);
        auto *image = form.findChild<QLabel *>(QStringLiteral("Image1"));
        QVERIFY(image->x() > calendar->geometry().right());
        QVERIFY(form.width() >= image->x());
        QV_VERIFY_ENV(env);
    }

    // "Loading Image" / "Please Wait" show only while no picture is on view:
    // beside a narrow picture no part of them may stick out.
    void loadingLabelsHideUnderANarrowPicture()
    {
        TTestEnv env;
        env.pinClock(QDateTime(QDate(2026, 3, 5), QTime(9, 0)));
        const QString d = useCalendarFolder(env);
        TInvalidDateForm form;
        auto *loading = form.findChild<QLabel *>(QStringLiteral("LoadingLabel"));
        auto *wait = form.findChild<QLabel *>(QStringLiteral("WaitLabel"));
        form.show();
        QVERIFY(loading->isVisible() && wait->isVisible());
        QVERIFY(writePicture(d + "20260300.bmp", 30, 156));
        form.setDate(QDate(2026, 3, 6));
        QCOMPARE(form.pictureName(), d + "20260300.bmp");
        QVERIFY(!loading->isVisible());
        QVERIFY(!wait->isVisible());
        form.setDate(QDate(2026, 4, 6));
        QCOMPARE(form.pictureName(), QString());
        QVERIFY(loading->isVisible() && wait->isVisible());
        QV_VERIFY_ENV(env);
    }

    void yearButtonsKeepMonthAndDay()
    {
        TTestEnv env;
        TInvalidDateForm form;
        auto *next = form.findChild<QPushButton *>(QStringLiteral("NextYearBtn"));
        auto *prev = form.findChild<QPushButton *>(QStringLiteral("PrevYearBtn"));
        QVERIFY(next && prev);
        form.setDate(QDate(2004, 2, 10));
        next->click();
        QCOMPARE(form.date(), QDate(2005, 2, 10));
        prev->click();
        prev->click();
        QCOMPARE(form.date(), QDate(2003, 2, 10));
        // 29 February has no day a year on: the calendar stays put.
        form.setDate(QDate(2004, 2, 29));
        next->click();
        QCOMPARE(form.date(), QDate(2004, 2, 29));
        QCOMPARE(env.messages.texts(), QStringList{"Invalid argument to date encode"});
        QCOMPARE(env.messages.said.front().icon, TMsgIcon::Error);
        QV_VERIFY_ENV(env);
    }

    // ---- PickDate ------------------------------------------------------------

    void pickDateByDoubleClick()
    {
        TTestEnv env;
        QueueModalScript([](QDialog *d) {
            showAndWait(d);
            [&] {
                QCOMPARE(calendarOf(d)->selectedDate(), QDate(2004, 2, 10));
                QCOMPARE(d->height(), 199);
                QVERIFY(!d->findChild<QLabel *>(QStringLiteral("InvalidLabel"))->isVisible());
            }();
            clickDay(calendarOf(d), 17, true);
            return d->isVisible() ? int(QDialog::Rejected) : d->result();
        });
        QCOMPARE(PickDate(nullptr, QStringLiteral("02/10/2004")), QStringLiteral("02/17/2004"));
        QV_VERIFY_ENV(env);
    }

    void pickDateByKeyboard()
    {
        TTestEnv env;
        QueueModalScript([](QDialog *d) {
            showAndWait(d);
            auto *view =
                calendarOf(d)->findChild<QAbstractItemView *>(QStringLiteral("qt_calendar_calendarview"));
            QTest::keyClick(view, Qt::Key_Right);
            QTest::keyClick(view, Qt::Key_Return);
            return d->result();
        });
        QCOMPARE(PickDate(nullptr, QStringLiteral("12/31/1999")), QStringLiteral("01/01/2000"));
        QV_VERIFY_ENV(env);
    }

    // Closing with the close box still answers with the calendar's date.
    void pickDateClosedByCloseBox()
    {
        TTestEnv env;
        QueueModalScript([](QDialog *d) {
            d->findChild<QPushButton *>(QStringLiteral("NextYearBtn"))->click();
            return int(QDialog::Rejected);
        });
        QCOMPARE(PickDate(nullptr, QStringLiteral("1 /5 /2001")), QStringLiteral("01/05/2002"));
        QV_VERIFY_ENV(env);
    }

    void pickDateRefusesTextThatIsNoDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty box") << kEmptyDateBoxText;
        QTest::newRow("no such day") << "02/30/2004";
        QTest::newRow("part-typed") << "12/  /    ";
    }
    void pickDateRefusesTextThatIsNoDate()
    {
        QFETCH(QString, text);
        TTestEnv env; // strict: a dialog shown here would fail the test
        QCOMPARE(PickDate(nullptr, text), text);
        QCOMPARE(env.messages.texts(), QStringList{QStringLiteral("'%1' is not a valid date").arg(text)});
        QCOMPARE(env.messages.said.front().icon, TMsgIcon::Error);
        QV_VERIFY_ENV(env);
    }

    // ---- AskReplacementDate ------------------------------------------------

    void replacementDateShowsSecurityAndReturnsStoredDate()
    {
        TTestEnv env;
        env.pinClock(QDateTime(QDate(2004, 2, 10), QTime(10, 0)));
        QueueModalScript([](QDialog *d) {
            [&] {
                QCOMPARE(d->height(), 252);
                QCOMPARE(calendarOf(d)->selectedDate(), QDate(2004, 2, 10));
                auto *invalid = d->findChild<QLabel *>(QStringLiteral("InvalidLabel"));
                auto *symbol = d->findChild<QLabel *>(QStringLiteral("SymbolLabel"));
                auto *name = d->findChild<QLabel *>(QStringLiteral("NameLabel"));
                QVERIFY(!invalid->isHidden() && !symbol->isHidden() && !name->isHidden());
                QCOMPARE(invalid->text(), QStringLiteral("Invalid Date "));
                QCOMPARE(invalid->font().pixelSize(), 32);
                QCOMPARE(symbol->text(), QStringLiteral("XYZ.B"));
                QCOMPARE(name->text(), QStringLiteral("xyz.b Not On File"));
                QCOMPARE(name->palette().color(QPalette::WindowText), QColor(Qt::red));
            }();
            calendarOf(d)->setSelectedDate(QDate(2004, 1, 30));
            return int(QDialog::Accepted);
        });
        QCOMPARE(AskReplacementDate(nullptr, QStringLiteral("xyz.b"), QStringLiteral("xyz.b Not On File"),
                                    Qt::red),
                 QStringLiteral("20040130"));
        QV_VERIFY_ENV(env);
    }

    // ---- the date box --------------------------------------------------------

    void dateBoxReadsLikeTheMask_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("reads");
        QTest::newRow("empty") << ""
                               << "  /  /    ";
        QTest::newRow("empty box text") << "  /  /    "
                                        << "  /  /    ";
        QTest::newRow("full date") << "12/31/1999"
                                   << "12/31/1999";
        QTest::newRow("part-typed") << "1 /5 /2001"
                                    << "1 /5 /2001";
        QTest::newRow("letters refused") << "ab/cd/efgh"
                                         << "  /  /    ";
    }
    void dateBoxReadsLikeTheMask()
    {
        QFETCH(QString, set);
        QFETCH(QString, reads);
        TDateBox box;
        box.setText(set);
        QCOMPARE(box.text(), reads);
    }

    void dateBoxTypingAndDates()
    {
        TTestEnv env;
        TDateBox box(nullptr, QStringLiteral("StopDateBtn"));
        QVERIFY(box.findChild<QToolButton *>(QStringLiteral("StopDateBtn")));
        showAndWait(&box);
        box.edit()->setFocus();
        box.edit()->home(false);
        QTest::keyClicks(box.edit(), QStringLiteral("0704"));
        QCOMPARE(box.text(), QStringLiteral("07/04/    "));
        QVERIFY(!box.date().isValid());
        QTest::keyClicks(box.edit(), QStringLiteral("2003"));
        QCOMPARE(box.date(), QDate(2003, 7, 4));
        box.setDate(QDate());
        QCOMPARE(box.text(), kEmptyDateBoxText);
        QV_VERIFY_ENV(env);
    }

    void dateBoxButtonPicksIntoTheBox()
    {
        TTestEnv env;
        TDateBox box;
        box.setText(QStringLiteral("02/10/2004"));
        QueueModalScript([](QDialog *d) {
            calendarOf(d)->setSelectedDate(QDate(2004, 2, 20));
            return int(QDialog::Accepted);
        });
        box.button()->click();
        QCOMPARE(box.text(), QStringLiteral("02/20/2004"));

        box.setText(kEmptyDateBoxText); // refused with a message, no dialog
        box.button()->click();
        QCOMPARE(box.text(), kEmptyDateBoxText);
        QCOMPARE(env.messages.texts(), QStringList{"'  /  /    ' is not a valid date"});
        QV_VERIFY_ENV(env);
    }
};

QTEST_MAIN(TestInvalidDateFrm)
#include "tst_InvalidDateFrm.moc"
