#pragma once
// The date box of every window: a masked edit for "MM/DD/YYYY" with the
// small calendar button beside it. Its text reads the way the program's date
// boxes have always read, with blanks for the positions not typed:
// "12/31/1999", "1 /5 /2001" part-typed, "  /  /    " when empty. (The line
// edit's own text() drops unfilled positions, so read the box, not the edit.)

#include <QDate>
#include <QString>
#include <QWidget>

class QLineEdit;
class QToolButton;

class TDateBox : public QWidget
{
    Q_OBJECT

public:
    // The button is named `buttonName` (e.g. "DateBtn") so that window tests
    // find it as the description of each window names it.
    explicit TDateBox(QWidget *parent = nullptr, const QString &buttonName = QString());
    ~TDateBox() override;

    QString text() const;
    // Digits go into the mask's places; blanks leave places empty.
    void setText(const QString &text);
    // The date the text reads as (invalid when it is not a date).
    QDate date() const;
    void setDate(const QDate &date);

    QLineEdit *edit() const { return m_edit; }
    QToolButton *button() const { return m_button; }

public slots:
    // The calendar button: the calendar dialog starts at the box's date and
    // its date replaces the text. A text that is not a date is refused with
    // a message and kept.
    void pickDate();

signals:
    void textChanged(const QString &text);
    void editingFinished();

private:
    QLineEdit *m_edit;
    QToolButton *m_button;
};
