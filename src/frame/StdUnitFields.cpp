#include "frame/StdUnitFields.h"

#include "frame/IoError.h"
#include "frame/StdUnitFiles.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

std::array<TFixedColumn, kFixedColumnEntries + 1> FixedColumnTable;

namespace {

// Positions are kept in 16 bits as the table has always held them; a line
// longer than that cannot move a column further right.
uint16_t clampPosition(int position)
{
    return uint16_t(std::clamp(position, 0, 0xFFFF));
}

void skipLines(TTextLineReader &reader, int count)
{
    for (int i = 0; i < count && !reader.atEnd(); ++i)
        reader.readLine();
}

// Moves the start of column c right past leading blanks and grows its end to
// the first blank after the field, for one line. Returns where the field
// ended (the blank after it, or one past the line).
int adjustColumn(TFixedColumn &column, const QString &line)
{
    const int length = int(line.size());
    int s = std::max<int>(column.Start, 1);
    int e = std::max<int>(column.End, 1);
    while (s <= length && line[s - 1] == QLatin1Char(' '))
        ++s;
    if (s > e) {
        e = s;
        column.End = clampPosition(s);
    }
    column.Start = clampPosition(s);
    while (e <= length && line[e - 1] != QLatin1Char(' '))
        ++e;
    if (e > column.End)
        column.End = clampPosition(e);
    return e;
}

void writeBytes(QIODevice &file, const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        throw EInOutError(reason.isEmpty() ? QStringLiteral("The file could not be written.") : reason);
    }
}

void writeText(QIODevice &file, const QString &text)
{
    writeBytes(file, text.toLatin1());
}

} // namespace

QStringList TextLayoutNames()
{
    return {kLayoutFixed, kLayoutComma, kLayoutTab};
}

void ResetFixedColumnTable()
{
    FixedColumnTable.fill(TFixedColumn{1, 1});
}

bool TTextLineReader::atEnd() const
{
    return m_device.atEnd();
}

QString TTextLineReader::readLine()
{
    QByteArray line = m_device.readLine();
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromLatin1(line);
}

int DetectFixedColumns(const QString &fileName, int headerLines)
{
    auto &table = FixedColumnTable;
    ResetFixedColumnTable();
    if (!QFileInfo::exists(fileName)) {
        for (int k = 2; k <= kFixedColumnEntries; ++k)
            table[k] = {0, 0};
        return 0;
    }
    int c = 1;
    for (;;) {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly))
            break;
        TTextLineReader reader(file);
        skipLines(reader, headerLines);
        QString last;
        int end = 0;
        do { // at least one line, an empty one at the end of the file
            last = reader.readLine();
            end = adjustColumn(table[c], last);
        } while (!reader.atEnd());
        // Each line sets every later column to start just after it; only the
        // last line's setting survives the pass.
        for (int k = c + 1; k <= kFixedColumnEntries; ++k)
            table[k] = {clampPosition(end + 1), clampPosition(end + 1)};
        ++c;
        // Past the last 16-bit position no later column can be placed: the
        // column just found is the last one, as if the next pass found none.
        if (end + 1 > 0xFFFF) {
            c = std::min(c + 1, kFixedColumnEntries + 1);
            break;
        }
        if (c > kFixedColumnEntries || last.size() < table[c - 1].Start)
            break;
    }
    // The pass that found nothing is not counted.
    c -= 1;
    for (int k = std::max(c + 1, 1); k <= kFixedColumnEntries; ++k)
        table[k] = {0, 0};
    // A file that could not even be opened counts no columns, not -1.
    return std::max(c - 1, 0);
}

int CountFields(const QString &fileName, const QString &layout, int headerLines)
{
    if (layout == kLayoutFixed)
        return DetectFixedColumns(fileName, headerLines);
    if (layout != kLayoutComma && layout != kLayoutTab)
        return 0;
    QFile file(fileName);
    if (!QFileInfo::exists(fileName) || !file.open(QIODevice::ReadOnly))
        return 0;
    TTextLineReader reader(file);
    skipLines(reader, headerLines);
    QString line = reader.atEnd() ? QString() : reader.readLine();
    file.close();
    int count = 0;
    while (!line.isEmpty()) {
        if (layout == kLayoutComma)
            CutCommaField(line);
        else
            CutTabField(line);
        ++count;
    }
    return std::max(count, 1);
}

QString CutField(const QString &line, const QString &layout, int n)
{
    if (n < 0)
        return {};
    if (layout == kLayoutFixed) {
        if (n >= kFixedColumnEntries)
            return {};
        const TFixedColumn column = FixedColumnTable[n + 1];
        // (0, 0) marks a column the last detection did not find.
        if (column.Start == 0 || column.End < column.Start)
            return {};
        return line.mid(column.Start - 1, column.End - column.Start + 1);
    }
    if (layout != kLayoutComma && layout != kLayoutTab)
        return {};
    QString rest = line;
    QString field;
    for (int i = 0; i <= n; ++i) {
        if (rest.isEmpty())
            return {};
        field = layout == kLayoutComma ? CutCommaField(rest) : CutTabField(rest);
    }
    return field;
}

QString CutCommaField(QString &line)
{
    bool inQuotes = false;
    qsizetype i = 0;
    for (; i < line.size(); ++i) {
        if (line[i] == QLatin1Char('"'))
            inQuotes = !inQuotes;
        else if (line[i] == QLatin1Char(',') && !inQuotes)
            break;
    }
    QString field;
    if (i < line.size()) {
        field = line.left(i);
        line.remove(0, i + 1);
    } else {
        field = line;
        line.clear();
    }
    if (!field.isEmpty() && field.front() == QLatin1Char('"'))
        field.remove(0, 1);
    if (!field.isEmpty() && field.back() == QLatin1Char('"'))
        field.chop(1);
    return field;
}

QString CutTabField(QString &line)
{
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    QString field;
    if (tab >= 0) {
        field = line.left(tab);
        line.remove(0, tab + 1);
    } else {
        field = line;
        line.clear();
    }
    return field;
}

QString TrimSpaces(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' '))
        ++first;
    while (last > first && text[last - 1] == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QString PadLeft(const QString &text, int width)
{
    return text.size() < width ? QString(width - text.size(), QLatin1Char(' ')) + text : text;
}

QString PadRight(const QString &text, int width)
{
    return text.size() < width ? text + QString(width - text.size(), QLatin1Char(' ')) : text;
}

void WriteFixedField(QIODevice &file, const QString &text, int width)
{
    writeText(file, PadRight(text, width));
}

void WriteCommaField(QIODevice &file, const QString &text, bool first, bool quoted)
{
    const QString trimmed = TrimSpaces(text);
    QString out = first ? QString() : QStringLiteral(",");
    if (quoted)
        out += QLatin1Char('"') + trimmed + QLatin1Char('"');
    else
        out += trimmed;
    writeText(file, out);
}

void WriteTabField(QIODevice &file, const QString &text, bool first)
{
    writeText(file, (first ? QString() : QStringLiteral("\t")) + TrimSpaces(text));
}

void WriteLineEnd(QIODevice &file)
{
    writeBytes(file, QByteArray(kLineEnd));
}

void FinishTextFile(QFileDevice &file)
{
    const bool flushed = file.flush();
    QString reason = file.errorString();
    file.close();
    if (flushed && file.error() == QFileDevice::NoError)
        return;
    if (flushed)
        reason = file.errorString();
    throw EInOutError(reason.isEmpty() ? QStringLiteral("The file could not be written.") : reason);
}
