#pragma once
// The portfolio graph window: the bars of one view (summary, one year, all
// years), ten to a page, computed by PortGraph in core and drawn here with a
// bar series. A double click on a year's bar opens that year; "&Return"
// goes back to all years.

#include "portfolio/PortGraph.h"

#include <QDialog>

class QChart;
class QChartView;
class QLabel;
class QPushButton;

class TPortGraphForm : public QDialog
{
    Q_OBJECT
public:
    TPortGraphForm(const QString &caption, const QString &portfolioFileName, bool includeDividends,
                   bool sellAll, TPortGraphViewKind kind, QWidget *parent = nullptr);

    // Builds the current view afresh and shows its first page.
    void Build();
    // A double click on the bar at `index` of the page shown.
    void BarDoubleClick(int index);
    void ReturnBtnClick();
    void NextBtnClick();
    void PreviousBtnClick();
    void PrintBtnClick();
    void CopyBtnClick();

    const TPortGraphView &view() const { return m_view; }
    TPortGraphViewKind kind() const { return m_kind; }
    int pageIndex() const { return m_page; }
    // The picture of the chart on white, as Copy puts it on the clipboard.
    QImage chartImage() const;

    QChartView *Chart1 = nullptr;
    QLabel *FooterLabel = nullptr;
    QPushButton *PrintBtn = nullptr, *CopyBtn = nullptr, *ReturnBtn = nullptr, *PreviousBtn = nullptr,
                *NextBtn = nullptr, *CloseBtn = nullptr;

private:
    void drawPage();

    QString m_caption;
    QString m_fileName;
    bool m_includeDividends;
    bool m_sellAll;
    TPortGraphViewKind m_kind;
    QString m_year;
    TPortGraphView m_view;
    int m_page = 0;
};

// The "&Graph" button of the holdings window: asks for the options, then
// shows the graph modally. `caption` is the holdings window's caption
// ("Portfolio " and the name). Returns whether a graph was shown.
bool ShowPortfolioGraph(QWidget *owner, const QString &caption, const QString &portfolioFileName);
