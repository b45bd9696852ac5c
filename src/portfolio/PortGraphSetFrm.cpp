#include "portfolio/PortGraphSetFrm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TPortGraphSetForm::TPortGraphSetForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PortGraphSetForm"));
    setWindowTitle(QStringLiteral("Portfolio Graph Options"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    auto *optionsGroup = new QGroupBox(QStringLiteral("Options"), this);
    IncludeDividends = new QCheckBox(QStringLiteral("Include Dividends"), optionsGroup);
    IncludeDividends->setObjectName(QStringLiteral("IncludeDividends"));
    SellAll = new QCheckBox(QStringLiteral("Sell All Holdings"), optionsGroup);
    SellAll->setObjectName(QStringLiteral("SellAll"));
    RememberSettings = new QCheckBox(QStringLiteral("Remember Settings"), optionsGroup);
    RememberSettings->setObjectName(QStringLiteral("RememberSettings"));
    auto *ol = new QVBoxLayout(optionsGroup);
    ol->addWidget(IncludeDividends);
    ol->addWidget(SellAll);
    ol->addWidget(RememberSettings);

    auto *typeGroup = new QGroupBox(QStringLiteral("Graph Type"), this);
    Summary = new QRadioButton(QStringLiteral("Summary"), typeGroup);
    Summary->setObjectName(QStringLiteral("Summary"));
    CurrentYear = new QRadioButton(QStringLiteral("Current Year"), typeGroup);
    CurrentYear->setObjectName(QStringLiteral("CurrentYear"));
    Yearly = new QRadioButton(QStringLiteral("Yearly"), typeGroup);
    Yearly->setObjectName(QStringLiteral("Yearly"));
    auto *tl = new QVBoxLayout(typeGroup);
    tl->addWidget(Summary);
    tl->addWidget(CurrentYear);
    tl->addWidget(Yearly);

    GraphBtn = new QPushButton(QStringLiteral("&Graph"), this);
    GraphBtn->setObjectName(QStringLiteral("GraphBtn"));
    GraphBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto *groups = new QHBoxLayout;
    groups->addWidget(optionsGroup);
    groups->addWidget(typeGroup);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(GraphBtn);
    buttons->addWidget(CancelBtn);
    auto *main = new QVBoxLayout(this);
    main->addLayout(groups);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    const TPortfolioGraphOptions stored = GetPortfolioGraphOptions();
    IncludeDividends->setChecked(stored.Options & pgIncludeDividends);
    SellAll->setChecked(stored.Options & pgSellAll);
    Summary->setChecked(true); // stays for a stored type outside 1..3
    if (stored.GraphType == pgCurrentYear)
        CurrentYear->setChecked(true);
    else if (stored.GraphType == pgYearly)
        Yearly->setChecked(true);
    GraphTypeClick();

    for (QRadioButton *b : {Summary, CurrentYear, Yearly})
        connect(b, &QRadioButton::toggled, this, &TPortGraphSetForm::GraphTypeClick);
    connect(GraphBtn, &QPushButton::clicked, this, &TPortGraphSetForm::GraphBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TPortGraphSetForm::GraphTypeClick()
{
    if (Summary->isChecked())
        SellAll->setChecked(true);
    SellAll->setEnabled(!Summary->isChecked());
}

TPortfolioGraphOptions TPortGraphSetForm::options() const
{
    TPortfolioGraphOptions o;
    o.Options = uint16_t((IncludeDividends->isChecked() ? pgIncludeDividends : 0) |
                         (SellAll->isChecked() ? pgSellAll : 0));
    o.GraphType = Summary->isChecked() ? pgSummary : CurrentYear->isChecked() ? pgCurrentYear : pgYearly;
    return o;
}

void TPortGraphSetForm::GraphBtnClick()
{
    if (RememberSettings->isChecked())
        SetPortfolioGraphOptions(options());
    accept();
}
