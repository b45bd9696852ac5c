#pragma once
// The computational half of the price chart: which price records are shown,
// how prices, volumes and dates map to pixels, every series and indicator,
// and the view operations (scroll, zoom, maximum, default). Nothing here
// needs a window: the chart window hands in its size, asks for drawing lists
// and paints them with PaintDrawList.
//
// The history is never copied whole: records are fetched from the price file
// as a drawing needs them, a block at a time, and kept only until the files
// are closed again (the window closes them whenever it loses the focus, so a
// purge or an edit made elsewhere is always seen). Each record is read at
// most once while the files are open.

#include "frame/Stockcfg.h"
#include "records/Database.h"
#include "records/TransDatabase.h"

#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QVector>
#include <cstdint>
#include <memory>
#include <vector>

// ---- text measurement ----------------------------------------------------
// The three metrics of the layout and the text widths of title and legend
// come from here, so tests can pin them.
class TTextMetrics
{
public:
    virtual ~TTextMetrics() = default;
    virtual int textWidth(const QString &fontName, int points, const QString &text) const = 0;
    virtual int textHeight(const QString &fontName, int points) const = 0;
};

// Measures with the platform's fonts, as the painter draws them.
class TFontTextMetrics : public TTextMetrics
{
public:
    int textWidth(const QString &fontName, int points, const QString &text) const override;
    int textHeight(const QString &fontName, int points) const override;

private:
    const QFontMetrics &metrics(const QString &fontName, int points) const;
    mutable QHash<QString, QFontMetrics> m_cache;
};

// ---- settings -------------------------------------------------------------
// The chart's font sizes in points, as the settings allow them.
inline constexpr int kMinGraphFontSize = 6, kMaxGraphFontSize = 24;

// The chart settings with every value brought into a range the drawing can
// live with: a damaged or hand-made Stocks.cfg must not hang or crash it.

struct TChartSettings
{
    TGraphSettings Raw;  // as read; written back when the size is remembered
    int N = 150;         // records displayed, at least 1
    int Skip = 1;        // at least 1
    int P1 = 5, P2 = 15; // a period below 1 draws no line
    double K1 = 2, K2 = 2;
    int TitleSize = 20, PriceSize = 10; // kMinGraphFontSize..kMaxGraphFontSize
    double PriceShare = 0.7;            // 0.20..0.80
    QString FontName;
    bool LimitRecords = false;
    int L = 260; // statistics record count, at least 1
    uint32_t color(TGraphColor c) const { return Raw.Colors[c]; }
};
TChartSettings SanitizeChartSettings(const TGraphSettings &graph, const TStatisticsOptions &statistics);

// ---- layout -----------------------------------------------------------------
struct TGraphBox
{
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

struct TGraphLayout
{
    int W = 0, H = 0;
    int THt = 1, TWp = 1, THp = 1;
    uint16_t LeftMargin = 0, PlotWidth = 0, MaxRecords = 0;
    uint16_t PriceTop = 0, PriceHeight = 0, VolumeTop = 0, VolumeHeight = 0;
    TGraphBox PriceBox, VolumeBox;
};
// Heights and widths never go below 0 and the metrics never below 1, so a
// tiny window gives an empty chart rather than negative boxes.
TGraphLayout ComputeGraphLayout(int W, int H, double priceShare, int THt, int TWp, int THp);

// The 0x00BBGGRR colour of the configuration as a Qt colour.
QColor ChartColor(uint32_t bgr);

// ---- drawing list -----------------------------------------------------------
enum class TDrawMode { Copy, NotXor, And };

struct TDrawItem
{
    enum Kind { FillRect, Line, Polyline, Text, UpText, Ellipse };
    Kind kind = Line;
    QString layer; // what the item belongs to, for the window and the tests
    uint32_t pen = 0;
    uint32_t brush = 0;
    bool filled = false;
    TDrawMode mode = TDrawMode::Copy;
    QVector<QPoint> points; // Line: 2; FillRect: two corners; Ellipse: centre; Text: top-left
    int radius = 0;         // Ellipse
    QString text;
    int points_ = 0; // font size of a text
};
using TDrawList = std::vector<TDrawItem>;

// Draws the list in order into the image, in the chart font.
void PaintDrawList(QImage &image, const TDrawList &list, const QString &fontName);

// ---- series, view, scroll bar -------------------------------------------------
// A price file the chart only reads, with a block read for the records a
// drawing needs.
class TChartPriceFile : public TDataBase
{
public:
    explicit TChartPriceFile(const QString &path) : TDataBase(path, TOpenMode::ReadOnly) {}
    bool ReadRange(int from, int to, TPriceRecord *out);
};

// The current portfolio's transactions, read for the markers in one pass.
class TChartTransFile : public TTransBase
{
public:
    explicit TChartTransFile(const QString &path) : TTransBase(path, TOpenMode::ReadOnly) {}
    bool ReadAll(TTransRecord *out);
};

struct TGraphSeries
{
    QString Symbol; // at most 7 characters
    QString Name;   // at most 40 characters
    std::unique_ptr<TChartPriceFile> File;
    double MaxPrice = 0, MinPrice = 0;
    int64_t MaxVolume = 0;
    double PriceScale = 0, VolumeScale = 0;
    // records fetched while the file is open
    std::vector<TPriceRecord> Records;
    std::vector<uint8_t> Have;

