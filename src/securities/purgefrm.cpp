#include "securities/purgefrm.h"

#include "frame/DateBoxUi.h"
#include "frame/Messages.h"
#include "frame/ModalUi.h"
#include "frame/StatusFrm.h"
#include "frame/StdUnit.h"
#include "records/WatchBase.h"
#include "securities/PriceRuns.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

TPurgeForm::TPurgeForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PurgeForm"));
    setWindowTitle(QStringLiteral("Purge Stock Data"));
    setFixedSize(386, 182);
    auto *label = new QLabel(QStringLiteral("Stop Date:"), this);
    label->setGeometry(60, 52, 80, 18);
    StopDate = new TDateBox(this, QStringLiteral("DateBtn"));
    StopDate->setObjectName(QStringLiteral("StopDate"));
    StopDate->setGeometry(146, 48, 140, 24);
    label->setBuddy(StopDate->edit());
    StopDate->setText(PurgePresetDate());
    PurgeBtn = new QPushButton(QStringLiteral("&Purge"), this);
    PurgeBtn->setObjectName(QStringLiteral("PurgeBtn"));
    PurgeBtn->setGeometry(196, 136, 84, 28);
    PurgeBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(288, 136, 84, 28);
    connect(PurgeBtn, &QPushButton::clicked, this, &TPurgeForm::PurgeBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TPurgeForm::PurgeBtnClick()
{
    if (!IsValidDateText(kFormMM_DD_YYYY, StopDate->text())) {
        ShowInvalidFields({QStringLiteral("Invalid Date Entered.")});
        return;
    }
    accept();
}

void PurgeData(QWidget *owner)
{
    QString stop;
    {
        TPurgeForm dialog(owner);
        if (ExecModal(&dialog) != QDialog::Accepted)
            return;
        stop = DisplayToStoredDate(dialog.StopDate->text());
    }
    if (!AskYesNo(QStringLiteral("Are You Sure You Want To Purge Files?")))
        return;
    // The stock data window keeps the list open; without it (tests, or a
    // list that could not be opened) the file is opened for this run.
    std::unique_ptr<TWatchDatabase> own;
    TWatchDatabase *watch = SharedWatchList();
    if (!watch) {
        own = std::make_unique<TWatchDatabase>(WatchListPath());
        watch = own.get();
    }
    TStatusTalk talk(owner, QStringLiteral("Purging Old Stock Data"), QString());
    PurgeAll(*watch, stop, talk);
}
