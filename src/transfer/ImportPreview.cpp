#include "transfer/ImportPreview.h"

#include "frame/StdUnitFields.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

QString unquoted(QString field)
{
    if (!field.isEmpty() && field.front() == QLatin1Char('"'))
        field.remove(0, 1);
    if (!field.isEmpty() && field.back() == QLatin1Char('"'))
        field.chop(1);
    return field;
}

} // namespace

QStringList SplitImportLine(const QString &line, const QString &layout, int maxFields)
{
    QStringList out;
    if (layout == kLayoutFixed) {
        for (int n = 0; n < std::min(maxFields, kFixedColumnEntries); ++n)
            out << CutField(line, layout, n);
        return out;
    }
    const bool comma = layout == kLayoutComma;
    if (!comma && layout != kLayoutTab)
        return out;
    const qsizetype n = line.size();
    qsizetype p = 0;
    while (p < n && out.size() < maxFields) {
        // Each cut scans the rest of the line afresh, so the in-quotes flag
        // starts off at every field.
        bool inQuotes = false;
        qsizetype i = p;
        for (; i < n; ++i) {
            const QChar c = line[i];
            if (comma && c == QLatin1Char('"'))
                inQuotes = !inQuotes;
            else if (c == (comma ? QLatin1Char(',') : QLatin1Char('\t')) && !inQuotes)
                break;
        }
        const QString field = line.mid(p, i - p);
        out << (comma ? unquoted(field) : field);
        p = i < n ? i + 1 : n;
    }
    return out;
}

TImportPreview BuildImportPreview(const QString &fileName, const QString &layout, int linesToSkip)
{
    TImportPreview preview;
    const QFileInfo info(fileName);
    preview.FileExists = !fileName.isEmpty() && info.isFile();
    if (!preview.FileExists || !TextLayoutNames().contains(layout))
        return preview;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return preview;
    TTextLineReader reader(file);
    for (int i = 0; i < linesToSkip && !reader.atEnd(); ++i)
        reader.readLine();
    QList<QString> lines;
    while (!reader.atEnd() && lines.size() < kPreviewLines)
        lines << reader.readLine();
    file.close();

    int columns = 0;
    if (layout == kLayoutFixed) {
        columns = CountFields(fileName, layout, linesToSkip);
    } else {
        // What CountFields gives, without cutting a long first line field by field.
        columns =
            std::max<int>(int(SplitImportLine(lines.value(0), layout, kMaxPreviewColumns + 1).size()), 1);
    }
    columns = std::min(columns, kMaxPreviewColumns);
    if (columns <= 0)
        return preview;
    preview.Loaded = true;
    preview.Columns = columns;
    for (int c = 0; c < columns; ++c)
        preview.Headings << QStringLiteral("Field %1").arg(c + 1);
    for (const QString &line : lines) {
        QStringList cells = SplitImportLine(line, layout, columns);
        while (cells.size() < columns)
            cells << QString();
        for (QString &cell : cells)
            cell.truncate(kMaxPreviewCellChars);
        preview.Rows << cells;
    }
    return preview;
}
