// Windows laid out in fixed pixels show every text whole under the desktop's
// font, whatever font that is: the widening that makes them fit, and a sweep
// over the program's dialogs and windows as they first show.

#include "TestEnv.h"
#include "chart/Overlayfrm.h"
#include "frame/AboutFrm.h"
#include "frame/FixedLayoutUi.h"
#include "frame/InvalidDateFrm.h"
#include "frame/SettingsFrm.h"
#include "frame/StatusFrm.h"
#include "frame/StdUnit.h"
#include "frame/Stockcfg.h"
#include "frame/WindowListFrm.h"
#include "portfolio/DividendAddEditFrm.h"
#include "portfolio/Passwordfrm.h"
#include "portfolio/PortGraphSetFrm.h"
#include "portfolio/PortListAddEditfrm.h"
#include "portfolio/PortfilioListFrm.h"
#include "portfolio/ReturnEstfrm.h"
#include "portfolio/TransationsAddEditFrm.h"
#include "portfolio/commissionfrm.h"
#include "portfolio/portfoliofrm.h"
#include "reports/ReportsFrm.h"
#include "screening/runwatchfrm.h"
#include "screening/scanfrm.h"
#include "securities/FindSymbolFrm.h"
#include "securities/SplitFrm.h"
#include "securities/StockDataFrm.h"
#include "securities/StockDataListAddEditFrm.h"
#include "securities/StockFrm.h"
#include "securities/SymbolAddEditFrm.h"
#include "securities/SymbolListFrm.h"
#include "securities/WatchListAddEditFrm.h"
#include "securities/purgefrm.h"
#include "tools/Calendarfrm.h"
#include "transfer/ExportFrm.h"
#include "transfer/ImportFrm.h"
#include "transfer/dataconversionfrm.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest>

namespace {

QString describe(const QList<TCutText> &cuts)
{
    QStringList out;
    for (const TCutText &c : cuts)
        out << QStringLiteral("%1 '%2' needs %3 px, has %4")
                   .arg(c.Widget->metaObject()->className(), c.Text)
                   .arg(c.Need)
                   .arg(c.Room);
    return out.join(QStringLiteral("; "));
}

template <class F> QString cutsOf()
{
    F form;
    form.show();
    return describe(CutTexts(&form));
}

} // namespace

class TestFixedLayout : public QObject
{
    Q_OBJECT

private slots:
    // As the program does at start: every window is fitted as it shows.
    void initTestCase() { InstallTextFitting(); }

    void widensByOneFactorKeepingTheDesign()
    {
        QWidget form;
        form.setFixedSize(200, 100);
        auto *label = new QLabel(QStringLiteral("Caption Here:"), &form);
        label->setGeometry(8, 10, 60, 21);
        auto *edit = new QLineEdit(&form);
        edit->setGeometry(70, 10, 120, 21);
        // Shown in turn with the label, never with it: not in its way.
        auto *other = new QCheckBox(QStringLiteral("Other"), &form);
        other->setGeometry(8, 40, 50, 21);
        other->hide();
        QCOMPARE(CutTexts(&form).size(), 1); // measured as it will show
        const double factor = WidenToFitTexts(&form);
        QVERIFY(factor > 1);
        QCOMPARE(describe(CutTexts(&form)), QString());
        QCOMPARE(form.height(), 100); // only wider
        QCOMPARE(form.width(), int(std::lround(200 * factor)));
        QVERIFY(label->geometry().right() < edit->x()); // still side by side
        QCOMPARE(edit->y(), 10);
        QCOMPARE(WidenToFitTexts(&form), 1.0); // fits now: nothing moves

        // Any window is fitted by itself as it shows.
        QWidget shown;
        shown.setFixedSize(200, 40);
        (new QLabel(QStringLiteral("Caption Here:"), &shown))->setGeometry(8, 10, 60, 21);
        QVERIFY(!CutTexts(&shown).isEmpty());
        shown.show();
        QVERIFY(CutTexts(&shown).isEmpty());
        QVERIFY(shown.width() > 200);
    }

