#include "chart/Graphfrm.h"

#include "chart/Overlayfrm.h"
#include "frame/ModalUi.h"
#include "frame/PrinterUi.h"
#include "frame/StatusFrm.h"
#include "frame/Stockcfg.h"
#include "frame/WindowListFrm.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

// The picture area: shows the chart image and hands the mouse to the form.
class TGraphImage : public QWidget
{
public:
    explicit TGraphImage(TGraphForm *form) : QWidget(form), m_form(form)
    {
        setObjectName(QStringLiteral("Image1"));
        setMouseTracking(false);
        setMinimumSize(1, 1);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        if (!m_form->m_image.isNull())
            p.drawImage(0, 0, m_form->m_image);
    }
    void resizeEvent(QResizeEvent *) override { m_form->imageResized(); }
    void mousePressEvent(QMouseEvent *e) override
    {
        m_form->Image1MouseDown(e->button(), e->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        m_form->Image1MouseMove(e->buttons(), e->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        m_form->Image1MouseUp(e->button(), e->position().toPoint());
    }

private:
    TGraphForm *m_form;
};

namespace {

QList<QPointer<TGraphForm>> g_openCharts;

QToolButton *glyphButton(QWidget *parent, const char *name, const QString &hint, QStyle::StandardPixmap icon)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setAutoRaise(true);
    return b;
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &text)
{
    auto *c = new QCheckBox(text, parent);
    c->setObjectName(QLatin1String(name));
    return c;
}

} // namespace

QString TGraphForm::captionFor(const QString &symbol, const QString &name)
{
    return name + QStringLiteral(" (") + symbol + QStringLiteral(") - Graph");
}

TGraphForm::TGraphForm(const QString &symbol, const QString &name, QWidget *owner,
                       const TTextMetrics *metrics)
    : QWidget(owner, Qt::Window), m_symbol(symbol), m_name(name), m_chart(metrics)
{
    setObjectName(QStringLiteral("GraphForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(captionFor(symbol, name));
    resize(640, 480);

    Image1 = new TGraphImage(this);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(74);
    ScrollBar1 = new QScrollBar(Qt::Horizontal, Panel1);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));

    auto *bevel = new QFrame(Panel1);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Sunken);
    Std1 = checkBox(bevel, "Std1", QStringLiteral("Std #1"));
    std2 = checkBox(bevel, "std2", QStringLiteral("Std #2"));
    Moving = checkBox(bevel, "Moving", QStringLiteral("Moving Average"));
    BoughtSold = checkBox(bevel, "BoughtSold", QStringLiteral("Bought Sold"));
    HighLow = checkBox(bevel, "HighLow", QStringLiteral("High/Low"));
    Highest = checkBox(bevel, "Highest", QStringLiteral("Highest/Lowest"));
    auto *grid = new QGridLayout(bevel);
    grid->setContentsMargins(4, 0, 4, 0);
    grid->setVerticalSpacing(0);
    grid->addWidget(Std1, 0, 0);
    grid->addWidget(std2, 1, 0);
    grid->addWidget(Moving, 0, 1);
    grid->addWidget(BoughtSold, 1, 1);
    grid->addWidget(HighLow, 0, 2);
    grid->addWidget(Highest, 1, 2);

    ZoomOutBtn = glyphButton(Panel1, "ZoomOutBtn", QStringLiteral("Zoom Out"), QStyle::SP_ArrowDown);
    ZoomInBtn = glyphButton(Panel1, "ZoomInBtn", QStringLiteral("Zoom In"), QStyle::SP_ArrowUp);
    CopyBtn = glyphButton(Panel1, "CopyBtn", QStringLiteral("Copy Image"), QStyle::SP_FileDialogContentsView);
    DefaultBtn =
        glyphButton(Panel1, "DefaultBtn", QStringLiteral("Default Layout"), QStyle::SP_BrowserReload);
    OverlayBtn =
        glyphButton(Panel1, "OverlayBtn", QStringLiteral("Overlay Stock"), QStyle::SP_FileDialogDetailedView);
    MaxBtn =
        glyphButton(Panel1, "MaxBtn", QStringLiteral("Max Record Display"), QStyle::SP_TitleBarMaxButton);
    PrintBtn = glyphButton(Panel1, "PrintBtn", QStringLiteral("Print"), QStyle::SP_DialogSaveButton);
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Close"),
                              Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn1->setMinimumHeight(36);

