#include "TestEnv.h"

#include "frame/IoError.h"
#include "frame/StdUnit.h"

#include <QBuffer>
#include <QFile>
#include <QtTest>

namespace {

QString cutAllCommaFields(QString line, QStringList *fields)
{
    while (!line.isEmpty())
        *fields << CutCommaField(line);
    return line;
}

QByteArray written(const std::function<void(QIODevice &)> &write)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    write(buffer);
    return buffer.data();
}

} // namespace

class TestFields : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetFixedColumnTable(); }

    void commaFieldsHonourQuotes_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("quoted comma, empty field")
            << "\"Smith, J\",12,,x" << QStringList{"Smith, J", "12", "", "x"};
        QTest::newRow("single quote is an empty field") << "\"" << QStringList{""};
        QTest::newRow("two quotes") << "\"\"" << QStringList{""};
        QTest::newRow("inner quotes stay") << "a\"b\"c,d" << QStringList{"a\"b\"c", "d"};
        QTest::newRow("blanks kept") << " a , b " << QStringList{" a ", " b "};
        QTest::newRow("trailing comma adds nothing") << "a,b," << QStringList{"a", "b"};
        QTest::newRow("leading comma") << ",a" << QStringList{"", "a"};
        QTest::newRow("unbalanced quote takes the rest") << "\"abc,def,ghi" << QStringList{"abc,def,ghi"};
        QTest::newRow("quote only at the end") << "abc\",d" << QStringList{"abc\",d"};
        QTest::newRow("tabs are text") << "a\tb,c" << QStringList{"a\tb", "c"};
    }
    void commaFieldsHonourQuotes()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QStringList cut;
        QCOMPARE(cutAllCommaFields(line, &cut), QString());
        QCOMPARE(cut, fields);
        for (int n = 0; n < fields.size(); ++n)
            QCOMPARE(CutField(line, kLayoutComma, n), fields[n]);
        QCOMPARE(CutField(line, kLayoutComma, int(fields.size()) + 3), QString());
    }

    void tabFieldsIgnoreQuotes()
    {
        QString line = QStringLiteral("\"a\"\t\tb c");
        QCOMPARE(CutTabField(line), QStringLiteral("\"a\""));
        QCOMPARE(CutTabField(line), QString());
        QCOMPARE(CutTabField(line), QStringLiteral("b c"));
        QCOMPARE(line, QString());
        QCOMPARE(CutField(QStringLiteral("x\ty\tz"), kLayoutTab, 2), QStringLiteral("z"));
        QCOMPARE(CutField(QStringLiteral("x\ty\tz"), kLayoutTab, -1), QString());
        QCOMPARE(CutField(QStringLiteral("x\ty\tz"), QStringLiteral("ASCII Comma Delimited"), 0), QString());
    }

    void countsFieldsOfFirstDataLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("headerLines");
        QTest::addColumn<int>("expected");
        QTest::newRow("trailing comma") << QByteArray("a,b,\r\nx\r\n") << kLayoutComma << 0 << 2;
        QTest::newRow("empty first data line") << QByteArray("\r\na,b\r\n") << kLayoutComma << 0 << 1;
        QTest::newRow("empty file") << QByteArray() << kLayoutComma << 0 << 1;
        QTest::newRow("header skipped") << QByteArray("Date,Close\r\n1,2,3\r\n") << kLayoutComma << 1 << 3;
        QTest::newRow("header past the end") << QByteArray("a,b\r\n") << kLayoutComma << 5 << 1;
        QTest::newRow("LF line ends") << QByteArray("h\na,\"b,c\",d\n") << kLayoutComma << 1 << 3;
        QTest::newRow("no line end at the end") << QByteArray("a,b,c,d") << kLayoutComma << 0 << 4;
        QTest::newRow("CR of CR LF is no field") << QByteArray("a\tb\r\n") << kLayoutTab << 0 << 2;
        QTest::newRow("tab line") << QByteArray("a\tb\t\tc") << kLayoutTab << 0 << 4;
        QTest::newRow("unknown layout") << QByteArray("a,b") << QStringLiteral("CSV") << 0 << 0;
    }
    void countsFieldsOfFirstDataLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, layout);
        QFETCH(int, headerLines);
        QFETCH(int, expected);
        TTestEnv env;
        QCOMPARE(CountFields(env.writeFile(QStringLiteral("in.txt"), content), layout, headerLines),
                 expected);
        QV_VERIFY_ENV(env);
    }

    void missingFileCountsNoFields()
    {
        TTestEnv env;
        for (const QString &layout : TextLayoutNames())
            QCOMPARE(CountFields(env.path(QStringLiteral("none.txt")), layout, 0), 0);
        QCOMPARE(FixedColumnTable[1], (TFixedColumn{1, 1}));
        QCOMPARE(FixedColumnTable[2], (TFixedColumn{0, 0}));
        QCOMPARE(FixedColumnTable[100], (TFixedColumn{0, 0}));
        QV_VERIFY_ENV(env);
    }

    // A folder exists but cannot be read as a file: no columns, and not the
    // -1 the pass count would give.
    void unreadableFileCountsNoColumns()
    {
        TTestEnv env;
        QDir().mkpath(env.path(QStringLiteral("folder")));
        QCOMPARE(DetectFixedColumns(env.path(QStringLiteral("folder")), 0), 0);
        QCOMPARE(CountFields(env.path(QStringLiteral("folder")), kLayoutComma, 0), 0);
        QCOMPARE(CutField(QStringLiteral("ABC"), kLayoutFixed, 0), QString());
        QV_VERIFY_ENV(env);
    }

    void detectsFixedColumns_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("headerLines");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QList<int>>("bounds"); // start, end of entries 1, 2, ...
        QTest::newRow("AB  CD") << QByteArray("AB  CD") << 0 << 2 << QList<int>{1, 3, 5, 7};
        QTest::newRow("last line empty") << QByteArray("AB  CD\r\n\r\n") << 0 << 0 << QList<int>{1, 3};
        QTest::newRow("empty file") << QByteArray() << 0 << 0 << QList<int>{1, 1};
        QTest::newRow("left-aligned columns")
            << QByteArray("IBM   12.5  100\r\nT     9.25  2000\r\nXEROX 101.5 30\r\n") << 0 << 3
            << QList<int>{1, 6, 7, 12, 13, 17};
        QTest::newRow("header lines skipped on every pass")
            << QByteArray("Symbol Price\nAA 1\nBB 2\n") << 1 << 2 << QList<int>{1, 3, 4, 5};
        QTest::newRow("leading blanks move the start")
            << QByteArray("   AB CD\n   EF GH\n") << 0 << 2 << QList<int>{4, 6, 7, 9};
    }
    void detectsFixedColumns()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, headerLines);
        QFETCH(int, columns);
        QFETCH(QList<int>, bounds);
        TTestEnv env;
        const QString file = env.writeFile(QStringLiteral("fixed.txt"), content);
        QCOMPARE(CountFields(file, kLayoutFixed, headerLines), columns);
        for (int i = 0; i < bounds.size() / 2; ++i)
            QCOMPARE(FixedColumnTable[i + 1],
                     (TFixedColumn{uint16_t(bounds[2 * i]), uint16_t(bounds[2 * i + 1])}));
        QV_VERIFY_ENV(env);
    }

    void cutsFixedFieldsWithTheirTrailingBlank()
    {
        TTestEnv env;
        QCOMPARE(DetectFixedColumns(env.writeFile(QStringLiteral("f.txt"), "AB  CD"), 0), 2);
        QCOMPARE(CutField(QStringLiteral("AB  CD"), kLayoutFixed, 0), QStringLiteral("AB "));
        QCOMPARE(CutField(QStringLiteral("AB  CD"), kLayoutFixed, 1), QStringLiteral("CD"));
        QCOMPARE(CutField(QStringLiteral("AB"), kLayoutFixed, 1), QString());
        // Columns the detection did not find cut nothing, not a stray character.
        QCOMPARE(CutField(QStringLiteral("AB  CD"), kLayoutFixed, 5), QString());
        QCOMPARE(CutField(QStringLiteral("AB  CD"), kLayoutFixed, 99), QString());
        QCOMPARE(CutField(QStringLiteral("AB  CD"), kLayoutFixed, 100), QString());
        QV_VERIFY_ENV(env);
    }

    // One column per pass, each column ending on a blank: 150 one-letter
    // columns report the 99 the table can hold.
    void manyColumnsStopAtNinetyNine()
    {
        TTestEnv env;
        QByteArray line;
        for (int i = 0; i < 150; ++i)
            line += "x ";
        QCOMPARE(DetectFixedColumns(env.writeFile(QStringLiteral("wide.txt"), line), 0), 99);
        QCOMPARE(FixedColumnTable[99], (TFixedColumn{197, 198}));
        QV_VERIFY_ENV(env);
    }

    // Character positions are 16-bit; a longer line must neither wrap them
    // round nor read outside the line.
    void veryLongLineKeepsPositionsInRange()
    {
        TTestEnv env;
        QByteArray line(70000, 'A');
        line[3] = ' ';
        line += " B\r\n";
        const int columns = DetectFixedColumns(env.writeFile(QStringLiteral("long.txt"), line), 0);
        QCOMPARE(columns, 2);
        QCOMPARE(FixedColumnTable[1], (TFixedColumn{1, 4}));
        QCOMPARE(FixedColumnTable[2], (TFixedColumn{5, 65535}));
        QCOMPARE(CutField(QString::fromLatin1(line), kLayoutFixed, 0), QStringLiteral("AAA "));
        QV_VERIFY_ENV(env);
    }

    void trimsAndPadsWithBlanksOnly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("blanks") << "  x y  "
                                << "x y";
        QTest::newRow("tabs stay") << "\tx\t"
                                   << "\tx\t";
        QTest::newRow("all blanks") << "   "
                                    << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void trimsAndPadsWithBlanksOnly()
    {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QCOMPARE(TrimSpaces(text), trimmed);
        QCOMPARE(PadLeft(trimmed, 4).size(), std::max<qsizetype>(4, trimmed.size()));
        QVERIFY(PadLeft(trimmed, 4).endsWith(trimmed));
        QVERIFY(PadRight(trimmed, 4).startsWith(trimmed));
        QCOMPARE(PadRight(QStringLiteral("toolong"), 3), QStringLiteral("toolong"));
        QCOMPARE(PadLeft(QStringLiteral("x"), -2), QStringLiteral("x"));
    }

    void writersTrimQuoteAndSeparate_data()
    {
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("expected");
        auto w = [](auto f) { return written(f); };
        QTest::newRow("comma, quoted, not first")
            << w([](QIODevice &d) { WriteCommaField(d, QStringLiteral("  x "), false, true); })
            << QByteArray(",\"x\"");
        QTest::newRow("comma, first, plain")
            << w([](QIODevice &d) { WriteCommaField(d, QStringLiteral(" 12.5"), true, false); })
            << QByteArray("12.5");
        QTest::newRow("comma, inner quotes not escaped")
            << w([](QIODevice &d) { WriteCommaField(d, QStringLiteral("a\"b"), false, true); })
            << QByteArray(",\"a\"b\"");
        QTest::newRow("tab, first") << w([](QIODevice &d) { WriteTabField(d, QStringLiteral(" 5"), true); })
                                    << QByteArray("5");
        QTest::newRow("tab, not first")
            << w([](QIODevice &d) { WriteTabField(d, QStringLiteral("5 "), false); }) << QByteArray("\t5");
        QTest::newRow("fixed, padded")
            << w([](QIODevice &d) { WriteFixedField(d, QStringLiteral("IBM"), 8); })
            << QByteArray("IBM     ");
        QTest::newRow("fixed, longer written whole")
            << w([](QIODevice &d) { WriteFixedField(d, QStringLiteral("12345"), 3); }) << QByteArray("12345");
        QTest::newRow("record") << w([](QIODevice &d) {
            WriteCommaField(d, QStringLiteral("IBM"), true, true);
            WriteCommaField(d, QStringLiteral("12.5"), false, false);
            WriteLineEnd(d);
        }) << QByteArray("\"IBM\",12.5\r\n");
        QTest::newRow("Latin-1 text")
            << w([](QIODevice &d) { WriteTabField(d, QStringLiteral("Soci\u00e9t\u00e9"), true); })
            << QByteArray("Soci\xe9t\xe9");
    }
    void writersTrimQuoteAndSeparate()
    {
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, expected);
        QCOMPARE(out, expected);
    }

    // A full disk must end the export with an error, not leave a short file
    // reported as written.
    void writeFailuresRaise()
    {
        if (!QFile::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full on this system");
        QFile direct(QStringLiteral("/dev/full"));
        QVERIFY(direct.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        QVERIFY_THROWS_EXCEPTION(EInOutError, WriteFixedField(direct, QStringLiteral("x"), 4));
        QVERIFY_THROWS_EXCEPTION(EInOutError, WriteLineEnd(direct));

        QFile buffered(QStringLiteral("/dev/full"));
        QVERIFY(buffered.open(QIODevice::WriteOnly));
        WriteCommaField(buffered, QStringLiteral("x"), true, true); // held in the buffer
        QVERIFY_THROWS_EXCEPTION(EInOutError, FinishTextFile(buffered));

        QBuffer closed;
        QVERIFY_THROWS_EXCEPTION(EInOutError, WriteTabField(closed, QStringLiteral("x"), true));
    }

    void finishedFileIsComplete()
    {
        TTestEnv env;
        QFile file(env.path(QStringLiteral("out.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        WriteTabField(file, QStringLiteral("a"), true);
        WriteLineEnd(file);
        FinishTextFile(file);
        QCOMPARE(TTestEnv::readFile(env.path(QStringLiteral("out.txt"))), QByteArray("a\r\n"));
        QV_VERIFY_ENV(env);
    }

    void readsLinesWithEitherLineEnd()
    {
        QByteArray data("one\r\ntwo\nthree\rstill\r\n\r\nlast");
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        TTextLineReader reader(buffer);
        QStringList lines;
        while (!reader.atEnd())
            lines << reader.readLine();
        QCOMPARE(lines, (QStringList{"one", "two", "three\rstill", "", "last"}));
        QCOMPARE(reader.readLine(), QString());
    }
};

QTEST_GUILESS_MAIN(TestFields)
#include "tst_Fields.moc"
