#pragma once
// The folder dialog of the settings: a list of the mounted volumes and the
// folder tree of the one chosen. It never changes the working folder.

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QPushButton;
class QTreeView;

class TDirectoryForm : public QDialog
{
    Q_OBJECT
public:
    // Opens at `startFolder` (see FolderDialogStart).
    TDirectoryForm(const QString &purpose, const QString &startFolder, QWidget *parent = nullptr);

    QString selectedFolder() const;
    void selectFolder(const QString &folder);

    QLabel *PurposeLabel = nullptr;
    QComboBox *DriveComboBox1 = nullptr;
    QTreeView *DirectoryListBox1 = nullptr;
    QPushButton *OKBtn = nullptr, *CancelBtn = nullptr;

private:
    void setRoot(const QString &root);
    QFileSystemModel *m_model;
};
