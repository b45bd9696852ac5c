#include "TestEnv.h"

#include "frame/StdUnitDates.h"
#include "frame/StdUnitFields.h"
#include "transfer/ImportDefinition.h"

#include <QFile>
#include <QtTest>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

TImportSettings priceSettings()
{
    TImportSettings s;
    s.Description = QStringLiteral("Daily prices from the broker");
    s.KindTag = ImportKindInfo(TImportKind::Prices).Tag;
    s.FileName = QStringLiteral("/home/me/prices.csv");
    s.Layout = 1;
    s.DateForm = 0;
    s.Append = false;
    s.LinesToSkip = 1;
    s.VolumeDivisor = 1.0;
    s.FieldRows = ImportKindInfo(TImportKind::Prices).FieldRows;
    s.Assignments = {"Field 1", "Field 3", "Field 4", "Field 5", "Field 6"};
    return s;
}

QByteArray countedAt(const QByteArray &bytes, int offset)
{
    return bytes.mid(offset + 1, uint8_t(bytes[offset]));
}

int32_t int32At(const QByteArray &bytes, int offset)
{
    int32_t v;
    std::memcpy(&v, bytes.constData() + offset, 4);
    return v;
}

} // namespace

class tst_ImportDefinition : public QObject
{
    Q_OBJECT

private slots:
    void savedDefinitionHasTheRecordLayout()
    {
        TTestEnv env;
        const QString path = env.path("prices.imp");
        QVERIFY(SaveImportDefinition(path, BuildImportDefinition(priceSettings())));
        const QByteArray b = TTestEnv::readFile(path);
        QCOMPARE(b.size(), 1912);
        QCOMPARE(countedAt(b, 0), QByteArray("Daily prices from the broker"));
        QCOMPARE(countedAt(b, 51), QByteArray("Quorvane Stock Data Import"));
        QCOMPARE(countedAt(b, 102), QByteArray("/home/me/prices.csv"));
        QCOMPARE(int32At(b, 360), 1);
        QCOMPARE(int32At(b, 364), 0);
        QCOMPARE(int(b[368]), 0);
        QCOMPARE(int32At(b, 372), 1);
        QCOMPARE(int32At(b, 376), 5);
        double divisor;
        std::memcpy(&divisor, b.constData() + 384, 8);
        QCOMPARE(divisor, 1.0);
        QCOMPARE(int(b[392]), 0);
        const QList<QByteArray> map = {"Field 1", "Field 3", "Field 4", "Field 5", "Field 6", ""};
        for (int i = 0; i < map.size(); ++i)
            QCOMPARE(countedAt(b, 393 + 11 * i), map[i]);
        // Everything after the map, and the unused bytes, are zeros.
        QCOMPARE(b.mid(393 + 11 * 5), QByteArray(1912 - 393 - 55, '\0'));
        QCOMPARE(b.mid(358, 2), QByteArray(2, '\0'));
        QCOMPARE(b.mid(369, 3), QByteArray(3, '\0'));
        QCOMPARE(b.mid(380, 4), QByteArray(4, '\0'));
    }

    void descriptionAndMapEntriesAreCut()
    {
        TImportSettings s = priceSettings();
        s.Description = QString(80, 'd');
        s.Assignments[0] = QStringLiteral("Field 123456789");
        const TImportDefinition d = BuildImportDefinition(s);
        QCOMPARE(d.Description.text(), QString(50, 'd'));
        QCOMPARE(d.FieldMap[0].text(), QStringLiteral("Field 1234"));
    }

    void resavingALoadedDefinitionWritesTheSameBytesApartFromUnused()
    {
        TTestEnv env;
        const QString first = env.path("first.imp");
        QVERIFY(SaveImportDefinition(first, BuildImportDefinition(priceSettings())));
        // Another writer's noise in the unused bytes is dropped on re-save.
        QByteArray noisy = TTestEnv::readFile(first);
        noisy[359] = 'x';
        noisy[370] = 'y';
        noisy[1911] = 'z';
        env.writeFile("noisy.imp", noisy);

        TImportDefinition loaded;
        QCOMPARE(LoadImportDefinition(env.path("noisy.imp"), ImportKindInfo(TImportKind::Prices).Tag, loaded),
                 TDefinitionLoad::Loaded);
        const TImportSettings s =
            SettingsFromDefinition(loaded, ImportKindInfo(TImportKind::Prices).FieldRows);
        QCOMPARE(s.Assignments, priceSettings().Assignments);
        QCOMPARE(s.layoutName(), kLayoutComma);
        QCOMPARE(s.dateFormName(), kFormYYYY_MM_DD);
        QVERIFY(SaveImportDefinition(env.path("again.imp"), BuildImportDefinition(s)));
        QCOMPARE(TTestEnv::readFile(env.path("again.imp")), TTestEnv::readFile(first));
    }

