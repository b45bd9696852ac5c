#pragma once
// The password dialog of a protected portfolio, and the access talk that the
// windows give the access checks: this dialog, the two wave files and boxes.

#include "portfolio/PortfolioAccess.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

class TPasswordForm : public QDialog
{
    Q_OBJECT
public:
    explicit TPasswordForm(QWidget *parent = nullptr);

    QLineEdit *PortfolioEdit = nullptr;
    QLineEdit *PasswordEdit = nullptr;
    QPushButton *LoginBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
};

class TAccessTalkUi : public TAccessTalk
{
public:
    explicit TAccessTalkUi(QWidget *owner) : m_owner(owner) {}
    void playSound(const QString &waveFile) override;
    bool askPassword(const QString &portfolioName, QString *typed) override;

private:
    QWidget *m_owner;
};
