#include "frame/InvalidDateFrm.h"

#include "securities/SymbolLookup.h"

#include "frame/Clock.h"
#include "frame/Messages.h"
#include "frame/ModalUi.h"
#include "frame/StdUnitDates.h"
#include "frame/StdUnitShellUi.h"
#include "frame/Stockcfg.h"

#include <QBoxLayout>
#include <QCalendarWidget>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

namespace {

constexpr int kDesignedWidth = 444;
constexpr int kDesignedHeight = 252;
constexpr int kPickDateHeight = 199;

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(x, y);
    return label;
}

} // namespace

TInvalidDateForm::TInvalidDateForm(QWidget *parent)
    : QDialog(parent), m_width(kDesignedWidth), m_height(kDesignedHeight)
{
    setObjectName(QStringLiteral("InvalidDateForm"));
    setWindowTitle(QStringLiteral("Calendar"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    // The two "loading" labels lie under the picture box, so a picture
    // covers them and they show only where none does.
    QFont loadingFont = font();
    loadingFont.setBold(true);
    loadingFont.setItalic(true);
    LoadingLabel = makeLabel(this, QStringLiteral("LoadingLabel"), QStringLiteral("Loading Image"), 286, 64);
    WaitLabel = makeLabel(this, QStringLiteral("WaitLabel"), QStringLiteral("Please Wait"), 292, 84);
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
    MonthCalendar1->setGridVisible(false);
    // Three-letter day names do not fit seven columns in 209 pixels.
    MonthCalendar1->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);

    PrevYearBtn = new QPushButton(QStringLiteral("<<"), this);
    PrevYearBtn->setObjectName(QStringLiteral("PrevYearBtn"));
    NextYearBtn = new QPushButton(QStringLiteral(">>"), this);
    NextYearBtn->setObjectName(QStringLiteral("NextYearBtn"));
    for (QPushButton *b : {PrevYearBtn, NextYearBtn}) {
        b->setFixedSize(25, 17);
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolTip(b == PrevYearBtn ? tr("One year back") : tr("One year forward"));
    }
    // The year buttons belong in the calendar's title row, at its two ends
    // outside the month arrows; laid over it they would hide those arrows.
    auto *navigation = MonthCalendar1->findChild<QWidget *>(QStringLiteral("qt_calendar_navigationbar"));
    auto *row = navigation ? qobject_cast<QBoxLayout *>(navigation->layout()) : nullptr;
    if (row) {
        row->insertWidget(0, PrevYearBtn);
        row->addWidget(NextYearBtn);
        widenForTitleRow(navigation);
    } else {
        PrevYearBtn->move(0, 15);
        NextYearBtn->move(200, 15);
        PrevYearBtn->raise();
        NextYearBtn->raise();
    }

    QFont large = font();
    large.setPixelSize(32);
    if (m_shift > 0) {
        Image1->move(kPictureLeft + m_shift, kPictureTop);
        LoadingLabel->move(LoadingLabel->pos() + QPoint(m_shift, 0));
        WaitLabel->move(WaitLabel->pos() + QPoint(m_shift, 0));
        m_width += m_shift;
    }
    InvalidLabel = makeLabel(this, QStringLiteral("InvalidLabel"), QStringLiteral("Invalid Date "), 8, 168);
    InvalidLabel->setFont(large);
    InvalidLabel->adjustSize();
    SymbolLabel = makeLabel(this, QStringLiteral("SymbolLabel"), QString(), 8, 216);
    NameLabel = makeLabel(this, QStringLiteral("NameLabel"), QString(), 8, 232);
    hideInvalidDate();

    connect(PrevYearBtn, &QPushButton::clicked, this, &TInvalidDateForm::PrevYearBtnClick);
    connect(NextYearBtn, &QPushButton::clicked, this, &TInvalidDateForm::NextYearBtnClick);
    connect(MonthCalendar1, &QCalendarWidget::clicked, this, &TInvalidDateForm::MonthCalendar1Click);
    connect(MonthCalendar1, &QCalendarWidget::activated, this, &TInvalidDateForm::MonthCalendar1DblClick);
    connect(MonthCalendar1, &QCalendarWidget::currentPageChanged, this,
            &TInvalidDateForm::MonthCalendar1PageChange);

    setFixedSize(m_width, m_height);
    setDate(Clock::Today());
}

void TInvalidDateForm::widenForTitleRow(QWidget *navigation)
{
    // The title row holds the year buttons, the month arrows, the month name
    // and the year. In the designed 209 pixels a long month name ends up
    // under a year button, so the calendar, and the picture beside it, move
    // over by what the longest month name needs.
    auto *month = navigation->findChild<QToolButton *>(QStringLiteral("qt_calendar_monthbutton"));
    if (!month || !navigation->layout())
        return;
    const QFontMetrics metrics(month->font());
    int longest = 0;
    for (int m = 1; m <= 12; ++m)
        longest = std::max(longest, metrics.horizontalAdvance(QLocale().standaloneMonthName(m)));
    const int needed =
        navigation->layout()->sizeHint().width() - metrics.horizontalAdvance(month->text()) + longest;
    m_shift = std::max(0, needed - MonthCalendar1->width());
    MonthCalendar1->resize(MonthCalendar1->width() + m_shift, MonthCalendar1->height());
}

QDate TInvalidDateForm::date() const
{
    return MonthCalendar1->selectedDate();
}

void TInvalidDateForm::setDate(const QDate &date)
{
    MonthCalendar1->setSelectedDate(date);
    refreshPicture();
}

void TInvalidDateForm::showInvalidDate(const QString &symbol, const QString &name, const QColor &nameColor)
{
    SymbolLabel->setText(symbol.toUpper());
    SymbolLabel->adjustSize();
    NameLabel->setText(name);
    QPalette palette = NameLabel->palette();
    palette.setColor(QPalette::WindowText, nameColor);
    NameLabel->setPalette(palette);
    NameLabel->adjustSize();
    for (QLabel *l : {InvalidLabel, SymbolLabel, NameLabel})
        l->setVisible(true);
}

void TInvalidDateForm::hideInvalidDate()
{
    for (QLabel *l : {InvalidLabel, SymbolLabel, NameLabel})
        l->setVisible(false);
}

void TInvalidDateForm::setFormHeight(int height)
{
    m_height = height;
    setFixedSize(m_width, m_height);
}

QSize TInvalidDateForm::pictureSize() const
{
    return Image1->pixmap().isNull() ? QSize() : Image1->size();
}

void TInvalidDateForm::PrevYearBtnClick()
{
    moveYears(-1);
}

void TInvalidDateForm::NextYearBtnClick()
{
    moveYears(1);
}

void TInvalidDateForm::moveYears(int years)
{
    const QDate d = date();
    const QDate moved(d.year() + years, d.month(), d.day());
    // 29 February has no day in the next or previous year; the calendar
    // stays where it is rather than quietly landing on another day.
    if (!moved.isValid()) {
        ShowError(QStringLiteral("Invalid argument to date encode"));
        return;
    }
    setDate(moved);
}

void TInvalidDateForm::MonthCalendar1Click()
{
    refreshPicture();
}

void TInvalidDateForm::MonthCalendar1DblClick()
{
    accept();
}

void TInvalidDateForm::MonthCalendar1PageChange(int year, int month)
{
    // The date follows the month shown, keeping its day where the month has
    // it, so that the picture and the result are those of the month on view.
    const QDate d = date();
    if (d.year() != year || d.month() != month) {
        const QDate first(year, month, 1);
        const int day = std::min(d.isValid() ? d.day() : 1, first.daysInMonth());
        MonthCalendar1->setSelectedDate(QDate(year, month, day));
    }
    refreshPicture();
}

void TInvalidDateForm::refreshPicture()
{
    const TPictureRefresh r = m_pictures.refresh(GetFiles().CalendarFolder, date());
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
        Image1->setGeometry(kPictureLeft + m_shift, kPictureTop, r.Size.Width, r.Size.Height);
        break;
    }
    // The loading labels are for the wait before a picture shows; beside a
    // picture narrower than they are, they would stick out from under it.
    const bool loaded = !Image1->pixmap().isNull();
    LoadingLabel->setVisible(!loaded);
    WaitLabel->setVisible(!loaded);
    applyWidth(r.FormWidth + m_shift);
}