    auto *row = new QHBoxLayout;
    row->setSpacing(2);
    row->addWidget(bevel);
    for (QToolButton *b : {ZoomOutBtn, ZoomInBtn, CopyBtn, DefaultBtn, OverlayBtn, MaxBtn, PrintBtn})
        row->addWidget(b);
    row->addStretch();
    row->addWidget(BitBtn1);
    auto *panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(0, 0, 2, 2);
    panelLayout->setSpacing(2);
    panelLayout->addWidget(ScrollBar1);
    panelLayout->addLayout(row);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    const QStringList texts{QStringLiteral("Date:"), QStringLiteral("High:"), QStringLiteral("Low:"),
                            QStringLiteral("Close:"), QStringLiteral("Volume:")};
    for (int i = 0; i < 5; ++i) {
        Panels[i] = new QLabel(texts[i], StatusBar1);
        Panels[i]->setMinimumWidth(i < 4 ? 120 : 50);
        StatusBar1->addWidget(Panels[i], i < 4 ? 0 : 1);
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Image1, 1);
    layout->addWidget(Panel1);
    layout->addWidget(StatusBar1);

    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TGraphForm::ScrollBar1Change);
    connect(ZoomInBtn, &QToolButton::clicked, this, &TGraphForm::ZoomInBtnClick);
    connect(ZoomOutBtn, &QToolButton::clicked, this, &TGraphForm::ZoomOutBtnClick);
    connect(MaxBtn, &QToolButton::clicked, this, &TGraphForm::MaxBtnClick);
    connect(DefaultBtn, &QToolButton::clicked, this, &TGraphForm::DefaultBtnClick);
    connect(OverlayBtn, &QToolButton::clicked, this, &TGraphForm::OverlayBtnClick);
    connect(CopyBtn, &QToolButton::clicked, this, &TGraphForm::CopyBtnClick);
    connect(PrintBtn, &QToolButton::clicked, this, &TGraphForm::PrintBtnClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);
    connect(Moving, &QCheckBox::toggled, this,
            [this](bool on) { indicatorToggled(on, &TGraphChart::MovingAverages); });
    connect(Highest, &QCheckBox::toggled, this,
            [this](bool on) { indicatorToggled(on, &TGraphChart::HighestLowest); });
    connect(BoughtSold, &QCheckBox::toggled, this,
            [this](bool on) { indicatorToggled(on, &TGraphChart::Markers); });
    connect(Std1, &QCheckBox::toggled, this, [this](bool on) {
        if (on && m_built)
            paintOver(m_chart.Band(1));
        else
            FullDrawing();
    });
    connect(std2, &QCheckBox::toggled, this, [this](bool on) {
        if (on && m_built)
            paintOver(m_chart.Band(2));
        else
            FullDrawing();
    });
    connect(HighLow, &QCheckBox::clicked, this, &TGraphForm::FullDrawing);

    g_openCharts.append(this);
}

TGraphForm::~TGraphForm()
{
    WindowListRemove(this);
    g_openCharts.removeAll(this);
    g_openCharts.removeAll(nullptr);
}

TChartShow TGraphForm::shown() const
{
    TChartShow s;
    s.HighLow = HighLow->isChecked();
    s.MovingAverage = Moving->isChecked();
    s.HighestLowest = Highest->isChecked();
    s.Std1 = Std1->isChecked();
    s.Std2 = std2->isChecked();
    s.BoughtSold = BoughtSold->isChecked() && BoughtSold->isEnabled();
    return s;
}

void TGraphForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    WindowListAdd(this);
    m_chart.OpenFiles();
    buildChart();
}

void TGraphForm::buildChart()
{
    TStatusTalk talk(this, kAppTitle, QStringLiteral("Please Wait, Creating Graph"));
    if (talk.form())
        talk.form()->setAnimationActive(true);
    const TGraphSettings g = GetGraphSettings();
    if (!g.DontRememberSize) {
        // A size saved by another screen, or damaged, must still give a
        // window that fits and can be used.
        QSize size(g.Width, g.Height);
        size = size.expandedTo(QSize(320, 240));
        if (const QScreen *screen = this->screen())
            size = size.boundedTo(screen->availableGeometry().size());
        resize(size);
    }
    const QSignalBlocker b1(Std1), b2(std2), b3(Moving), b4(BoughtSold), b5(HighLow), b6(Highest);
    Std1->setChecked(g.Options & goStdDev1);
    std2->setChecked(g.Options & goStdDev2);
    Moving->setChecked(g.Options & goMovingAverages);
    BoughtSold->setChecked(g.Options & goBuySellPoints);
    HighLow->setChecked(g.Options & goHighLow);
    Highest->setChecked(g.Options & goHighestLowest);
    BoughtSold->setEnabled(!CurrentPortfolio.FileName.isEmpty());
    if (layout())
        layout()->activate();
    m_chart.Build(m_symbol, m_name, Image1->width(), Image1->height());
    m_built = true;
    syncScrollBar();
    ZoomInBtn->setEnabled(true);
    ZoomOutBtn->setEnabled(true);
    FullDrawing();
}

