#include "securities/PriceEntry.h"

#include "frame/NumberFormat.h"
#include "frame/StdUnitDates.h"
#include "frame/StdUnitFiles.h"

#include <QLocale>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

// A number the checks accept: the entry dialogs' reading, and finite, since
// an infinite price could never be drawn or summed.
bool readPrice(const QString &text, double *value)
{
    double v = 0;
    if (!ReadNumberText(text, &v) || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

// A damaged file can hold a price that is no number at all; the grid says
// so rather than showing the raw "NAN" or "INF" as if it were a price.
QString priceCell(double value)
{
    return std::isfinite(value) ? FixedText(value, 4, 10) : kNotAvailable;
}

} // namespace

bool ReadVolumeText(const QString &text, int32_t *volume)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    int i = (t[0] == QLatin1Char('+') || t[0] == QLatin1Char('-')) ? 1 : 0;
    if (i == t.size())
        return false;
    for (int k = i; k < t.size(); ++k)
        if (t[k] < QLatin1Char('0') || t[k] > QLatin1Char('9'))
            return false;
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    if (!ok || v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return false;
    *volume = int32_t(v);
    return true;
}

QStringList CheckPriceEntry(TPriceEntryTexts &t)
{
    if (t.High.isEmpty())
        t.High = t.Close;
    if (t.Low.isEmpty())
        t.Low = t.Close;

    QStringList failed;
    if (!IsValidDateText(kFormMM_DD_YYYY, t.Date))
        failed << QStringLiteral("Invalid Date Entered.");
    double high = 0, low = 0, close = 0;
    if (!readPrice(t.High, &high))
        failed << QStringLiteral("Invalid Value For High.");
    if (high < 0)
        failed << QStringLiteral("High Cannot Be Less Then 0.");
    if (!readPrice(t.Low, &low))
        failed << QStringLiteral("Invalid Value For Low.");
    if (low < 0)
        failed << QStringLiteral("Low Cannot Be Less Than 0.");
    if (high < low)
        failed << QStringLiteral("High Cannot Be Less Than Low.");
    if (!readPrice(t.Close, &close))
        failed << QStringLiteral("Invalid Value For Close.");
    if (close < 0)
        failed << QStringLiteral("Close Cannot Be Less Than 0.");
    if (close > high)
        failed << QStringLiteral("Close Cannot Be Higher Than High.");
    if (close < low)
        failed << QStringLiteral("Close Cannot Be Lower Than Low.");
    int32_t volume = 0;
    if (!ReadVolumeText(t.Volume, &volume))
        failed << QStringLiteral("Invalid Value For Volume.");
    if (volume < 0)
        failed << QStringLiteral("Volume Cannot Be Less Than 0.");
    return failed;
}

TPriceRecord PriceRecordFromEntry(const TPriceEntryTexts &t)
{
    TPriceRecord rec;
    // The date box hands over its blanks: " 1/ 5/2001" passes the date check
    // and must still store "20010105", or the key would sort out of place.
    rec.Date = DisplayToStoredDate(t.Date);
    readPrice(t.High, &rec.High);
    readPrice(t.Low, &rec.Low);
    readPrice(t.Close, &rec.Close);
    ReadVolumeText(t.Volume, &rec.Volume);
    return rec;
}

QString PriceEntryText(double value)
{
    // The general text has at most 15 digits. A split-adjusted price needs up
    // to 17, and an edit of the volume alone must not round it; such a price
    // gets the shortest text that reads back exactly.
    const QString text = GeneralText(value);
    double back = 0;
    if (!std::isfinite(value) || (ReadNumberText(text, &back) && back == value))
        return text;
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

TPriceEntryTexts PriceEntryFromRecord(const TPriceRecord &rec)
{
    return {ConvertDate(kFormYYYYMMDD, kFormMM_DD_YYYY, rec.Date.text()), PriceEntryText(rec.High),
            PriceEntryText(rec.Low), PriceEntryText(rec.Close), IntegerText(rec.Volume)};
}

QString PriceCellText(const TPriceRecord &rec, int column)
{
    switch (column) {
    case 0:
        return ConvertDate(kFormYYYYMMDD, kFormMM_DD_YYYY, rec.Date.text());
    case 1:
        return priceCell(rec.High);
    case 2:
        return priceCell(rec.Low);
    case 3:
        return priceCell(rec.Close);
    case 4:
        return FixedText(rec.Volume, 0, 14);
    default:
        return {};
    }
}

TPriceChange AddPriceRecord(TDataBase &file, TPriceRecord rec)
{
    if (!file.IsWritable())
        return TPriceChange::Failed;
    TPriceRecord found;
    if (file.RecordCount() > 0 && file.Find(found, rec.Date.text()))
        return TPriceChange::AlreadyOnFile;
    if (file.Status() & IoError)
        return TPriceChange::Failed;
    if (!file.Insert(rec))
        return (file.Status() & IoError) || !file.IsOpen() ? TPriceChange::Failed
                                                           : TPriceChange::AlreadyOnFile;
    return (file.Status() & IoError) ? TPriceChange::Failed : TPriceChange::Saved;
}

TPriceChange EditPriceRecord(TDataBase &file, int index, TPriceRecord rec)
{
    if (!file.IsWritable() || index < 0 || index > file.LastIndex() || file.RecordCount() == 0)
        return TPriceChange::Failed;
    TPriceRecord old;
    file.ReadAt(old, index);
    if (file.Status() & (IoError | Boundary))
        return TPriceChange::Failed;
    if (old.Date.bytes() == rec.Date.bytes()) {
        // The reserved bytes stay as they were stored.
        std::copy(std::begin(old.Reserved1), std::end(old.Reserved1), rec.Reserved1);
        std::copy(std::begin(old.Reserved2), std::end(old.Reserved2), rec.Reserved2);
        file.SetCurrentIndex(index);
        file.WriteCurrent(rec);
        return (file.Status() & IoError) ? TPriceChange::Failed : TPriceChange::Saved;
    }
    TPriceRecord found;
    if (file.Find(found, rec.Date.text()))
        return TPriceChange::AlreadyOnFile;
    if (file.Status() & IoError)
        return TPriceChange::Failed;
    // Another date moves the record. A delete and an insert would leave the
    // day nowhere between the two, and lost if the insert failed; the moved
    // file is built whole and replaces the old one in one step instead.
    QByteArray image;
    if (!file.StoredImage(image))
        return TPriceChange::Failed;
    constexpr qsizetype size = sizeof(TPriceRecord);
    image.remove(qsizetype(index) * size, size);
    const QByteArray key = rec.Date.bytes();
    int place = 0;
    for (const int count = int(image.size() / size); place < count; ++place) {
        TPriceRecord stored;
        std::memcpy(&stored, image.constData() + place * size, sizeof stored);
        if (stored.Date.bytes() > key)
            break;
    }
    // The moved day keeps its reserved bytes, as an edit in place does.
    std::copy(std::begin(old.Reserved1), std::end(old.Reserved1), rec.Reserved1);
    std::copy(std::begin(old.Reserved2), std::end(old.Reserved2), rec.Reserved2);
    QByteArray moved;
    file.AppendImage(moved, rec);
    image.insert(qsizetype(place) * size, moved);
    if (!file.ReplaceAll(image))
        return TPriceChange::Failed;
    file.SetCurrentIndex(place);
    return TPriceChange::Saved;
}

bool DeletePriceRecord(TDataBase &file, int index)
{
    if (!file.IsWritable() || index < 0 || index >= file.RecordCount())
        return false;
    file.Delete(index);
    return !(file.Status() & IoError);
}

QString PriceFileProblem(const TDataBase &file)
{
    QString text = CannotWriteToFileMessage(file.path());
    if (!file.OpenProblem().isEmpty())
        text += QLatin1Char('\n') + file.OpenProblem();
    return text;
}
