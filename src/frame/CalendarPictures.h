#pragma once
// The picture beside a month calendar, chosen by the date shown from the
// user's calendar folder: a picture for the very day beats one for the
// month, the year, the same day every year, the month every year, the day of
// every month, and the general "00" picture. Shared by the calendar dialog of
// the date boxes and the calendar window; they only show what this decides.

#include <QDate>
#include <QImage>
#include <QString>
#include <QStringList>

// The picture box and the window widths around it.
inline constexpr int kPictureBoxWidth = 209;
inline constexpr int kPictureBoxHeight = 156;
inline constexpr int kCalendarOnlyWidth = 228; // the picture area cut off
inline constexpr int kPictureExtraWidth = 244; // window width = picture width + this
inline constexpr int kPictureLeft = 224;
inline constexpr int kPictureTop = 8;

// The fourteen file names for a date, in order of preference. `folder` ends
// in a separator (or is empty) and is followed directly by the name.
QStringList CalendarPictureCandidates(const QString &folder, const QDate &date);
// The first candidate that is an existing file; empty when none is.
QString FindCalendarPicture(const QString &folder, const QDate &date);

struct TPictureSize
{
    int Width = 0;
    int Height = 0;
    bool operator==(const TPictureSize &) const = default;
};

// Fits a picture into the 209 by 156 box keeping its proportions; a smaller
// picture keeps its size. Halves round to even. A picture without area
// gives 0 by 0.
TPictureSize FitCalendarPicture(int width, int height);

// One refresh of the picture: what the window does with it.
struct TPictureRefresh
{
    enum TKind {
        NoFolder,  // no calendar folder: calendar alone, nothing else changes
        NoPicture, // no candidate file (or none readable): calendar alone
        Unchanged, // the picture shown is still the right one: nothing to do
        Loaded     // show `Image` at `Size`
    };
    TKind Kind = NoFolder;
    QString Path;
    QImage Image;
    TPictureSize Size;
    int FormWidth = 0; // the window's new width; 0 for Unchanged
};

// Remembers the picture shown while its window is open, so that another day
// of the same month with the same picture does not reload it.
class TCalendarPictures
{
public:
    // `folder` as GetFiles() gives the calendar folder.
    TPictureRefresh refresh(const QString &folder, const QDate &date);
    QString current() const { return m_current; }

private:
    QString m_current;
};
