#include "TestEnv.h"

#include "frame/DateBoxUi.h"
#include "frame/Stockcfg.h"
#include "frame/WindowListFrm.h"
#include "portfolio/ReturnEstfrm.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

class TestReturnEstFrm : public QObject
{
    Q_OBJECT

private slots:
    void workedExampleOnEveryChange()
    {
        TTestEnv env;
        env.pinClock(QDateTime(QDate(2004, 3, 15), QTime(9, 0)));
        TReturnEstForm *form = ShowReturnEstimator(nullptr);
        QCOMPARE(form->windowTitle(), QStringLiteral("Return Estimator"));
        QCOMPARE(form->BuyDate->text(), QStringLiteral("03/15/2004"));
        QCOMPARE(form->SellDate->text(), QStringLiteral("03/15/2004"));
        QCOMPARE(form->Annualized->text(), QStringLiteral("N/A")); // same day

        form->BuyDate->setText("01/02/2000");
        form->SellDate->setText("01/02/2001");
        QCOMPARE(form->TotalDaysHeld->text(), QStringLiteral("0")); // dates wait for the next computation
        form->BuyShares->setText("100");
        QCOMPARE(form->SellShares->text(), QStringLiteral("100"));
        form->BuyPrice->setText("10");
        form->SellPrice->setText("12");
        QCOMPARE(form->BuyCommission->text(), QStringLiteral("$29.95"));
        QCOMPARE(form->InitialCost->text(), QStringLiteral("$1,029.95"));
        QCOMPARE(form->Proceeds->text(), QStringLiteral("$1,170.05"));
        QCOMPARE(form->ProfitLossLabel->text(), QStringLiteral("Profit"));
        QCOMPARE(form->ProfitLoss->text(), QStringLiteral("$140.10"));
        QCOMPARE(form->ReturnValue->text(), QStringLiteral("13.60%"));
        QCOMPARE(form->Annualized->text(), QStringLiteral("13.57%"));
        QCOMPARE(form->TotalDaysHeld->text(), QStringLiteral("366"));
        QCOMPARE(form->DaysHeld->text(), QStringLiteral("1"));
        QCOMPARE(form->YearsHeld->text(), QStringLiteral("1"));

        form->SellPrice->setText("9");
        QCOMPARE(form->ProfitLossLabel->text(), QStringLiteral("Loss"));
        QVERIFY(form->ProfitLoss->styleSheet().contains("#FF0000"));
        QCOMPARE(ShowReturnEstimator(nullptr), form);
        delete form;
        QV_VERIFY_ENV(env);
    }
};

QTEST_MAIN(TestReturnEstFrm)
#include "tst_ReturnEstfrm.moc"
