#pragma once
// The import dialog's look at its file: the columns of the first data lines
// in the chosen layout, untrimmed, under the headings "Field 1", "Field 2"...

#include <QList>
#include <QString>
#include <QStringList>

inline constexpr int kPreviewLines = 101;
// A preview never grows wider than this many columns or cells longer than
// this many characters, whatever a (binary, single-line) file holds; the run
// itself cuts every field it is asked for.
inline constexpr int kMaxPreviewColumns = 256;
inline constexpr int kMaxPreviewCellChars = 1024;

struct TImportPreview
{
    bool FileExists = false;
    bool Loaded = false; // a file with at least one column in a known layout
    int Columns = 0;
    QStringList Headings;
    QList<QStringList> Rows; // at most kPreviewLines, each Columns cells
};

// Built when the file exists and the layout is one of the three. The fixed
// length layout counts the file's columns into FixedColumnTable, which the
// run then cuts with.
TImportPreview BuildImportPreview(const QString &fileName, const QString &layout, int linesToSkip);

// Every field of a delimited line at once, the same texts CutField gives for
// fields 0, 1, ... (so a line of n separators does not take n cuts of the
// whole line); at most maxFields. For the fixed layout the columns of
// FixedColumnTable.
QStringList SplitImportLine(const QString &line, const QString &layout, int maxFields);
