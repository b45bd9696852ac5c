// Arbitrary files through the field counting: fixed-width column detection
// and the delimited layouts, then every detected column cut from every line.
// The first byte gives the number of header lines.

#include "frame/StdUnitFields.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

namespace {
const QString &scratchFile()
{
    static QTemporaryDir dir;
    static const QString path = dir.path() + QStringLiteral("/input.txt");
    return path;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const int headerLines = data[0] % 4;
    const QByteArray content(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    {
        QFile file(scratchFile());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(content);
    }
    for (const QString &layout : {kLayoutComma, kLayoutTab}) {
        if (CountFields(scratchFile(), layout, headerLines) < 1)
            __builtin_trap(); // an existing file has at least one field
    }
    const int columns = CountFields(scratchFile(), kLayoutFixed, headerLines);
    if (columns < 0 || columns > 99)
        __builtin_trap();
    for (int k = 1; k <= kFixedColumnEntries; ++k) {
        const TFixedColumn c = FixedColumnTable[k];
        if (k <= columns && (c.Start < 1 || c.End < c.Start))
            __builtin_trap(); // a detected column has a place in the line
    }
    QByteArray copy = content;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    TTextLineReader reader(buffer);
    while (!reader.atEnd()) {
        const QString line = reader.readLine();
        for (int n = 0; n <= columns; ++n)
            CutField(line, kLayoutFixed, n);
    }
    return 0;
}