void TGraphForm::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_chart.CloseFiles();
    WindowListRemove(this);
}

void TGraphForm::closeEvent(QCloseEvent *event)
{
    TGraphSettings g = GetGraphSettings();
    if (!g.DontRememberSize) {
        g.Width = uint16_t(std::clamp(width(), 0, 65535));
        g.Height = uint16_t(std::clamp(height(), 0, 65535));
        SetGraphSettings(g);
    }
    m_chart.CloseFiles();
    WindowListRemove(this);
    event->accept();
}

void TGraphForm::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !m_built)
        return;
    // The files are open only while the window is active, so a purge or an
    // edit elsewhere is never hidden from the chart.
    if (isActiveWindow()) {
        const TGraphView before = m_chart.view();
        m_chart.OpenFiles();
        const TGraphView &now = m_chart.view();
        if (now.Start != before.Start || now.End != before.End || now.N != before.N)
            FullDrawing();
    } else
        m_chart.CloseFiles();
}

void TGraphForm::imageResized()
{
    if (!m_built)
        return;
    m_chart.Relayout(Image1->width(), Image1->height());
    FullDrawing();
}

void TGraphForm::FullDrawing()
{
    if (!m_built)
        return;
    m_image = QImage(std::max(1, Image1->width()), std::max(1, Image1->height()), QImage::Format_RGB32);
    m_image.fill(Qt::white);
    PaintDrawList(m_image, m_chart.Draw(shown()), m_chart.settings().FontName);
    // Reopening the files may have started a fresh view (the history changed).
    syncScrollBar();
    m_cursorX = -1;
    Image1->update();
}

void TGraphForm::paintOver(const TDrawList &list)
{
    if (m_image.isNull())
        return;
    PaintDrawList(m_image, list, m_chart.settings().FontName);
    Image1->update();
}

void TGraphForm::indicatorToggled(bool checked, TDrawList (TGraphChart::*layer)())
{
    if (!m_built)
        return;
    if (checked && !(layer == &TGraphChart::Markers && !BoughtSold->isEnabled()))
        paintOver(m_chart.HasRecords() ? (m_chart.*layer)() : TDrawList{});
    else
        FullDrawing();
}

void TGraphForm::syncScrollBar()
{
    const TScrollBarState &s = m_chart.scrollBar();
    const QSignalBlocker block(ScrollBar1);
    ScrollBar1->setEnabled(s.Enabled);
    if (s.Enabled) {
        ScrollBar1->setRange(s.Min, s.Max);
        ScrollBar1->setSingleStep(s.SmallChange);
        ScrollBar1->setPageStep(s.LargeChange);
        ScrollBar1->setValue(s.Position);
    }
}

void TGraphForm::ScrollBar1Change(int position)
{
    m_chart.ScrollTo(position);
    FullDrawing();
}

void TGraphForm::enableZoomInWhenPossible()
{
    if (m_chart.view().N - 10 >= 5)
        ZoomInBtn->setEnabled(true);
}

void TGraphForm::ZoomInBtnClick()
{
    if (!m_chart.ZoomIn()) {
        ZoomInBtn->setEnabled(false);
        return;
    }
    ZoomOutBtn->setEnabled(true);
    syncScrollBar();
    FullDrawing();
}

void TGraphForm::ZoomOutBtnClick()
{
    if (!m_chart.ZoomOut()) {
        ZoomOutBtn->setEnabled(false);
        return;
    }
    enableZoomInWhenPossible();
    syncScrollBar();
    FullDrawing();
}

void TGraphForm::MaxBtnClick()
{
    m_chart.ShowMaximum();
    ZoomOutBtn->setEnabled(false);
    enableZoomInWhenPossible();
    syncScrollBar();
    FullDrawing();
}

void TGraphForm::DefaultBtnClick()
{
    m_chart.ResetToDefault();
    enableZoomInWhenPossible();
    syncScrollBar();
    FullDrawing();
}

