#pragma once
// The calendar dialog: picks a date for any date box (PickDate), and asks
// data conversion for a replacement date when a quote file carries an
// invalid one (AskReplacementDate). Beside the month calendar it shows the
// picture for the date from the user's calendar folder.

#include "frame/CalendarPictures.h"

#include <QColor>
#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QLabel;
class QPushButton;

class TInvalidDateForm : public QDialog
{
    Q_OBJECT

public:
    explicit TInvalidDateForm(QWidget *parent = nullptr);

    QDate date() const;
    // Moves the calendar to the date and refreshes the picture.
    void setDate(const QDate &date);
    // The "Invalid Date " mode: the label, the symbol upper-cased and the
    // security's name in its colour below the calendar.
    void showInvalidDate(const QString &symbol, const QString &name, const QColor &nameColor);
    void hideInvalidDate();
    void setFormHeight(int height);

    // The picture shown ("" when none) and its size in the box.
    QString pictureName() const { return m_pictures.current(); }
    QSize pictureSize() const;

private slots:
    void PrevYearBtnClick();
    void NextYearBtnClick();
    void MonthCalendar1Click();
    void MonthCalendar1DblClick();
    void MonthCalendar1PageChange(int year, int month);

private:
    void moveYears(int years);
    void refreshPicture();
    void applyWidth(int width);
    void widenForTitleRow(QWidget *navigation);

    QCalendarWidget *MonthCalendar1;
    QPushButton *PrevYearBtn;
    QPushButton *NextYearBtn;
    QLabel *Image1;
    QLabel *LoadingLabel;
    QLabel *WaitLabel;
    QLabel *InvalidLabel;
    QLabel *SymbolLabel;
    QLabel *NameLabel;
    TCalendarPictures m_pictures;
    int m_width;
    int m_height;
    int m_shift = 0; // how far the calendar was widened, and the picture moved over
};

// The calendar button of a date box: opens the calendar at the box's date
// and returns the date it shows when closed, as display date text. A box
// text that is not a date is refused with "'<text>' is not a valid date" and
// returned unchanged.
QString PickDate(QWidget *owner, const QString &dateBoxText);

// Asks for the date to use instead of an invalid one in a quote file; the
// calendar starts today. `name` and `nameColor` are the security's name as
// the symbol list gives it (black, or "<symbol> Not On File" in red). Returns
// a stored date text.
QString AskReplacementDate(QWidget *owner, const QString &symbol, const QString &name,
                           const QColor &nameColor);
// The same with the name and colour from the symbol list's look-up.
QString AskReplacementDate(QWidget *owner, const QString &symbol);
