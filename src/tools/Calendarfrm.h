#pragma once
// The calendar desk tool: a month calendar with the picture of the date
// shown beside it, chosen from the user's calendar folder. Modeless and kept
// for the whole run once created.

#include "frame/CalendarPictures.h"

#include <QWidget>

class QCalendarWidget;
class QLabel;

class TCalendarForm : public QWidget
{
    Q_OBJECT
public:
    explicit TCalendarForm(QWidget *parent = nullptr);

    // The picture shown ("" when none) and its size in the box.
    QString pictureName() const { return m_pictures.current(); }
    QSize pictureSize() const;
    void refreshPicture();

    QCalendarWidget *MonthCalendar1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *LoadingLabel = nullptr;
    QLabel *WaitLabel = nullptr;

protected:
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    void applyWidth(int width);
    TCalendarPictures m_pictures;
};

// "C&alander": creates the window on first use with today and shows it.
TCalendarForm *ShowCalendar(QWidget *owner);
TCalendarForm *CalendarForm();
