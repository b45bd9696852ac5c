#include "frame/FixedLayoutUi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QWidget>

#include <algorithm>
#include <cmath>

QPushButton *PlaceButton(QWidget *parent, const QString &caption, const char *name, const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}

namespace {

// A widget that holds controls placed by hand: the window itself, a group
// box, a plain panel or frame, or a page of a tab widget. The insides of
// other widgets (a spin box's editor, a tab widget's bar, a scroll area's
// viewport) are arranged by their owner, which follows its own size.
bool placesByHand(const QWidget *parent, const QWidget *window)
{
    if (parent->layout())
        return false;
    if (parent == window || qobject_cast<const QGroupBox *>(parent))
        return true;
    const QMetaObject *kind = parent->metaObject();
    return kind == &QWidget::staticMetaObject || kind == &QFrame::staticMetaObject;
}

bool placedByHand(const QWidget *w, const QWidget *window)
{
    return !w->isWindow() && w->parentWidget() && placesByHand(w->parentWidget(), window);
}

// A control placed by hand that is shown with the window.
bool fixedControl(const QWidget *w, const QWidget *window)
{
    return placedByHand(w, window) && w->isVisibleTo(window);
}

QString shownText(QString text)
{
    // The underlined accelerator letter takes no room of its own.
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return text;
}

// What the text of the control needs, or 0 for a control without one.
int textNeed(QWidget *w, QString *text)
{
    const QFontMetrics fm(w->font());
    if (auto *l = qobject_cast<QLabel *>(w)) {
        if (l->wordWrap() || l->text().isEmpty() || l->textFormat() == Qt::RichText || !l->pixmap().isNull())
            return 0;
        *text = l->text();
        const QMargins m = l->contentsMargins();
        return fm.horizontalAdvance(shownText(*text)) + m.left() + m.right() + 2 * l->margin();
    }
    if (qobject_cast<QCheckBox *>(w) || qobject_cast<QRadioButton *>(w)) {
        *text = static_cast<QAbstractButton *>(w)->text();
        return text->isEmpty() ? 0 : w->sizeHint().width();
    }
    if (auto *b = qobject_cast<QPushButton *>(w)) {
        // The style's size hint has a floor of its own for push buttons;
        // only the text and the bevel around it count here.
        *text = b->text();
        if (text->isEmpty())
            return 0;
        constexpr int kBevel = 6;
        return fm.horizontalAdvance(shownText(*text)) + kBevel;
    }
    if (auto *c = qobject_cast<QComboBox *>(w)) {
        if (c->count() == 0 || c->isEditable())
            return 0;
        int widest = 0;
        for (int i = 0; i < c->count(); ++i)
            if (fm.horizontalAdvance(c->itemText(i)) > widest) {
                widest = fm.horizontalAdvance(c->itemText(i));
                *text = c->itemText(i);
            }
        // Frame, inner margin and the drop-down arrow of the styles Qt ships.
        const int arrow = w->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w);
        return widest + arrow + 12;
    }
    if (auto *g = qobject_cast<QGroupBox *>(w)) {
        *text = g->title();
        return text->isEmpty() ? 0 : fm.horizontalAdvance(shownText(*text)) + 16;
    }
    return 0;
}

// The width up to the next shown control on the same row, or the control's
// own width when nothing stands to its right inside it.
int roomOf(QWidget *w, QWidget *window)
{
    int room = w->width();
    const QRect r = w->geometry();
    for (QObject *o : w->parentWidget()->children()) {
        auto *s = qobject_cast<QWidget *>(o);
        if (!s || s == w || !fixedControl(s, window))
            continue;
        const QRect q = s->geometry();
        if (q.x() > r.x() && q.top() <= r.bottom() && q.bottom() >= r.top())
            room = std::min(room, q.x() - r.x());
    }
    return room;
}

} // namespace

QList<TCutText> CutTexts(QWidget *window)
{
    QList<TCutText> out;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!fixedControl(w, window))
            continue;
        QString text;
        const int need = textNeed(w, &text);
        if (need == 0)
            continue;
        // A glyph's advance carries a little blank after its ink; text that
        // runs over by that much still reads whole.
        constexpr int kSlack = 3;
        const int room = roomOf(w, window);
        if (need > room + kSlack)
            out.append({w, text, need, room});
    }
    return out;
}

double WidenToFitTexts(QWidget *window, double most)
{
    double factor = 1;
    for (const TCutText &cut : CutTexts(window))
        factor = std::max(factor, double(cut.Need) / std::max(1, cut.Room));
    if (factor <= 1)
        return 1;
    factor = std::min(factor, most);
    if (QScreen *screen = window->screen() ? window->screen() : QApplication::primaryScreen())
        factor =
            std::min(factor, std::max(1.0, double(screen->availableGeometry().width()) / window->width()));
    if (factor <= 1)
        return 1;

    const auto scaled = [factor](int v) { return int(std::lround(v * factor)); };
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!placedByHand(w, window))
            continue;
        const QRect r = w->geometry();
        w->setGeometry(scaled(r.x()), r.y(), scaled(r.right() + 1) - scaled(r.x()), r.height());
        // A grid's designed columns grow with it, so the rows still line up
        // with whatever was placed under them.
        if (auto *table = qobject_cast<QTableView *>(w)) {
            QHeaderView *header = table->horizontalHeader();
            if (!header->stretchLastSection())
                for (int c = 0; c < header->count(); ++c)
                    if (header->sectionResizeMode(c) != QHeaderView::Stretch &&
                        header->sectionResizeMode(c) != QHeaderView::ResizeToContents)
                        header->resizeSection(c, scaled(header->sectionSize(c)));
        }
    }
    const int width = scaled(window->width());
    if (window->minimumWidth() == window->maximumWidth())
        window->setFixedWidth(width);
    else
        window->resize(width, window->height());
    return factor;
}

namespace {

class TTextFitting : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Show comes before the window is mapped, so it appears at its final
        // width; a window shown again (after a hide or a minimise) already fits.
        if (event->type() == QEvent::Show && !event->spontaneous() && watched->isWidgetType()) {
            auto *w = static_cast<QWidget *>(watched);
            if (w->isWindow())
                WidenToFitTexts(w);
        }
        return false;
    }
};

} // namespace

void InstallTextFitting()
{
    static TTextFitting *fitting = nullptr;
    if (fitting || !qApp)
        return;
    fitting = new TTextFitting(qApp);
    qApp->installEventFilter(fitting);
}