    void loadRefusesWhatItCannotTake_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("message");
        TImportSettings symbols = priceSettings();
        symbols.KindTag = ImportKindInfo(TImportKind::Symbols).Tag;
        const TImportDefinition d = BuildImportDefinition(symbols);
        const QByteArray image(reinterpret_cast<const char *>(&d), sizeof d);
        QTest::newRow("another kind")
            << image << true << int(TDefinitionLoad::WrongKind)
            << "Error, This Import File Is Not For The Data You Are Trying To Import.";
        QTest::newRow("missing") << QByteArray() << false << int(TDefinitionLoad::CannotOpen)
                                 << "Error, Could Not Open Import File.";
        QTest::newRow("shorter than a record")
            << image.left(1911) << true << int(TDefinitionLoad::TooShort) << "Read beyond end of file";
        QTest::newRow("empty") << QByteArray() << true << int(TDefinitionLoad::TooShort)
                               << "Read beyond end of file";
    }
    void loadRefusesWhatItCannotTake()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        QFETCH(int, expected);
        QFETCH(QString, message);
        TTestEnv env;
        const QString path = env.path("def.imp");
        if (exists)
            env.writeFile("def.imp", content);
        TImportDefinition d;
        d.Description = QStringLiteral("untouched");
        QString error;
        const TDefinitionLoad result =
            LoadImportDefinition(path, ImportKindInfo(TImportKind::Prices).Tag, d, &error);
        QCOMPARE(int(result), expected);
        QCOMPARE(DefinitionLoadMessage(result, error), message);
        QCOMPARE(d.Description.text(), QStringLiteral("untouched"));
    }

    void garbageNumbersAreBroughtIntoRange_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("dateForm");
        QTest::addColumn<int>("skip");
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<double>("divisor");
        QTest::addColumn<int>("wantLayout");
        QTest::addColumn<int>("wantDateForm");
        QTest::addColumn<int>("wantSkip");
        QTest::addColumn<double>("wantDivisor");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("sound") << 2 << 8 << 100 << 5 << 2.5 << 2 << 8 << 100 << 2.5;
        QTest::newRow("past the lists") << 3 << 9 << 101 << 5 << 1.0 << -1 << -1 << 100 << 1.0;
        QTest::newRow("negative") << -7 << -2 << -1 << -5 << 1.0 << -1 << -1 << 0 << 1.0;
        QTest::newRow("huge") << INT32_MAX << INT32_MIN << INT32_MAX << INT32_MAX << inf << -1 << -1 << 100
                              << 1.0;
        QTest::newRow("not a number") << 0 << 0 << 0 << 0 << nan << 0 << 0 << 0 << 1.0;
    }
    void garbageNumbersAreBroughtIntoRange()
    {
        QFETCH(int, layout);
        QFETCH(int, dateForm);
        QFETCH(int, skip);
        QFETCH(int, rowCount);
        QFETCH(double, divisor);
        TImportDefinition d;
        d.Layout = layout;
        d.DateForm = dateForm;
        d.LinesToSkip = skip;
        d.FieldRowCount = rowCount;
        d.VolumeDivisor = divisor;
        for (int i = 0; i < kFieldMapEntries; ++i)
            d.FieldMap[i] = QStringLiteral("Field %1").arg(i + 1);
        const QStringList rows = ImportKindInfo(TImportKind::Prices).FieldRows;
        const TImportSettings s = SettingsFromDefinition(d, rows);
        QTEST(s.Layout, "wantLayout");
        QTEST(s.DateForm, "wantDateForm");
        QTEST(s.LinesToSkip, "wantSkip");
        QTEST(s.VolumeDivisor, "wantDivisor");
        QCOMPARE(s.Assignments.size(), rows.size());
        // Rows are filled from the top only as far as the stored count reaches.
        QCOMPARE(s.Assignments[0].isEmpty(), rowCount <= 0);
    }

    void assignmentTextsNameFields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("field");
        QTest::newRow("Field 3") << "Field 3" << 2;
        QTest::newRow("Field 1") << "Field 1" << 0;
        QTest::newRow("Field 99") << "Field 99" << 98;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("Field 0") << "Field 0" << -1;
        QTest::newRow("Field -4") << "Field -4" << -1;
        QTest::newRow("Field x") << "Field x" << -1;
        QTest::newRow("no prefix") << "3" << -1;
    }
    void assignmentTextsNameFields()
    {
        QFETCH(QString, text);
        QTEST(AssignedFieldNumber(text), "field");
    }

    void optionalRowsMayStayUnassigned_data()
    {
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<bool>("ready");
        QTest::newRow("symbol and name") << QStringList{"Field 1", "Field 2", ""} << true;
        QTest::newRow("all three") << QStringList{"Field 1", "Field 2", "Field 3"} << true;
        QTest::newRow("name missing") << QStringList{"Field 1", "", "Field 3"} << false;
        QTest::newRow("none") << QStringList{"", "", ""} << false;
    }
    void optionalRowsMayStayUnassigned()
    {
        QFETCH(QStringList, assignments);
        const TImportKindInfo &info = ImportKindInfo(TImportKind::Symbols);
        TImportSettings s;
        s.FieldRows = info.FieldRows;
        s.Assignments = assignments;
        QTEST(RequiredRowsAssigned(s, info.OptionalRows), "ready");
    }

    void volumeDivisorTextReadsAsANumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("divisor");
        QTest::newRow("1000") << "1000" << 1000.0;
        QTest::newRow("2.5") << "2.5" << 2.5;
        QTest::newRow("letters") << "abc" << 1.0;
        QTest::newRow("empty") << "" << 1.0;
        QTest::newRow("inf") << "inf" << 1.0;
    }
    void volumeDivisorTextReadsAsANumber()
    {
        QFETCH(QString, text);
        QTEST(VolumeDivisorFromText(text), "divisor");
    }
};

QTEST_GUILESS_MAIN(tst_ImportDefinition)
#include "tst_ImportDefinition.moc"
