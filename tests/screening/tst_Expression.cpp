#include "TestEnv.h"

#include "frame/Stockcfg.h"
#include "screening/PriceSeries.h"
#include "screening/StdUnitExpr.h"

#include <QtTest>

namespace {

// Record i has close first + i * step, high close + 1, low close - 1 and
// volume 1000 * (i + 1).
TPriceSeries rising(int count, double first = 1, double step = 1)
{
    TPriceSeries s;
    for (int i = 0; i < count; ++i) {
        const double c = first + i * step;
        s.append({c + 1, c - 1, c, 1000 * (i + 1)});
    }
    return s;
}

TPriceSeries fromCloses(const QList<double> &closes)
{
    TPriceSeries s;
    for (double c : closes)
        s.append({c, c, c, 0});
    return s;
}

void setStatistics(bool limit, int count)
{
    LoadConfig();
    ConfigRecord.Statistics.LimitRecords = limit ? 1 : 0;
    ConfigRecord.Statistics.RecordCount = count;
    QVERIFY(SaveConfig());
}

TConditionText row(const QString &op, const QString &e1, const QString &cmp, const QString &e2)
{
    return TConditionText{op, e1, cmp, e2};
}

} // namespace

class TestExpression : public QObject
{
    Q_OBJECT

private slots:
    void tokensSplitAtEveryDelimiter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("tokens");
        QTest::newRow("function") << "AVERAGEONDAY(CLOSE,0,20)*1.05"
                                  << QStringList{"AVERAGEONDAY", "(", "CLOSE", ",",   "0", ",",
                                                 "20",           ")", "*",     "1.05"};
        QTest::newRow("signs stand alone") << "10 - -2" << QStringList{"10", "-", "-", "2"};
        QTest::newRow("square brackets") << "2*[3+4]" << QStringList{"2", "*", "[", "3", "+", "4", "]"};
        QTest::newRow("blanks only") << "   " << QStringList{};
        QTest::newRow("quotes are no delimiters") << "'A B'" << QStringList{"'A", "B'"};
    }
    void tokensSplitAtEveryDelimiter()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, tokens);
        QCOMPARE(TokenizeExpression(text), tokens);
    }

    void valueTextsHaveFifteenSignificantDigits_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("whole") << 12.0 << "12";
        QTest::newRow("binary fraction noise") << 0.1 + 0.2 << "0.3";
        QTest::newRow("a third") << 1.0 / 3 << "0.333333333333333";
        QTest::newRow("two thirds round up") << 2.0 / 3 << "0.666666666666667";
        QTest::newRow("negative") << -12.5 << "-12.5";
        QTest::newRow("smallest plain") << 0.00001 << "0.00001";
        QTest::newRow("rounds up into plain") << 0.0000099999999999999999 << "0.00001";
        QTest::newRow("below plain") << 0.000001 << "1E-6";
        QTest::newRow("negative small") << -0.0000015 << "-1.5E-6";
        QTest::newRow("fifteen integer digits") << 123456789012345.0 << "123456789012345";
        QTest::newRow("sixteen integer digits") << 1234567890123456.0 << "1.23456789012346E15";
        QTest::newRow("large") << 1e20 << "1E20";
    }
    void valueTextsHaveFifteenSignificantDigits()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(ValueText(value), text);
        double back = 0;
        QVERIFY(ReadNumber(text, back));
    }

    void numbersReadOnlyAsWholeTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::newRow("integer") << "12" << true;
        QTest::newRow("decimal") << "1.05" << true;
        QTest::newRow("leading point") << ".5" << true;
        QTest::newRow("exponent") << "1E5" << true;
        QTest::newRow("negative exponent") << "-1.5E-6" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("point only") << "." << false;
        QTest::newRow("exponent without digits") << "1E" << false;
        QTest::newRow("infinity") << "inf" << false;
        QTest::newRow("hex") << "0x10" << false;
        QTest::newRow("blank inside") << "1 2" << false;
        QTest::newRow("too large") << "1E400" << false;
        QTest::newRow("underflow is zero") << "1E-400" << true;
        QTest::newRow("comma") << "1,5" << false;
    }
    void numbersReadOnlyAsWholeTexts()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        double v = -1;
        QCOMPARE(ReadNumber(text, v), ok);
    }

    void arithmeticFollowsBindingAndBrackets_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("minus a negative") << "10 - -2" << 12.0;
        QTest::newRow("square brackets") << "2 * [3 + 4]" << 14.0;
        QTest::newRow("division by zero") << "7 / 0" << 0.0;
        QTest::newRow("product first") << "1 + 2 * 3" << 7.0;
        QTest::newRow("left to right") << "8 - 2 - 1" << 5.0;
        QTest::newRow("division left to right") << "8 / 2 / 2" << 2.0;
        QTest::newRow("round brackets") << "(1 + 2) * 3" << 9.0;
        QTest::newRow("mixed nesting") << "[(1 + 1) * (2 + 3)] / 5" << 2.0;
        QTest::newRow("leading sign") << "-3 + 5" << 2.0;
        QTest::newRow("sign after operator") << "2 * -3" << -6.0;
        QTest::newRow("sign before bracket") << "-(3 + 4) * 2" << -14.0;
        QTest::newRow("sign before bracket after operator") << "8 / -(2 + 2) * 3" << -6.0;
        QTest::newRow("double sign") << "- -2" << 2.0;
        // A minus right before a bracket or another minus negates what follows.
        QTest::newRow("minus round bracket") << "-(2)" << -2.0;
        QTest::newRow("minus square bracket") << "-[2]" << -2.0;
        QTest::newRow("minus minus number") << "--5" << 5.0;
        QTest::newRow("three minuses") << "---5" << -5.0;
        QTest::newRow("minus minus bracket") << "--(5)" << 5.0;
        QTest::newRow("minus bracket minus bracket") << "-(-(4))" << 4.0;
        QTest::newRow("subtract a negated bracket") << "2--(3)" << 5.0;
        QTest::newRow("times a negated square bracket") << "3*-[2+1]" << -9.0;
        QTest::newRow("negated bracket then sum") << "-(2)+3" << 1.0;
        QTest::newRow("negated function") << "-CURRENT(CLOSE) + 1" << -2.0;
        QTest::newRow("abs") << "ABS(2 - 5)" << 3.0;
        QTest::newRow("abs in abs") << "ABS(ABS(1 - 3) * -2) + 1" << 5.0;
        QTest::newRow("abs any case") << "abs(-4)" << 4.0;
        QTest::newRow("each step rounded") << "1 / 3 * 3" << 0.999999999999999;
        QTest::newRow("typed number keeps its digits") << "0.12345678901234567" << 0.12345678901234567;
        QTest::newRow("fifteen terms fit") << "1+1+1+1+1+1+1+1+1+1+1+1+1+1+1" << 15.0;
    }
    void arithmeticFollowsBindingAndBrackets()
    {
        TTestEnv env;
        QFETCH(QString, text);
        QFETCH(double, value);
        TPriceSeries prices = rising(3);
        QCOMPARE(EvaluateExpression(text, prices), value);
    }

    void functionsReadTheirWindows_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        // closes 1..6, highs 2..7, lows 0..5, volumes 1000..6000
        QTest::newRow("current") << "CURRENT(CLOSE)" << 6.0;
        QTest::newRow("field in any case") << "current(Close)" << 6.0;
        QTest::newRow("volume") << "CURRENT(VOLUME)" << 6000.0;
        QTest::newRow("value one back") << "VALUE(CLOSE,1)" << 5.0;
        QTest::newRow("value zero back") << "VALUE(CLOSE,0)" << 0.0;
        QTest::newRow("average of the five before the last") << "AVERAGEONDAY(CLOSE,0,5)" << 3.0;
        QTest::newRow("average skipping") << "AVERAGEONDAY(CLOSE,2,3)" << 2.0;
        QTest::newRow("average of no days") << "AVERAGEONDAY(CLOSE,5,0)" << 0.0;
        QTest::newRow("std dev") << "STDONDAY(CLOSE,0,2)" << 0.5;
        QTest::newRow("std dev of no days") << "STDONDAY(CLOSE,0,0)" << 0.0;
        QTest::newRow("highest") << "HIGHEST(HIGH)" << 7.0;
        QTest::newRow("lowest") << "LOWEST(LOW)" << 0.0;
        QTest::newRow("starting") << "STARTING(CLOSE)" << 1.0;
        QTest::newRow("day range") << "ABS(CURRENT(LOW) - CURRENT(HIGH))" << 2.0;
        QTest::newRow("unknown field is 0") << "CURRENT(DATE) + 1" << 1.0;
        QTest::newRow("arithmetic on values") << "CURRENT(CLOSE) - VALUE(CLOSE,2) * 2" << -2.0;
        QTest::newRow("symbol contributes nothing") << "STOCKSYMBOL 1" << 1.0;
    }
    void functionsReadTheirWindows()
    {
        TTestEnv env;
        setStatistics(false, 260);
        QFETCH(QString, text);
        QFETCH(double, value);
        TPriceSeries prices = rising(6);
        QCOMPARE(EvaluateExpression(text, prices), value);
        QCOMPARE(prices.counters().outOfRange, 0);
    }

    void statisticsWindowFollowsTheLimit_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("limit");
        QTest::addColumn<double>("starting"); // close of record S is S + 1
        QTest::newRow("limit on, 1000 records") << 1000 << true << 740.0;
        QTest::newRow("limit off, 1000 records") << 1000 << false << 1.0;
        QTest::newRow("limit on, 200 records") << 200 << true << 1.0;
        QTest::newRow("limit off, 200 records") << 200 << false << 1.0;
        QTest::newRow("limit on, 261 records") << 261 << true << 1.0;
        QTest::newRow("limit on, 262 records") << 262 << true << 2.0;
    }
    void statisticsWindowFollowsTheLimit()
    {
        TTestEnv env;
        QFETCH(int, records);
        QFETCH(bool, limit);
        QFETCH(double, starting);
        setStatistics(limit, 260);
        TPriceSeries prices = rising(records); // reads the configuration at each statistic
        QCOMPARE(EvaluateExpression("STARTING(CLOSE)", prices), starting);
        QCOMPARE(EvaluateExpression("LOWEST(CLOSE)", prices), starting);
        QCOMPARE(EvaluateExpression("HIGHEST(CLOSE)", prices), double(records));
        prices.resetCounters();
        EvaluateExpression("LOWEST(CLOSE)", prices);
        QCOMPARE(prices.counters().reads, long(records - starting + 1)); // S..last, each once
    }

    void extremesKeepTheEarlierTie()
    {
        TTestEnv env;
        setStatistics(false, 260);
        TPriceSeries prices = fromCloses({5, 3, 9, 3, 9, 4});
        QCOMPARE(EvaluateExpression("LOWEST(CLOSE)", prices), 3.0);
        QCOMPARE(EvaluateExpression("HIGHEST(CLOSE)", prices), 9.0);
    }

    void shortHistoriesGiveZeroWithoutReadingOutside_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        for (const char *f : {"CURRENT(CLOSE)", "LOWEST(LOW)", "HIGHEST(HIGH)", "STARTING(CLOSE)",
                              "VALUE(CLOSE,1)", "AVERAGEONDAY(CLOSE,0,1)", "STDONDAY(CLOSE,0,1)"})
            QTest::newRow(qPrintable(QStringLiteral("empty file %1").arg(f))) << 0 << f << 0.0;
        QTest::newRow("value at record 0") << 4 << "VALUE(CLOSE,3)" << 1.0;
        QTest::newRow("value before record 0") << 4 << "VALUE(CLOSE,4)" << 0.0;
        QTest::newRow("average from record 0") << 4 << "AVERAGEONDAY(CLOSE,1,2)" << 1.5;
        QTest::newRow("average before record 0") << 4 << "AVERAGEONDAY(CLOSE,2,2)" << 0.0;
        QTest::newRow("average of huge window") << 4 << "AVERAGEONDAY(CLOSE,2147483647,2147483647)" << 0.0;
        QTest::newRow("std dev before record 0") << 4 << "STDONDAY(CLOSE,0,4)" << 0.0;
        QTest::newRow("one record") << 1 << "CURRENT(CLOSE) + LOWEST(LOW) + STARTING(HIGH)" << 3.0;
    }
    void shortHistoriesGiveZeroWithoutReadingOutside()
    {
        TTestEnv env;
        setStatistics(true, 260);
        QFETCH(int, records);
        QFETCH(QString, text);
        QFETCH(double, value);
        TPriceSeries prices = rising(records);
        QCOMPARE(EvaluateExpression(text, prices), value);
        QCOMPARE(prices.counters().outOfRange, 0);
    }

    void exponentValuesEvaluateCorrectly_data()
    {
        QTest::addColumn<double>("close");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("tiny close") << 0.000002 << "CURRENT(CLOSE) * 2" << 0.000004;
        QTest::newRow("tiny minus one") << 0.000002 << "CURRENT(CLOSE) - 1" << -0.999998;
        QTest::newRow("minus tiny") << 0.000002 << "2 - -CURRENT(CLOSE)" << 2.000002;
        QTest::newRow("negated tiny") << 0.000002 << "-CURRENT(CLOSE)" << -0.000002;
        QTest::newRow("tiny intermediate") << 0.5 << "CURRENT(CLOSE) / 100000 / 10 * 1000000" << 0.5;
        QTest::newRow("huge intermediate") << 1e10 << "CURRENT(CLOSE) * CURRENT(CLOSE) / 1E15" << 1e5;
        QTest::newRow("abs of tiny negative") << 0.000001 << "ABS(0 - CURRENT(CLOSE)) * 1000000" << 1.0;
    }
    void exponentValuesEvaluateCorrectly()
    {
        TTestEnv env;
        QFETCH(double, close);
        QFETCH(QString, text);
        QFETCH(double, value);
        TPriceSeries prices = fromCloses({close});
        QCOMPARE(EvaluateExpression(text, prices), value);
    }

    void badTextsRaiseTheConversionError_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("offending");
        QTest::newRow("field alone") << "CLOSE"
                                     << "CLOSE";
        QTest::newRow("quoted text") << "\"IBM\""
                                     << "\"IBM\"";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("blanks") << "   "
                                << "";
        QTest::newRow("symbol in small letters") << "stocksymbol"
                                                 << "";
        QTest::newRow("brackets of two kinds") << "(1]"
                                               << "(";
        QTest::newRow("operator without right side") << "1 +"
                                                     << "+";
        QTest::newRow("two numbers") << "1 2"
                                     << "";
        QTest::newRow("lone sign") << "-"
                                   << "-";
        QTest::newRow("signed field alone") << "-----LOW"
                                            << "-LOW";
        QTest::newRow("stray comma") << ",-2"
                                     << ",";
        QTest::newRow("overflowing product") << "1E200 * 1E200"
                                             << "INF";
        QTest::newRow("abs without bracket") << "ABS 5"
                                             << "ABS";
        QTest::newRow("abs unclosed") << "ABS(5"
                                      << "ABS";
        QTest::newRow("day not a number") << "VALUE(CLOSE,X)"
                                          << "X";
        QTest::newRow("unfinished function") << "CURRENT(CLOSE"
                                             << "CURRENT";
        QTest::newRow("number too long for a stack entry") << "123456789012345678901"
                                                           << "123456789012345678901";
        QTest::newRow("output list overflow") << "1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1"
                                              << "+";
        QTest::newRow("operator stack overflow") << QString(31, '(') + "1" + QString(31, ')') << "(";
    }
    void badTextsRaiseTheConversionError()
    {
        TTestEnv env;
        QFETCH(QString, text);
        QFETCH(QString, offending);
        TPriceSeries prices = rising(3);
        try {
            const double v = EvaluateExpression(text, prices);
            QFAIL(qPrintable(QStringLiteral("evaluated to %1").arg(v)));
        } catch (const EConvertError &e) {
            QCOMPARE(e.text(), offending);
            QVERIFY(!e.message().isEmpty());
        }
    }

    void checkReportsEachProblemOnALine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("message");
        QTest::newRow("field in mixed case") << "CURRENT(Close)" << true << "";
        QTest::newRow("whole condition side") << "CURRENT(CLOSE) > AVERAGEONDAY(CLOSE,0,20)" << false
                                              << "> Is not a Valid Number, Function, Field, Or String \r";
        QTest::newRow("missing closing")
            << "CURRENT(CLOSE" << false
            << "Missing One or More ) or ]\rThe Correct Format Is CURRENT(FIELD)\r";
        QTest::newRow("missing opening") << "1 + 2)" << false << "Missing One or More ( or [\r";
        QTest::newRow("unknown word")
            << "foo + 1" << false << "FOO Is not a Valid Number, Function, Field, Or String \r";
        QTest::newRow("too few arguments")
            << "AVERAGEONDAY(CLOSE,0)" << false << "The Correct Format Is AVERAGEONDAY(FIELD,DAY,DAYS)\r";
        QTest::newRow("argument also checked as token")
            << "VALUE(CLOSE,X)" << false
            << "The Correct Format Is VALUE(FIELD,DAYS)\rX Is not a Valid Number, Function, Field, Or String "
               "\r";
        QTest::newRow("day must be whole")
            << "VALUE(CLOSE,1.5)" << false << "The Correct Format Is VALUE(FIELD,DAYS)\r";
        QTest::newRow("field required") << "LOWEST(2)" << false << "The Correct Format Is LOWEST(FIELD)\r";
        QTest::newRow("abs with expression") << "ABS(CURRENT(LOW) - CURRENT(HIGH))" << true << "";
        QTest::newRow("abs empty") << "ABS()" << false << "The Correct Format Is ABS(EXPRESSION)\r";
        QTest::newRow("symbol") << "STOCKSYMBOL" << true << "";
        QTest::newRow("symbol in small letters")
            << "stocksymbol" << false << "STOCKSYMBOL Must Stand Alone, In Capitals\r";
        QTest::newRow("symbol in arithmetic")
            << "STOCKSYMBOL + 1" << false << "STOCKSYMBOL Must Stand Alone, In Capitals\r";
        QTest::newRow("quoted") << "'IBM'" << true << "";
        QTest::newRow("square brackets") << "2 * [3 + 4]" << true << "";
        QTest::newRow("brackets of two kinds count alike")
            << "(1]" << false << "Brackets Do Not Pair, Close ( With ) And [ With ]\r";
        QTest::newRow("fifteen terms") << "1+1+1+1+1+1+1+1+1+1+1+1+1+1+1" << true << "";
        QTest::newRow("sixteen terms overflow") << "1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1" << false
                                                << "Expression Too Long Or Nested Too Deeply To Evaluate\r";
        QTest::newRow("functions count as one entry")
            << "CURRENT(CLOSE)+VALUE(CLOSE,1)+VALUE(CLOSE,2)+VALUE(CLOSE,3)+VALUE(CLOSE,4)+VALUE(CLOSE,5)+"
               "VALUE(CLOSE,6)+VALUE(CLOSE,7)+VALUE(CLOSE,8)+VALUE(CLOSE,9)+VALUE(CLOSE,10)+"
               "VALUE(CLOSE,11)+VALUE(CLOSE,12)+VALUE(CLOSE,13)+VALUE(CLOSE,14)+VALUE(CLOSE,15)"
            << false << "Expression Too Long Or Nested Too Deeply To Evaluate\r";
        QTest::newRow("thirty brackets deep") << QString(29, '(') + "1" + QString(29, ')') << true << "";
        QTest::newRow("thirty-one brackets deep") << QString(31, '(') + "1" + QString(31, ')') << false
                                                  << "Expression Too Long Or Nested Too Deeply To Evaluate\r";
        QTest::newRow("twenty-character number") << "12345678901234567890" << true << "";
        QTest::newRow("twenty-one-character number")
            << "123456789012345678901" << false
            << "123456789012345678901 Is Too Long, A Number May Have At Most 20 Characters\r";
        QTest::newRow("sign counts")
            << "1 - -12345678901234567890" << false
            << "-12345678901234567890 Is Too Long, A Number May Have At Most 20 Characters\r";
        QTest::newRow("two numbers") << "1 2" << false << "A Number Or An Operator Is Missing\r";
        QTest::newRow("dangling operator") << "1 *" << false << "A Number Or An Operator Is Missing\r";
        QTest::newRow("blank") << " " << false << "\"\" Is Not A Valid Number\r";
        QTest::newRow("stray comma") << ",-2" << false << "\",\" Is Not A Valid Number\r";
        QTest::newRow("sign without number") << "(1 + -)" << false << "\"-)\" Is Not A Valid Number\r";
        QTest::newRow("trailing sign") << "1 * -" << false << "A Number Or An Operator Is Missing\r";
    }
    void checkReportsEachProblemOnALine()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QString, message);
        QString said = "left over";
        QCOMPARE(CheckExpression(text, said), valid);
        QCOMPARE(said, message);
    }

    void checkedExpressionsEvaluateWithoutError_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("nested abs") << "ABS(ABS(CURRENT(LOW) - 5) - ABS(VALUE(HIGH,2)))";
        QTest::newRow("twenty-nine deep") << QString(29, '[') + "CURRENT(CLOSE)" + QString(29, ']');
        QTest::newRow("long average") << "AVERAGEONDAY(CLOSE,0,5) * 1.05 - STDONDAY(VOLUME,1,3) / 2";
        QTest::newRow("negated brackets") << "-(CURRENT(LOW)) - -[2] + --5";
    }
    void checkedExpressionsEvaluateWithoutError()
    {
        TTestEnv env;
        QFETCH(QString, text);
        QString message;
        QVERIFY2(CheckExpression(text, message), qPrintable(message));
        TPriceSeries prices = rising(10);
        EvaluateExpression(text, prices);
    }

    void conditionsCompareTextsOrNumbers_data()
    {
        QTest::addColumn<QString>("e1");
        QTest::addColumn<QString>("cmp");
        QTest::addColumn<QString>("e2");
        QTest::addColumn<bool>("result");
        QTest::newRow("symbol = quoted small") << "STOCKSYMBOL"
                                               << "="
                                               << "\"ibm\"" << true;
        QTest::newRow("symbol = unquoted") << "STOCKSYMBOL"
                                           << "="
                                           << "IBM" << true;
        QTest::newRow("symbol = unquoted small") << "STOCKSYMBOL"
                                                 << "="
                                                 << "ibm" << false;
        QTest::newRow("single quotes") << "STOCKSYMBOL"
                                       << "="
                                       << "'IBM'" << true;
        QTest::newRow("quoted = symbol") << "'ibm'"
                                         << "="
                                         << "STOCKSYMBOL" << true;
        QTest::newRow("text order") << "STOCKSYMBOL"
                                    << "<"
                                    << "\"J\"" << true;
        QTest::newRow("text different") << "STOCKSYMBOL"
                                        << "<>"
                                        << "\"IBM\"" << false;
        QTest::newRow("text greater or equal") << "STOCKSYMBOL"
                                               << ">="
                                               << "\"IBM\"" << true;
        QTest::newRow("unknown text comparison") << "STOCKSYMBOL"
                                                 << "=="
                                                 << "\"IBM\"" << false;
        QTest::newRow("numbers equal") << "2"
                                       << "="
                                       << "1 + 1" << true;
        QTest::newRow("numbers different") << "2"
                                           << "<>"
                                           << "3" << true;
        QTest::newRow("greater") << "3"
                                 << ">"
                                 << "2" << true;
        QTest::newRow("greater or equal") << "2"
                                          << ">="
                                          << "2" << true;
        QTest::newRow("less") << "2"
                              << "<"
                              << "2" << false;
        QTest::newRow("less or equal") << "2"
                                       << "<="
                                       << "2" << true;
        QTest::newRow("unknown comparison") << "2"
                                            << "=>"
                                            << "2" << false;
        QTest::newRow("close above its average") << "CURRENT(CLOSE)"
                                                 << ">"
                                                 << "AVERAGEONDAY(CLOSE,0,20)" << true;
    }
    void conditionsCompareTextsOrNumbers()
    {
        TTestEnv env;
        QFETCH(QString, e1);
        QFETCH(QString, cmp);
        QFETCH(QString, e2);
        QFETCH(bool, result);
        TPriceSeries prices = rising(30);
        QCOMPARE(EvaluateCondition(row("", e1, cmp, e2), "ibm", prices), result);
    }

    void symbolInSmallLettersIsNoTextSide()
    {
        TTestEnv env;
        TPriceSeries prices = rising(3);
        QVERIFY_THROWS_EXCEPTION(EConvertError,
                                 EvaluateCondition(row("", "stocksymbol", "=", "\"IBM\""), "IBM", prices));
    }

    void rowsCombineFromTopToBottom_data()
    {
        QTest::addColumn<QStringList>("verdicts"); // "T"/"F" per row, "" for an empty row
        QTest::addColumn<QStringList>("operators");
        QTest::addColumn<bool>("result");
        QTest::newRow("true Or false And false")
            << QStringList{"T", "F", "F", "", ""} << QStringList{"", "Or", "And", "", ""} << false;
        QTest::newRow("false And false Or true")
            << QStringList{"F", "F", "T", "", ""} << QStringList{"", "And", "Or", "", ""} << true;
        QTest::newRow("empty row skipped")
            << QStringList{"T", "", "F", "", ""} << QStringList{"", "Or", "And", "", ""} << false;
        QTest::newRow("blank operator joins nothing")
            << QStringList{"T", "F", "", "", ""} << QStringList{"", " ", "", "", ""} << true;
        QTest::newRow("operator case matters")
            << QStringList{"T", "F", "", "", ""} << QStringList{"", "AND", "", "", ""} << true;
        QTest::newRow("single row") << QStringList{"F", "", "", "", ""} << QStringList{"", "", "", "", ""}
                                    << false;
    }
    void rowsCombineFromTopToBottom()
    {
        TTestEnv env;
        QFETCH(QStringList, verdicts);
        QFETCH(QStringList, operators);
        QFETCH(bool, result);
        TConditionTexts rows;
        for (int i = 0; i < kConditionRows; ++i) {
            const QString v = verdicts[i];
            rows[size_t(i)] = v.isEmpty() ? row(operators[i], "", "=", "1")
                                          : row(operators[i], "CURRENT(CLOSE)", v == "T" ? ">" : "<", "0");
        }
        TPriceSeries prices = rising(3);
        QCOMPARE(EvaluateFunction(rows, "IBM", prices), result);
        // every row that takes part is evaluated, even when it cannot change the result
        long used = 0;
        for (const QString &v : verdicts)
            used += v.isEmpty() ? 0 : 1;
        QCOMPARE(prices.counters().calls, used);
    }

    void rowWithBlankOperatorIsStillEvaluated()
    {
        TTestEnv env;
        TConditionTexts rows;
        rows[0] = row("", "1", "=", "1");
        rows[1] = row(" ", "CLOSE", "=", "1");
        TPriceSeries prices = rising(3);
        QVERIFY_THROWS_EXCEPTION(EConvertError, EvaluateFunction(rows, "IBM", prices));
    }
};

QTEST_GUILESS_MAIN(TestExpression)
#include "tst_Expression.moc"
