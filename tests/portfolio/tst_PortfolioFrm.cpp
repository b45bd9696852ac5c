#include "PortfolioTestData.h"

#include "frame/DateBoxUi.h"
#include "frame/ModalUi.h"
#include "frame/PortfolioAccessUi.h"
#include "frame/Stockcfg.h"
#include "portfolio/DividendAddEditFrm.h"
#include "portfolio/Dividendsfrm.h"
#include "portfolio/PortfilioListFrm.h"
#include "portfolio/Transationfrm.h"
#include "portfolio/TransationsAddEditFrm.h"
#include "portfolio/portfoliofrm.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

namespace {

void scriptPortfolio(const QString &fileName, const QString &name, const QString &password = QString(),
                     const QString &verify = QString())
{
    QueueModalScript([=](QDialog *d) {
        d->findChild<QLineEdit *>("FileNameEdit")->setText(fileName);
        d->findChild<QLineEdit *>("PasswordEdit")->setText(password);
        d->findChild<QLineEdit *>("VerifyEdit")->setText(verify.isNull() ? password : verify);
        d->findChild<QLineEdit *>("NameEdit")->setText(name);
        d->findChild<QPushButton *>("SaveBtn")->click();
        return d->result();
    });
}

void scriptPassword(const QString &typed)
{
    QueueModalScript([=](QDialog *d) {
        if (d->windowTitle() != QLatin1String("Portfolio Protected") ||
            d->findChild<QLineEdit *>("PortfolioEdit")->text() != QLatin1String("Growth"))
            return 99;
        d->findChild<QLineEdit *>("PasswordEdit")->setText(typed);
        d->findChild<QPushButton *>("LoginBtn")->click();
        return d->result();
    });
}

void storeEntry(const TListRecord &e)
{
    TWatchDatabase list(PortfolioListPath());
    TListRecord r = e;
    list.Insert(r);
}

} // namespace

