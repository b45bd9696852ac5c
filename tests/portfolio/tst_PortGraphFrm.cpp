#include "TestEnv.h"

#include "frame/ModalUi.h"
#include "frame/PrinterUi.h"
#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "portfolio/PortGraphFrm.h"
#include "portfolio/PortGraphSetFrm.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

void writeTransactions(const QString &file, const QVector<TTransRecord> &records)
{
    QDir().mkpath(GetFolders().Portfolio);
    QFile f(TransactionFilePath(file));
    QVERIFY(f.open(QIODevice::WriteOnly));
    for (const TTransRecord &r : records)
        f.write(reinterpret_cast<const char *>(&r), sizeof r);
}

TTransRecord trans(const QString &symbol, const QString &date, double shares, double price)
{
    TTransRecord rec;
    rec.Symbol.setText(symbol);
    rec.Date.setText(date);
    rec.Shares = shares;
    rec.Price = price;
    return rec;
}

// Twelve years, 1990 .. 2001, each with a profit of 1.
QVector<TTransRecord> twelveYears()
{
    QVector<TTransRecord> out;
    for (int y = 1990; y <= 2001; ++y) {
        out << trans("IBM", QString::number(y) + "0101", 1, 1)
            << trans("IBM", QString::number(y) + "0202", -1, 2);
    }
    return out;
}

} // namespace

class TestPortGraphFrm : public QObject
{
    Q_OBJECT

private slots:
    void optionsShowStoredChoicesAndSummaryForcesSellAll()
    {
        TTestEnv env;
        SetPortfolioGraphOptions({pgIncludeDividends, pgYearly});
        TPortGraphSetForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Portfolio Graph Options"));
        QVERIFY(form.IncludeDividends->isChecked());
        QVERIFY(!form.SellAll->isChecked());
        QVERIFY(form.SellAll->isEnabled());
        QVERIFY(form.Yearly->isChecked());
        form.Summary->setChecked(true);
        QVERIFY(form.SellAll->isChecked());
        QVERIFY(!form.SellAll->isEnabled());
        form.CurrentYear->setChecked(true);
        QVERIFY(form.SellAll->isEnabled());

        form.RememberSettings->setChecked(true);
        form.GraphBtn->click();
        QCOMPARE(GetPortfolioGraphOptions().Options, uint16_t(pgIncludeDividends | pgSellAll));
        QCOMPARE(GetPortfolioGraphOptions().GraphType, uint16_t(pgCurrentYear));
        QV_VERIFY_ENV(env);
    }

    void optionsWithoutRememberStoreNothing()
    {
        TTestEnv env;
        SetPortfolioGraphOptions({0, 7}); // an unknown type leaves "Summary"
        TPortGraphSetForm form;
        QVERIFY(form.Summary->isChecked());
        form.Yearly->setChecked(true);
        form.GraphBtn->click();
        QCOMPARE(GetPortfolioGraphOptions().GraphType, uint16_t(7));
        QV_VERIFY_ENV(env);
    }

    void yearlyGraphPagesAndSwitchesViews()
    {
        TTestEnv env;
        env.pinClock(QDateTime(QDate(2004, 6, 15), QTime(10, 0)));
        SetModalStrict(true);
        writeTransactions("GROW", twelveYears());
        SetPortfolioGraphOptions({0, pgYearly});
        QueueModalScript([](QDialog *d) {
            auto *o = qobject_cast<TPortGraphSetForm *>(d);
            return o && o->Yearly->isChecked() ? int(QDialog::Accepted) : int(QDialog::Rejected);
        });
        bool checked = false;
        QueueModalScript([&checked](QDialog *d) {
            auto *g = qobject_cast<TPortGraphForm *>(d);
            if (!g)
                return int(QDialog::Rejected);
            [&] {
                QCOMPARE(g->windowTitle(), QStringLiteral("Portfoilio Graph"));
                QCOMPARE(g->view().Heading, QStringLiteral("Yearly Data For: Portfolio Growth"));
                QCOMPARE(g->view().Bars.size(), 12);
                QCOMPARE(g->FooterLabel->text(), QStringLiteral("Profit: $12.00"));
                QVERIFY(g->NextBtn->isEnabled());
                QVERIFY(!g->PreviousBtn->isEnabled());
                g->NextBtn->click();
                QCOMPARE(g->pageIndex(), 1);
                QVERIFY(!g->NextBtn->isEnabled());
                QVERIFY(g->PreviousBtn->isEnabled());
                g->PreviousBtn->click();
                QVERIFY(!g->PreviousBtn->isEnabled());
                QVERIFY(g->NextBtn->isEnabled());

                g->BarDoubleClick(2); // newest first: 1999
                QCOMPARE(g->kind(), TPortGraphViewKind::CurrentYear);
                QCOMPARE(g->view().Heading, QStringLiteral("Year 1999 Data For: Portfolio Growth"));
                QVERIFY(g->ReturnBtn->isEnabled());
                QVERIFY(!g->NextBtn->isEnabled());
                g->ReturnBtn->click();
                QCOMPARE(g->kind(), TPortGraphViewKind::Yearly);
                QVERIFY(!g->ReturnBtn->isEnabled());
                QCOMPARE(g->chartImage().pixelColor(0, 0), QColor(Qt::white));
                checked = true;
            }();
            return int(QDialog::Accepted);
        });
        QVERIFY(ShowPortfolioGraph(nullptr, QStringLiteral("Portfolio Growth"), QStringLiteral("GROW")));
        QVERIFY(checked);
        SetModalStrict(false);
        QV_VERIFY_ENV(env);
    }

    void summaryOfAMissingPortfolioIsEmpty()
    {
        TTestEnv env;
        TPortGraphForm g(QStringLiteral("Portfolio None"), QStringLiteral("NONE"), true, true,
                         TPortGraphViewKind::Summary);
        QVERIFY(g.view().Bars.isEmpty());
        QCOMPARE(g.FooterLabel->text(), QStringLiteral("Loss: $0.00    Return: N/A"));
        QVERIFY(!g.NextBtn->isEnabled());
        g.BarDoubleClick(0); // nothing in the summary
        QCOMPARE(g.kind(), TPortGraphViewKind::Summary);
        QVERIFY(!QFile::exists(TransactionFilePath("NONE")));
        QV_VERIFY_ENV(env);
    }
    // The chart is laid out in the page's shape for printing and must come
    // back to the window's size afterwards; the document is one page.
    void printGivesOnePageAndRestoresTheWindow()
    {
        TTestEnv env;
        writeTransactions("GROW", twelveYears());
        TPortGraphForm g(QStringLiteral("Portfolio Growth"), QStringLiteral("GROW"), true, true,
                         TPortGraphViewKind::Yearly);
        g.resize(640, 420);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        const QSizeF before = g.Chart1->chart()->size();
        const QString pdf = env.path(QStringLiteral("graph.pdf"));
        AppPrinter()->setOutputFormat(QPrinter::PdfFormat);
        AppPrinter()->setOutputFileName(pdf);
        QueueModalScript([](QDialog *) { return int(QDialog::Accepted); });
        g.PrintBtn->click();
        QCOMPARE(g.Chart1->chart()->size(), before);
        const QByteArray bytes = TTestEnv::readFile(pdf);
        QVERIFY(!bytes.isEmpty());
        const auto pages =
            QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")));
        QCOMPARE(pages, 1);
        QV_VERIFY_ENV(env);
    }
};

QTEST_MAIN(TestPortGraphFrm)
#include "tst_PortGraphFrm.moc"
