#pragma once
// Lines of foreign text files in the three text layouts: cutting a field out
// of a line, counting the fields of a file, writing a field. Fields are
// numbered from 0 within a line. Text files are read with LF or CR LF line
// ends and written with CR LF; their text is single-byte (Latin-1).
//
// The fixed-length layout has no separators: DetectFixedColumns finds the
// columns of a file once and keeps them in the process-wide FixedColumnTable,
// which CutField then uses. Whoever cuts fixed-length lines counts the fields
// of the same file first.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

class QFileDevice;
class QIODevice;

inline const QString kLayoutFixed = QStringLiteral("ASCII Fixed Length");
inline const QString kLayoutComma = QStringLiteral("ASCII Coma Delimited");
inline const QString kLayoutTab = QStringLiteral("ASCII Tab Delimited");

// The three layout names in the order the dialogs offer them.
QStringList TextLayoutNames();

// One column of a fixed-length file: character positions from 1, inclusive.
struct TFixedColumn
{
    uint16_t Start = 1;
    uint16_t End = 1;
    bool operator==(const TFixedColumn &) const = default;
};

inline constexpr int kFixedColumnEntries = 100;
// Entries 1 to 100 (index 0 is not used, so entry numbers read as counted).
// Field n of a fixed-length line uses entry n + 1.
extern std::array<TFixedColumn, kFixedColumnEntries + 1> FixedColumnTable;
// Every entry back to (1, 1), as at start.
void ResetFixedColumnTable();

// Finds the columns of a fixed-width file, one pass over the file per column,
// and returns their number (at most 99); 0 for a missing or unreadable file.
int DetectFixedColumns(const QString &fileName, int headerLines);
// Fields per line of the file in the given layout: fixed length through
// DetectFixedColumns; delimited by cutting the first line after the header
// lines (at least 1). 0 for a missing file or an unknown layout.
int CountFields(const QString &fileName, const QString &layout, int headerLines);

// Field n (from 0) of the line, untrimmed; empty for an unknown layout or a
// field the line does not have.
QString CutField(const QString &line, const QString &layout, int n);
// Removes the first field and its separator from the line and returns the
// field. Commas inside double quotes do not separate; one leading and one
// trailing quote are removed from the field, inner quotes stay.
QString CutCommaField(QString &line);
QString CutTabField(QString &line);

// Blanks only, not tabs.
QString TrimSpaces(const QString &text);
QString PadLeft(const QString &text, int width);
QString PadRight(const QString &text, int width);

// The field writers add no line end; the caller ends each record with
// WriteLineEnd. A device that refuses the bytes raises EInOutError. A QFile
// buffers what it is given, so a full disk may only show when it is flushed:
// end the file with FinishTextFile, which flushes, closes and raises too.
void WriteFixedField(QIODevice &file, const QString &text, int width);
void WriteCommaField(QIODevice &file, const QString &text, bool first, bool quoted);
void WriteTabField(QIODevice &file, const QString &text, bool first);
void WriteLineEnd(QIODevice &file);
void FinishTextFile(QFileDevice &file);

// Reads the lines of a text file: LF or CR LF ends a line, the last line may
// have no end. Text is read as Latin-1.
class TTextLineReader
{
public:
    explicit TTextLineReader(QIODevice &device) : m_device(device) {}
    bool atEnd() const;
    // The next line without its line end; empty past the end.
    QString readLine();

private:
    QIODevice &m_device;
};