void TInvalidDateForm::applyWidth(int width)
{
    m_width = width;
    setFixedSize(m_width, m_height);
}

QString PickDate(QWidget *owner, const QString &dateBoxText)
{
    const QDate start = ReadDisplayDate(dateBoxText);
    if (!start.isValid()) {
        ShowError(QStringLiteral("'%1' is not a valid date").arg(dateBoxText));
        return dateBoxText;
    }
    TInvalidDateForm form(owner);
    form.setDate(start);
    form.hideInvalidDate();
    form.setFormHeight(kPickDateHeight);
    // However the dialog is closed, the date on the calendar is the answer.
    ExecModal(&form);
    return DisplayDateText(form.date());
}

QString AskReplacementDate(QWidget *owner, const QString &symbol, const QString &name,
                           const QColor &nameColor)
{
    PlaySoundFile(BaseFolder() + QStringLiteral("link.wav"), false);
    TInvalidDateForm form(owner);
    form.setDate(Clock::Today());
    form.showInvalidDate(symbol, name, nameColor);
    ExecModal(&form);
    form.hideInvalidDate();
    return DateToStoredText(form.date());
}

QString AskReplacementDate(QWidget *owner, const QString &symbol)
{
    const TSymbolName name = SymbolName(symbol.toUpper());
    // Colours are stored 0x00BBGGRR.
    const QColor color(int(name.Color & 0xFF), int((name.Color >> 8) & 0xFF), int((name.Color >> 16) & 0xFF));
    return AskReplacementDate(owner, symbol, name.Name, color);
}
