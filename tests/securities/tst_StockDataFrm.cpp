// The stock data window, the summary window, the price record window and the
// purge, driven the way a user would with scripted dialogs and message boxes.

#include "SecuritiesTestData.h"
#include "SizeLimit.h"
#include "frame/DateBoxUi.h"
#include "frame/ModalUi.h"
#include "frame/WindowListFrm.h"
#include "securities/PriceEntry.h"
#include "securities/SplitFrm.h"
#include "securities/StockDataFrm.h"
#include "securities/StockDataListAddEditFrm.h"
#include "securities/StockDataListFrm.h"
#include "securities/StockFrm.h"
#include "securities/WatchListAddEditFrm.h"
#include "securities/purgefrm.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace qvtest;

namespace {

QStringList listed(const TStockDataForm &form)
{
    QStringList out;
    for (int i = 0; i < form.ListBox1->count(); ++i)
        out << form.ListBox1->item(i)->text();
    return out;
}

} // namespace

class TestStockDataFrm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { SetRecordFileSync(false); }

    void emptyListDisablesTheEntryButtons()
    {
        TTestEnv env;
        makeFolders(env);
        TStockDataForm form;
        QCOMPARE(form.statusText(), QStringLiteral("Record 0 of 0"));
        for (QPushButton *b : {form.EditBtn, form.DeleteBtn, form.ExportBtn, form.OpenBtn, form.QuickBtn,
                               form.ReportBtn, form.WebSiteBtn})
            QVERIFY(!b->isEnabled());
        QVERIFY(form.AddBtn->isEnabled());
        QCOMPARE(SharedWatchList(), form.listFile());
        QV_VERIFY_ENV(env);
    }

    void refreshFollowsTheSymbolFileWithoutMakingTwins()
    {
        TTestEnv env;
        makeFolders(env);
        addSymbol("A", "ALPHA NEW", "http://a.example");
        addSymbol("C", "ALPHA NEW"); // C already carries the name A would get
        addWatch("A", "ALPHA");
        addWatch("B", "BETA");
        addWatch("C", "ALPHA NEW");
        TStockDataForm form;
        QCOMPARE(listed(form), QStringList({"ALPHA", "ALPHA NEW", "B Not On File"}));
        form.selectRow(3);
        QVERIFY(!form.WebSiteBtn->isEnabled()); // not on file
        form.selectRow(1);
        QVERIFY(form.WebSiteBtn->isEnabled());
        QCOMPARE(form.statusText(), QStringLiteral("Record 1 of 3"));
        // The file itself is in name order after the one rewrite.
        TWatchDatabase check(WatchListPath());
        TListRecord r;
        QStringList stored;
        for (int i = 0; i < check.RecordCount(); ++i) {
            check.ReadAt(r, i);
            stored << r.FileName.text() + "=" + r.Name.text();
        }
        QCOMPARE(stored, QStringList({"A=ALPHA", "C=ALPHA NEW", "B=B Not On File"}));
        QV_VERIFY_ENV(env);
    }

    void addingATakenNameShowsTheDuplicateMessage()
    {
        TTestEnv env;
        makeFolders(env);
        addSymbol("A", "ALPHA");
        addWatch("A", "ALPHA");
        TStockDataForm form;
        QString shownName;
        QueueModalScript([&](QDialog *d) {
            d->findChild<QLineEdit *>("Symbol")->setText("a");
            shownName = d->findChild<QLabel *>("SecurityName")->text();
            d->findChild<QPushButton *>("SaveBtn")->click();
            return d->result();
        });
        form.AddBtnClick();
        QCOMPARE(shownName, QStringLiteral("ALPHA"));
        QCOMPARE(env.messages.said.size(), 1);
        QCOMPARE(env.messages.said[0].icon, TMsgIcon::Error);
        QCOMPARE(env.messages.said[0].text,
                 QStringLiteral(
                     "The Following Error Has Occured:\r\rSecurity: ALPHA\rAlready On File In Database, "
                     "Security Not Added!"));
        QCOMPARE(form.listFile()->RecordCount(), 1);
        QV_VERIFY_ENV(env);
    }

    void entryDialogRefusesAnUnsafeSymbol()
    {
        TTestEnv env;
        makeFolders(env);
        TStockDataForm form;
        QueueModalScript([&](QDialog *d) {
            d->findChild<QLineEdit *>("Symbol")->setText("..");
            d->findChild<QPushButton *>("SaveBtn")->click();
            return int(QDialog::Rejected); // the user gives up after the message
        });
        form.AddBtnClick();
        QCOMPARE(env.messages.said.size(), 1);
        QVERIFY(
            env.messages.said[0].text.startsWith("Invalid Data Has Been Entered For The Following Fields:"));
        QCOMPARE(form.listFile()->RecordCount(), 0);
        QV_VERIFY_ENV(env);
    }

    void openTwiceBringsTheSummaryForward()
    {
        TTestEnv env;
        makeFolders(env);
        TWindowListForm windows;
        WindowListForm = &windows;
        addSymbol("A", "ALPHA");
        addSymbol("B", "BETA");
        addWatch("A", "ALPHA");
        addWatch("B", "BETA");
        writePrices("A", {price("19990104", 2, 1, 1.5, 10)});
        {
            TStockDataForm form;
            form.selectRow(1);
            form.OpenBtnClick();
            QCOMPARE(form.selectedRow(), 2); // walks down
            QCOMPARE(form.findChildren<TStockForm *>().size(), 1);
            auto *summary = form.findChildren<TStockForm *>().first();
            QCOMPARE(summary->windowTitle(), QStringLiteral("ALPHA (A)"));
            QCOMPARE(summary->statusText(), QStringLiteral("Records On File: 1"));
            QVERIFY(!summary->GraphBtn->isEnabled());
            QVERIFY(summary->NoHoldings->isVisibleTo(summary));
            form.selectRow(1);
            form.OpenBtnClick();
            QCOMPARE(form.findChildren<TStockForm *>().size(), 1);
            QCOMPARE(form.selectedRow(), 1); // bringing forward does nothing else
            form.selectRow(2);
            form.OpenBtnClick(); // the last entry stays selected
            QCOMPARE(form.selectedRow(), 2);
            QCOMPARE(form.findChildren<TStockForm *>().size(), 2);
        }
        WindowListForm = nullptr;
        QV_VERIFY_ENV(env);
    }

    void quickEntryCarriesTheDateAndStopsOnAbort()
    {
        TTestEnv env;
        makeFolders(env);
        env.pinClock(QDateTime(QDate(2000, 6, 15), QTime(9, 0)));
        LoadConfig();
        ConfigRecord.Input.AddDays = 1;
        SaveConfig();
        for (const char *s : {"A", "B", "C", "D", "E"}) {
            addSymbol(s, (QByteArray("NAME ") + s).constData());
            addWatch(s, (QByteArray("NAME ") + s).constData());
        }
        TStockDataForm form;
        form.selectRow(3);
        QStringList dates, captions;
        bool quickButtons = false;
        QueueModalScript([&](QDialog *d) {
            auto *dialog = static_cast<TStockDataListAddEditForm *>(d);
            captions << d->windowTitle();
            dates << dialog->DateField->text();
            quickButtons = dialog->AbortBtn->isVisibleTo(d) && !dialog->DeleteBtn->isVisibleTo(d);
            dialog->DateField->setText("06/19/2000");
            dialog->CloseField->setText("10");
            dialog->VolumeField->setText("500");
            dialog->SaveBtn->click();
            return d->result();
        });
        QueueModalScript([&](QDialog *d) {
            auto *dialog = static_cast<TStockDataListAddEditForm *>(d);
            captions << d->windowTitle();
            dates << dialog->DateField->text();
            dialog->CloseField->setText("11");
            dialog->AbortBtn->click();
            return d->result();
        });
        env.messages.expectQuestion("Are You Sure You Want To Do Quick Data Entry?", true);
        form.QuickBtnClick();
        QVERIFY(quickButtons);
        QCOMPARE(dates, QStringList({"06/16/2000", "06/19/2000"}));
        QCOMPARE(captions, QStringList({"Add Stock Data For NAME C (C)", "Add Stock Data For NAME D (D)"}));
        QCOMPARE(priceDates("C"), QStringList({"20000619"}));
        QCOMPARE(readPrices("C")[0].High, 10.0);
        QCOMPARE(priceDates("D"), QStringList());
        QVERIFY(!QFile::exists(PriceFilePath("E")));
        QV_VERIFY_ENV(env);
    }

    // Cancel passes one security by and the round goes on; a stored entry
    // whose symbol could name no file is never offered, and no file is made
    // for it; one whose price file cannot be opened is named, not offered.
    void quickEntryGoesOnAfterCancelAndSkipsUnsafeSymbols()
    {
        TTestEnv env;
        makeFolders(env);
        env.pinClock(QDateTime(QDate(2000, 6, 15), QTime(9, 0)));
        addSymbol("A", "NAME A");
        addSymbol("C", "NAME C");
        addWatch("A", "NAME A");
        addWatch("..", "NAME B");
        addWatch("C", "NAME C");
        addWatch("D", "NAME D");
        QVERIFY(QDir().mkpath(PriceFilePath("D"))); // there, but no file to add to
        TStockDataForm form;
        form.selectRow(1);
        QStringList captions;
        QueueModalScript([&](QDialog *d) {
            captions << d->windowTitle();
            return int(QDialog::Rejected);
        });
        QueueModalScript([&](QDialog *d) {
            auto *dialog = static_cast<TStockDataListAddEditForm *>(d);
            captions << d->windowTitle();
            dialog->CloseField->setText("10");
            dialog->VolumeField->setText("500");
            dialog->SaveBtn->click();
            return d->result();
        });
        env.messages.expectQuestion("Are You Sure You Want To Do Quick Data Entry?", true);
        form.QuickBtnClick();
        QCOMPARE(captions, QStringList({"Add Stock Data For NAME A (A)", "Add Stock Data For NAME C (C)"}));
        QCOMPARE(priceDates("A"), QStringList());
        QCOMPARE(priceDates("C"), QStringList({"20000615"}));
        QVERIFY(!QFile::exists(GetFolders().Data + "...stk"));
        // D's file cannot take a day: said with its path before any typing.
        QCOMPARE(env.messages.texts(), QStringList({"Are You Sure You Want To Do Quick Data Entry?",
                                                    CannotWriteToFileMessage(PriceFilePath("D"))}));
        QCOMPARE(form.selectedRow(), 4);
        QV_VERIFY_ENV(env);
    }

    // A list the disk will not take: Add and Delete say so with the path and
    // the list keeps what it had; a note that cannot be removed is reported
    // after its entry is gone.
    void failedChangesAreReportedWithTheirPath()
    {
        TTestEnv env;
        makeFolders(env);
        addSymbol("A", "ALPHA");
        addSymbol("B", "BETA");
        const QString note = env.path("notes/A.txt");
        QVERIFY(QDir().mkpath(note + "/inside")); // a folder: there, but no file to remove
        {
            TWatchDatabase db(WatchListPath());
            TListRecord e = listEntry("A", "ALPHA", note);
            db.Insert(e);
        }
        const QByteArray before = TTestEnv::readFile(WatchListPath());
        TStockDataForm form;
        QueueModalScript([&](QDialog *d) {
            d->findChild<QLineEdit *>("Symbol")->setText("B");
            d->findChild<QPushButton *>("SaveBtn")->click();
            return d->result();
        });
        {
            TSizeLimit full(before.size());
            form.AddBtnClick();
        }
        QCOMPARE(env.messages.texts(), QStringList{CannotWriteToFileMessage(WatchListPath())});
        QCOMPARE(env.messages.said[0].icon, TMsgIcon::Error);
        QCOMPARE(TTestEnv::readFile(WatchListPath()), before);
        QCOMPARE(listed(form), QStringList{"ALPHA"});

        env.messages.said.clear();
        bool asked = false;
        QueueModalScript([&](QDialog *d) {
            auto *dialog = static_cast<TWatchListAddEditForm *>(d);
            asked = true;
            dialog->CheckBox1->setChecked(true);
            dialog->DeleteBtn->click();
            return d->result();
        });
        form.selectRow(1);
        form.DeleteBtnClick();
        QVERIFY(asked);
        QCOMPARE(listed(form), QStringList());
        QCOMPARE(env.messages.texts(), QStringList{CannotWriteToFileMessage(note)});
        QV_VERIFY_ENV(env);
    }

    // A browsed note path longer than the field holds is refused whole
    // rather than cut to the path of some other file.
    void noteBrowseRefusesAPathTooLong()
    {
        TTestEnv env;
        makeFolders(env);
        TWatchListAddEditForm dialog;
        dialog.NoteFile->setText("old.txt");
        const QString longPath = env.path("notes/") + QString(300, QLatin1Char('n')) + ".txt";
        QueueModalScript([&](QDialog *d) {
            static_cast<QFileDialog *>(d)->selectFile(longPath);
            return int(QDialog::Accepted);
        });
        dialog.NoteBtnClick();
        QCOMPARE(dialog.NoteFile->text(), QStringLiteral("old.txt"));
        QCOMPARE(env.messages.texts(),
                 QStringList{"Invalid Data Has Been Entered For The Following Fields:\n\n"
                             "Securities Note File: The Path Cannot Be Stored"});
        QV_VERIFY_ENV(env);
    }

    // A day already on file is refused with its message and the run goes on;
    // a damaged day offset in the settings proposes a date in range.
    void quickEntryRefusesADayOnFileAndGoesOn()
    {
        TTestEnv env;
        makeFolders(env);
        env.pinClock(QDateTime(QDate(2000, 6, 15), QTime(9, 0)));
        LoadConfig();
        ConfigRecord.Input.AddDays = 2000000000;
        SaveConfig();
        for (const char *s : {"A", "B"}) {
            addSymbol(s, s);
            addWatch(s, s);
        }
        writePrices("A", {price("20000616", 2, 1, 1.5, 10)});
        const QByteArray before = TTestEnv::readFile(PriceFilePath("A"));
        TStockDataForm form;
        form.selectRow(1);
        QStringList dates;
        for (int i = 0; i < 2; ++i)
            QueueModalScript([&](QDialog *d) {
                auto *dialog = static_cast<TStockDataListAddEditForm *>(d);
                dates << dialog->DateField->text();
                dialog->DateField->setText("06/16/2000");
                dialog->CloseField->setText("10");
                dialog->VolumeField->setText("5");
                dialog->SaveBtn->click();
                return d->result();
            });
        env.messages.expectQuestion("Are You Sure You Want To Do Quick Data Entry?", true);
        form.QuickBtnClick();
        QCOMPARE(dates.value(0), QStringLiteral("09/23/2000")); // 100 days on, the most allowed
        QCOMPARE(env.messages.texts().last(), QStringLiteral("Stock Data Already On File, Stock Not Saved!"));
        QCOMPARE(TTestEnv::readFile(PriceFilePath("A")), before);
        QCOMPARE(priceDates("B"), QStringList({"20000616"}));
        QV_VERIFY_ENV(env);
    }

    // The window lists itself while shown, and follows a new watch-list
    // folder at the next refresh, publishing the list it opened there.
    void windowListAndAChangedFolder()
    {
        TTestEnv env;
        makeFolders(env);
        TWindowListForm windows;
        WindowListForm = &windows;
        addSymbol("A", "ALPHA");
        addWatch("A", "ALPHA");
        {
            TStockDataForm form;
            form.show();
            QCOMPARE(windows.captions(), QStringList{"Stock Data"});
            form.hide();
            QVERIFY(windows.captions().isEmpty());

            QDir().mkpath(env.path("watch2"));
            LoadConfig();
            ConfigRecord.Folders.Watch = env.path("watch2/");
            SaveConfig();
            form.Refresh();
            QCOMPARE(form.ListBox1->count(), 0);
            QVERIFY(SharedWatchList());
            QCOMPARE(SharedWatchList()->path(), env.path("watch2/Watch.sbl"));
        }
        QCOMPARE(SharedWatchList(), nullptr);
        WindowListForm = nullptr;
        QV_VERIFY_ENV(env);
    }

    void priceWindowOnAnEmptyFile()
    {
        TTestEnv env;
        makeFolders(env);
        TStockDataListForm form(nullptr, "ALPHA (A)", "A");
        QCOMPARE(form.gridRowCount(), 2);
        QCOMPARE(form.selectedRow(), 1);
        for (QPushButton *b : {form.EditBtn, form.DeleteBtn, form.SplitBtn, form.ExportBtn})
            QVERIFY(!b->isEnabled());
        QVERIFY(form.AddBtn->isEnabled());
        QV_VERIFY_ENV(env);
    }

    void priceWindowEditsTheSelectedRecordAfterARepaint()
    {
        TTestEnv env;
        makeFolders(env);
        writePrices("A", {price("19990104", 2, 1, 1.5, 10), price("19990105", 3, 2, 2.5, 20),
                          price("19990106", 4, 3, 3.5, 30)});
        TStockDataListForm form(nullptr, "ALPHA (A)", "A");
        QCOMPARE(form.gridRowCount(), 4);
        QCOMPARE(form.selectedRow(), 3);
        form.selectRow(2);
        QString caption, date;
        QueueModalScript([&](QDialog *d) {
            auto *dialog = static_cast<TStockDataListAddEditForm *>(d);
            caption = d->windowTitle();
            date = dialog->DateField->text();
            TPriceRecord other;
            form.priceFile()->ReadAt(other, 2); // what drawing a cell does
            dialog->VolumeField->setText("77");
            dialog->SaveBtn->click();
            return d->result();
        });
        form.EditBtnClick();
        QCOMPARE(caption, QStringLiteral("Edit Stock Data For ALPHA (A)"));
        QCOMPARE(date, QStringLiteral("01/05/1999"));
        const QList<TPriceRecord> after = readPrices("A");
        QCOMPARE(after[1].Volume, 77);
        QCOMPARE(after[2].Volume, 30);
        QCOMPARE(form.selectedRow(), 2);

        // Deleting the last row selects the new last row.
        form.selectRow(3);
        bool deleteMode = false;
        QueueModalScript([&](QDialog *d) {
            auto *dialog = static_cast<TStockDataListAddEditForm *>(d);
            deleteMode = !dialog->HighField->isEnabled() && dialog->DeleteBtn->isVisibleTo(d);
            dialog->DeleteBtn->click();
            return d->result();
        });
        form.DeleteBtnClick();
        QVERIFY(deleteMode);
        QCOMPARE(priceDates("A"), QStringList({"19990104", "19990105"}));
        QCOMPARE(form.selectedRow(), 2);
        QV_VERIFY_ENV(env);
    }

    void splitFromThePriceWindowChecksThenAdjusts()
    {
        TTestEnv env;
        makeFolders(env);
        writePrices("A", {price("19990528", 20, 10, 16, 100), price("19990601", 11, 6, 9, 300)});
        addPortfolio("p1", "FIRST");
        addTrans("p1", "A", "19990520", -100, 40);
        TStockDataListForm form(nullptr, "ALPHA (A)", "A");
        form.selectRow(2);
        QString caption, preset;
        QueueModalScript([&](QDialog *d) {
            auto *dialog = static_cast<TSplitForm *>(d);
            caption = d->windowTitle();
            preset = dialog->SplitDate->text();
            dialog->AfterSplit->setText("x");
            dialog->BeforeSplit->setText("0");
            dialog->SplitBtn->click(); // refused: the dialog stays
            if (d->result() == QDialog::Accepted)
                return int(QDialog::Accepted);
            dialog->AfterSplit->setText("2");
            dialog->BeforeSplit->setText("1");
            dialog->SplitBtn->click();
            return d->result();
        });
        form.SplitBtnClick();
        QCOMPARE(caption, QStringLiteral("Stock Split For ALPHA (A)"));
        QCOMPARE(preset, QStringLiteral("06/01/1999"));
        QCOMPARE(env.messages.texts(),
                 QStringList({"Invalid Data Has Been Entered For The Following Fields:\n\n"
                              "After Split Value Invalid.\nAfter Split Must Be Greater Than 0.\n"
                              "Before Split Must Be Greater Then 0."}));
        const QList<TPriceRecord> a = readPrices("A");
        QCOMPARE(a[0].Close, 8.0);
        QCOMPARE(a[0].Volume, 100);
        QCOMPARE(a[1].Close, 9.0);
        const QList<TTransRecord> t = readTrans(TransactionFilePath("p1"));
        QCOMPARE(t[0].Shares, -200.0);
        QCOMPARE(t[0].Price, 20.0);
        QCOMPARE(form.selectedRow(), 2);
        QV_VERIFY_ENV(env);
    }

    void deleteEntryRemovesTheNoteButNotThePrices()
    {
        TTestEnv env;
        makeFolders(env);
        const QString note = env.path("notes/B.txt");
        env.writeFile("notes/B.txt", "remember");
        addSymbol("A", "ALPHA");
        addSymbol("B", "BETA");
        addSymbol("C", "GAMMA");
        addWatch("A", "ALPHA");
        {
            TWatchDatabase db(WatchListPath());
            TListRecord b = listEntry("B", "BETA", note);
            db.Insert(b);
        }
        addWatch("C", "GAMMA");
        writePrices("B", {price("19990104", 2, 1, 1.5, 10)});
        TStockDataForm form;
        form.selectRow(2);
        QString caption;
        bool deleteMode = false;
        QueueModalScript([&](QDialog *d) {
            auto *dialog = static_cast<TWatchListAddEditForm *>(d);
            caption = d->windowTitle();
            deleteMode = !dialog->Symbol->isEnabled() && !dialog->NoteFile->isEnabled() &&
                         !dialog->SaveBtn->isVisibleTo(d) && dialog->CheckBox1->isVisibleTo(d);
            dialog->CheckBox1->setChecked(true);
            dialog->DeleteBtn->click();
            return d->result();
        });
        form.DeleteBtnClick();
        QCOMPARE(caption, QStringLiteral("Delete Stock Data"));
        QVERIFY(deleteMode);
        QCOMPARE(listed(form), QStringList({"ALPHA", "GAMMA"}));
        QCOMPARE(form.selectedRow(), 2); // the following entry
        QVERIFY(!QFile::exists(note));
        QCOMPARE(priceDates("B"), QStringList{"19990104"});
        QV_VERIFY_ENV(env);
    }

    void editOntoATakenNameChangesNothing()
    {
        TTestEnv env;
        makeFolders(env);
        addSymbol("A", "ALPHA");
        addSymbol("B", "BETA");
        addWatch("A", "ALPHA");
        addWatch("B", "BETA");
        const QByteArray before = TTestEnv::readFile(WatchListPath());
        TStockDataForm form;
        form.selectRow(1);
        QueueModalScript([&](QDialog *d) {
            auto *dialog = static_cast<TWatchListAddEditForm *>(d);
            dialog->Symbol->setText("B");
            dialog->SaveBtn->click();
            return d->result();
        });
        form.EditBtnClick();
        QCOMPARE(
            env.messages.texts(),
            QStringList({"The Following Error Has Occured:\r\rSecurity: BETA\rAlready On File In Database, "
                         "Security Not Added!"}));
        QCOMPARE(TTestEnv::readFile(WatchListPath()), before);

        // Keeping the name while changing the note is no duplicate.
        QueueModalScript([&](QDialog *d) {
            auto *dialog = static_cast<TWatchListAddEditForm *>(d);
            dialog->NoteFile->setText("/elsewhere/a.txt");
            dialog->SaveBtn->click();
            return d->result();
        });
        form.selectRow(1);
        form.EditBtnClick();
        TListRecord a;
        form.listFile()->ReadAt(a, 0);
        QCOMPARE(a.NoteFile.text(), QStringLiteral("/elsewhere/a.txt"));
        QCOMPARE(form.listFile()->RecordCount(), 2);
        QV_VERIFY_ENV(env);
    }

    void droppedRowsJoinTheListOnce()
    {
        TTestEnv env;
        makeFolders(env);
        addSymbol("ACMECOR", "ACME");
        addSymbol("B", "BETA");
        addSymbol("C", "GAMMA");
        addWatch("B", "BETA");
        addWatch("C", "GAMMA");
        TStockDataForm form;
        form.DropSecurity("ACMECORPX", "ACME");
        QCOMPARE(listed(form), QStringList({"ACME", "BETA", "GAMMA"}));
        QCOMPARE(form.statusText(), QStringLiteral("Record 1 of 3"));
        TListRecord added;
        form.listFile()->ReadAt(added, 0);
        QCOMPARE(added.FileName.text(), QStringLiteral("ACMECOR"));
        QCOMPARE(added.NoteFile.text(), GetFolders().Notes + "ACMECOR.txt");
        form.DropSecurity("X", "GAMMA");
        QCOMPARE(
            env.messages.texts(),
            QStringList({"The Following Error Has Occured:\r\rSecurity: GAMMA\rAlready On File In Database, "
                         "Security Not Added!"}));
        QCOMPARE(form.listFile()->RecordCount(), 3);
        QV_VERIFY_ENV(env);
    }

    void volumeFirstOrderMovesRowsAndTabs()
    {
        TTestEnv env;
        LoadConfig();
        ConfigRecord.Input.FieldOrder = 1;
        SaveConfig();
        TStockDataListAddEditForm dialog;
        QCOMPARE(dialog.VolumeField->y(), 40);
        QCOMPARE(dialog.HighField->y(), 64);
        QCOMPARE(dialog.CloseField->y(), 112);
        QStringList order;
        QWidget *w = dialog.DateField->edit();
        for (int i = 0; i < 40 && order.size() < 4; ++i) {
            w = w->nextInFocusChain();
            if (w->objectName().endsWith("Field") && qobject_cast<QLineEdit *>(w))
                order << w->objectName();
        }
        QCOMPARE(order, QStringList({"VolumeField", "HighField", "LowField", "CloseField"}));
    }

    void purgeAsksAndNoLeavesEverything()
    {
        TTestEnv env;
        makeFolders(env);
        env.pinClock(QDateTime(QDate(2000, 6, 15), QTime(9, 0)));
        addWatch("A", "ALPHA");
        writePrices("A", {price("19990104", 2, 1, 1.5, 10), price("20000105", 3, 2, 2.5, 20)});
        const QByteArray before = TTestEnv::readFile(PriceFilePath("A"));
        QString preset, caption;
        QueueModalScript([&](QDialog *d) {
            auto *dialog = static_cast<TPurgeForm *>(d);
            preset = dialog->StopDate->text();
            caption = d->windowTitle();
            dialog->PurgeBtn->click();
            return d->result();
        });
        env.messages.expectQuestion("Are You Sure You Want To Purge Files?", false);
        PurgeData(nullptr);
        QCOMPARE(preset, QStringLiteral("06/16/1999"));
        QCOMPARE(caption, QStringLiteral("Purge Stock Data"));
        QCOMPARE(TTestEnv::readFile(PriceFilePath("A")), before);

        // A stop date typed in part is still that day, not a text that sorts
        // after every record and would empty the file.
        QueueModalScript([&](QDialog *d) {
            auto *dialog = static_cast<TPurgeForm *>(d);
            dialog->StopDate->setText("1 /4 /2000");
            dialog->PurgeBtn->click();
            return d->result();
        });
        env.messages.expectQuestion("Are You Sure You Want To Purge Files?", true);
        PurgeData(nullptr);
        QCOMPARE(priceDates("A"), QStringList({"20000105"}));
        QV_VERIFY_ENV(env);
    }

    void purgeRefusesAnInvalidStopDate()
    {
        TTestEnv env;
        makeFolders(env);
        QueueModalScript([&](QDialog *d) {
            auto *dialog = static_cast<TPurgeForm *>(d);
            dialog->StopDate->setText("02/30/2000");
            dialog->PurgeBtn->click();
            return int(QDialog::Rejected);
        });
        PurgeData(nullptr);
        QCOMPARE(env.messages.texts(),
                 QStringList(
                     {"Invalid Data Has Been Entered For The Following Fields:\n\nInvalid Date Entered."}));
        QV_VERIFY_ENV(env);
    }
};

QTEST_MAIN(TestStockDataFrm)
#include "tst_StockDataFrm.moc"