    void aFormThatFitsKeepsItsSizeAndTheFactorIsCapped()
    {
        QWidget fits;
        fits.setFixedSize(300, 60);
        auto *l = new QLabel(QStringLiteral("OK:"), &fits);
        l->setGeometry(8, 8, 100, 21);
        fits.show();
        QCOMPARE(WidenToFitTexts(&fits), 1.0);
        QCOMPARE(fits.size(), QSize(300, 60));
        QCOMPARE(l->geometry(), QRect(8, 8, 100, 21));

        QWidget tiny;
        tiny.setFixedSize(100, 40);
        (new QLabel(QString(40, QLatin1Char('W')), &tiny))->setGeometry(0, 0, 20, 20);
        QCOMPARE(WidenToFitTexts(&tiny, 1.5), 1.5);
        QCOMPARE(tiny.width(), 150);
    }

    // Every window and dialog as it first shows, and the import dialog in each
    // of its kinds and the settings dialog on each page.
    void everyTextShowsWhole()
    {
        TTestEnv env;
        for (const char *f : {"symbol", "watch", "notes", "data", "port"})
            QDir().mkpath(env.path(f));
        QCOMPARE(cutsOf<TAboutBox>(), QString());
        QCOMPARE(cutsOf<TCalendarForm>(), QString());
        QCOMPARE(cutsOf<TCommissionForm>(), QString());
        QCOMPARE(cutsOf<TDataConversionform>(), QString());
        QCOMPARE(cutsOf<TDividendAddEditForm>(), QString());
        QCOMPARE(cutsOf<TExportForm>(), QString());
        QCOMPARE(cutsOf<TFindSymbolForm>(), QString());
        QCOMPARE(cutsOf<TImportForm>(), QString());
        QCOMPARE(cutsOf<TInvalidDateForm>(), QString());
        QCOMPARE(cutsOf<TOverlayForm>(), QString());
        QCOMPARE(cutsOf<TPasswordForm>(), QString());
        QCOMPARE(cutsOf<TPortGraphSetForm>(), QString());
        QCOMPARE(cutsOf<TPortListAddEditForm>(), QString());
        QCOMPARE(cutsOf<TPortReportsform>(), QString());
        QCOMPARE(cutsOf<TPortfilioListForm>(), QString());
        QCOMPARE(cutsOf<TPortfolioForm>(), QString());
        QCOMPARE(cutsOf<TPurgeForm>(), QString());
        QCOMPARE(cutsOf<TReturnEstForm>(), QString());
        QCOMPARE(cutsOf<TRunWatchForm>(), QString());
        QCOMPARE(cutsOf<TScanForm>(), QString());
        QCOMPARE(cutsOf<TSettingsForm>(), QString());
        QCOMPARE(cutsOf<TSplitForm>(), QString());
        QCOMPARE(cutsOf<TStatusForm>(), QString());
        QCOMPARE(cutsOf<TStockDataForm>(), QString());
        QCOMPARE(cutsOf<TStockDataListAddEditForm>(), QString());
        QCOMPARE(cutsOf<TStockForm>(), QString());
        QCOMPARE(cutsOf<TStockReportsForm>(), QString());
        QCOMPARE(cutsOf<TSymbolAddEditForm>(), QString());
        QCOMPARE(cutsOf<TSymbolListForm>(), QString());
        QCOMPARE(cutsOf<TTransationAddEditForm>(), QString());
        QCOMPARE(cutsOf<TWatchListAddEditForm>(), QString());
        QCOMPARE(cutsOf<TWindowListForm>(), QString());
        for (auto kind : {TImportKind::Symbols, TImportKind::Prices, TImportKind::Transactions,
                          TImportKind::Dividends, TImportKind::Conversion}) {
            TImportForm form;
            form.setKind(kind);
            form.show();
            QCOMPARE(describe(CutTexts(&form)), QString());
        }
        TSettingsForm settings;
        settings.show();
        for (int i = 0; i < settings.PageControl1->count(); ++i) {
            settings.PageControl1->setCurrentIndex(i);
            QCOMPARE(describe(CutTexts(&settings)), QString());
        }
    }
};

QTEST_MAIN(TestFixedLayout)
#include "tst_FixedLayout.moc"
