#include "TestEnv.h"

#include "frame/NumberFormat.h"

#include <QtTest>
#include <cmath>
#include <limits>

class TestNumberFormat : public QObject
{
    Q_OBJECT

private slots:
    void generalTextIsShortest_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("whole") << 42.0 << "42";
        QTest::newRow("half") << 0.5 << "0.5";
        QTest::newRow("negative") << -12.25 << "-12.25";
        QTest::newRow("binary noise rounded away") << 0.1 + 0.2 << "0.3";
        QTest::newRow("a third") << 1.0 / 3 << "0.333333333333333";
        QTest::newRow("two thirds rounds up") << 2.0 / 3 << "0.666666666666667";
        QTest::newRow("smallest plain") << 0.00001 << "0.00001";
        QTest::newRow("below plain") << 0.000001 << "1E-6";
        QTest::newRow("small with digits") << -1.5e-7 << "-1.5E-7";
        QTest::newRow("fifteen integer digits") << 999999999999999.0 << "999999999999999";
        QTest::newRow("sixteen integer digits") << 1e15 << "1E15";
        QTest::newRow("large") << 1e20 << "1E20";
        QTest::newRow("large with digits") << -2.5e15 << "-2.5E15";
        QTest::newRow("rounded to fifteen digits") << 123456789012345678.0 << "1.23456789012346E17";
        QTest::newRow("carry into a new digit") << 0.9999999999999999 << "1";
        QTest::newRow("not a number") << qQNaN() << "NAN";
        QTest::newRow("infinite") << -qInf() << "-INF";
        QTest::newRow("largest") << std::numeric_limits<double>::max() << "1.79769313486232E308";
        QTest::newRow("tiniest") << std::numeric_limits<double>::denorm_min() << "5E-324";
    }
    void generalTextIsShortest()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(GeneralText(value), expected);
    }

    void fixedTextRoundsAsTyped_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<int>("precision");
        QTest::addColumn<QString>("expected");
        QTest::newRow("six decimals") << 12.5 << 6 << 15 << "12.500000";
        QTest::newRow("half away from zero") << 2.675 << 2 << 15 << "2.68";
        QTest::newRow("typed 1.005") << 1.005 << 2 << 15 << "1.01";
        QTest::newRow("negative half") << -0.5 << 0 << 15 << "-1";
        QTest::newRow("2.5 to whole") << 2.5 << 0 << 15 << "3";
        QTest::newRow("carry through nines") << 9.999 << 2 << 15 << "10.00";
        QTest::newRow("rounds to zero without sign") << -0.001 << 2 << 15 << "0.00";
        QTest::newRow("far below the places") << 1e-20 << 2 << 15 << "0.00";
        QTest::newRow("just below half a place") << 0.0049 << 2 << 15 << "0.00";
        QTest::newRow("precision first") << 12.345 << 3 << 3 << "12.300";
        QTest::newRow("precision carries") << 99.96 << 1 << 3 << "100.0";
        QTest::newRow("more integer digits than precision") << 123456789.0 << 0 << 8 << "123456790";
        QTest::newRow("large whole") << 1e20 << 0 << 15 << "100000000000000000000";
        QTest::newRow("no thousands separator") << 1234567.25 << 2 << 10 << "1234567.25";
        QTest::newRow("negative places count as none") << 7.6 << -3 << 15 << "8";
        QTest::newRow("not a number") << qQNaN() << 2 << 15 << "NAN";
    }
    void fixedTextRoundsAsTyped()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(int, precision);
        QFETCH(QString, expected);
        QCOMPARE(FixedText(value, decimals, precision), expected);
    }

    void moneyFollowsTheLocale_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<int>("precision");
        QTest::addColumn<QString>("expected");
        QTest::newRow("positive") << 1234.5 << 2 << 15 << "$1,234.50";
        QTest::newRow("negative in brackets") << -1234.5 << 2 << 15 << "($1,234.50)";
        QTest::newRow("three places, five digits") << 12.5 << 3 << 5 << "$12.500";
        QTest::newRow("five digits cut the places") << 1234.567 << 3 << 5 << "$1,234.600";
        QTest::newRow("millions") << 1e6 << 2 << 15 << "$1,000,000.00";
        QTest::newRow("rounded half up") << 2.675 << 2 << 15 << "$2.68";
        QTest::newRow("zero") << 0.0 << 2 << 15 << "$0.00";
        QTest::newRow("rounds to zero, no brackets") << -0.001 << 2 << 15 << "$0.00";
        QTest::newRow("four places") << 0.0625 << 4 << 15 << "$0.0625";
        QTest::newRow("no places") << 0.5 << 0 << 15 << "$1";
        QTest::newRow("beyond 64-bit integers") << 1e20 << 0 << 15 << "$100000000000000000000";
    }
    void moneyFollowsTheLocale()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(int, precision);
        QFETCH(QString, expected);
        TTestEnv env;
        QCOMPARE(MoneyText(value, decimals, precision), expected);
        QV_VERIFY_ENV(env);
    }

    // The C locale knows no currency; money must still read as money.
    void moneyWithoutADesktopCurrencyReadsAsDollars_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("positive") << 29.95 << "$29.95";
        QTest::newRow("negative") << -29.95 << "($29.95)";
        QTest::newRow("grouped") << 1234.5 << "$1,234.50";
        QTest::newRow("zero") << 0.0 << "$0.00";
    }
    void moneyWithoutADesktopCurrencyReadsAsDollars()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        TTestEnv env;
        QLocale::setDefault(QLocale::c());
        QVERIFY(QLocale().currencySymbol().isEmpty());
        QCOMPARE(MoneyText(value), expected);
        QV_VERIFY_ENV(env);
    }

    void moneyInAnotherLocale()
    {
        TTestEnv env;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        // The locale puts a no-break space before the euro sign.
        QCOMPARE(MoneyText(1234.5), QStringLiteral("1.234,50\u00a0\u20ac"));
        QCOMPARE(MoneyText(-1234.5), QStringLiteral("-1.234,50\u00a0\u20ac"));
        // Plain texts stay the same on every desktop.
        QCOMPARE(FixedText(1234.5, 2), QStringLiteral("1234.50"));
        QCOMPARE(GeneralText(0.25), QStringLiteral("0.25"));
        QV_VERIFY_ENV(env);
    }

    void percentagesOrNotAvailable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("change") << PercentChangeText(10, 12.5, 2) << "25.00%";
        QTest::newRow("loss") << PercentChangeText(8, 6, 3) << "-25.000%";
        QTest::newRow("change without base") << PercentChangeText(0, 5, 2) << "N/A";
        QTest::newRow("share") << PercentOfText(1, 3, 3) << "33.333%";
        QTest::newRow("share without base") << PercentOfText(1, 0, 2) << "N/A";
        QTest::newRow("plain") << PercentText(12.345, 3, 3) << "12.300%";
        QTest::newRow("width 5, two places") << FixedWidthText(1.5, 5, 2) << " 1.50";
        QTest::newRow("wider than the width") << FixedWidthText(123456.0, 5, 2) << "123456.00";
    }
    void percentagesOrNotAvailable()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    void readsNumbersAsTyped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "12.5" << true << 12.5;
        QTest::newRow("blanks around") << "  -3 " << true << -3.0;
        QTest::newRow("plus sign") << "+.5" << true << 0.5;
        QTest::newRow("trailing point") << "7." << true << 7.0;
        QTest::newRow("exponent") << "1E20" << true << 1e20;
        QTest::newRow("negative exponent") << "2.5e-3" << true << 0.0025;
        QTest::newRow("general text reads back") << GeneralText(1.0 / 3) << true << 0.333333333333333;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("sign alone") << "-" << false << 0.0;
        QTest::newRow("point alone") << "." << false << 0.0;
        QTest::newRow("thousands separator") << "1,234.5" << false << 0.0;
        QTest::newRow("decimal comma") << "12,5" << false << 0.0;
        QTest::newRow("exponent without digits") << "1e" << false << 0.0;
        QTest::newRow("two signs") << "--1" << false << 0.0;
        QTest::newRow("inner blank") << "1 2" << false << 0.0;
        QTest::newRow("hexadecimal") << "0x10" << false << 0.0;
        QTest::newRow("not a number") << "nan" << false << 0.0;
        QTest::newRow("infinity") << "inf" << false << 0.0;
        QTest::newRow("too large") << "1e999" << false << 0.0;
        QTest::newRow("currency") << "$5" << false << 0.0;
    }
    void readsNumbersAsTyped()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        double read = -99;
        QCOMPARE(ReadNumberText(text, &read), ok);
        QCOMPARE(read, ok ? value : -99.0);
    }

    void pixelsRoundHalvesToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("2.51") << 2.51 << 3;
        QTest::newRow("NaN") << qQNaN() << 0;
        QTest::newRow("huge") << 1e30 << std::numeric_limits<int>::max();
        QTest::newRow("huge negative") << -1e30 << std::numeric_limits<int>::min();
    }
    void pixelsRoundHalvesToEven()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(RoundToInt(value), expected);
        if (std::isfinite(value) && std::fabs(value) < 1e9)
            QCOMPARE(RoundHalfEven(value), double(expected));
    }
};

QTEST_GUILESS_MAIN(TestNumberFormat)
#include "tst_NumberFormat.moc"
