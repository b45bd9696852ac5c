#include "frame/CalendarPictures.h"

#include "frame/NumberFormat.h"

#include <QFileInfo>
#include <algorithm>

QStringList CalendarPictureCandidates(const QString &folder, const QDate &date)
{
    const QString yyyy = QString::number(date.year());
    const QString mm = QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0'));
    const QString dd = QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0'));
    const QString stems[] = {yyyy + mm + dd,
                             yyyy + mm + QStringLiteral("00"),
                             yyyy + QStringLiteral("0000"),
                             QStringLiteral("0000") + mm + dd,
                             QStringLiteral("0000") + mm + QStringLiteral("00"),
                             QStringLiteral("000000") + dd,
                             QStringLiteral("00")};
    QStringList names;
    for (const QString &stem : stems) {
        names << folder + stem + QStringLiteral(".jpg");
        names << folder + stem + QStringLiteral(".bmp");
    }
    return names;
}

QString FindCalendarPicture(const QString &folder, const QDate &date)
{
    if (!date.isValid())
        return {};
    for (const QString &name : CalendarPictureCandidates(folder, date)) {
        if (QFileInfo(name).isFile())
            return name;
    }
    return {};
}

TPictureSize FitCalendarPicture(int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    const double ratio = double(height) / double(width);
    int w = std::min(width, kPictureBoxWidth);
    int h = RoundToInt(w * ratio);
    if (h > kPictureBoxHeight) {
        h = kPictureBoxHeight;
        w = RoundToInt(kPictureBoxHeight / ratio);
    }
    // A sliver of a picture still shows as one pixel rather than vanishing.
    return {std::max(w, 1), std::max(h, 1)};
}

TPictureRefresh TCalendarPictures::refresh(const QString &folder, const QDate &date)
{
    TPictureRefresh r;
    if (folder.isEmpty()) {
        r.Kind = TPictureRefresh::NoFolder;
        r.FormWidth = kCalendarOnlyWidth;
        return r;
    }
    const QString path = FindCalendarPicture(folder, date);
    if (!path.isEmpty() && path == m_current) {
        r.Kind = TPictureRefresh::Unchanged;
        r.Path = path;
        return r;
    }
    QImage image;
    // A picture that cannot be decoded is treated as missing rather than
    // stopping the calendar with an error for every day it would be shown.
    if (!path.isEmpty())
        image.load(path);
    const TPictureSize size = FitCalendarPicture(image.width(), image.height());
    if (path.isEmpty() || image.isNull() || size.Width <= 0 || size.Height <= 0) {
        m_current.clear();
        r.Kind = TPictureRefresh::NoPicture;
        r.FormWidth = kCalendarOnlyWidth;
        return r;
    }
    m_current = path;
    r.Kind = TPictureRefresh::Loaded;
    r.Path = path;
    r.Image = image;
    r.Size = size;
    r.FormWidth = size.Width + kPictureExtraWidth;
    return r;
}
