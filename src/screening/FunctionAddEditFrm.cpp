#include "screening/FunctionAddEditFrm.h"

#include "frame/Messages.h"
#include "frame/ModalUi.h"
#include "screening/FunctionsFieldsFrm.h"
#include "screening/StdUnitExpr.h"

#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include <memory>

namespace {

QColor toQColor(uint32_t c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

uint32_t fromQColor(const QColor &c)
{
    return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

// Keeps an edit to what the record can store, whatever way the text came in
// (typing, pasting, inserting from the picker): what does not fit of the new
// characters is refused, the text already there stays whole.
void limitText(QPlainTextEdit *edit, int limit)
{
    auto previous = std::make_shared<QString>(edit->toPlainText());
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, limit, previous] {
        const QString text = edit->toPlainText();
        int caret = 0;
        const QString kept = FitEditedText(*previous, text, limit, caret);
        *previous = kept;
        if (kept == text)
            return;
        const QSignalBlocker blocker(edit);
        edit->setPlainText(kept);
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(caret);
        edit->setTextCursor(cursor);
    });
}

void limitText(QLineEdit *edit, int limit)
{
    // No maximum length on the edit itself: it would cut a paste before the
    // characters that cannot be stored are taken out.
    auto previous = std::make_shared<QString>(edit->text());
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, limit, previous](const QString &text) {
        int caret = 0;
        const QString kept = FitEditedText(*previous, text, limit, caret);
        *previous = kept;
        if (kept == text)
            return;
        const QSignalBlocker blocker(edit);
        edit->setText(kept);
        edit->setCursorPosition(caret);
    });
}

QComboBox *makeList(QWidget *parent, const QString &name, const QStringList &items, int x, int y, int w)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    box->setCurrentIndex(-1); // nothing chosen until the user chooses
    box->setGeometry(x, y, w, 24);
    return box;
}

void choose(QComboBox *box, const QString &text)
{
    box->setCurrentIndex(text.isEmpty() && box->findText(text) < 0 ? -1 : box->findText(text));
}

} // namespace

void TFunctionColorSquare::setColor(uint32_t color)
{
    m_color = color & 0x00FFFFFFu;
    setStyleSheet(
        QStringLiteral("background-color: %1; border: 1px solid black;").arg(toQColor(m_color).name()));
}

void TFunctionColorSquare::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier)
        emit doubleClicked();
}