    int last() const { return File && File->IsOpen() ? File->RecordCount() - 1 : -1; }
};

struct TGraphView
{
    int N = 150;
    int Skip = 1;
    int Start = 0, End = -1;
    double Step = 0;
    TGraphLayout Layout;
};

struct TScrollBarState
{
    bool Enabled = false;
    int Min = 0, Max = 0, Position = 0;
    int SmallChange = 10, LargeChange = 1;
};

// Which indicators a full drawing shows (the window's check boxes).
struct TChartShow
{
    bool HighLow = false, MovingAverage = false, HighestLowest = false;
    bool Std1 = false, Std2 = false, BoughtSold = false;
};

struct TReadOut
{
    QString Date, High, Low, Close, Volume;
};

// Month names as the date axis spells them.
QString ChartMonthName(int month);

class TGraphChart
{
public:
    explicit TGraphChart(const TTextMetrics *metrics = nullptr);
    ~TGraphChart();

    // Starts over with series 1 only; reads settings, lays out for W x H
    // and opens the initial view.
    void Build(const QString &symbol, const QString &name, int W, int H);
    void Relayout(int W, int H);
    void ScrollTo(int position);
    // False reports that the view can zoom no further (nothing changed).
    bool ZoomIn();
    bool ZoomOut();
    // True when the view changed.
    bool ZoomToRange(int x1, int x2);
    void ShowMaximum();
    void ResetToDefault();
    void SetOverlay(const QString &symbol, const QString &name);
    void ClearOverlay();

    int RecordAt(int x) const;
    int RecordX(int index) const;

    // The window opens the files on activation and closes them when it
    // loses the focus; every computation opens what it needs when closed.
    void OpenFiles();
    void CloseFiles();
    bool FilesOpen() const { return m_filesOpen; }

    // Whole picture in drawing order, and the single layers the window draws
    // over the present picture when a check box is ticked.
    TDrawList Draw(const TChartShow &show);
    TDrawList Frame(); // paper, boxes, "Volume", title, legend
    TDrawList PriceGrid();
    TDrawList SeriesLines(bool highLow); // close lines, high-low, volume, date axis
    TDrawList MovingAverages();
    TDrawList HighestLowest();
    TDrawList Band(int which); // 1 or 2
    TDrawList Markers();
    // Not-XOR items the window inverts for the pointer.
    TDrawItem CursorLine(int x) const;
    TDrawItem ZoomRect(QPoint a, QPoint b) const;

    bool HasRecords()
    {
        ensureOpen();
        return m_series[0].last() >= 0;
    }
    // False without records: the window then shows nothing.
    bool ReadOut(int x, TReadOut &out);

    const TGraphView &view() const { return m_view; }
    const TScrollBarState &scrollBar() const { return m_scroll; }
    const TChartSettings &settings() const { return m_settings; }
    const TGraphSeries &series(int i) const { return m_series[i]; }
    int seriesCount() const { return m_overlay ? 2 : 1; }
    // Record reads of both price files since they were opened.
    qint64 readCalls() const;
    // Forgets the fetched records (benchmarks measure cold drawings).
    void ForgetRecords();

    // Where markers come from; empty: the current portfolio's .tra.
    void setTransactionPath(const QString &path) { m_traPath = path; }

private:
    void loadSettings();
    void layout(int W, int H);
    void initialView();
    void followScrollBar();
    void computeStep();
    void computeScales();
    void ensureOpen();
    void openSeries(TGraphSeries &s);
    const TPriceRecord &rec(TGraphSeries &s, int index);
    void fetch(TGraphSeries &s, int from, int to);
    int findDate(TGraphSeries &s, const QByteArray &date);
    std::vector<int> plotted();
    double leftX(int k) const { return m_view.Layout.LeftMargin + k * m_view.Step; }
    int half() const;
    int priceY(const TGraphSeries &s, double price) const;
    TDrawList movingLine(int period, double k, int sign, const QString &layer, uint32_t color);
    QString transactionPath() const;

    const TTextMetrics *m_metrics;
    std::unique_ptr<TTextMetrics> m_ownMetrics;
    TChartSettings m_settings;
    TGraphSeries m_series[2];
    bool m_overlay = false;
    bool m_filesOpen = false;
    TGraphView m_view;
    TScrollBarState m_scroll;
    QString m_traPath;
    // what series 1 looked like when the view was made
    int m_builtCount = -1;
    QByteArray m_builtFirst, m_builtLast;
};
