#pragma once
// The portfolio dialog for add, edit and delete: file name, password with
// its verification, name, note file and broker web site. "&Save" checks the
// fields and stays open on a failure.

#include "portfolio/PortfolioAccess.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class TWatchDatabase;

class TPortListAddEditForm : public QDialog
{
    Q_OBJECT
public:
    explicit TPortListAddEditForm(QWidget *parent = nullptr);

    // The open list, asked whether another entry uses a new file name.
    void setList(TWatchDatabase *list, const QString &editingName);
    void setInput(const TPortfolioInput &input);
    TPortfolioInput input() const;
    void setDeleteMode();

    void SaveBtnClick();
    void PasswordEditChange();
    void BrowseBtnClick();

    QLineEdit *FileNameEdit = nullptr;
    QLineEdit *PasswordEdit = nullptr;
    QLineEdit *VerifyEdit = nullptr;
    QLineEdit *NameEdit = nullptr;
    QLineEdit *NoteFileEdit = nullptr;
    QToolButton *BrowseBtn = nullptr;
    QLineEdit *WebSiteEdit = nullptr;
    QCheckBox *DeleteNoteCheck = nullptr;
    QPushButton *SaveBtn = nullptr;
    QPushButton *DeleteBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

private:
    TWatchDatabase *m_list = nullptr;
    QString m_editingName;
    int32_t m_securityCode = 0;
};
