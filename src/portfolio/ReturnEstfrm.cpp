#include "portfolio/ReturnEstfrm.h"

#include "frame/Clock.h"
#include "frame/DateBoxUi.h"
#include "frame/Stockcfg.h"
#include "frame/WindowListFrm.h"
#include "portfolio/ReturnEst.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPointer<TReturnEstForm> g_form;

QLineEdit *readOnlyEdit(const QString &name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setEnabled(false); // greyed: the window fills it
    return edit;
}

QLabel *valueLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(90);
    return label;
}

void setColored(QLabel *label, const QString &text, bool red)
{
    label->setText(text);
    label->setStyleSheet(red ? QStringLiteral("color: #FF0000;") : QStringLiteral("color: #000000;"));
}

} // namespace

TReturnEstForm::TReturnEstForm(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("ReturnEstForm"));
    setWindowTitle(QStringLiteral("Return Estimator"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto *buy = new QGroupBox(QStringLiteral("Buy Information"), this);
    BuyDate = new TDateBox(buy, QStringLiteral("BuyDateBtn"));
    BuyDate->setObjectName(QStringLiteral("BuyDate"));
    BuyShares = new QLineEdit(buy);
    BuyShares->setObjectName(QStringLiteral("BuyShares"));
    BuyPrice = new QLineEdit(buy);
    BuyPrice->setObjectName(QStringLiteral("BuyPrice"));
    BuyCommission = readOnlyEdit(QStringLiteral("BuyCommission"), buy);
    auto *buyGrid = new QGridLayout(buy);
    buyGrid->addWidget(new QLabel(QStringLiteral("Date:"), buy), 0, 0);
    buyGrid->addWidget(BuyDate, 0, 1);
    buyGrid->addWidget(new QLabel(QStringLiteral("Shares:"), buy), 1, 0);
    buyGrid->addWidget(BuyShares, 1, 1);
    buyGrid->addWidget(new QLabel(QStringLiteral("Price:"), buy), 2, 0);
    buyGrid->addWidget(BuyPrice, 2, 1);
    buyGrid->addWidget(new QLabel(QStringLiteral("Commission:"), buy), 3, 0);
    buyGrid->addWidget(BuyCommission, 3, 1);

    auto *sell = new QGroupBox(QStringLiteral("Sell Information"), this);
    SellDate = new TDateBox(sell, QStringLiteral("SellDateBtn"));
    SellDate->setObjectName(QStringLiteral("SellDate"));
    SellShares = readOnlyEdit(QStringLiteral("SellShares"), sell);
    SellPrice = new QLineEdit(sell);
    SellPrice->setObjectName(QStringLiteral("SellPrice"));
    SellCommission = readOnlyEdit(QStringLiteral("SellCommission"), sell);
    auto *sellGrid = new QGridLayout(sell);
    sellGrid->addWidget(new QLabel(QStringLiteral("Date:"), sell), 0, 0);
    sellGrid->addWidget(SellDate, 0, 1);
    sellGrid->addWidget(new QLabel(QStringLiteral("Shares:"), sell), 1, 0);
    sellGrid->addWidget(SellShares, 1, 1);
    sellGrid->addWidget(new QLabel(QStringLiteral("Price:"), sell), 2, 0);
    sellGrid->addWidget(SellPrice, 2, 1);
    sellGrid->addWidget(new QLabel(QStringLiteral("Commission:"), sell), 3, 0);
    sellGrid->addWidget(SellCommission, 3, 1);

    auto *info = new QGroupBox(QStringLiteral("Return Information"), this);
    InitialCost = valueLabel(QStringLiteral("InitialCost"), info);
    Proceeds = valueLabel(QStringLiteral("Proceeds"), info);
    ProfitLoss = valueLabel(QStringLiteral("ProfitLoss"), info);
    ReturnValue = valueLabel(QStringLiteral("ReturnValue"), info);
    Annualized = valueLabel(QStringLiteral("Annualized"), info);
    DaysHeld = valueLabel(QStringLiteral("DaysHeld"), info);
    YearsHeld = valueLabel(QStringLiteral("YearsHeld"), info);
    TotalDaysHeld = valueLabel(QStringLiteral("TotalDaysHeld"), info);
    ProfitLossLabel = new QLabel(QStringLiteral("Profit/Loss:"), info);
    ProfitLossLabel->setObjectName(QStringLiteral("ProfitLossLabel"));
    auto *infoGrid = new QGridLayout(info);
    infoGrid->addWidget(new QLabel(QStringLiteral("Initial Cost:"), info), 0, 0);
    infoGrid->addWidget(InitialCost, 0, 1);
    infoGrid->addWidget(new QLabel(QStringLiteral("Proceeds:"), info), 1, 0);
    infoGrid->addWidget(Proceeds, 1, 1);
    infoGrid->addWidget(ProfitLossLabel, 2, 0);
    infoGrid->addWidget(ProfitLoss, 2, 1);
    infoGrid->addWidget(new QLabel(QStringLiteral("Return"), info), 3, 0);
    infoGrid->addWidget(ReturnValue, 3, 1);
    infoGrid->addWidget(new QLabel(QStringLiteral("Annualized:"), info), 4, 0);
    infoGrid->addWidget(Annualized, 4, 1);
    infoGrid->addWidget(new QLabel(QStringLiteral("Days Held:"), info), 0, 2);
    infoGrid->addWidget(DaysHeld, 0, 3);
    infoGrid->addWidget(new QLabel(QStringLiteral("Years Held:"), info), 1, 2);
    infoGrid->addWidget(YearsHeld, 1, 3);
    infoGrid->addWidget(new QLabel(QStringLiteral("Total Days Held:"), info), 2, 2);
    infoGrid->addWidget(TotalDaysHeld, 2, 3);

    CloseBtn = new QPushButton(QStringLiteral("Close"), this);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));

    auto *groups = new QHBoxLayout;
    groups->addWidget(buy);
    groups->addWidget(sell);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CloseBtn);
    auto *main = new QVBoxLayout(this);
    main->addLayout(groups);
    main->addWidget(info);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(BuyShares, &QLineEdit::textChanged, this, &TReturnEstForm::BuySharesChange);
    connect(BuyPrice, &QLineEdit::textChanged, this, &TReturnEstForm::Compute);
    connect(SellPrice, &QLineEdit::textChanged, this, &TReturnEstForm::Compute);
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
}

