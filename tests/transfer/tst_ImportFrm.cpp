#include "TestEnv.h"

#include "frame/ModalUi.h"
#include "frame/StdUnitDates.h"
#include "frame/StdUnitFields.h"
#include "frame/Stockcfg.h"
#include "records/SblBase.h"
#include "securities/SymbolListFrm.h"
#include "transfer/ImportFrm.h"
#include "transfer/ImportRun.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

namespace {

// The user picks `path` in the next file dialog.
void scriptFile(const QString &path)
{
    QueueModalScript([=](QDialog *d) {
        auto *files = qobject_cast<QFileDialog *>(d);
        if (!files)
            return int(QDialog::Rejected);
        files->selectFile(path);
        return int(QDialog::Accepted);
    });
}

QString assigned(const TImportForm &f, int row)
{
    return f.ImportGrid->item(row, 1)->text();
}

// A prices dialog on a comma file with a heading line, every row assigned.
void fillPrices(TImportForm &f, const QString &file)
{
    f.setKind(TImportKind::Prices);
    f.Description->setText("Broker prices");
    f.ImportFormat->setCurrentIndex(1);
    f.DateFormat->setCurrentIndex(0);
    f.ImportFileName->setText(file);
    f.SpinEdit1->setValue(1);
    for (int r = 0; r < 5; ++r)
        f.ImportGridDragDrop(r, QStringLiteral("Field %1").arg(r + 1));
}

const QByteArray kPriceFile =
    "Date,High,Low,Close,Volume\r\n2001-01-02,11,10,10.5,2000\r\n2001-01-03,12,11,11.5,3000\r\n";

} // namespace

class tst_ImportFrm : public QObject
{
    Q_OBJECT

private slots:
    void init() { SetRecordFileSync(false); }

