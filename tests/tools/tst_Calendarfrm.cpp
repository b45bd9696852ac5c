#include "TestEnv.h"

#include "frame/Clock.h"
#include "frame/Stockcfg.h"
#include "tools/Calendarfrm.h"

#include <QCalendarWidget>
#include <QImage>
#include <QLabel>
#include <QtTest>

namespace {

void setCalendarFolder(const QString &folder)
{
    LoadConfig();
    ConfigRecord.Files.CalendarFolder.setText(folder);
    QVERIFY(SaveConfig());
}

void writePicture(const QString &path, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QVERIFY(image.save(path, "JPG"));
}

} // namespace

class TestCalendarFrm : public QObject
{
    Q_OBJECT

private slots:
    void withoutFolderShowsTheCalendarAlone()
    {
        TTestEnv env;
        env.pinClock(QDateTime(QDate(2004, 3, 15), QTime(9, 0)));
        setCalendarFolder({});
        TCalendarForm *form = ShowCalendar(nullptr);
        QCOMPARE(form->windowTitle(), QStringLiteral("Calendar"));
        QCOMPARE(form->MonthCalendar1->selectedDate(), QDate(2004, 3, 15));
        QCOMPARE(form->width(), 228);
        QCOMPARE(form->LoadingLabel->text(), QStringLiteral("Loading  Image"));
        QCOMPARE(ShowCalendar(nullptr), form); // created once
        delete form;
        QV_VERIFY_ENV(env);
    }

    void dayPictureTodayMonthPictureOtherDays()
    {
        TTestEnv env;
        env.pinClock(QDateTime(QDate(2004, 3, 15), QTime(9, 0)));
        const QString folder = env.dir() + QStringLiteral("cal/");
        QDir().mkpath(folder);
        setCalendarFolder(folder);
        writePicture(folder + "20040315.jpg", 100, 80);
        writePicture(folder + "20040300.jpg", 300, 400); // a tall picture is held to 156 high
        TCalendarForm form;
        form.MonthCalendar1->setSelectedDate(Clock::Today());
        form.show();
        QCOMPARE(form.pictureName(), folder + "20040315.jpg");
        QCOMPARE(form.pictureSize(), QSize(100, 80));
        QCOMPARE(form.width(), 344);

        form.MonthCalendar1->setSelectedDate(QDate(2004, 3, 2));
        emit form.MonthCalendar1->clicked(QDate(2004, 3, 2));
        QCOMPARE(form.pictureName(), folder + "20040300.jpg");
        QCOMPARE(form.pictureSize().height(), 156);
        QCOMPARE(form.pictureSize().width(), 117);

        form.MonthCalendar1->setSelectedDate(QDate(2004, 5, 2)); // a month without pictures
        QCOMPARE(form.width(), 228);
        QCOMPARE(form.pictureName(), QString());
        QV_VERIFY_ENV(env);
    }

    void widePictureIsScaledToTheBoxWidth()
    {
        TTestEnv env;
        const QString folder = env.dir() + QStringLiteral("cal/");
        QDir().mkpath(folder);
        setCalendarFolder(folder);
        writePicture(folder + "00.jpg", 418, 100);
        TCalendarForm form;
        form.MonthCalendar1->setSelectedDate(QDate(2010, 1, 1));
        form.refreshPicture();
        QCOMPARE(form.pictureSize(), QSize(209, 50));
        QCOMPARE(form.width(), 209 + 244);
        QV_VERIFY_ENV(env);
    }
};

QTEST_MAIN(TestCalendarFrm)
#include "tst_Calendarfrm.moc"