TFunctionAddEditForm::TFunctionAddEditForm(TMode mode, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_mode(mode)
{
    setObjectName(QStringLiteral("FunctionAddEditForm"));
    setWindowTitle(mode == AddMode    ? QStringLiteral("Add Function")
                   : mode == EditMode ? QStringLiteral("Edit Function")
                                      : QStringLiteral("Delete Function"));
    setFixedSize(640, 470);

    auto *label = new QLabel(QStringLiteral("Description:"), this);
    label->setGeometry(12, 14, 80, 20);
    Description = new QLineEdit(this);
    Description->setObjectName(QStringLiteral("Description"));
    Description->setGeometry(92, 12, 300, 24);
    limitText(Description, kDescriptionLimit);
    label = new QLabel(QStringLiteral("Color:"), this);
    label->setGeometry(410, 14, 40, 20);
    ColorCode = new TFunctionColorSquare(this);
    ColorCode->setObjectName(QStringLiteral("ColorCode"));
    ColorCode->setGeometry(452, 12, 24, 24);
    ColorCode->setColor(0);

    auto *group = new QGroupBox(QStringLiteral("Selection Criteria"), this);
    group->setGeometry(8, 44, 624, 376);
    const QStringList comparisons = [] {
        QStringList l;
        for (const char *c : kComparisonOperators)
            l << QString::fromLatin1(c);
        return l;
    }();
    const QStringList logical = [] {
        QStringList l;
        for (const char *c : kLogicalOperators)
            l << QString::fromLatin1(c);
        return l;
    }();
    for (int row = 0; row < kConditionRows; ++row) {
        const int y = 24 + row * 70;
        if (row > 0) {
            // The fourth list has always been called Andor4.
            const QString name = row == 3 ? QStringLiteral("Andor4") : QStringLiteral("AndOr%1").arg(row + 1);
            AndOr[row] = makeList(group, name, logical, 8, y + 14, 60);
        }
        for (int side = 0; side < 2; ++side) {
            auto *edit = new QPlainTextEdit(group);
            edit->setObjectName(QStringLiteral("Function%1%2").arg(side + 1).arg(row + 1));
            edit->setGeometry(side == 0 ? 74 : 374, y, 240, 60);
            edit->setTabChangesFocus(true);
            limitText(edit, kExpressionLimit);
            edit->installEventFilter(this);
            Expressions[2 * row + side] = edit;
        }
        Equal[row] = makeList(group, QStringLiteral("Equal%1").arg(row + 1), comparisons, 318, y + 14, 52);
    }
    Description->installEventFilter(this);

    FunctionsBtn = new QPushButton(QStringLiteral("&Functions"), this);
    FunctionsBtn->setObjectName(QStringLiteral("FunctionsBtn"));
    FunctionsBtn->setGeometry(12, 432, 83, 25);
    Fields = new QPushButton(QStringLiteral("&Fields"), this);
    Fields->setObjectName(QStringLiteral("Fields"));
    Fields->setGeometry(102, 432, 83, 25);
    FunctionsBtn->setEnabled(false);
    Fields->setEnabled(false);
    SaveBtn = new QPushButton(QStringLiteral("&Save"), this);
    SaveBtn->setObjectName(QStringLiteral("SaveBtn"));
    SaveBtn->setGeometry(456, 432, 83, 25);
    SaveBtn->setDefault(true);
    DeleteBtn = new QPushButton(QStringLiteral("&Delete"), this);
    DeleteBtn->setObjectName(QStringLiteral("DeleteBtn"));
    DeleteBtn->setGeometry(456, 432, 83, 25);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(546, 432, 83, 25);

    if (mode == DeleteMode) {
        Description->setEnabled(false);
        for (QPlainTextEdit *e : Expressions)
            e->setEnabled(false);
        for (int row = 0; row < kConditionRows; ++row) {
            Equal[row]->setEnabled(false);
            if (AndOr[row])
                AndOr[row]->setEnabled(false);
        }
        FunctionsBtn->hide();
        Fields->hide();
        SaveBtn->hide();
        DeleteBtn->setDefault(true);
    } else {
        DeleteBtn->hide();
    }

    connect(SaveBtn, &QPushButton::clicked, this, &TFunctionAddEditForm::SaveBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(FunctionsBtn, &QPushButton::clicked, this, &TFunctionAddEditForm::FunctionsBtnClick);
    connect(Fields, &QPushButton::clicked, this, &TFunctionAddEditForm::FieldsBtnClick);
    connect(ColorCode, &TFunctionColorSquare::doubleClicked, this, &TFunctionAddEditForm::ColorCodeDblClick);
}

bool TFunctionAddEditForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == Description) {
            FunctionsBtn->setEnabled(false);
            Fields->setEnabled(false);
        } else if (auto *edit = qobject_cast<QPlainTextEdit *>(watched)) {
            m_target = edit;
            FunctionsBtn->setEnabled(true);
            Fields->setEnabled(true);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFunctionAddEditForm::setTexts(const TFunctionTexts &t)
{
    Description->setText(t.Description);
    ColorCode->setColor(t.Color);
    for (int i = 0; i < 2 * kConditionRows; ++i)
        Expressions[i]->setPlainText(t.Expressions[size_t(i)]);
    for (int row = 0; row < kConditionRows; ++row) {
        choose(Equal[row], t.Comparisons[size_t(row)]);
        if (AndOr[row])
            choose(AndOr[row], t.LogicalOperators[size_t(row)]);
    }
}

TFunctionTexts TFunctionAddEditForm::texts() const
{
    TFunctionTexts t;
    t.Description = Description->text();
    t.Color = ColorCode->color();
    for (int i = 0; i < 2 * kConditionRows; ++i)
        t.Expressions[size_t(i)] = Expressions[i]->toPlainText();
    for (int row = 0; row < kConditionRows; ++row) {
        t.Comparisons[size_t(row)] = Equal[row]->currentIndex() < 0 ? QString() : Equal[row]->currentText();
        if (AndOr[row])
            t.LogicalOperators[size_t(row)] =
                AndOr[row]->currentIndex() < 0 ? QString() : AndOr[row]->currentText();
    }
    return t;
}

void TFunctionAddEditForm::SaveBtnClick()
{
    const TFunctionTexts t = texts();
    const QString problem = CheckFunctionTexts(t);
    if (!problem.isEmpty()) {
        ShowError(problem);
        return;
    }
    if (store) {
        TFunctionRecord rec = BuildFunctionRecord(t);
        const QString error = store(rec);
        if (!error.isEmpty()) {
            ShowError(error);
            return;
        }
    }
    accept();
}

void TFunctionAddEditForm::insertPicked(int kind)
{
    if (!m_target)
        return;
    TFunctionsFieldsForm picker(TFunctionsFieldsForm::TKind(kind), this);
    if (ExecModal(&picker) != QDialog::Accepted)
        return;
    const QString text = picker.selectedText();
    if (text.isEmpty())
        return;
    m_target->textCursor().insertText(text); // replaces the selection
    m_target->setFocus();
}

void TFunctionAddEditForm::FunctionsBtnClick()
{
    insertPicked(TFunctionsFieldsForm::Functions);
}

void TFunctionAddEditForm::FieldsBtnClick()
{
    insertPicked(TFunctionsFieldsForm::Fields);
}

void TFunctionAddEditForm::ColorCodeDblClick()
{
    if (m_mode == DeleteMode || !Description->isEnabled())
        return;
    QColorDialog dialog(toQColor(ColorCode->color()), this);
    dialog.setObjectName(QStringLiteral("ColorDialog"));
    if (ExecModal(&dialog) == QDialog::Accepted)
        ColorCode->setColor(fromQColor(dialog.currentColor()));
}
