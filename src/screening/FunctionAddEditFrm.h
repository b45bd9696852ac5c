#pragma once
// The function dialog: one screening function's description, colour and five
// condition rows, for add, edit and delete.

#include "screening/FunctionEdit.h"

#include <QDialog>
#include <QFrame>
#include <functional>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The colour square: a double click asks for another colour.
class TFunctionColorSquare : public QFrame
{
    Q_OBJECT
public:
    using QFrame::QFrame;
    uint32_t color() const { return m_color; }
    void setColor(uint32_t color); // 0x00BBGGRR

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    uint32_t m_color = 0;
};

class TFunctionAddEditForm : public QDialog
{
    Q_OBJECT
public:
    enum TMode { AddMode, EditMode, DeleteMode };
    explicit TFunctionAddEditForm(TMode mode, QWidget *parent = nullptr);

    void setTexts(const TFunctionTexts &texts);
    TFunctionTexts texts() const;

    // Called on "&Save" after the checks passed, with the built function;
    // returns the error text when it could not be stored (the dialog then
    // stays open), empty to close with OK.
    std::function<QString(TFunctionRecord &)> store;

    // The expression edit "&Functions" and "&Fields" insert into (nullptr
    // before any was entered).
    QPlainTextEdit *insertTarget() const { return m_target; }

    QLineEdit *Description = nullptr;
    TFunctionColorSquare *ColorCode = nullptr;
    QPlainTextEdit *Expressions[2 * kConditionRows] = {}; // Function11, Function21, Function12, …
    QComboBox *Equal[kConditionRows] = {};
    QComboBox *AndOr[kConditionRows] = {}; // [0] unused
    QPushButton *FunctionsBtn = nullptr, *Fields = nullptr, *SaveBtn = nullptr, *DeleteBtn = nullptr,
                *CancelBtn = nullptr;

public slots:
    void SaveBtnClick();
    void FunctionsBtnClick();
    void FieldsBtnClick();
    void ColorCodeDblClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void insertPicked(int kind);

    TMode m_mode;
    QPlainTextEdit *m_target = nullptr;
};
