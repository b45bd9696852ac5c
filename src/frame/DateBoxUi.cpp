#include "frame/DateBoxUi.h"

#include "frame/InvalidDateFrm.h"
#include "frame/StdUnitDates.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

namespace {

const QChar kMaskBlank = QLatin1Char('_');

// A small calendar sheet: a red top band and a grid of days.
QIcon calendarGlyph()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 12);
    p.fillRect(2, 3, 12, 3, QColor(200, 30, 30));
    p.setPen(QColor(90, 90, 90));
    for (int y = 8; y <= 12; y += 2) {
        for (int x = 3; x <= 12; x += 3)
            p.drawPoint(x, y);
    }
    return QIcon(pixmap);
}

} // namespace

TDateBox::TDateBox(QWidget *parent, const QString &buttonName)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_button(new QToolButton(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_edit->setObjectName(QStringLiteral("DateEdit"));
    m_edit->setInputMask(QStringLiteral("00/00/0000;") + kMaskBlank);
    m_edit->setMinimumWidth(m_edit->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 12);
    m_button->setObjectName(buttonName.isEmpty() ? QStringLiteral("DateBtn") : buttonName);
    m_button->setIcon(calendarGlyph());
    m_button->setToolTip(tr("Pick the date from a calendar"));
    m_button->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);
    setFocusProxy(m_edit);
    connect(m_button, &QToolButton::clicked, this, &TDateBox::pickDate);
    connect(m_edit, &QLineEdit::textChanged, this, [this] { emit textChanged(text()); });
    connect(m_edit, &QLineEdit::editingFinished, this, &TDateBox::editingFinished);
}

TDateBox::~TDateBox()
{
    // The edit loses its focus while QWidget's destructor runs and reports
    // "editing finished" to a box that is no longer a TDateBox.
    m_edit->disconnect(this);
}

QString TDateBox::text() const
{
    QString shown = m_edit->displayText();
    shown.replace(kMaskBlank, QLatin1Char(' '));
    return shown;
}

void TDateBox::setText(const QString &text)
{
    m_edit->setText(text);
}

QDate TDateBox::date() const
{
    return ReadDisplayDate(text());
}

void TDateBox::setDate(const QDate &date)
{
    setText(date.isValid() ? DisplayDateText(date) : kEmptyDateBoxText);
}

void TDateBox::pickDate()
{
    setText(PickDate(window(), text()));
}
