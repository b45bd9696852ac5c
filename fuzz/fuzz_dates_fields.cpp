// Arbitrary bytes through every text entry point of the date and field
// helpers: the first byte picks forms and a field number, the rest is the
// text (read as Latin-1, as lines of foreign files are).

#include "frame/NumberFormat.h"
#include "frame/StdUnitDates.h"
#include "frame/StdUnitFields.h"

#include <QBuffer>
#include <QString>
#include <cmath>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t selector = data[0];
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const QStringList forms = DateFormNames();
    const QString from = forms[selector % forms.size()];
    const QString to = forms[(selector / 9) % forms.size()];

    // Dates: any text, any pair of forms.
    const TDateParts parts = SplitDateText(from, text);
    if (parts.Month.size() > 3 || parts.Day.size() > 2 || parts.Year.size() > 4)
        __builtin_trap();
    ConvertDate(from, to, text);
    JoinDateText(to, text, text, text);
    IsValidDateText(from, text);
    ExpandYear(text);
    ShortenYear(text);
    StoredYear(text);
    StoredTextToDate(text);
    ReadDisplayDate(text);

    // Fields: every layout, a field number from the selector.
    const int n = selector % 40;
    for (const QString &layout : TextLayoutNames())
        CutField(text, layout, n);
    QString line = text;
    int cuts = 0;
    while (!line.isEmpty()) {
        const qsizetype before = line.size();
        CutCommaField(line);
        if (line.size() >= before) // every cut must shorten the line
            __builtin_trap();
        ++cuts;
    }
    line = text;
    while (!line.isEmpty())
        CutTabField(line);
    TrimSpaces(text);
    PadLeft(text, n);
    PadRight(text, n);

    // Writers into memory.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteFixedField(buffer, text, n);
    WriteCommaField(buffer, text, selector & 1, selector & 2);
    WriteTabField(buffer, text, selector & 4);
    WriteLineEnd(buffer);

    double read = 0;
    if (ReadNumberText(text, &read) && !std::isfinite(read))
        __builtin_trap();

    // Numbers from the bytes.
    if (size >= 9) {
        double value;
        std::memcpy(&value, data + 1, sizeof value);
        GeneralText(value);
        FixedText(value, selector % 8, 1 + selector % 15);
        DateToStoredText(value);
        ValueToDate(value);
    }
    return 0;
}
