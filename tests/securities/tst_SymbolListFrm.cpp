#include "SizeLimit.h"
#include "TestEnv.h"

#include "frame/ModalUi.h"
#include "frame/StdUnit.h"
#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/SblBase.h"
#include "records/WatchBase.h"
#include "securities/FindSymbolFrm.h"
#include "securities/SymbolAddEditFrm.h"
#include "securities/SymbolChecks.h"
#include "securities/SymbolListFrm.h"
#include "securities/SymbolLookup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QtTest>

namespace {

void makeFolders(const TTestEnv &env)
{
    for (const char *f : {"symbol", "watch", "notes", "data", "port"})
        QDir().mkpath(env.path(f));
}

QString symbolFile()
{
    return GetFolders().Symbol + "Stocks.sbl";
}

void addSymbol(const char *symbol, const char *name, const char *web = "")
{
    TSymbolDataBase db(symbolFile());
    TSymbolRecord r;
    r.Symbol = QString::fromLatin1(symbol);
    r.Name = QString::fromLatin1(name);
    r.WebAddress = QString::fromLatin1(web);
    db.Insert(r);
}

QStringList storedSymbols()
{
    TSymbolDataBase db(symbolFile());
    QStringList out;
    TSymbolRecord r;
    for (int i = 0; i < db.RecordCount(); ++i) {
        db.ReadAt(r, i);
        out << r.Symbol.text() + "=" + r.Name.text();
    }
    return out;
}

// Fills the symbol dialog and presses "&Save" the way a user would.
void scriptSave(const QString &symbol, const QString &name, const QString &web = QString())
{
    QueueModalScript([=](QDialog *d) {
        d->findChild<QLineEdit *>("SymbolEdit")->setText(symbol);
        d->findChild<QLineEdit *>("SymbolNameEdit")->setText(name);
        d->findChild<QLineEdit *>("WebAddress")->setText(web);
        d->findChild<QPushButton *>("SaveBtn")->click();
        return d->result();
    });
}

void scriptFind(const QString &text, bool byName)
{
    QueueModalScript([=](QDialog *d) {
        d->findChild<QLineEdit *>("FindWhat")->setText(text);
        d->findChild<QRadioButton *>(byName ? "FindName" : "FindSymbol")->setChecked(true);
        return int(QDialog::Accepted);
    });
}

} // namespace

class TestSymbolListFrm : public QObject
{
    Q_OBJECT

private slots:
    void buttonsFollowTheFileContents()
    {
        TTestEnv env;
        makeFolders(env);
        TSymbolListForm form;
        form.Refresh();
        QCOMPARE(form.dataRowCount(), 1);
        QCOMPARE(form.statusText(), QStringLiteral("Record 1 of 1"));
        for (QPushButton *b : {form.EditBtn, form.DeleteBtn, form.FindBtn, form.ExportBtn})
            QVERIFY(!b->isEnabled());
        QVERIFY(form.AddBtn->isEnabled() && form.ImportBtn->isEnabled());
        QVERIFY(!form.WebBtn->isEnabled());

        scriptSave("ibm", "international business", "http://example.com/ibm");
        form.AddBtnClick();
        QCOMPARE(storedSymbols(), QStringList({"IBM=INTERNATIONAL BUSINESS"}));
        for (QPushButton *b : {form.EditBtn, form.DeleteBtn, form.FindBtn, form.ExportBtn})
            QVERIFY(b->isEnabled());
        QVERIFY(form.WebBtn->isEnabled());
        QCOMPARE(form.statusText(), QStringLiteral("Record 1 of 1"));
        QV_VERIFY_ENV(env);
    }

    // A new workspace: the list is made before its folder exists. Once the
    // folder is there, the first addition must be stored.
    void symbolFolderMadeAfterTheListStillTakesAdditions()
    {
        TTestEnv env;
        TSymbolListForm form;
        QVERIFY(!form.symbolFile()->IsOpen());
        makeFolders(env);
        scriptSave("ibm", "international business");
        form.AddBtnClick();
        QCOMPARE(storedSymbols(), QStringList({"IBM=INTERNATIONAL BUSINESS"}));
        QV_VERIFY_ENV(env);
    }

