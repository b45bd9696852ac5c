#include "TestEnv.h"

#include "frame/Stockcfg.h"
#include "frame/WindowListFrm.h"
#include "portfolio/commissionfrm.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QtTest>

namespace {

void setSchedule(int index)
{
    LoadConfig();
    ConfigRecord.CommissionSchedule = int16_t(index);
    ConfigRecord.Percent.Rate = 0.015;
    QVERIFY(SaveConfig());
}

void activate(TCommissionForm &form)
{
    QEvent e(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&form, &e);
}

} // namespace

class TestCommissionFrm : public QObject
{
    Q_OBJECT

private slots:
    void startsAsBuyWithZeroAmounts()
    {
        TTestEnv env;
        TCommissionForm form;
        QCOMPARE(form.windowTitle(), QString("Commission Calculator "));
        QVERIFY(form.BuyBtn->isChecked());
        QCOMPARE(form.CommissionLabel->text(), QString("Commission On Buy:"));
        QCOMPARE(form.TotalLabel->text(), QString("Total Cost Of Buy:"));
        QCOMPARE(form.CommissionAmount->text(), QString("$0.00"));
        QCOMPARE(form.TotalAmount->text(), QString("$0.00"));
        QCOMPARE(form.ActionGroup->title(), QString("Action"));
        QCOMPARE(form.InfoGroup->title(), QString("Commission Calculator Information"));
        QVERIFY(form.Memo1->isReadOnly());
        QWidget *next = form.PriceEdit->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        QCOMPARE(next, form.SharesEdit);
        QV_VERIFY_ENV(env);
    }

    void recomputesOnEveryChange_data()
    {
        QTest::addColumn<int>("schedule");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("shares");
        QTest::addColumn<bool>("sell");
        QTest::addColumn<QString>("commission");
        QTest::addColumn<QString>("total");
        QTest::newRow("letter in price, web, buy") << 0 << "x"
                                                   << "100" << false << "$29.95"
                                                   << "$29.95";
        QTest::newRow("letter in price, web, sell") << 0 << "x"
                                                    << "100" << true << "$29.95"
                                                    << "($29.95)";
        QTest::newRow("empty shares count as 0") << 0 << "20"
                                                 << "" << false << "$29.95"
                                                 << "$29.95";
        QTest::newRow("broker buy") << 1 << "20"
                                    << "100" << false << "$55.00"
                                    << "$2,055.00";
        QTest::newRow("broker sell") << 1 << "20"
                                     << "100" << true << "$55.00"
                                     << "$1,945.00";
        QTest::newRow("broker, unparsable") << 1 << "20"
                                            << "ten" << false << "$39.00"
                                            << "$39.00";
        QTest::newRow("percent, grouped shares") << 2 << "20"
                                                 << "1,000" << false << "$300.00"
                                                 << "$20,300.00";
        QTest::newRow("no schedule") << 3 << "20"
                                     << "100" << false << "$0.00"
                                     << "$2,000.00";
    }
    void recomputesOnEveryChange()
    {
        TTestEnv env;
        QFETCH(int, schedule);
        QFETCH(QString, price);
        QFETCH(QString, shares);
        QFETCH(bool, sell);
        QFETCH(QString, commission);
        QFETCH(QString, total);
        setSchedule(schedule);
        TCommissionForm form;
        activate(form);
        QTest::keyClicks(form.PriceEdit, price); // typing recomputes at every key
        form.SharesEdit->setText(shares);
        if (sell)
            form.SellBtn->click();
        QCOMPARE(form.CommissionAmount->text(), commission);
        QCOMPARE(form.TotalAmount->text(), total);
        QV_VERIFY_ENV(env);
    }

