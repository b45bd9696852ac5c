#include "TestEnv.h"

#include "records/FunctionBase.h"
#include "screening/FunctionEdit.h"

#include <QtTest>
#include <cstring>

namespace {

using TRowTexts = QStringList; // logical operator, expression 1, comparison, expression 2

TFunctionTexts texts(const QList<TRowTexts> &rows)
{
    TFunctionTexts t;
    t.Description = QStringLiteral("Test");
    for (int i = 0; i < rows.size(); ++i) {
        t.LogicalOperators[size_t(i)] = rows[i].value(0);
        t.Expressions[size_t(2 * i)] = rows[i].value(1);
        t.Comparisons[size_t(i)] = rows[i].value(2);
        t.Expressions[size_t(2 * i + 1)] = rows[i].value(3);
    }
    return t;
}

const TRowTexts kGood{QString(), "CURRENT(CLOSE)", ">", "AVERAGEONDAY(CLOSE,0,20)"};
const QString kNotValid = QStringLiteral(" Is not a Valid Number, Function, Field, Or String \r");

} // namespace

class TestFunctionEdit : public QObject
{
    Q_OBJECT

private slots:
    // The one message of "&Save", checked from the top row down.
    void saveCheckMessage_data()
    {
        QTest::addColumn<QList<TRowTexts>>("rows");
        QTest::addColumn<QString>("message");
        const TRowTexts andGood{"And", "CURRENT(HIGH)", "<", "HIGHEST(HIGH)"};
        QTest::newRow("valid") << QList<TRowTexts>{kGood} << QString();
        QTest::newRow("expression 1 empty")
            << QList<TRowTexts>{{QString(), QString(), ">", "1"}}
            << QStringLiteral("Error In Expression 1:\r\rNo Expression Defined");
        QTest::newRow("no comparison") << QList<TRowTexts>{{QString(), "CURRENT(CLOSE)", QString(), "1"}}
                                       << QStringLiteral("Error, Please Select A Comparison Operator");
        QTest::newRow("expression 2 empty")
            << QList<TRowTexts>{{QString(), "CURRENT(CLOSE)", "=", QString()}}
            << QStringLiteral("Error In Expression 2:\r\rNo Expression Defined");
        QTest::newRow("expression 1 bad")
            << QList<TRowTexts>{{QString(), "CURRENT(CLOSE", "=", "1"}}
            << QStringLiteral("Error In Expression 1:\r\rMissing One or More ) or ]\rThe Correct Format Is "
                              "CURRENT(FIELD)\r");
        QTest::newRow("no logical operator")
            << QList<TRowTexts>{kGood, {QString(), "CURRENT(LOW)", "<", "2"}}
            << QStringLiteral("Error, Please Select A Logical Operator For Next Expression");
        QTest::newRow("blank operator is a choice")
            << QList<TRowTexts>{kGood, {" ", "CURRENT(LOW)", "<", "2"}} << QString();
        QTest::newRow("expression 4") << QList<TRowTexts>{kGood, {"Or", "CURRENT(LOW)", "<", "foo + 1"}}
                                      << QStringLiteral("Error In Expression 4:\r\rFOO") + kNotValid;
        QTest::newRow("row 2 without comparison")
            << QList<TRowTexts>{kGood, {"Or", "CURRENT(LOW)", QString(), "1"}}
            << QStringLiteral("Error, Please Select A Comparison Operator");
        QTest::newRow("expression 9")
            << QList<TRowTexts>{kGood, andGood, andGood, andGood, {"Or", "AVERAGEONDAY(CLOSE,0)", "=", "1"}}
            << QStringLiteral(
                   "Error In Expression 9:\r\rThe Correct Format Is AVERAGEONDAY(FIELD,DAY,DAYS)\r");
        QTest::newRow("expression 10")
            << QList<TRowTexts>{kGood, andGood, andGood, andGood, {"Or", "CURRENT(VOLUME)", "=", QString()}}
            << QStringLiteral("Error In Expression 10:\r\rNo Expression Defined");
        // A row below an empty row is evaluated by the run, so it is checked too.
        QTest::newRow("bad row below an empty row")
            << QList<TRowTexts>{kGood, {}, {"And", "bar", "=", "1"}}
            << QStringLiteral("Error In Expression 5:\r\rBAR") + kNotValid;
        QTest::newRow("good row below an empty row")
            << QList<TRowTexts>{kGood, {}, {"And", "CURRENT(LOW)", "=", "1"}} << QString();
        QTest::newRow("no operator below an empty row")
            << QList<TRowTexts>{kGood, {}, {QString(), "CURRENT(LOW)", "=", "1"}}
            << QStringLiteral("Error, Please Select A Logical Operator For Next Expression");
        QTest::newRow("expression 2 only in row 2")
            << QList<TRowTexts>{kGood, {QString(), QString(), "=", "x"}} << QString();
        // Texts on a calculated side stop every run; they are refused here.
        QTest::newRow("quoted text against a number")
            << QList<TRowTexts>{{QString(), "CURRENT(CLOSE)", "=", "\"IBM\""}}
            << QStringLiteral(
                   "Error In Expression 2:\r\r\"IBM\" Is A Text And Can Only Be Compared With A Text \r");
        QTest::newRow("symbol inside a calculation")
            << QList<TRowTexts>{{QString(), "STOCKSYMBOL + 1", "=", "2"}}
            << QStringLiteral("Error In Expression 1:\r\rSTOCKSYMBOL Must Stand Alone, In Capitals\r");
        QTest::newRow("small-letter symbol is calculated")
            << QList<TRowTexts>{{QString(), "stocksymbol", "=", "\"IBM\""}}
            << QStringLiteral("Error In Expression 1:\r\rSTOCKSYMBOL Must Stand Alone, In Capitals\r");
        QTest::newRow("symbol against a number")
            << QList<TRowTexts>{{QString(), "CURRENT(CLOSE)", "<>", "STOCKSYMBOL"}}
            << QStringLiteral(
                   "Error In Expression 2:\r\rSTOCKSYMBOL Is A Text And Can Only Be Compared With A Text \r");
        QTest::newRow("symbol against a text")
            << QList<TRowTexts>{{QString(), "STOCKSYMBOL", "=", "\"ibm\""}} << QString();
        QTest::newRow("quoted text against a quoted text")
            << QList<TRowTexts>{{QString(), "'A'", "<", "'B'"}} << QString();
    }
    void saveCheckMessage()
    {
        QFETCH(QList<TRowTexts>, rows);
        QFETCH(QString, message);
        QCOMPARE(CheckFunctionTexts(texts(rows)), message);
    }