    // Without its folder the symbol file cannot be opened: the user is told,
    // with the path, before typing anything that would be lost.
    void symbolFileThatCannotBeOpenedIsReported()
    {
        TTestEnv env;
        TSymbolListForm form;
        form.AddBtnClick();
        QCOMPARE(env.messages.texts(),
                 QStringList({"Error, Could Not Open The File " + env.path("symbol/Stocks.sbl")}));
        QCOMPARE(env.messages.said.front().icon, TMsgIcon::Error);
        QVERIFY(!QFile::exists(env.path("symbol/Stocks.sbl")));
        QV_VERIFY_ENV(env);
    }

    // The longest symbol (7) and name (40) show whole in the grid and in the
    // symbol dialog, whatever the font.
    void longestSymbolAndNameShowWhole_data()
    {
        QTest::addColumn<int>("pointSize");
        QTest::newRow("desktop font") << 0;
        QTest::newRow("large font") << 14;
    }
    void longestSymbolAndNameShowWhole()
    {
        QFETCH(int, pointSize);
        TTestEnv env;
        makeFolders(env);
        const QFont saved = QApplication::font();
        if (pointSize > 0) {
            QFont large = saved;
            large.setPointSize(pointSize);
            QApplication::setFont(large);
        }
        {
            TSymbolListForm form;
            const QFontMetrics grid(form.StringGrid1->font());
            QVERIFY(form.StringGrid1->columnWidth(0) >= 76);
            QVERIFY(form.StringGrid1->columnWidth(0) > grid.horizontalAdvance("WWWWWWW"));
            QVERIFY(form.StringGrid1->columnWidth(1) > grid.horizontalAdvance(QString(40, 'W')));
            QVERIFY(form.StringGrid1->width() >= form.StringGrid1->columnWidth(0) +
                                                     form.StringGrid1->columnWidth(1) +
                                                     form.style()->pixelMetric(QStyle::PM_ScrollBarExtent));
            QVERIFY(form.AddBtn->x() > form.StringGrid1->geometry().right());
            QVERIFY(form.width() > form.CloseBtn->geometry().right());

            TSymbolAddEditForm dialog;
            const QFontMetrics box(dialog.SymbolEdit->font());
            QVERIFY(dialog.SymbolEdit->width() > box.horizontalAdvance("WWWWWWW") + 8);
            QVERIFY(dialog.SymbolNameEdit->width() > box.horizontalAdvance(QString(40, 'W')) + 8);
            QVERIFY(dialog.width() > dialog.SymbolNameEdit->geometry().right());
            QVERIFY(dialog.CancelBtn->geometry().right() < dialog.width());
        }
        QApplication::setFont(saved);
        QV_VERIFY_ENV(env);
    }

    void duplicateSymbolIsRefusedWithItsMessage()
    {
        TTestEnv env;
        makeFolders(env);
        addSymbol("IBM", "INTERNATIONAL BUSINESS");
        TSymbolListForm form;
        form.Refresh();
        scriptSave("IBM", "SOMETHING ELSE");
        form.AddBtnClick();
        QCOMPARE(env.messages.said.size(), 1);
        QCOMPARE(env.messages.said[0].icon, TMsgIcon::Error);
        QCOMPARE(env.messages.said[0].text,
                 QStringLiteral("The Following Error Has Occured:\r\rSymbol: IBM\rDescription: INTERNATIONAL "
                                "BUSINESS\r\rSymbol Already On File In Database, Symbol Data Not Added!"));
        QCOMPARE(storedSymbols(), QStringList({"IBM=INTERNATIONAL BUSINESS"}));
        QV_VERIFY_ENV(env);
    }