    void buyAndSellSetTheCaptions()
    {
        TTestEnv env;
        setSchedule(0);
        TCommissionForm form;
        activate(form);
        form.PriceEdit->setText("10");
        form.SharesEdit->setText("10");
        form.SellBtn->click();
        QCOMPARE(form.CommissionLabel->text(), QString("Commission On Sell:"));
        QCOMPARE(form.TotalLabel->text(), QString("Total Proceeds From Sell:"));
        QCOMPARE(form.TotalAmount->text(), QString("$70.05"));
        form.BuyBtn->click();
        QCOMPARE(form.CommissionLabel->text(), QString("Commission On Buy:"));
        QCOMPARE(form.TotalLabel->text(), QString("Total Cost Of Buy:"));
        QCOMPARE(form.TotalAmount->text(), QString("$129.95"));
        QV_VERIFY_ENV(env);
    }

    // The window has a fixed border: neither "Sell" nor a huge amount changes
    // its size; the whole amount stays in the label's text.
    void sizeStaysForSellAndLargeAmounts_data()
    {
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("shares");
        QTest::addColumn<bool>("sell");
        QTest::newRow("sell") << "10"
                              << "10" << true;
        QTest::newRow("large buy") << "99999999999"
                                   << "99999999" << false;
        QTest::newRow("large sell") << "123456789012345"
                                    << "999999999" << true;
    }
    void sizeStaysForSellAndLargeAmounts()
    {
        QFETCH(QString, price);
        QFETCH(QString, shares);
        QFETCH(bool, sell);
        TTestEnv env;
        setSchedule(0);
        TCommissionForm form;
        form.show();
        activate(form);
        QApplication::processEvents();
        const QSize size = form.size();
        QCOMPARE(form.minimumSize(), form.maximumSize());
        (sell ? form.SellBtn : form.BuyBtn)->click();
        form.PriceEdit->setText(price);
        form.SharesEdit->setText(shares);
        QApplication::processEvents();
        QCOMPARE(form.size(), size);
        if (price.size() > 10) // the whole amount is kept, only its drawing is elided
            QVERIFY(form.TotalAmount->text().size() > 15);
        QVERIFY(form.TotalAmount->geometry().right() < form.width());
        QV_VERIFY_ENV(env);
    }

    void activationReadsTheScheduleAgain()
    {
        TTestEnv env;
        setSchedule(0);
        TCommissionForm form;
        activate(form);
        QCOMPARE(form.StatusBar1->currentMessage(), QString("Brenwick & Co. Web Commissions"));
        QCOMPARE(form.Memo1->toPlainText(),
                 QString("Commission Schedule Effective 11/27/1999\nStill Effective As Of Dec 01, 1999.\n"));
        form.PriceEdit->setText("20");
        form.SharesEdit->setText("100");
        QCOMPARE(form.CommissionAmount->text(), QString("$29.95"));

        setSchedule(1); // changed in the settings dialog meanwhile
        activate(form);
        QCOMPARE(form.StatusBar1->currentMessage(), QString("Brenwick & Co. Broker Commissions"));
        QCOMPARE(form.CommissionAmount->text(), QString("$55.00"));

        for (int unknown : {3, -1}) {
            setSchedule(unknown);
            activate(form);
            QCOMPARE(form.StatusBar1->currentMessage(), QString());
            QCOMPARE(form.Memo1->toPlainText(), QString());
            QCOMPARE(form.CommissionAmount->text(), QString("$0.00"));
        }
        QV_VERIFY_ENV(env);
    }

    void registersInTheWindowListWhileShown()
    {
        TTestEnv env;
        setSchedule(0);
        TWindowListForm list;
        WindowListForm = &list;
        {
            TCommissionForm form;
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            QCOMPARE(WindowListFind("Commission Calculator "), &form);
            form.hide();
            QCOMPARE(WindowListFind("Commission Calculator "), nullptr);
        }
        WindowListForm = nullptr;
        QV_VERIFY_ENV(env);
    }
};

QTEST_MAIN(TestCommissionFrm)
#include "tst_commissionfrm.moc"