    // The stored bytes of a function built from the dialog.
    void savedFunctionByteImage()
    {
        TFunctionTexts t = texts({{"Or", "CURRENT(CLOSE)", ">", "1"},
                                  {"And", "CURRENT(LOW)", "<=", "2"},
                                  {" ", "VALUE(HIGH,1)", "<>", "3"}});
        t.Description = QStringLiteral("Breakout");
        t.Color = 0xFF0000FFu; // a top byte is not part of a colour
        const TFunctionRecord rec = BuildFunctionRecord(t);
        QByteArray bytes(reinterpret_cast<const char *>(&rec), sizeof rec);
        QCOMPARE(bytes.size(), 2644);
        QCOMPARE(bytes.mid(0, 9), QByteArray("\x08"
                                             "Breakout"));
        QCOMPARE(bytes.mid(9, 35), QByteArray(35, '\0')); // rest of description, reserved
        QCOMPARE(bytes.mid(44, 4), QByteArray("\xFF\x00\x00\x00", 4));
        // Row 1: operator always empty even when the texts carry one.
        QCOMPARE(bytes.mid(48, 4), QByteArray(4, '\0'));
        QCOMPARE(bytes.mid(52, 15), QByteArray("\x0E"
                                               "CURRENT(CLOSE)"));
        QCOMPARE(bytes.mid(48 + 260, 3), QByteArray("\x01>\0", 3));
        QCOMPARE(bytes.mid(48 + 263, 2), QByteArray("\x01"
                                                    "1"));
        QCOMPARE(bytes.mid(567, 4), QByteArray("\x03"
                                               "And"));
        QCOMPARE(bytes.mid(567 + 260, 3), QByteArray("\x02<=", 3));
        QCOMPARE(bytes.mid(1086, 4), QByteArray("\x01 \0\0", 4));
        QCOMPARE(bytes.mid(1605, 1038), QByteArray(1038, '\0')); // rows 4 and 5 empty, reserved byte
    }