    // A full disk (here the file size limit) refuses the new symbol: the box
    // names the file and Stocks.sbl keeps exactly what it had.
    void failedWriteIsReportedWithTheFileName()
    {
        TTestEnv env;
        makeFolders(env);
        addSymbol("IBM", "INTERNATIONAL BUSINESS");
        addSymbol("XOM", "EXXON");
        const QByteArray before = TTestEnv::readFile(symbolFile());
        TSymbolListForm form;
        form.Refresh();

        {
            TSizeLimit full(before.size());
            scriptSave("AAA", "FIRST IN ORDER");
            form.AddBtnClick();
            scriptSave("ZZZ", "LAST IN ORDER");
            form.AddBtnClick();
        }

        const QString text = QStringLiteral("Unable To Write To ") + symbolFile();
        QCOMPARE(env.messages.texts(), QStringList({text, text}));
        QCOMPARE(env.messages.said[0].icon, TMsgIcon::Error);
        QCOMPARE(TTestEnv::readFile(symbolFile()), before);
        QCOMPARE(form.dataRowCount(), 2);
        QV_VERIFY_ENV(env);
    }

    void symbolsThatCannotNameAFileAreRefused_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::newRow("empty") << "";
        QTest::newRow("blank") << "   ";
        QTest::newRow("slash") << "A/B";
        QTest::newRow("dotdot") << "..";
    }
    void symbolsThatCannotNameAFileAreRefused()
    {
        QFETCH(QString, symbol);
        TTestEnv env;
        makeFolders(env);
        TSymbolListForm form;
        form.Refresh();
        scriptSave(symbol, "NAME");
        form.AddBtnClick();
        QCOMPARE(storedSymbols(), QStringList());
        QCOMPARE(env.messages.said.size(), 1);
        QVERIFY(env.messages.said[0].text.startsWith(
            "Invalid Data Has Been Entered For The Following Fields:\n\n"));
        QV_VERIFY_ENV(env);
    }

    void deletingTheLastRowSelectsTheNewLastRow()
    {
        TTestEnv env;
        makeFolders(env);
        addSymbol("A", "ALPHA");
        addSymbol("B", "BETA");
        addSymbol("C", "GAMMA");
        TSymbolListForm form;
        form.Refresh();
        form.selectRow(3);
        QString caption;
        bool fieldsEnabled = true, saveShown = true, deleteShown = false;
        QueueModalScript([&](QDialog *d) {
            caption = d->windowTitle();
            fieldsEnabled = d->findChild<QLineEdit *>("SymbolEdit")->isEnabled();
            saveShown = d->findChild<QPushButton *>("SaveBtn")->isVisibleTo(d);
            deleteShown = d->findChild<QPushButton *>("DeleteBtn")->isVisibleTo(d);
            return int(QDialog::Accepted);
        });
        form.DeleteBtnClick();
        QCOMPARE(caption, QStringLiteral("Delete Symbol Information"));
        QVERIFY(!fieldsEnabled);
        QVERIFY(!saveShown && deleteShown);
        QCOMPARE(storedSymbols(), QStringList({"A=ALPHA", "B=BETA"}));
        QCOMPARE(form.selectedRow(), 2);
        QCOMPARE(form.statusText(), QStringLiteral("Record 2 of 2"));
        QV_VERIFY_ENV(env);
    }

    void editingTheNameOnlyTouchesNothingElse()
    {
        TTestEnv env;
        makeFolders(env);
        addSymbol("A", "ALPHA");
        {
            TDataBase prices(PriceFilePath("A"));
        }
        TSymbolListForm form;
        form.Refresh();
        scriptSave("A", "ALPHA CORP", "http://a.example");
        form.EditBtnClick();
        QCOMPARE(storedSymbols(), QStringList({"A=ALPHA CORP"}));
        QVERIFY(QFile::exists(PriceFilePath("A")));
        QVERIFY(!QFile::exists(WatchListPath())); // no watch list was opened or created
        QV_VERIFY_ENV(env);
    }

    void editingTheSymbolMovesItsFiles()
    {
        TTestEnv env;
        makeFolders(env);
        addSymbol("A", "ALPHA");
        addSymbol("M", "MIDDLE");
        {
            TDataBase prices(PriceFilePath("A"));
            TPriceRecord r;
            r.Date = QStringLiteral("20240102");
            r.Close = 3;
            prices.Insert(r);
            TWatchDatabase watch(WatchListPath());
            TListRecord w;
            w.FileName = QStringLiteral("A");
            w.Name = QStringLiteral("ALPHA");
            watch.Insert(w);
        }
        TSymbolListForm form;
        form.Refresh();
        form.selectRow(1);
        scriptSave("Z", "ALPHA");
        form.EditBtnClick();
        QCOMPARE(storedSymbols(), QStringList({"M=MIDDLE", "Z=ALPHA"}));
        QVERIFY(!QFile::exists(PriceFilePath("A")));
        QCOMPARE(ClosePriceOn("Z", "20240102"), 3.0);
        TWatchDatabase watch(WatchListPath());
        TListRecord w;
        QVERIFY(watch.Find(w, "ALPHA"));
        QCOMPARE(w.FileName.text(), QStringLiteral("Z"));
        QCOMPARE(form.selectedRow(), 2); // the moved security stays selected
        QV_VERIFY_ENV(env);
    }

    void searchByNameAnyCaseThenFindNext()
    {
        TTestEnv env;
        makeFolders(env);
        addSymbol("A", "FIRST BANK");
        addSymbol("B", "SECOND MOTORS");
        addSymbol("C", "THIRD BANKCORP");
        TSymbolListForm form;
        form.Refresh();
        scriptFind("bank", true);
        form.FindBtnClick();
        QCOMPARE(form.selectedRow(), 1);
        QVERIFY(form.FindNextBtn->isEnabled());
        form.FindNextBtnClick();
        QCOMPARE(form.selectedRow(), 3);
        form.FindNextBtnClick();
        QCOMPARE(env.messages.texts(), QStringList({"No More Items Matched The Search"}));
        QVERIFY(!form.FindNextBtn->isEnabled());

        // The dialog comes back with the last text and column.
        QString shown;
        bool nameChecked = false;
        QueueModalScript([&](QDialog *d) {
            shown = d->findChild<QLineEdit *>("FindWhat")->text();
            nameChecked = d->findChild<QRadioButton *>("FindName")->isChecked();
            d->findChild<QLineEdit *>("FindWhat")->setText("zzz");
            return int(QDialog::Accepted);
        });
        form.FindBtnClick();
        QCOMPARE(shown, QStringLiteral("bank"));
        QVERIFY(nameChecked);
        QCOMPARE(env.messages.texts().last(), QStringLiteral("Could Not Find Search String"));
        QV_VERIFY_ENV(env);
    }

    void draggedRowCarriesSymbolAndName()
    {
        TTestEnv env;
        makeFolders(env);
        addSymbol("A", "ALPHA");
        TSymbolListForm form;
        form.Refresh();
        std::unique_ptr<QMimeData> data(
            form.StringGrid1->model()->mimeData({form.StringGrid1->model()->index(0, 0)}));
        QVERIFY(data);
        QCOMPARE(data->data(kSymbolMimeType), QByteArray("A\tALPHA"));
    }

    void nameLookUp()
    {
        TTestEnv env;
        makeFolders(env);
        addSymbol("A", "ALPHA");
        TSymbolName found = SymbolName("A");
        QCOMPARE(found.Name, QStringLiteral("ALPHA"));
        QCOMPARE(found.Color, 0u);
        TSymbolName missing = SymbolName("a");
        QCOMPARE(missing.Name, QStringLiteral("a Not On File"));
        QCOMPARE(missing.Color, 0x0000FFu);
        QCOMPARE(SymbolName(QString(40, 'X')).Name.size(), 40);
    }

    void searchStepTable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("match");
        QTest::addColumn<int>("next");
        QTest::newRow("first") << "an" << 1 << 1 << 2;
        QTest::newRow("below") << "an" << 2 << 3 << 4;
        QTest::newRow("none left") << "an" << 4 << 0 << 4;
        QTest::newRow("upper-cased") << "BANK" << 1 << 1 << 2;
        QTest::newRow("absent") << "zz" << 1 << 0 << 4;
    }
    void searchStepTable()
    {
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(int, match);
        QFETCH(int, next);
        const QStringList cells{"First Bank", "Motors", "Bancorp"};
        const TSearchStep s = SearchStep(cells, text, from);
        QCOMPARE(s.matchRow, match);
        QCOMPARE(s.nextPosition, next);
    }
};

QTEST_MAIN(TestSymbolListFrm)
#include "tst_SymbolListFrm.moc"
