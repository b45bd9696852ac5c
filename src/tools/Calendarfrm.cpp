#include "tools/Calendarfrm.h"

#include "frame/Clock.h"
#include "frame/Stockcfg.h"
#include "frame/WindowListFrm.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QPointer>

namespace {
constexpr int kDesignedWidth = 444;
constexpr int kDesignedHeight = 174;

QPointer<TCalendarForm> g_form;
} // namespace

TCalendarForm::TCalendarForm(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("CalendarForm"));
    setWindowTitle(QStringLiteral("Calendar"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    // The labels lie under the picture box: a picture covers them.
    QFont loadingFont = font();
    loadingFont.setBold(true);
    loadingFont.setItalic(true);
    LoadingLabel = new QLabel(QStringLiteral("Loading  Image"), this);
    LoadingLabel->setObjectName(QStringLiteral("LoadingLabel"));
    LoadingLabel->move(286, 64);
    WaitLabel = new QLabel(QStringLiteral("Please Wait"), this);
    WaitLabel->setObjectName(QStringLiteral("WaitLabel"));
    WaitLabel->move(292, 84);
    LoadingLabel->setFont(loadingFont);
    WaitLabel->setFont(loadingFont);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setGeometry(kPictureLeft, kPictureTop, kPictureBoxWidth, kPictureBoxHeight);

    MonthCalendar1 = new QCalendarWidget(this);
    MonthCalendar1->setObjectName(QStringLiteral("MonthCalendar1"));
    MonthCalendar1->setGeometry(8, 8, 209, 153);
    MonthCalendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthCalendar1->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);

    setFixedSize(kDesignedWidth, kDesignedHeight);

    connect(MonthCalendar1, &QCalendarWidget::clicked, this, &TCalendarForm::refreshPicture);
    // A new month shown is the signal to refresh; no day is marked bold.
    connect(MonthCalendar1, &QCalendarWidget::currentPageChanged, this, &TCalendarForm::refreshPicture);
}

QSize TCalendarForm::pictureSize() const
{
    return Image1->pixmap().isNull() ? QSize() : Image1->size();
}

void TCalendarForm::refreshPicture()
{
    const TPictureRefresh r = m_pictures.refresh(GetFiles().CalendarFolder, MonthCalendar1->selectedDate());
    switch (r.Kind) {
    case TPictureRefresh::Unchanged:
        return;
    case TPictureRefresh::NoFolder:
        break;
    case TPictureRefresh::NoPicture:
        Image1->clear();
        break;
    case TPictureRefresh::Loaded:
        Image1->setPixmap(QPixmap::fromImage(r.Image));
        Image1->setGeometry(kPictureLeft, kPictureTop, r.Size.Width, r.Size.Height);
        break;
    }
    applyWidth(r.FormWidth);
}

void TCalendarForm::applyWidth(int width)
{
    if (width > 0)
        setFixedSize(width, kDesignedHeight);
}

void TCalendarForm::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    WindowListAdd(this);
    refreshPicture();
}

void TCalendarForm::hideEvent(QHideEvent *e)
{
    WindowListRemove(this);
    QWidget::hideEvent(e);
}

TCalendarForm *ShowCalendar(QWidget *owner)
{
    if (!g_form) {
        g_form = new TCalendarForm(owner);
        g_form->MonthCalendar1->setSelectedDate(Clock::Today());
    }
    BringWindowForward(g_form);
    return g_form;
}

TCalendarForm *CalendarForm()
{
    return g_form;
}
