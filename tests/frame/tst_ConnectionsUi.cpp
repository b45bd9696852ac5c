// The start-up wiring that joins windows built apart: each hook is set, and
// the portfolio graph opened from the holdings window is headed with that
// window's caption.

#include "TestEnv.h"
#include "frame/ConnectionsUi.h"
#include "frame/ModalUi.h"
#include "frame/Stockcfg.h"
#include "portfolio/PortGraphFrm.h"
#include "portfolio/PortGraphSetFrm.h"
#include "portfolio/portfoliofrm.h"
#include "securities/StockDataFrm.h"
#include "securities/StockDataListFrm.h"
#include "securities/StockFrm.h"

#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class TestConnectionsUi : public QObject
{
    Q_OBJECT
private slots:
    void everyWindowHookIsSet()
    {
        TStockForm::GraphHook = nullptr;
        TStockDataListForm::ImportHook = nullptr;
        TStockDataListForm::ExportHook = nullptr;
        TStockDataForm::ExportAllHook = nullptr;
        InstallWindowConnections();
        QVERIFY(TStockForm::GraphHook);
        QVERIFY(TStockDataListForm::ImportHook);
        QVERIFY(TStockDataListForm::ExportHook);
        QVERIFY(TStockDataForm::ExportAllHook);
    }

    void portfolioGraphIsHeadedWithTheHoldingsCaption()
    {
        TTestEnv env;
        LoadConfig();
        QDir().mkpath(GetFolders().Portfolio);
        QDir().mkpath(GetFolders().Data);
        InstallWindowConnections();
        SetPortfolioGraphOptions({0, pgSummary});
        TPortfolioForm holdings;
        holdings.setPortfolio({QString(), QStringLiteral("GROW"), QString(), 7, QStringLiteral("Growth")});

        QueueModalScript([](QDialog *d) {
            return qobject_cast<TPortGraphSetForm *>(d) ? int(QDialog::Accepted) : int(QDialog::Rejected);
        });
        QString heading;
        QueueModalScript([&heading](QDialog *d) {
            if (auto *g = qobject_cast<TPortGraphForm *>(d))
                heading = g->view().Heading;
            return int(QDialog::Rejected);
        });
        holdings.findChild<QPushButton *>(QStringLiteral("GraphBtn"))->click();
        QCOMPARE(heading, QStringLiteral("Summary: Portfolio Growth"));
        QCOMPARE(PendingModalScripts(), 0);
    }
};

QTEST_MAIN(TestConnectionsUi)
#include "tst_ConnectionsUi.moc"
