#include "TestEnv.h"

#include "frame/StdUnit.h"

#include <QtTest>

class TestDates : public QObject
{
    Q_OBJECT

private slots:
    void convertsBetweenForms_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        auto row = [](const char *name, const QString &from, const QString &to, const char *text,
                      const char *expected) {
            QTest::newRow(name) << from << to << QString::fromLatin1(text) << QString::fromLatin1(expected);
        };
        row("display to stored", kFormMM_DD_YYYY, kFormYYYYMMDD, "12/31/1999", "19991231");
        row("stored to display", kFormYYYYMMDD, kFormMM_DD_YYYY, "19991231", "12/31/1999");
        row("any separator: dots", kFormMM_DD_YYYY, kFormYYYYMMDD, "12.31.1999", "19991231");
        row("any separator: dashes", kFormMM_DD_YYYY, kFormYYYYMMDD, "12-31-1999", "19991231");
        row("49 is 2049", kFormYY_MM_DD, kFormYYYYMMDD, "49-01-02", "20490102");
        row("50 is 1950", kFormYY_MM_DD, kFormYYYYMMDD, "50-01-02", "19500102");
        row("00 is 2000", kFormYYMMDD, kFormYYYYMMDD, "000229", "20000229");
        row("99 is 1999", kFormMM_DD_YY, kFormYYYYMMDD, "07/04/99", "19990704");
        row("year first, four digits", kFormYYYY_MM_DD, kFormYYYYMMDD, "2003-07-04", "20030704");
        row("month name lower case", kFormDD_MMM_YY, kFormYYYYMMDD, "05-jan-03", "20030105");
        row("month name with blanks", kFormDD_MMM_YYYY, kFormYYYYMMDD, "05 Feb 1999", "19990205");
        row("every month name", kFormDD_MMM_YYYY, kFormYYYYMMDD, "31 dEc 2001", "20011231");
        row("unknown month name kept upper", kFormDD_MMM_YYYY, kFormYYYYMMDD, "05 Foo 1999", "1999FOO05");
        row("written with month name", kFormYYYYMMDD, kFormDD_MMM_YYYY, "19990205", "05 Feb 1999");
        row("written with short year", kFormYYYYMMDD, kFormDD_MMM_YY, "20031105", "05 Nov 03");
        row("written as six digits", kFormYYYYMMDD, kFormYYMMDD, "19990205", "990205");
        row("written month and day", kFormYYYYMMDD, kFormMM_DD, "19990205", "02/05");
        row("written year first", kFormYYYYMMDD, kFormYYYY_MM_DD, "19990205", "1999/02/05");
        row("written short year first", kFormYYYYMMDD, kFormYY_MM_DD, "20030205", "03/02/05");
        row("written short year last", kFormYYYYMMDD, kFormMM_DD_YY, "20030205", "02/05/03");
        row("month not a month name", kFormYYYYMMDD, kFormDD_MMM_YYYY, "19991305", "05 13 1999");
        row("one-digit parts are not read", kFormMM_DD_YYYY, kFormYYYYMMDD, "1/5/2001", "011//2");
        row("short text gives short parts", kFormMM_DD_YYYY, kFormYYYYMMDD, "12/3", "123");
        row("empty text", kFormYYYYMMDD, kFormMM_DD_YYYY, "", "//");
        row("unknown source form", QStringLiteral("MM/DD/YYYY"), kFormYYYYMMDD, "12/31/1999", "");
        row("unknown target form", kFormYYYYMMDD, QStringLiteral("yyyymmdd"), "19991231", "");
    }
    void convertsBetweenForms()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        TTestEnv env;
        QCOMPARE(ConvertDate(from, to, text), expected);
    }

    void monthDayTakesTheCurrentYear()
    {
        TTestEnv env;
        env.pinClock(QDateTime(QDate(2003, 11, 20), QTime(9, 0)));
        QCOMPARE(ConvertDate(kFormMM_DD, kFormYYYYMMDD, QStringLiteral("07-04")), QStringLiteral("20030704"));
        QCOMPARE(SplitDateText(kFormMM_DD, QStringLiteral("12/31")),
                 (TDateParts{QStringLiteral("12"), QStringLiteral("31"), QStringLiteral("2003")}));
        QV_VERIFY_ENV(env);
    }

    void unknownFormGivesEmptyParts()
    {
        QCOMPARE(SplitDateText(QStringLiteral("yyyy-mm-dd"), QStringLiteral("1999-12-31")), TDateParts{});
        QCOMPARE(JoinDateText(QString(), QStringLiteral("12"), QStringLiteral("31"), QStringLiteral("1999")),
                 QString());
    }

    void formNamesInDialogOrder()
    {
        QCOMPARE(DateFormNames(), (QStringList{"YYYY-MM-DD", "YY-MM-DD", "MM-DD-YYYY", "MM-DD-YY", "YYYYMMDD",
                                               "YYMMDD", "MM-DD", "DD-MMM-YY", "DD-MMM-YYYY"}));
    }

    void twoDigitYearWindow_data()
    {
        QTest::addColumn<QString>("twoDigits");
        QTest::addColumn<QString>("expected");
        QTest::newRow("00") << "00"
                            << "2000";
        QTest::newRow("49") << "49"
                            << "2049";
        QTest::newRow("50") << "50"
                            << "1950";
        QTest::newRow("99") << "99"
                            << "1999";
        // Compared as text: "5" sorts before "50", "5x" after it.
        QTest::newRow("one digit") << "5"
                                   << "205";
        QTest::newRow("letters") << "5x"
                                 << "195x";
        QTest::newRow("empty") << ""
                               << "20";
    }
    void twoDigitYearWindow()
    {
        QFETCH(QString, twoDigits);
        QFETCH(QString, expected);
        QCOMPARE(ExpandYear(twoDigits), expected);
        QCOMPARE(ShortenYear(expected), twoDigits);
    }

    void validDateTexts_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        auto row = [](const char *name, const QString &form, const char *text, bool valid) {
            QTest::newRow(name) << form << QString::fromLatin1(text) << valid;
        };
        row("29 Feb 1900, no century rule", kFormYYYYMMDD, "19000229", true);
        row("29 Feb 2100, no century rule", kFormYYYYMMDD, "21000229", true);
        row("29 Feb 2004", kFormYYYYMMDD, "20040229", true);
        row("29 Feb 2001", kFormYYYYMMDD, "20010229", false);
        row("31 Dec 1899", kFormYYYYMMDD, "18991231", false);
        row("1 Jan 1900", kFormYYYYMMDD, "19000101", true);
        row("month 13", kFormYYYYMMDD, "20011301", false);
        row("month 00", kFormYYYYMMDD, "20010001", false);
        row("day 00", kFormYYYYMMDD, "20010100", false);
        row("31 April", kFormYYYYMMDD, "20010431", false);
        row("31 December", kFormYYYYMMDD, "20011231", true);
        row("display date", kFormMM_DD_YYYY, "12/31/1999", true);
        row("one-digit month and day", kFormMM_DD_YYYY, "1/5/2001", false);
        row("leading blanks read", kFormMM_DD_YYYY, " 1/ 5/2001", true);
        row("empty date box", kFormMM_DD_YYYY, "  /  /    ", false);
        row("digits then letters", kFormYYYYMMDD, "2001x1y1", false);
        row("month name", kFormDD_MMM_YY, "29-feb-04", true);
        row("bad month name", kFormDD_MMM_YYYY, "01-Fab-2004", false);
        row("empty", kFormYYYYMMDD, "", false);
        row("unknown form", QStringLiteral("MMDDYYYY"), "12311999", false);
    }
    void validDateTexts()
    {
        QFETCH(QString, form);
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(IsValidDateText(form, text), valid);
    }

    void validDateLimits()
    {
        QVERIFY(IsValidDate(9999, 12, 31));
        QVERIFY(!IsValidDate(65535, 65535, 65535));
        QVERIFY(!IsValidDate(2004, 2, 30));
        QVERIFY(IsValidDate(2000, 2, 29));
    }

    void storedTextOfDateValues_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("day zero") << 0.0 << "18991230";
        QTest::newRow("1 January 1900") << 2.0 << "19000101";
        QTest::newRow("1 January 2000") << 36526.0 << "20000101";
        QTest::newRow("time of day ignored") << 36526.99 << "20000101";
        QTest::newRow("before day zero") << -1.5 << "18991229";
        QTest::newRow("not a number") << qQNaN() << "";
        QTest::newRow("infinite") << qInf() << "";
        QTest::newRow("beyond year 9999") << 3e6 << "";
    }
    void storedTextOfDateValues()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(DateToStoredText(value), expected);
    }

    void dateValuesRoundTrip()
    {
        const QDate d(2004, 2, 29);
        QCOMPARE(ValueToDate(DateToValue(d)), d);
        QCOMPARE(DateToStoredText(QDate(812, 3, 4)), QStringLiteral("08120304"));
        QCOMPARE(StoredTextToDate(QStringLiteral("20040229")), d);
        QVERIFY(!StoredTextToDate(QStringLiteral("20010229")).isValid());
        QVERIFY(!StoredTextToDate(QStringLiteral("2004022")).isValid());
        QCOMPARE(StoredYear(QStringLiteral("20040229")), QStringLiteral("2004"));
        QCOMPARE(StoredYear(QStringLiteral("20")), QStringLiteral("20"));
    }

    void todayTextCountsFromPinnedDay()
    {
        TTestEnv env;
        env.pinClock(QDateTime(QDate(2003, 12, 31), QTime(23, 59)));
        QCOMPARE(TodayText(0), QStringLiteral("12/31/2003"));
        QCOMPARE(TodayText(1), QStringLiteral("01/01/2004"));
        QCOMPARE(TodayText(-365), QStringLiteral("12/31/2002"));
        QCOMPARE(TodayText(60), QStringLiteral("02/29/2004"));
        QV_VERIFY_ENV(env);
    }

    void readsDateBoxTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("full") << "12/31/1999" << QDate(1999, 12, 31);
        QTest::newRow("part-typed box") << "1 /5 /2001" << QDate(2001, 1, 5);
        QTest::newRow("two-digit year 49") << "01/02/49" << QDate(2049, 1, 2);
        QTest::newRow("two-digit year 50") << "01/02/50  " << QDate(1950, 1, 2);
        QTest::newRow("leap day") << "02/29/2004" << QDate(2004, 2, 29);
        QTest::newRow("no leap day") << "02/29/2001" << QDate();
        QTest::newRow("empty box") << "  /  /    " << QDate();
        QTest::newRow("month 13") << "13/01/2000" << QDate();
        QTest::newRow("missing year") << "12/31/" << QDate();
        QTest::newRow("two parts") << "12/31" << QDate();
        QTest::newRow("four parts") << "12/31/1999/1" << QDate();
        QTest::newRow("sign") << "+1/05/2001" << QDate();
        QTest::newRow("long month") << "012/05/2001" << QDate();
        QTest::newRow("empty") << "" << QDate();
    }
    void readsDateBoxTexts()
    {
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        QCOMPARE(ReadDisplayDate(text), expected);
        if (expected.isValid())
            QCOMPARE(ReadDisplayDate(DisplayDateText(expected)), expected);
    }

    void displayDateTextIsZeroPadded()
    {
        QCOMPARE(DisplayDateText(QDate(2001, 1, 5)), QStringLiteral("01/05/2001"));
        QCOMPARE(DisplayDateText(QDate(812, 3, 4)), QStringLiteral("03/04/0812"));
        QCOMPARE(DisplayDateText(QDate()), QString());
    }

    // Every form reads any text, however short, long or odd, into parts no
    // longer than the form's fields, and writes any parts.
    void oddTextsNeverBreakConversion()
    {
        TTestEnv env;
        const QString odd[] = {QString(),
                               QStringLiteral("1"),
                               QStringLiteral("\"\"\"\""),
                               QString(5000, QLatin1Char('9')),
                               QString::fromLatin1("\xff\xfe\x00\x01\x80", 5),
                               QStringLiteral("ßßß-ßßß-ßßßß"),
                               QStringLiteral("  -   -    ")};
        for (const QString &form : DateFormNames()) {
            for (const QString &text : odd) {
                const TDateParts p = SplitDateText(form, text);
                QVERIFY(p.Month.size() <= 3 && p.Day.size() <= 2 && p.Year.size() <= 4);
                for (const QString &to : DateFormNames())
                    QVERIFY(ConvertDate(form, to, text).size() <= 14);
                IsValidDateText(form, text);
            }
        }
        QV_VERIFY_ENV(env);
    }
};

QTEST_GUILESS_MAIN(TestDates)
#include "tst_Dates.moc"