void TReturnEstForm::BuySharesChange(const QString &text)
{
    SellShares->setText(text);
    Compute();
}

void TReturnEstForm::Compute()
{
    const TReturnEstResult r = ComputeReturnEstimate(
        {BuyDate->text(), SellDate->text(), BuyShares->text(), BuyPrice->text(), SellPrice->text()},
        m_schedule);
    BuyCommission->setText(r.BuyCommission);
    SellCommission->setText(r.SellCommission);
    InitialCost->setText(r.InitialCost);
    Proceeds->setText(r.Proceeds);
    ProfitLossLabel->setText(r.Profit ? QStringLiteral("Profit") : QStringLiteral("Loss"));
    setColored(ProfitLoss, r.ProfitLoss, !r.Profit);
    setColored(ReturnValue, r.Return, !r.Profit);
    setColored(Annualized, r.Annualized, !r.Profit);
    DaysHeld->setText(r.DaysHeld);
    YearsHeld->setText(r.YearsHeld);
    TotalDaysHeld->setText(r.TotalDaysHeld);
}

void TReturnEstForm::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    m_schedule = GetCommissionSchedule();
    WindowListAdd(this);
    Compute();
}

void TReturnEstForm::hideEvent(QHideEvent *e)
{
    WindowListRemove(this);
    QWidget::hideEvent(e);
}

TReturnEstForm *ShowReturnEstimator(QWidget *owner)
{
    if (!g_form) {
        g_form = new TReturnEstForm(owner);
        g_form->BuyDate->setDate(Clock::Today());
        g_form->SellDate->setDate(Clock::Today());
    }
    BringWindowForward(g_form);
    return g_form;
}

TReturnEstForm *ReturnEstForm()
{
    return g_form;
}
