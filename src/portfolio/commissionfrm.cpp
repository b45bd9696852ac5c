#include "portfolio/commissionfrm.h"

TCommissionForm *CommissionForm = nullptr;

#include "frame/NumberFormat.h"
#include "frame/Stockcfg.h"
#include "frame/WindowListFrm.h"
#include "portfolio/Commission.h"

#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Money in the desktop's currency format with two decimals.
void showAmount(QLabel *label, double amount)
{
    label->setText(MoneyText(amount));
    label->setToolTip(label->text());
    // Results are drawn black when zero or positive and red when negative.
    label->setStyleSheet(amount < 0 ? QStringLiteral("color: #FF0000;") : QString());
}

// A number as typed; anything else is no number.
bool readAmount(const QString &text, double &value)
{
    bool ok = false;
    const QString t = text.trimmed();
    value = QLocale().toDouble(t, &ok);
    if (!ok)
        value = QLocale::c().toDouble(t, &ok);
    return ok;
}

// An amount in a window of fixed size: the label never asks for more room
// than it was given, and an amount too long for it is drawn elided, whole in
// its tool tip. text() keeps the whole amount.
class TAmountLabel : public QLabel
{
public:
    using QLabel::QLabel;
    QSize sizeHint() const override { return {width(), QLabel::sizeHint().height()}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRect area = contentsRect();
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideLeft, area.width());
        style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), shown,
                              foregroundRole());
    }
};

template <class TLabel = QLabel> QLabel *largeLabel(const QString &text, const QString &name, QWidget *parent)
{
    auto *label = new TLabel(text, parent);
    label->setObjectName(name);
    QFont f = label->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    label->setFont(f);
    return label;
}

} // namespace

