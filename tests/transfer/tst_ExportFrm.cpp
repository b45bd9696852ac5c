// The export dialog and the data conversion window, driven as the user
// would: scripted dialogs and message boxes, real files underneath.

#include "ProgressCaptions.h"
#include "TestEnv.h"

#include "frame/DateBoxUi.h"
#include "frame/ModalUi.h"
#include "frame/StdUnit.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "records/WatchBase.h"
#include "securities/SymbolListFrm.h"
#include "transfer/DataConversion.h"
#include "transfer/ExportFrm.h"
#include "transfer/dataconversionfrm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {

QStringList items(QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// One day of ACME at 12.50 on 06/15/1999.
void addAcmeDay()
{
    TDataBase db(PriceFilePath("ACME"));
    TPriceRecord r;
    r.Date.setText("19990615");
    r.High = r.Low = r.Close = 12.5;
    r.Volume = 10;
    QVERIFY(db.Insert(r));
}

void pick(TExportForm &f, const QString &field)
{
    const auto found = f.AvailableFields->findItems(field, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    f.AvailableFields->setCurrentItem(found.first());
    f.CopyBtn->click();
}

TConvRecord quoteFormat(const QString &description, const QString &file)
{
    TConvRecord r;
    r.Description.setText(description);
    r.KindTag.setText(kConversionKindTag);
    r.FileName.setText(file);
    r.Layout = 1;
    r.DateForm = 2;
    r.FieldRowCount = 6;
    for (int i = 0; i < 6; ++i)
        r.FieldMap[i].setText(QStringLiteral("Field %1").arg(i + 1));
    return r;
}

} // namespace

class TestExportFrm : public QObject
{
    Q_OBJECT

private slots:
    void presetsAndSortedFields()
    {
        TTestEnv env;
        env.pinClock(QDateTime(QDate(2006, 3, 7), QTime(9, 0)));
        TExportForm f;
        f.setAvailableFields({"Symbol", "Company", "Date", "High", "Low", "Close", "Volume"});
        QCOMPARE(items(f.AvailableFields),
                 (QStringList{"Close", "Company", "Date", "High", "Low", "Symbol", "Volume"}));
        QCOMPARE(f.StartDate->text(), QStringLiteral("01/01/1960"));
        QCOMPARE(f.StopDate->text(), QStringLiteral("03/07/2006"));
        QVERIFY(!f.IncludeHeader->isChecked());
        QVERIFY(!f.ExportBtn->isEnabled());
        QVERIFY(!f.DeleteBtn->isEnabled());
    }

    void exportButtonFollowsTheControls()
    {
        TTestEnv env;
        TExportForm f;
        f.setAvailableFields({"Date", "Close"});
        f.ExportFileName->setText("out.txt");
        pick(f, "Close");
        f.DateFormatCombo->setCurrentIndex(0);
        QVERIFY(!f.ExportBtn->isEnabled()); // no layout yet
        f.ExportCombo->setCurrentIndex(1);
        QVERIFY(f.ExportBtn->isEnabled());
        f.ExportFields->setCurrentRow(0);
        f.DeleteBtn->click();
        QVERIFY(!f.ExportBtn->isEnabled());
        QVERIFY(!f.DeleteBtn->isEnabled());

        // Symbols: no date form needed, the dates are not checked.
        TExportForm s;
        s.setAvailableFields({"Symbol"});
        s.setDatesEnabled(false);
        s.ExportFileName->setText("sym.txt");
        s.ExportCombo->setCurrentIndex(0);
        pick(s, "Symbol");
        QVERIFY(s.ExportBtn->isEnabled());
        QVERIFY(!s.StartDateBtn->isEnabled() && !s.StopDate->isEnabled());
        s.StartDate->setText("  /  /    ");
        s.ExportBtn->click();
        QCOMPARE(s.result(), int(QDialog::Accepted));
        QVERIFY(env.messages.said.isEmpty());
    }

    void copyWithoutSelectionAddsNothingAndFieldsRepeat()
    {
        TTestEnv env;
        TExportForm f;
        f.setAvailableFields({"Close"});
        f.CopyBtn->click();
        QCOMPARE(f.ExportFields->count(), 0);
        pick(f, "Close");
        pick(f, "Close");
        QCOMPARE(f.settings().Fields, (QStringList{"Close", "Close"}));
    }

    void reversedDatesKeepTheDialogOpen()
    {
        TTestEnv env;
        TExportForm f;
        f.StartDate->setText("06/30/1999");
        f.StopDate->setText("06/01/1999");
        f.ExportBtnClick();
        QCOMPARE(f.result(), int(QDialog::Rejected));
        QCOMPARE(env.messages.said.size(), 1);
        QCOMPARE(env.messages.said[0].icon, TMsgIcon::Error);
        QVERIFY(
            env.messages.said[0].text.startsWith("Invalid Data Has Been Entered For The Following Fields:"));
        QVERIFY(env.messages.said[0].text.endsWith("From Date Must Be Less than To Date."));
    }

    void exportStockDataFlow()
    {
        TTestEnv env;
        CreateMissingFolders();
        addAcmeDay();
        const QString out = env.path("out.txt");
        QString caption;
        QueueModalScript([&](QDialog *d) {
            auto *f = qobject_cast<TExportForm *>(d);
            caption = f->windowTitle();
            f->ExportFileName->setText(out);
            f->ExportCombo->setCurrentIndex(1);
            f->DateFormatCombo->setCurrentIndex(2);
            pick(*f, "Date");
            pick(*f, "Close");
            f->ExportBtn->click();
            return f->result();
        });
        ExportStockData(nullptr, "ACME");
        QCOMPARE(caption, QStringLiteral("Export Stock Data Information"));
        QCOMPARE(TTestEnv::readFile(out), QByteArray("\"06/15/1999\",12.500000\r\n"));
        QCOMPARE(env.messages.texts(), QStringList{"Stock Data Information Exported"});
        QV_VERIFY_ENV(env);
    }

    // Export All from the stock data window: the dialog offers the seven
    // price fields with the date forms, the run shows its progress window and
    // skips a stored entry whose symbol could name no file; Cancel writes
    // nothing at all.
    void exportAllStockDataFlow()
    {
        TTestEnv env;
        CreateMissingFolders();
        addAcmeDay();
        {
            TWatchDatabase list(WatchListPath());
            TListRecord e;
            e.FileName.setText("..");
            e.Name.setText("ACME DOTS");
            list.Insert(e);
            e.FileName.setText("ACME");
            e.Name.setText("ACME, INC.");
            list.Insert(e);
        }
        const QString out = env.path("all.txt");
        QString caption;
        QStringList fields;
        bool datesEnabled = false;
        QueueModalScript([&](QDialog *d) {
            auto *f = qobject_cast<TExportForm *>(d);
            caption = f->windowTitle();
            fields = items(f->AvailableFields);
            datesEnabled = f->DateFormatCombo->isEnabled();
            f->ExportFileName->setText(out);
            f->ExportCombo->setCurrentIndex(1);
            f->DateFormatCombo->setCurrentIndex(2);
            pick(*f, "Company");
            pick(*f, "Date");
            pick(*f, "Close");
            f->ExportBtn->click();
            return f->result();
        });
        TProgressCaptions shown;
        ExportAllStockData(nullptr, WatchListPath());
        QCOMPARE(caption, QStringLiteral("Export Stock Data Information"));
        QCOMPARE(fields, QStringList({"Close", "Company", "Date", "High", "Low", "Symbol", "Volume"}));
        QVERIFY(datesEnabled);
        QCOMPARE(shown.captions, QStringList{"Exporting Stock Data Information"});
        QCOMPARE(TTestEnv::readFile(out), QByteArray("\"ACME, INC.\",06/15/1999,12.500000\r\n"));
        QCOMPARE(env.messages.texts(), QStringList{"Stock Data Information Exported"});

        env.messages.said.clear();
        QFile::remove(out);
        QueueModalScript([](QDialog *) { return int(QDialog::Rejected); });
        ExportAllStockData(nullptr, WatchListPath());
        QVERIFY(!QFile::exists(out));
        QVERIFY(env.messages.said.isEmpty());
        QV_VERIFY_ENV(env);
    }

    void symbolListExportWritesTheSymbolFile()
    {
        TTestEnv env;
        CreateMissingFolders();
        {
            TSymbolDataBase sym(GetFolders().Symbol + "Stocks.sbl");
            TSymbolRecord r;
            r.Symbol.setText("ACME");
            r.Name.setText("ACME INC");
            sym.Insert(r);
        }
        TSymbolListForm form;
        form.Refresh();
        const QString out = env.path("symbols.txt");
        QString caption;
        bool datesEnabled = true;
        QueueModalScript([&](QDialog *d) {
            auto *f = qobject_cast<TExportForm *>(d);
            caption = f->windowTitle();
            datesEnabled = f->DateFormatCombo->isEnabled() || f->StartDate->isEnabled();
            f->ExportFileName->setText(out);
            f->ExportCombo->setCurrentIndex(0);
            pick(*f, "Symbol");
            pick(*f, "Name");
            f->ExportBtn->click();
            return f->result();
        });
        form.ExportBtn->click();
        QCOMPARE(caption, QStringLiteral("Export Symbol Information"));
        QVERIFY(!datesEnabled);
        QCOMPARE(TTestEnv::readFile(out),
                 QByteArray("ACME     ACME INC                                  \r\n"));
        QCOMPARE(env.messages.texts(), QStringList{"Symbol Information Exported"});
        QV_VERIFY_ENV(env);
    }

    void conversionWindowButtonsAndDelete()
    {
        TTestEnv env;
        SetConversionDefinitionEditor({});
        {
            TDataConversionform w;
            QVERIFY(!w.EditBtn->isEnabled() && !w.DeleteBtn->isEnabled() && !w.RunBtn->isEnabled());
        }
        {
            TConvDataBase file(ConvertDatPath());
            TConvRecord b = quoteFormat("B", "b.txt"), a = quoteFormat("A", "a.txt");
            file.Insert(b);
            file.Insert(a);
        }
        TDataConversionform w;
        QCOMPARE(items(w.ListBox1), (QStringList{"A", "B"}));
        QCOMPARE(w.ListBox1->currentRow(), 0);
        QVERIFY(w.DeleteBtn->isEnabled() && w.RunBtn->isEnabled());
        env.messages.expectQuestion("Are You Sure You Want To Delete This Conversion Format?", true);
        w.DeleteBtn->click();
        QCOMPARE(items(w.ListBox1), QStringList{"B"});
        QV_VERIFY_ENV(env);
    }

    void createThroughTheDefinitionEditor()
    {
        TTestEnv env;
        SetConversionDefinitionEditor([](QWidget *, TConvRecord &rec) {
            rec = quoteFormat("Sample Daily Quotes", "q.txt");
            return true;
        });
        TDataConversionform w;
        QVERIFY(w.CreateBtn->isEnabled());
        w.CreateBtn->click();
        QCOMPARE(items(w.ListBox1), QStringList{"Sample Daily Quotes"});
        w.CreateBtn->click();
        QCOMPARE(items(w.ListBox1), QStringList{"Sample Daily Quotes"});
        QCOMPARE(env.messages.texts(), QStringList{kDuplicateFormatText});
        SetConversionDefinitionEditor({});
    }

    void runClosesTheWindowWhateverTheAnswer_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("no") << false;
        QTest::newRow("yes") << true;
    }
    void runClosesTheWindowWhateverTheAnswer()
    {
        QFETCH(bool, yes);
        TTestEnv env;
        CreateMissingFolders();
        const QString q = env.writeFile("q.txt", "ACME,06/15/1999,2,1,1.5,700\r\n");
        {
            TConvDataBase file(ConvertDatPath());
            TConvRecord r = quoteFormat("Daily", q);
            file.Insert(r);
        }
        TDataConversionform w;
        env.messages.expectQuestion("Are You Sure You Want To Run This Conversion Format?", yes);
        w.RunBtn->click();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(QFile::exists(PriceFilePath("ACME")), yes);
        if (yes)
            QCOMPARE(env.messages.texts().last(), QStringLiteral("Stock Data Information Imported"));
        QV_VERIFY_ENV(env);
    }
};

QTEST_MAIN(TestExportFrm)
#include "tst_ExportFrm.moc"