void TGraphForm::OverlayBtnClick()
{
    auto *dialog = new TOverlayForm(this);
    const int result = ExecModal(dialog);
    if (result == QDialog::Accepted)
        m_chart.SetOverlay(dialog->symbol(), dialog->name());
    else
        m_chart.ClearOverlay();
    delete dialog;
    FullDrawing();
}

void TGraphForm::CopyBtnClick()
{
    QApplication::clipboard()->setImage(m_image);
}

void TGraphForm::PrintBtnClick()
{
    QPrinter *printer = AppPrinter();
    printer->setCopyCount(1);
    auto *dialog = new QPrintDialog(printer, this);
    dialog->setOption(QAbstractPrintDialog::PrintSelection, true);
    dialog->setPrintRange(QAbstractPrintDialog::Selection);
    const int result = ExecModal(dialog);
    delete dialog;
    if (result != QDialog::Accepted)
        return;
    printer->setDocName(kAppTitle);
    const QPixmap client = grab();
    QPainter painter;
    if (!painter.begin(printer))
        return;
    // The client area, as large as the page allows, keeping its shape.
    const QRect page = painter.viewport();
    QSize size = client.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRect(page.topLeft(), size), client);
    painter.end();
}

// ---- mouse ------------------------------------------------------------------

QStringList TGraphForm::panelTexts() const
{
    QStringList out;
    for (QLabel *l : Panels)
        out << l->text();
    return out;
}

void TGraphForm::readOut(int x)
{
    TReadOut r;
    if (!m_chart.ReadOut(x, r))
        return;
    Panels[0]->setText(r.Date);
    Panels[1]->setText(r.High);
    Panels[2]->setText(r.Low);
    Panels[3]->setText(r.Close);
    Panels[4]->setText(r.Volume);
}

void TGraphForm::eraseCursor()
{
    if (m_cursorX < 0)
        return;
    paintOver(m_chart.CursorLine(m_cursorX));
    m_cursorX = -1;
}

void TGraphForm::Image1MouseDown(Qt::MouseButton button, QPoint pos)
{
    if (!m_built)
        return;
    eraseCursor();
    m_hasAnchor = false;
    if (button != Qt::LeftButton || pos.x() <= m_chart.view().Layout.LeftMargin || !m_chart.HasRecords())
        return;
    m_hasAnchor = true;
    m_anchor = m_corner = pos;
    readOut(pos.x());
    paintOver(m_chart.CursorLine(pos.x()));
    m_cursorX = pos.x();
}

void TGraphForm::Image1MouseMove(Qt::MouseButtons buttons, QPoint pos)
{
    const int margin = m_chart.view().Layout.LeftMargin;
    if (!m_built || !(buttons & Qt::LeftButton) || !m_hasAnchor || pos.x() <= margin ||
        m_anchor.x() <= margin)
        return;
    m_dragging = true;
    eraseCursor();
    if (m_corner.x() != m_anchor.x() && m_corner.y() != m_anchor.y())
        paintOver(m_chart.ZoomRect(m_anchor, m_corner));
    paintOver(m_chart.ZoomRect(m_anchor, pos));
    readOut(pos.x());
    m_corner = pos;
}

void TGraphForm::Image1MouseUp(Qt::MouseButton, QPoint)
{
    if (!m_dragging)
        return;
    if (m_corner.x() != m_anchor.x() && m_corner.y() != m_anchor.y())
        paintOver(m_chart.ZoomRect(m_anchor, m_corner));
    m_dragging = false;
    if (m_chart.ZoomToRange(m_anchor.x(), m_corner.x())) {
        syncScrollBar();
        FullDrawing();
    }
    ZoomOutBtn->setEnabled(true);
}

// ---------------------------------------------------------------------------

TGraphForm *OpenGraphForm(QWidget *owner, const QString &symbol, const QString &name)
{
    const QString caption = TGraphForm::captionFor(symbol, name);
    TGraphForm *form = qobject_cast<TGraphForm *>(WindowListFind(caption));
    if (!form) {
        // Without a window list (tests, early start) the open charts are
        // still one per caption.
        for (const QPointer<TGraphForm> &open : g_openCharts)
            if (open && open->windowTitle() == caption) {
                form = open;
                break;
            }
    }
    if (!form)
        form = new TGraphForm(symbol, name, owner);
    BringWindowForward(form);
    return form;
}