class TestPortfolioFrm : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        ClosePortfolioWindow();
        ClearModalScripts();
        CurrentPortfolio = TListRecord{};
    }

    void listOrderAndRecordTextAfterAdds()
    {
        TTestEnv env;
        MakeFolders(env);
        TPortfilioListForm form;
        QCOMPARE(form.statusText(), QStringLiteral("Record 0 of 0"));
        QVERIFY(!form.EditBtn->isEnabled() && !form.DeleteBtn->isEnabled() && !form.OpenBtn->isEnabled());
        scriptPortfolio("B1", "beta");
        form.AddBtnClick();
        scriptPortfolio("B2", "Beta");
        form.AddBtnClick();
        QCOMPARE(form.statusText(), QStringLiteral("Record 1 of 2"));
        scriptPortfolio("C1", "charlie");
        form.AddBtnClick();
        QCOMPARE(form.statusText(), QStringLiteral("Record 3 of 3"));
        QCOMPARE(form.ListBox1->item(0)->text(), QStringLiteral("Beta"));
        QVERIFY(form.OpenBtn->isEnabled());

        const QByteArray before = TTestEnv::readFile(PortfolioListPath());
        scriptPortfolio("D1", "Beta");
        form.AddBtnClick();
        QCOMPARE(env.messages.texts(),
                 QStringList{
                     "The Following Error Has Occured:\r\rPortfolio Name: Beta\rAlready On File In Database, "
                     "Portfolio Not Added!"});
        QCOMPARE(TTestEnv::readFile(PortfolioListPath()), before);
        QCOMPARE(PendingModalScripts(), 0);
        QV_VERIFY_ENV(env);
    }

    void saveStaysOpenOnMismatchAndClearsVerify()
    {
        TTestEnv env;
        MakeFolders(env);
        TPortfilioListForm form;
        QueueModalScript([](QDialog *d) {
            auto *pw = d->findChild<QLineEdit *>("PasswordEdit");
            auto *verify = d->findChild<QLineEdit *>("VerifyEdit");
            d->findChild<QLineEdit *>("FileNameEdit")->setText("G");
            d->findChild<QLineEdit *>("NameEdit")->setText("Growth");
            pw->setText("abc");
            verify->setText("abd");
            d->findChild<QPushButton *>("SaveBtn")->click();
            const bool stayed = d->result() != QDialog::Accepted;
            pw->clear();
            const bool cleared = verify->text().isEmpty() && !verify->isEnabled();
            return stayed && cleared ? int(QDialog::Rejected) : 99;
        });
        form.AddBtnClick();
        QCOMPARE(env.messages.texts(), QStringList{"Error, Passwords Do Not Match"});
        QCOMPARE(form.ListBox1->count(), 0);
    }

    void editAndDeleteMoveTheSelection()
    {
        TTestEnv env;
        MakeFolders(env);
        const QString noteB = env.writeFile("notes/b.txt", "n");
        const QString noteD = env.writeFile("notes/d.txt", "n");
        for (const char *n : {"B", "D", "F"}) {
            TListRecord e = Entry(n, n);
            e.NoteFile = n[0] == 'B' ? noteB : n[0] == 'D' ? noteD : QString();
            storeEntry(e);
        }
        TPortfilioListForm form;
        form.ListBox1->setCurrentRow(0);
        QueueModalScript([](QDialog *d) {
            const bool fileFixed = !d->findChild<QLineEdit *>("FileNameEdit")->isEnabled();
            d->findChild<QLineEdit *>("NameEdit")->setText("Z");
            d->findChild<QPushButton *>("SaveBtn")->click();
            return fileFixed ? d->result() : 99;
        });
        form.EditBtnClick();
        QCOMPARE(form.statusText(), QStringLiteral("Record 3 of 3"));
        QCOMPARE(form.ListBox1->currentItem()->text(), QStringLiteral("Z"));

        // Deleting the last entry selects the new last one; a note file goes
        // only when asked for.
        QueueModalScript([](QDialog *) { return int(QDialog::Accepted); });
        form.DeleteBtnClick();
        QCOMPARE(form.statusText(), QStringLiteral("Record 2 of 2"));
        QVERIFY(QFile::exists(noteB));
        form.ListBox1->setCurrentRow(0);
        QueueModalScript([](QDialog *d) {
            d->findChild<QCheckBox *>("DeleteNoteCheck")->setChecked(true);
            return int(QDialog::Accepted);
        });
        form.DeleteBtnClick();
        QVERIFY(!QFile::exists(noteD));
        QCOMPARE(form.statusText(), QStringLiteral("Record 1 of 1"));
        QCOMPARE(form.ListBox1->item(0)->text(), QStringLiteral("F"));
        QCOMPARE(PendingModalScripts(), 0);
    }

    void foreignCodeDeniesOpenEditAndDelete()
    {
        TTestEnv env;
        MakeFolders(env);
        storeEntry(Entry("GRW", "Growth", "Se7", 4711));
        AddTrade(TransactionFilePath("GRW"), Trade("A", "20240102", 1, 1, 0, 99));
        const QString invalid =
            QStringLiteral("Access Denied to Portfolio: Growth\rInvalid Security Code Found In Files");
        const QString denied = QStringLiteral("Access Denied to Portfolio: Growth");
        CurrentPortfolio = Entry("OLD", "Old");
        {
            TPortfilioListForm form;
            scriptPassword("Se7");
            form.EditBtnClick();
            scriptPassword("Se7");
            form.DeleteBtnClick();
            scriptPassword("Se7");
            form.OpenBtnClick();
            QCOMPARE(form.result(), int(QDialog::Accepted));
        }
        QCOMPARE(env.messages.texts(), (QStringList{invalid, denied, invalid, denied, invalid, denied}));
        QCOMPARE(CurrentPortfolio.Name.text(), QStringLiteral("Old"));
        QVERIFY(!PortfolioWindow());
        QVERIFY(QFile::exists(TransactionFilePath("GRW")));
    }

    void openWithPasswordShowsHoldings()
    {
        TTestEnv env;
        MakeFolders(env);
        storeEntry(Entry("GRW", "Growth", "Se7", 4711));
        AddPrice("X", "20240105", 7);
        AddTrade(TransactionFilePath("GRW"), Trade("X", "20240102", 10, 5, 1, 4711));
        AddTrade(TransactionFilePath("GRW"), Trade("X", "20240103", -4, 6, 1, 4711));
        AddTrade(DividendFilePath("GRW"), Trade("X", "20240104", 0, 2, 0, 4711));
        AddTrade(TransactionFilePath("GRW"), Trade("Y", "20240103", 1, 100, 0, 4711));
        {
            // A wrong-case password first: denied, nothing opens.
            TPortfilioListForm form;
            scriptPassword("se7");
            form.OpenBtnClick();
        }
        QVERIFY(!PortfolioWindow());
        QCOMPARE(env.messages.texts(), QStringList{"Access Denied to Portfolio: Growth"});
        {
            TPortfilioListForm form;
            scriptPassword("Se7");
            form.OpenBtnClick();
        }
        TPortfolioForm *w = PortfolioWindow();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Portfolio Growth"));
        QCOMPARE(CurrentPortfolio.Name.text(), QStringLiteral("Growth"));
        QCOMPARE(w->StringGrid1->rowCount(), 2);
        QStringList row;
        for (int c = 0; c < 6; ++c)
            row << w->StringGrid1->item(0, c)->text();
        QCOMPARE(row, (QStringList{"X", "X Not On File", "6.00", "$2.00", "$42.00", "$16.00"}));
        QCOMPARE(w->totalText(5), QStringLiteral("($84.00)"));
        QCOMPARE(w->totalColor(5), 0x0000FFu);
        QCOMPARE(w->totalColor(4), 0u);
        QVERIFY(!w->NotesBtn->isEnabled());

        // Deleting the portfolio releases its window and its files.
        {
            TPortfilioListForm form;
            scriptPassword("Se7");
            QueueModalScript([](QDialog *d) {
                const bool greyed = !d->findChild<QLineEdit *>("NameEdit")->isEnabled() &&
                                    d->findChild<QPushButton *>("DeleteBtn")->isVisibleTo(d) &&
                                    !d->findChild<QPushButton *>("SaveBtn")->isVisibleTo(d);
                return greyed ? int(QDialog::Accepted) : int(QDialog::Rejected);
            });
            form.DeleteBtnClick();
            QCOMPARE(form.ListBox1->count(), 0);
        }
        QVERIFY(!PortfolioWindow());
        QVERIFY(!QFile::exists(TransactionFilePath("GRW")));
        QVERIFY(!QFile::exists(DividendFilePath("GRW")));
    }

    void startupCheckUsesThePasswordDialog()
    {
        TTestEnv env;
        MakeFolders(env);
        storeEntry(Entry("GRW", "Growth", "Se7", 4711));
        CurrentPortfolio = Entry("GRW", "Growth", "", 4711);
        scriptPassword("Se7");
        QVERIFY(CurrentPortfolioAccessAllowed(nullptr));
        CurrentPortfolio = Entry("", "No Portfolio");
        QVERIFY(CurrentPortfolioAccessAllowed(nullptr));
        QCOMPARE(PendingModalScripts(), 0);
    }

    void transactionsAddEditAndChecks()
    {
        TTestEnv env;
        MakeFolders(env);
        env.pinClock(QDateTime(QDate(2024, 3, 1), QTime(12, 0)));
        TTransationForm form(QStringLiteral("P"), 321);
        form.reopenFile();
        QVERIFY(form.AddBtn->isEnabled() && form.ImportBtn->isEnabled());
        QVERIFY(!form.EditBtn->isEnabled() && !form.DeleteBtn->isEnabled() && !form.ExportBtn->isEnabled());

        // The two-line check message keeps the dialog open.
        QueueModalScript([](QDialog *d) {
            auto *dlg = static_cast<TTransationAddEditForm *>(d);
            const bool today = dlg->DateEdit->text() == QLatin1String("03/01/2024");
            dlg->DateEdit->setText(QStringLiteral("  /  /    "));
            dlg->SharesEdit->setText("1");
            dlg->PriceEdit->setText("1");
            dlg->FeeEdit->setText("0");
            dlg->SaveBtn->click();
            return today && d->result() != QDialog::Accepted ? int(QDialog::Rejected) : 99;
        });
        form.AddBtnClick();
        QCOMPARE(env.messages.texts(),
                 QStringList{"Invalid Data Has Been Entered For The Following Fields:\n\nNo "
                             "Symbol Entered.\nInvalid Date Entered."});

        QueueModalScript([](QDialog *d) {
            auto *dlg = static_cast<TTransationAddEditForm *>(d);
            dlg->SymbolEdit->setText("IBM");
            dlg->SharesEdit->setText("100");
            dlg->PriceEdit->setText("10.00");
            dlg->FeeEdit->setText("9.95");
            dlg->SoldBtn->click();
            const bool total = dlg->TotalEdit->text() == QLatin1String("$990.05");
            dlg->SaveBtn->click();
            return total ? d->result() : 99;
        });
        form.AddBtnClick();
        QCOMPARE(form.file()->RecordCount(), 1);
        QStringList cells;
        for (int c = 0; c < 7; ++c)
            cells << form.cellText(0, c);
        QCOMPARE(cells, (QStringList{"IBM", "IBM Not On File", "03/01/2024", "-100.0000", "$10.00", "$9.95",
                                     "$990.05"}));
        QVERIFY(form.EditBtn->isEnabled());

        // Editing the date moves the record; the dialog shows the stored values.
        QueueModalScript([](QDialog *d) {
            auto *dlg = static_cast<TTransationAddEditForm *>(d);
            const bool filled = dlg->SharesEdit->text() == QLatin1String("100") && dlg->SoldBtn->isChecked();
            dlg->DateEdit->setText(QStringLiteral("02/01/2024"));
            dlg->SaveBtn->click();
            return filled ? d->result() : 99;
        });
        form.EditBtnClick();
        QCOMPARE(form.cellText(0, 2), QStringLiteral("02/01/2024"));
        QCOMPARE(form.file()->RecordCount(), 1);
        TTransRecord stored;
        form.file()->ReadAt(stored, 0);
        QCOMPARE(stored.SecurityCode, 321);

        QueueModalScript(
            [](QDialog *d) { return d->findChild<QPushButton *>("DeleteBtn")->isVisibleTo(d) ? 1 : 0; });
        form.DeleteBtnClick();
        QCOMPARE(form.file()->RecordCount(), 0);
        QVERIFY(!form.EditBtn->isEnabled());
        QCOMPARE(PendingModalScripts(), 0);
    }

    // Column widths are laid out for an 8-point face; under the desktop's
    // larger font a five-digit loss and the "Symbol" header must still show.
    void transactionColumnsFitTheirTexts()
    {
        TTestEnv env;
        MakeFolders(env);
        TTransationForm form(QStringLiteral("P"), 321);
        auto *grid = form.findChild<QTableView *>(QStringLiteral("StringGrid1"));
        QVERIFY(grid);
        const QFontMetrics metrics(grid->font());
        QVERIFY(grid->columnWidth(0) >= metrics.horizontalAdvance(QStringLiteral("Symbol")) + 8);
        QVERIFY(grid->columnWidth(6) >= metrics.horizontalAdvance(QStringLiteral("($11,010.99)")) + 8);
        QVERIFY(grid->columnWidth(6) >= 80);
        int total = 0;
        for (int c = 0; c < 7; ++c)
            total += grid->columnWidth(c);
        QVERIFY(grid->width() >= total);
        QVERIFY(form.width() > grid->width());
    }

    void dividendsDistributedRoundTrip()
    {
        TTestEnv env;
        MakeFolders(env);
        TDividendsForm form(QStringLiteral("P"), 5);
        form.reopenFile();
        QueueModalScript([](QDialog *d) {
            auto *dlg = static_cast<TDividendAddEditForm *>(d);
            dlg->SymbolEdit->setText("zzz");
            const bool label = dlg->NameLabel->text() == QLatin1String("ZZZ Not On File");
            dlg->DividendEdit->setText("12.50");
            dlg->DistributedBtn->setChecked(true);
            dlg->SaveBtn->click();
            return label ? d->result() : 99;
        });
        form.AddBtnClick();
        QCOMPARE(form.cellText(0, 1), QStringLiteral("Not On File"));
        QCOMPARE(form.cellText(0, 3), QStringLiteral("($12.50)"));
        QueueModalScript([](QDialog *d) {
            auto *dlg = static_cast<TDividendAddEditForm *>(d);
            return dlg->DividendEdit->text() == QLatin1String("12.5") && dlg->DistributedBtn->isChecked()
                       ? 0
                       : 99;
        });
        form.EditBtnClick();
        QCOMPARE(PendingModalScripts(), 0);
        QVERIFY(env.messages.texts().isEmpty());
    }
};

QTEST_MAIN(TestPortfolioFrm)
#include "tst_PortfolioFrm.moc"