    void textsRoundTripAndAreCutToTheirFields()
    {
        TFunctionTexts t = texts({kGood, {"And", QString(300, 'x'), "=", "1"}});
        t.Description = QString(50, 'D');
        t.Color = 0x00336699;
        const TFunctionTexts back = FunctionTexts(BuildFunctionRecord(t));
        QCOMPARE(back.Description, QString(40, 'D'));
        QCOMPARE(back.Color, 0x00336699u);
        QCOMPARE(back.Expressions[0], kGood[1]);
        QCOMPARE(back.Expressions[2], QString(255, 'x'));
        QCOMPARE(back.LogicalOperators[1], QStringLiteral("And"));
        QCOMPARE(back.Comparisons[0], QStringLiteral(">"));
        QCOMPARE(back.Comparisons[2], QString());
    }

    // What is checked is what is stored: edits keep single bytes only, at most their width.
    void storableText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("kept");
        QTest::newRow("fits") << "CURRENT(CLOSE)" << 255 << "CURRENT(CLOSE)";
        QTest::newRow("cut") << QString(45, 'a') << 40 << QString(40, 'a');
        QTest::newRow("latin-1 kept") << QStringLiteral("Caf\u00e9") << 40 << QStringLiteral("Caf\u00e9");
        QTest::newRow("beyond latin-1 dropped") << QStringLiteral("a\u20acb\u4e2dc") << 40 << "abc";
        QTest::newRow("dropped before cut")
            << QStringLiteral("\u20ac") + QString(40, 'z') << 40 << QString(40, 'z');
    }
    void storableText()
    {
        QFETCH(QString, text);
        QFETCH(int, limit);
        QFETCH(QString, kept);
        QCOMPARE(StorableText(text, limit), kept);
    }

    // Inserting into a full edit refuses what does not fit of the new text;
    // the text already there is never pushed out at its end.
    void fitEditedText_data()
    {
        QTest::addColumn<QString>("previous");
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<int>("caret");
        const QString full = QString(250, 'x');
        QTest::newRow("typed, fits") << "AB"
                                     << "ABC" << 255 << "ABC" << 3;
        QTest::newRow("inserted at the start of a nearly full edit")
            << full << "CURRENT(FIELD)" + full << 255 << "CURRE" + full << 5;
        QTest::newRow("replaces a selection in the middle") << "1 + DAY + 2"
                                                            << "1 + 7 + 2" << 255 << "1 + 7 + 2" << 5;
        QTest::newRow("pasted over the limit at the end")
            << QString(38, 'a') << QString(38, 'a') + "bcde" << 40 << QString(38, 'a') + "bc" << 40;
        QTest::newRow("characters beyond latin-1 refused")
            << "ab" << QStringLiteral("a€éb") << 40 << QStringLiteral("aéb") << 2;
        QTest::newRow("repeated letters inserted in a run") << "aaa"
                                                            << "aaaaa" << 4 << "aaaa" << 4;
        QTest::newRow("text set from elsewhere too long")
            << QString() << QString(300, 'q') << 255 << QString(255, 'q') << 255;
        QTest::newRow("edit already over the limit")
            << QString(300, 'q') << QString(300, 'q') + "r" << 255 << QString(255, 'q') << 255;
        QTest::newRow("deleting is always kept") << "ABCD"
                                                 << "AD" << 3 << "AD" << 1;
    }
    void fitEditedText()
    {
        QFETCH(QString, previous);
        QFETCH(QString, current);
        QFETCH(int, limit);
        QFETCH(QString, kept);
        QFETCH(int, caret);
        int at = -1;
        QCOMPARE(FitEditedText(previous, current, limit, at), kept);
        QCOMPARE(at, caret);
    }
    // Scan.dat through the list window's three commands.
    void storeKeepsOrderAndRefusesDuplicates()
    {
        TTestEnv env;
        TFunctionBase scan(env.path("Scan.dat"));
        auto named = [](const char *d, const char *e1 = "1") {
            TFunctionTexts t = texts({{QString(), e1, "=", "1"}});
            t.Description = QString::fromLatin1(d);
            return BuildFunctionRecord(t);
        };
        auto descriptions = [&] {
            QStringList out;
            TFunctionRecord r;
            for (int i = 0; i < scan.RecordCount(); ++i) {
                scan.ReadAt(r, i);
                out << r.Description.text() + "=" + r.Rows[0].Expression1.text();
            }
            return out;
        };
        for (const char *d : {"B", "A", "a"}) {
            TFunctionRecord r = named(d);
            QCOMPARE(AddFunction(scan, r), QString());
        }
        QCOMPARE(descriptions(), QStringList({"A=1", "B=1", "a=1"}));
        TFunctionRecord dup = named("B", "2");
        QCOMPARE(AddFunction(scan, dup), QStringLiteral("Error, A Function Named B Already Exists"));
        // Same description: rewritten where it stands.
        TFunctionRecord same = named("B", "3");
        QCOMPARE(EditFunction(scan, 1, same), QString());
        QCOMPARE(descriptions(), QStringList({"A=1", "B=3", "a=1"}));
        // Renamed onto another function: refused, nothing changes.
        TFunctionRecord clash = named("A", "4");
        QCOMPARE(EditFunction(scan, 1, clash), QStringLiteral("Error, A Function Named A Already Exists"));
        QCOMPARE(descriptions(), QStringList({"A=1", "B=3", "a=1"}));
        // Renamed: the new record takes its own place, the old one goes.
        TFunctionRecord renamed = named("0", "5");
        QCOMPARE(EditFunction(scan, 2, renamed), QString());
        QCOMPARE(descriptions(), QStringList({"0=5", "A=1", "B=3"}));
        QCOMPARE(DeleteFunction(scan, 1), QString());
        QCOMPARE(descriptions(), QStringList({"0=5", "B=3"}));
    }

    void unwritableScanFileNamesThePath()
    {
        TTestEnv env;
        {
            TFunctionBase create(env.path("Scan.dat"));
            TFunctionRecord r = BuildFunctionRecord(texts({kGood}));
            QVERIFY(create.Insert(r));
        }
        TFunctionBase scan(env.path("Scan.dat"), TOpenMode::ReadOnly);
        TFunctionRecord r = BuildFunctionRecord(texts({kGood}));
        r.Description = QStringLiteral("Other");
        const QString expected = QStringLiteral("Error, Could Not Write ") + env.path("Scan.dat");
        QVERIFY(AddFunction(scan, r).startsWith(expected));
        QVERIFY(EditFunction(scan, 0, r).startsWith(expected));
        QVERIFY(DeleteFunction(scan, 0).startsWith(expected));
        QCOMPARE(scan.RecordCount(), 1);
    }
};
QTEST_GUILESS_MAIN(TestFunctionEdit)
#include "tst_FunctionEdit.moc"
