#include "frame/StatusFrm.h"

#include "frame/Messages.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

TStatusForm::TStatusForm(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("StatusForm"));
    setWindowTitle(kAppTitle);
    setFixedSize(397, 150);
    Animate1 = new QProgressBar(this);
    Animate1->setObjectName(QStringLiteral("Animate1"));
    Animate1->setGeometry((397 - 272) / 2, 8, 272, 20);
    Animate1->setTextVisible(false);
    Animate1->setRange(0, 1);
    Animate1->setValue(0);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(6, 76, 385, 57);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(13);
    Label1->setFont(f);
    if (QScreen *s = QApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

void TStatusForm::setMessage(const QString &message)
{
    Label1->setText(message);
    Label1->repaint();
}

QString TStatusForm::message() const
{
    return Label1->text();
}

void TStatusForm::setAnimationActive(bool active)
{
    // A range of 0..0 makes the bar run as a busy indicator.
    Animate1->setRange(0, active ? 0 : 1);
}

void TStatusForm::setAnimationVisible(bool visible)
{
    Animate1->setVisible(visible);
}

void TStatusForm::setMessageFontSize(int points)
{
    QFont f = Label1->font();
    f.setPointSize(points);
    Label1->setFont(f);
}

TStatusTalk::TStatusTalk(QWidget *owner, const QString &caption, const QString &firstMessage)
    : m_form(new TStatusForm(owner))
{
    m_form->setWindowTitle(caption);
    m_form->setAnimationActive(true);
    m_form->setMessage(firstMessage);
    m_form->show();
    m_form->repaint();
}

TStatusTalk::~TStatusTalk()
{
    m_form->close();
    delete m_form;
}

void TStatusTalk::progress(const QString &message)
{
    if (m_form->isHidden())
        m_form->show();
    m_form->setMessage(message);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TStatusTalk::error(const QString &text)
{
    m_form->hide();
    TRunTalk::error(text);
}

void TStatusTalk::information(const QString &text)
{
    m_form->hide();
    TRunTalk::information(text);
}
