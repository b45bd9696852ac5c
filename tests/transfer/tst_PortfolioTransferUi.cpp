// The transactions and dividends windows' Import and Export: the shared
// dialogs in the portfolio kinds, their settings handed to the portfolio
// runs, driven as the user would.

#include "TestEnv.h"

#include "frame/DateBoxUi.h"
#include "frame/ModalUi.h"
#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "portfolio/Dividendsfrm.h"
#include "portfolio/Transationfrm.h"
#include "records/TransDatabase.h"
#include "transfer/ExportFrm.h"
#include "transfer/ImportFrm.h"
#include "transfer/PortfolioSettings.h"
#include "transfer/PortfolioTransferUi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

namespace {

void makeFolders(const TTestEnv &env)
{
    for (const char *f : {"symbol", "watch", "notes", "data", "port"})
        QDir().mkpath(env.path(QString::fromLatin1(f)));
}

QStringList rows(const TImportForm &f)
{
    QStringList out;
    for (int r = 0; r < f.ImportGrid->rowCount(); ++r)
        out << f.ImportGrid->item(r, 0)->text();
    return out;
}

QStringList items(QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void pick(TExportForm &f, const QString &field)
{
    const auto found = f.AvailableFields->findItems(field, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    f.AvailableFields->setCurrentItem(found.first());
    f.CopyBtn->click();
}

TImportSettings assigned(const QStringList &rows, const QStringList &assignments)
{
    TImportSettings s;
    s.FieldRows = rows;
    s.Assignments = assignments;
    return s;
}

} // namespace

class TestPortfolioTransferUi : public QObject
{
    Q_OBJECT

private slots:
    void init() { InstallPortfolioTransferDialogs(); }
    void cleanup()
    {
        SetPortfolioImportDialog({});
        SetPortfolioExportDialog({});
    }

    void importFieldNumbers_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<QList<int>>("numbers");
        const QStringList trades{"Symbol", "Date", "Shares", "Price", "Fee"};
        QTest::newRow("in order") << int(TTransferKind::Transactions) << trades
                                  << QStringList{"Field 1", "Field 2", "Field 3", "Field 4", "Field 5"}
                                  << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("shuffled, one field twice")
            << int(TTransferKind::Transactions) << trades
            << QStringList{"Field 4", "Field 1", "Field 10", "Field 10", "Field 2"}
            << QList<int>{4, 1, 10, 10, 2};
        QTest::newRow("unassigned and damaged rows read nothing")
            << int(TTransferKind::Transactions) << trades
            << QStringList{"Field 1", "", "Field x", "Field 0", "Field 3"} << QList<int>{1, 0, 0, 0, 3};
        QTest::newRow("dividends") << int(TTransferKind::Dividends)
                                   << QStringList{"Symbol", "Date", "Dividend"}
                                   << QStringList{"Field 3", "Field 1", "Field 2"} << QList<int>{3, 1, 2};
    }

    void importFieldNumbers()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, assignments);
        QFETCH(QList<int>, numbers);
        TImportSettings s = assigned(rows, assignments);
        s.FileName = "/x/in.txt";
        s.Layout = 2;
        s.DateForm = 2;
        s.LinesToSkip = 3;
        s.Append = false;
        const TTransferImportSettings out = PortfolioImportSettings(TTransferKind(kind), s);
        QCOMPARE(out.FieldNumbers, numbers);
        QCOMPARE(out.FilePath, QStringLiteral("/x/in.txt"));
        QCOMPARE(out.Layout, QStringLiteral("ASCII Tab Delimited"));
        QCOMPARE(out.DateForm, QStringLiteral("MM-DD-YYYY"));
        QCOMPARE(out.SkipLines, 3);
        QVERIFY(!out.Append);
    }

    void exportDatesBecomeStoredTexts_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("stored");
        QTest::newRow("full") << "06/30/1999"
                              << "19990630";
        QTest::newRow("typed in part") << " 1/ 5/2001"
                                       << "20010105";
        QTest::newRow("empty box") << "  /  /    "
                                   << "";
        QTest::newRow("no such day") << "02/30/2001"
                                     << "";
    }

    void exportDatesBecomeStoredTexts()
    {
        QFETCH(QString, display);
        QFETCH(QString, stored);
        TExportSettings s;
        s.FileName = "/x/out.txt";
        s.Layout = "ASCII Coma Delimited";
        s.DateForm = "YYYY-MM-DD";
        s.Fields = {"Total", "Total"};
        s.IncludeHeader = true;
        s.FromDate = display;
        s.ToDate = "12/31/2001";
        const TTransferExportSettings out = PortfolioExportSettings(s);
        QCOMPARE(out.From, stored);
        QCOMPARE(out.To, QStringLiteral("20011231"));
        QCOMPARE(out.Fields, (QStringList{"Total", "Total"}));
        QVERIFY(out.HeaderLine);
        QCOMPARE(out.FilePath, QStringLiteral("/x/out.txt"));
    }

    void transactionsImportThroughTheDialog()
    {
        TTestEnv env;
        makeFolders(env);
        env.pinClock(QDateTime(QDate(2024, 3, 1), QTime(12, 0)));
        // Fields in a foreign order: date, symbol, price, shares, fee.
        const QString in = env.writeFile("trades.csv", "Date,Sym,Price,Qty,Fee\r\n"
                                                       "01/05/2001,ibm,10.00,100,5.00\r\n"
                                                       "01/05/2001,ibm,11.00,-50,5.00\r\n");
        TTransationForm form(QStringLiteral("P"), 321);
        form.reopenFile();
        QString caption;
        QStringList fieldRows;
        bool dateForms = false;
        QueueModalScript([&](QDialog *d) {
            auto *f = qobject_cast<TImportForm *>(d);
            if (!f)
                return 99;
            caption = f->windowTitle();
            fieldRows = rows(*f);
            dateForms = f->DateFormat->isEnabled();
            f->ImportFileName->setText(in);
            f->ImportFormat->setCurrentIndex(1);
            f->DateFormat->setCurrentIndex(2);
            f->SpinEdit1->setValue(1);
            f->AppendToFile->setChecked(false);
            const int fields[] = {2, 1, 4, 3, 5};
            for (int r = 0; r < 5; ++r)
                f->ImportGridDragDrop(r, QStringLiteral("Field %1").arg(fields[r]));
            if (!f->ImportBtn->isEnabled())
                return 98;
            f->ImportBtn->click();
            return f->result();
        });
        env.messages.expectQuestion("Warning, This will overwrite the current Transation File, Proceed?",
                                    true);
        form.ImportBtn->click();
        QCOMPARE(caption, QStringLiteral("Import Transation Information"));
        QCOMPARE(fieldRows, (QStringList{"Symbol", "Date", "Shares", "Price", "Fee"}));
        QVERIFY(dateForms);
        QCOMPARE(env.messages.texts().last(), QStringLiteral("Transation Data Information Imported"));
        QCOMPARE(form.file()->RecordCount(), 2);
        TTransRecord a, b;
        form.file()->ReadAt(a, 0);
        form.file()->ReadAt(b, 1);
        QCOMPARE(a.Symbol.text(), QStringLiteral("IBM"));
        QCOMPARE(a.Date.text(), QStringLiteral("20010105"));
        QCOMPARE(a.Shares + b.Shares, 50.0);
        QCOMPARE(a.Price + b.Price, 21.0);
        QCOMPARE(a.SecurityCode, 321);
        QCOMPARE(PendingModalScripts(), 0);
        QV_VERIFY_ENV(env);
    }

    void cancelledImportLeavesTheFile()
    {
        TTestEnv env;
        makeFolders(env);
        TDividendsForm form(QStringLiteral("P"), 5);
        form.reopenFile();
        QString caption;
        QueueModalScript([&](QDialog *d) {
            caption = d->windowTitle();
            return int(QDialog::Rejected);
        });
        form.ImportBtn->click();
        QCOMPARE(caption, QStringLiteral("Import Dividend Information"));
        QCOMPARE(form.file()->RecordCount(), 0);
        QVERIFY(env.messages.said.isEmpty());
        QV_VERIFY_ENV(env);
    }

    void dividendsExportThroughTheDialog()
    {
        TTestEnv env;
        makeFolders(env);
        {
            TTransBase file(DividendFilePath(QStringLiteral("P")));
            const char *dates[] = {"19990515", "19990630", "19990701"};
            for (const char *date : dates) {
                TTransRecord r;
                r.Symbol = QStringLiteral("IBM");
                r.Date = QString::fromLatin1(date);
                r.Price = 1.25;
                bool added = false;
                file.Insert(r, added);
                QVERIFY(added);
            }
        }
        TDividendsForm form(QStringLiteral("P"), 5);
        form.reopenFile();
        const QString out = env.path("div.txt");
        QString caption;
        QStringList available;
        QueueModalScript([&](QDialog *d) {
            auto *f = qobject_cast<TExportForm *>(d);
            if (!f)
                return 99;
            caption = f->windowTitle();
            available = items(f->AvailableFields);
            if (!f->DateFormatCombo->isEnabled() || !f->StartDate->isEnabled())
                return 98;
            f->ExportFileName->setText(out);
            f->ExportCombo->setCurrentIndex(1);
            f->DateFormatCombo->setCurrentIndex(2);
            f->StartDate->setText(QStringLiteral("06/01/1999"));
            f->StopDate->setText(QStringLiteral("06/30/1999"));
            pick(*f, "Symbol");
            pick(*f, "Company");
            pick(*f, "Date");
            pick(*f, "Dividend");
            f->ExportBtn->click();
            return f->result();
        });
        form.ExportBtn->click();
        QCOMPARE(caption, QStringLiteral("Export Dividend Information"));
        QCOMPARE(available, (QStringList{"Company", "Date", "Dividend", "Symbol"}));
        // Only the day inside the range; the first three fields quoted.
        QCOMPARE(TTestEnv::readFile(out), QByteArray("\"IBM\",\"Not On File\",\"06/30/1999\",1.2500\r\n"));
        QCOMPARE(env.messages.texts(), QStringList{"Dividend Data Exported"});
        QCOMPARE(PendingModalScripts(), 0);
        QV_VERIFY_ENV(env);
    }
};

QTEST_MAIN(TestPortfolioTransferUi)
#include "tst_PortfolioTransferUi.moc"
