#pragma once
// The price chart window: the chart of one security with its indicators,
// scrolling, zoom, an overlaid second security, a read-out of the day under
// the mouse, copying and printing. All computing is TGraphChart's; this
// window reads its controls, asks for drawing lists and paints them.

#include "chart/GraphChart.h"

#include <QImage>
#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;
class QStatusBar;
class QToolButton;
class TGraphImage;

class TGraphForm : public QWidget
{
    Q_OBJECT
public:
    TGraphForm(const QString &symbol, const QString &name, QWidget *owner = nullptr,
               const TTextMetrics *metrics = nullptr);
    ~TGraphForm() override;

    static QString captionFor(const QString &symbol, const QString &name);

    TGraphChart &chart() { return m_chart; }
    const QImage &picture() const { return m_image; }
    int cursorX() const { return m_cursorX; }
    QStringList panelTexts() const;
    // The mouse on the chart picture, in picture coordinates.
    void Image1MouseDown(Qt::MouseButton button, QPoint pos);
    void Image1MouseMove(Qt::MouseButtons buttons, QPoint pos);
    void Image1MouseUp(Qt::MouseButton button, QPoint pos);

    TGraphImage *Image1 = nullptr;
    QFrame *Panel1 = nullptr;
    QScrollBar *ScrollBar1 = nullptr;
    QCheckBox *Std1 = nullptr, *std2 = nullptr, *Moving = nullptr, *BoughtSold = nullptr, *HighLow = nullptr,
              *Highest = nullptr;
    QToolButton *ZoomOutBtn = nullptr, *ZoomInBtn = nullptr, *CopyBtn = nullptr, *DefaultBtn = nullptr,
                *OverlayBtn = nullptr, *MaxBtn = nullptr, *PrintBtn = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *Panels[5] = {};

public slots:
    void ZoomInBtnClick();
    void ZoomOutBtnClick();
    void MaxBtnClick();
    void DefaultBtnClick();
    void OverlayBtnClick();
    void CopyBtnClick();
    void PrintBtnClick();
    void ScrollBar1Change(int position);
    void FullDrawing();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    friend class TGraphImage;
    void buildChart();
    void imageResized();
    void syncScrollBar();
    void indicatorToggled(bool checked, TDrawList (TGraphChart::*layer)());
    void paintOver(const TDrawList &list);
    void paintOver(const TDrawItem &item) { paintOver(TDrawList{item}); }
    void eraseCursor();
    void readOut(int x);
    void enableZoomInWhenPossible();
    TChartShow shown() const;

    QString m_symbol, m_name;
    TGraphChart m_chart;
    QImage m_image;
    bool m_built = false;
    int m_cursorX = -1;
    bool m_dragging = false;
    bool m_hasAnchor = false;
    QPoint m_anchor, m_corner;
};

// Shows the chart window of this security when one is listed under its
// caption, else creates one. Returns the window.
TGraphForm *OpenGraphForm(QWidget *owner, const QString &symbol, const QString &name);