TCommissionForm::TCommissionForm(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("CommissionForm"));
    setWindowTitle(QStringLiteral("Commission Calculator "));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto *priceLabel = new QLabel(QStringLiteral("Price:"), this);
    PriceEdit = new QLineEdit(this);
    PriceEdit->setObjectName(QStringLiteral("PriceEdit"));
    priceLabel->setBuddy(PriceEdit);
    auto *sharesLabel = new QLabel(QStringLiteral("Shares:"), this);
    SharesEdit = new QLineEdit(this);
    SharesEdit->setObjectName(QStringLiteral("SharesEdit"));
    sharesLabel->setBuddy(SharesEdit);

    ActionGroup = new QGroupBox(QStringLiteral("Action"), this);
    ActionGroup->setObjectName(QStringLiteral("ActionGroup"));
    BuyBtn = new QRadioButton(QStringLiteral("Buy"), ActionGroup);
    BuyBtn->setObjectName(QStringLiteral("BuyBtn"));
    BuyBtn->setChecked(true);
    SellBtn = new QRadioButton(QStringLiteral("Sell"), ActionGroup);
    SellBtn->setObjectName(QStringLiteral("SellBtn"));
    auto *actionLayout = new QVBoxLayout(ActionGroup);
    actionLayout->addWidget(BuyBtn);
    actionLayout->addWidget(SellBtn);

    CommissionLabel =
        largeLabel(QStringLiteral("Commission On Buy:"), QStringLiteral("CommissionLabel"), this);
    CommissionAmount =
        largeLabel<TAmountLabel>(QStringLiteral("$0.00"), QStringLiteral("CommissionAmount"), this);
    TotalLabel = largeLabel(QStringLiteral("Total Cost Of Buy:"), QStringLiteral("TotalLabel"), this);
    TotalAmount = largeLabel<TAmountLabel>(QStringLiteral("$0.00"), QStringLiteral("TotalAmount"), this);
    CommissionAmount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    TotalAmount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Captions and amounts get the room of their longest texts up front, so
    // that choosing "Sell" or typing a large amount never resizes the window.
    const QFontMetrics large(CommissionLabel->font());
    const int captions = std::max({large.horizontalAdvance(QStringLiteral("Commission On Sell:")),
                                   large.horizontalAdvance(QStringLiteral("Commission On Buy:")),
                                   large.horizontalAdvance(QStringLiteral("Total Cost Of Buy:")),
                                   large.horizontalAdvance(QStringLiteral("Total Proceeds From Sell:"))});
    CommissionLabel->setFixedWidth(captions + 4);
    TotalLabel->setFixedWidth(captions + 4);
    const int amountWidth = std::max(160, large.horizontalAdvance(QStringLiteral("($999,999,999.99)")) + 4);
    CommissionAmount->setFixedWidth(amountWidth);
    TotalAmount->setFixedWidth(amountWidth);

    InfoGroup = new QGroupBox(QStringLiteral("Commission Calculator Information"), this);
    InfoGroup->setObjectName(QStringLiteral("InfoGroup"));
    Memo1 = new QPlainTextEdit(InfoGroup);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Greyed like a disabled memo, yet still scrollable.
    QPalette pal = Memo1->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Window));
    pal.setColor(QPalette::Text, pal.color(QPalette::Disabled, QPalette::Text));
    Memo1->setPalette(pal);
    Memo1->setFixedHeight(90);
    auto *infoLayout = new QVBoxLayout(InfoGroup);
    infoLayout->addWidget(Memo1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);

    auto *edits = new QGridLayout;
    edits->addWidget(priceLabel, 0, 0);
    edits->addWidget(PriceEdit, 0, 1);
    edits->addWidget(sharesLabel, 1, 0);
    edits->addWidget(SharesEdit, 1, 1);
    auto *top = new QHBoxLayout;
    top->addLayout(edits);
    top->addWidget(ActionGroup);

    auto *amounts = new QGridLayout;
    amounts->addWidget(CommissionLabel, 0, 0);
    amounts->addWidget(CommissionAmount, 0, 1);
    amounts->addWidget(TotalLabel, 1, 0);
    amounts->addWidget(TotalAmount, 1, 1);

    auto *main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addLayout(amounts);
    main->addWidget(InfoGroup);
    main->addWidget(StatusBar1);
    // Fixed single border: the size laid out once for the longest captions.
    setFixedSize(sizeHint());

    setTabOrder(PriceEdit, SharesEdit);
    connect(PriceEdit, &QLineEdit::textChanged, this, &TCommissionForm::Recompute);
    connect(SharesEdit, &QLineEdit::textChanged, this, &TCommissionForm::Recompute);
    connect(BuyBtn, &QRadioButton::clicked, this, &TCommissionForm::BuyBtnClick);
    connect(SellBtn, &QRadioButton::clicked, this, &TCommissionForm::SellBtnClick);
}

void TCommissionForm::FormActivate()
{
    m_schedule = GetCommissionSchedule();
    Memo1->setPlainText(ScheduleDescription(m_schedule).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    StatusBar1->showMessage(ScheduleTitle(m_schedule));
    Recompute();
}

void TCommissionForm::Recompute()
{
    double price = 0;
    double shares = 0;
    if (!readAmount(PriceEdit->text(), price) || !readAmount(SharesEdit->text(), shares)) {
        price = 0;
        shares = 0;
    }
    const double commission = ComputeCommission(m_schedule, shares, price);
    const double principal = price * shares;
    const double total = SellBtn->isChecked() ? principal - commission : principal + commission;
    showAmount(CommissionAmount, commission);
    showAmount(TotalAmount, total);
}

void TCommissionForm::BuyBtnClick()
{
    CommissionLabel->setText(QStringLiteral("Commission On Buy:"));
    TotalLabel->setText(QStringLiteral("Total Cost Of Buy:"));
    Recompute();
}

void TCommissionForm::SellBtnClick()
{
    CommissionLabel->setText(QStringLiteral("Commission On Sell:"));
    TotalLabel->setText(QStringLiteral("Total Proceeds From Sell:"));
    Recompute();
}

bool TCommissionForm::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(e);
}

void TCommissionForm::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    WindowListAdd(this);
}

void TCommissionForm::hideEvent(QHideEvent *e)
{
    WindowListRemove(this);
    QWidget::hideEvent(e);
}