    void kindSetsCaptionRowsAndControls_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<bool>("dateForms");
        QTest::addColumn<bool>("definitionOnly");
        QTest::newRow("symbols") << int(TImportKind::Symbols) << "Import Symbol Information"
                                 << QStringList{"Symbol", "Name", "Web Link"} << false << false;
        QTest::newRow("prices") << int(TImportKind::Prices) << "Import Stock Data Information"
                                << QStringList{"Date", "High", "Low", "Close", "Volume"} << true << false;
        QTest::newRow("transactions")
            << int(TImportKind::Transactions) << "Import Transation Information"
            << QStringList{"Symbol", "Date", "Shares", "Price", "Fee"} << true << false;
        QTest::newRow("dividends") << int(TImportKind::Dividends) << "Import Dividend Information"
                                   << QStringList{"Symbol", "Date", "Dividend"} << true << false;
        QTest::newRow("conversion") << int(TImportKind::Conversion) << "Define Data Conversion Information"
                                    << QStringList{"Symbol", "Date", "High", "Low", "Close", "Volume"} << true
                                    << true;
    }
    void kindSetsCaptionRowsAndControls()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, rows);
        QFETCH(bool, definitionOnly);
        TTestEnv env;
        TImportForm f;
        QCOMPARE(f.windowTitle(), QStringLiteral("Import"));
        f.setKind(TImportKind(kind));
        QTEST(f.windowTitle(), "caption");
        QTEST(f.DateFormat->isEnabled(), "dateForms");
        QCOMPARE(f.ImportGrid->rowCount(), rows.size());
        for (int r = 0; r < rows.size(); ++r)
            QCOMPARE(f.ImportGrid->item(r, 0)->text(), rows[r]);
        QCOMPARE(f.LoadBtn->isVisibleTo(&f), !definitionOnly);
        QCOMPARE(f.ImportBtn->isVisibleTo(&f), !definitionOnly);
        QCOMPARE(f.AppendToFile->isVisibleTo(&f), !definitionOnly);
        QCOMPARE(f.Volume->isVisibleTo(&f), definitionOnly);
        QCOMPARE(f.Summary->isVisibleTo(&f), definitionOnly);
        QVERIFY(!f.SaveBtn->isEnabled() && !f.ImportBtn->isEnabled());
        QVERIFY(f.AppendToFile->isChecked());
        QCOMPARE(f.SpinEdit1->value(), 0);
        QCOMPARE(f.settings().KindTag, ImportKindInfo(TImportKind(kind)).Tag);
    }

    void previewShowsTheLinesAfterTheSkippedOnes()
    {
        TTestEnv env;
        TImportForm f;
        f.setKind(TImportKind::Prices);
        QVERIFY(f.NoFileLabel->isVisibleTo(&f));
        f.ImportFileName->setText(env.writeFile("p.csv", kPriceFile));
        QVERIFY(!f.previewShown()); // no layout yet
        f.ImportFormat->setCurrentIndex(1);
        QVERIFY(f.previewShown());
        QVERIFY(!f.NoFileLabel->isVisibleTo(&f));
        QCOMPARE(f.StringGrid1->rowCount(), 3);
        f.SpinEdit1->setValue(1);
        QCOMPARE(f.StringGrid1->rowCount(), 2);
        QCOMPARE(f.StringGrid1->columnCount(), 5);
        QCOMPARE(f.StringGrid1->horizontalHeaderItem(0)->text(), QStringLiteral("Field 1"));
        QCOMPARE(f.StringGrid1->horizontalHeaderItem(4)->text(), QStringLiteral("Field 5"));
        QCOMPARE(f.StringGrid1->item(0, 0)->text(), QStringLiteral("2001-01-02"));
        QCOMPARE(f.StringGrid1->horizontalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        QCOMPARE(f.StringGrid1->toolTip(), QStringLiteral("Drage The Field You Want To Import"));
        const int widest = QFontMetrics(f.StringGrid1->font()).horizontalAdvance("2001-01-02");
        QVERIFY(f.StringGrid1->columnWidth(0) >= widest + 4);
    }

    void previewShowsAtMost101Lines()
    {
        TTestEnv env;
        QByteArray content;
        for (int i = 0; i < 250; ++i)
            content += "20010102  1  2\n";
        TImportForm f;
        f.setKind(TImportKind::Prices);
        f.ImportFormat->setCurrentIndex(0);
        f.ImportFileName->setText(env.writeFile("p.txt", content));
        QCOMPARE(f.StringGrid1->rowCount(), 101);
        QCOMPARE(f.StringGrid1->columnCount(), 3);
        QCOMPARE(f.StringGrid1->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    }

    void droppedFieldsFillRowsAndEnableTheButtons()
    {
        TTestEnv env;
        TImportForm f;
        f.setKind(TImportKind::Symbols);
        f.ImportFormat->setCurrentIndex(1);
        f.ImportFileName->setText(env.writeFile("s.csv", "IBM,International\n"));
        f.ImportGridDragDrop(0, "Field 1");
        QVERIFY(!f.ImportBtn->isEnabled());
        f.ImportGridDragDrop(99, "Field 3"); // below the last row: the last row
        QCOMPARE(assigned(f, 2), QStringLiteral("Field 3"));
        QVERIFY(!f.ImportBtn->isEnabled());
        f.ImportGridDragDrop(1, "Field 1"); // one field may feed several rows
        QVERIFY(f.ImportBtn->isEnabled() && f.SaveBtn->isEnabled());
        f.ImportGridDragDrop(1, "Field 2"); // and a row's assignment is replaced
        QCOMPARE(assigned(f, 1), QStringLiteral("Field 2"));
        // "Web Link" is optional: symbol and name are enough.
        f.ImportGridDragDrop(2, QString());
        QVERIFY(f.ImportBtn->isEnabled());
        // Without a layout there is nothing to import.
        f.ImportFormat->setCurrentIndex(-1);
        QVERIFY(!f.ImportBtn->isEnabled());
    }

    void datedKindsAlsoNeedADateForm()
    {
        TTestEnv env;
        TImportForm f;
        fillPrices(f, env.writeFile("p.csv", kPriceFile));
        QVERIFY(f.ImportBtn->isEnabled());
        f.DateFormat->setCurrentIndex(-1);
        QVERIFY(!f.ImportBtn->isEnabled() && !f.SaveBtn->isEnabled());
    }

    void definitionOnlyNeedsADescriptionAndSaveCloses()
    {
        TTestEnv env;
        TImportForm f;
        f.setKind(TImportKind::Conversion);
        f.ImportFormat->setCurrentIndex(1);
        f.DateFormat->setCurrentIndex(0);
        f.ImportFileName->setText(env.writeFile("q.csv", "IBM,2001-01-02,1,1,1,100\n"));
        for (int r = 0; r < 6; ++r)
            f.ImportGridDragDrop(r, QStringLiteral("Field %1").arg(r + 1));
        QVERIFY(!f.SaveBtn->isEnabled());
        f.Description->setText("Daily quotes");
        QVERIFY(f.SaveBtn->isEnabled());
        f.Volume->setValue(100);
        f.Summary->setChecked(true);
        f.SaveBtn->click();
        QCOMPARE(f.result(), int(QDialog::Accepted));
        const TImportDefinition d = f.definition();
        QCOMPARE(d.KindTag.text(), QStringLiteral("Quorvane Data Conversion"));
        QCOMPARE(d.VolumeDivisor, 100.0);
        QCOMPARE(int(d.Summary), 1);
        QCOMPARE(d.FieldRowCount, 6);
        QV_VERIFY_ENV(env);
    }

    void missingFileClearsTheAssignments()
    {
        TTestEnv env;
        TImportForm f;
        fillPrices(f, env.writeFile("p.csv", kPriceFile));
        f.ImportFileName->setText(env.path("gone.csv"));
        for (int r = 0; r < 5; ++r)
            QVERIFY(assigned(f, r).isEmpty());
        QVERIFY(!f.ImportBtn->isEnabled());
        QVERIFY(f.NoFileLabel->isVisibleTo(&f));
    }

    void browseButtonPutsThePickedFileIntoTheName()
    {
        TTestEnv env;
        TImportForm f;
        f.setKind(TImportKind::Prices);
        f.ImportFormat->setCurrentIndex(1);
        const QString file = env.writeFile("p.csv", kPriceFile);
        scriptFile(file);
        f.GetFileBtn->click();
        QCOMPARE(f.ImportFileName->text(), file);
        QVERIFY(f.previewShown());
        QV_VERIFY_ENV(env);
    }

    void onlyPreviewColumnsCanBeDropped()
    {
        QMimeData ours;
        ours.setData(kImportFieldMimeType, "Field 2");
        QMimeData symbolRow;
        symbolRow.setData(kSymbolMimeType, "IBM\tINTERNATIONAL");
        QMimeData text;
        text.setText("Field 2");
        QVERIFY(TImportFieldGrid::acceptsDrop(&ours));
        QVERIFY(!TImportFieldGrid::acceptsDrop(&symbolRow));
        QVERIFY(!TImportFieldGrid::acceptsDrop(&text));
    }

    void savedDefinitionLoadsBackIntoItsKindOnly()
    {
        TTestEnv env;
        const QString data = env.writeFile("p.csv", kPriceFile);
        const QString imp = env.path("prices.imp");
        {
            TImportForm f;
            fillPrices(f, data);
            f.AppendToFile->setChecked(false);
            scriptFile(imp);
            f.SaveBtn->click();
            QCOMPARE(TTestEnv::readFile(imp).size(), 1912);
        }
        {
            TImportForm f;
            f.setKind(TImportKind::Symbols);
            scriptFile(imp);
            f.LoadBtn->click();
            QCOMPARE(env.messages.texts(),
                     QStringList{"Error, This Import File Is Not For The Data You Are Trying To Import."});
            QCOMPARE(env.messages.said[0].icon, TMsgIcon::Error);
            QVERIFY(f.Description->text().isEmpty());
        }
        TImportForm f;
        f.setKind(TImportKind::Prices);
        scriptFile(imp);
        f.LoadBtn->click();
        QCOMPARE(f.Description->text(), QStringLiteral("Broker prices"));
        QCOMPARE(f.ImportFileName->text(), data);
        QCOMPARE(f.ImportFormat->currentText(), kLayoutComma);
        QCOMPARE(f.DateFormat->currentText(), kFormYYYY_MM_DD);
        QCOMPARE(f.SpinEdit1->value(), 1);
        QVERIFY(!f.AppendToFile->isChecked());
        QCOMPARE(assigned(f, 4), QStringLiteral("Field 5"));
        QCOMPARE(f.StringGrid1->rowCount(), 2);
        QVERIFY(f.ImportBtn->isEnabled());
        QV_VERIFY_ENV(env);
    }

    void loadAndSaveFailuresAreReported_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("short definition") << false << QByteArray(100, 'x') << "Read beyond end of file";
        QTest::newRow("cannot create") << true << QByteArray() << "Error, Could Not Create Import File.";
    }
    void loadAndSaveFailuresAreReported()
    {
        QFETCH(bool, save);
        QFETCH(QByteArray, content);
        TTestEnv env;
        TImportForm f;
        fillPrices(f, env.writeFile("p.csv", kPriceFile));
        if (save) {
            scriptFile(env.path("no/such/folder/x.imp"));
            f.SaveBtn->click();
        } else {
            scriptFile(env.writeFile("short.imp", content));
            f.LoadBtn->click();
            QCOMPARE(f.Description->text(), QStringLiteral("Broker prices")); // nothing taken over
        }
        QCOMPARE(env.messages.said.size(), 1);
        QTEST(env.messages.said[0].text, "message");
        QCOMPARE(env.messages.said[0].icon, TMsgIcon::Error);
        QV_VERIFY_ENV(env);
    }

    void symbolListImportReplacesOnlyAfterYes_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("No leaves the file") << false << QStringList{"OLD"};
        QTest::newRow("Yes replaces it") << true << QStringList{"AA", "IBM"};
    }
    void symbolListImportReplacesOnlyAfterYes()
    {
        QFETCH(bool, yes);
        TTestEnv env;
        for (const char *d : {"symbol", "watch", "notes", "data", "port"})
            QDir().mkpath(env.path(d));
        const QString file = env.writeFile("s.csv", "ibm,International\naa,Alcoa\n");
        {
            TSymbolDataBase db(GetFolders().Symbol + "Stocks.sbl");
            TSymbolRecord r;
            r.Symbol = QStringLiteral("OLD");
            db.Insert(r);
        }
        TSymbolListForm list;
        list.Refresh();
        QueueModalScript([&](QDialog *d) {
            auto *f = qobject_cast<TImportForm *>(d);
            if (!f || f->windowTitle() != "Import Symbol Information")
                return int(QDialog::Rejected);
            f->ImportFormat->setCurrentIndex(1);
            f->ImportFileName->setText(file);
            f->ImportGridDragDrop(0, "Field 1");
            f->ImportGridDragDrop(1, "Field 2");
            f->AppendToFile->setChecked(false);
            f->ImportBtn->click();
            return f->result();
        });
        env.messages.expectQuestion("Warning, This will overwrite the current Symbol File, Proceed?", yes);
        list.ImportBtn->click();
        QStringList stored;
        TSymbolRecord r;
        for (int i = 0; i < list.symbolFile()->RecordCount(); ++i) {
            list.symbolFile()->ReadAt(r, i);
            stored << r.Symbol.text();
        }
        QTEST(stored, "stored");
        QCOMPARE(list.dataRowCount(), stored.size());
        QCOMPARE(env.messages.texts().contains("Symbol Information Imported"), yes);
        QV_VERIFY_ENV(env);
    }
};

QTEST_MAIN(tst_ImportFrm)
#include "tst_ImportFrm.moc"
