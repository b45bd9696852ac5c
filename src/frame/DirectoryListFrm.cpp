#include "frame/DirectoryListFrm.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

TDirectoryForm::TDirectoryForm(const QString &purpose, const QString &startFolder, QWidget *parent)
    : QDialog(parent), m_model(new QFileSystemModel(this))
{
    setObjectName(QStringLiteral("DirectoryForm"));
    setWindowTitle(QStringLiteral("Browse For Folder"));
    resize(382, 321);

    auto *label = new QLabel(QStringLiteral("Select A Folder For:"), this);
    PurposeLabel = new QLabel(purpose, this);
    PurposeLabel->setObjectName(QStringLiteral("PurposeLabel"));
    QFont bold = PurposeLabel->font();
    bold.setBold(true);
    PurposeLabel->setFont(bold);

    // The drive list becomes the list of mounted volumes (the root alone
    // where none can be listed).
    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            roots << volume.rootPath();
    if (!roots.contains(QDir::rootPath()))
        roots.prepend(QDir::rootPath());
    std::sort(roots.begin(), roots.end());
    DriveComboBox1->addItems(roots);

    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QDir::rootPath());
    DirectoryListBox1 = new QTreeView(this);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        DirectoryListBox1->hideColumn(c);
    DirectoryListBox1->header()->hide();

    OKBtn = new QPushButton(QStringLiteral("&OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto *top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(PurposeLabel, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto *main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(DriveComboBox1);
    main->addWidget(DirectoryListBox1, 1);
    main->addLayout(buttons);

    connect(DriveComboBox1, &QComboBox::currentTextChanged, this, &TDirectoryForm::setRoot);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    // The volume holding the start folder, then the folder itself.
    QString volume = QDir::rootPath();
    for (const QString &root : roots)
        if (startFolder.startsWith(root) && root.size() > volume.size())
            volume = root;
    DriveComboBox1->setCurrentText(volume);
    setRoot(volume);
    selectFolder(startFolder);
}

void TDirectoryForm::setRoot(const QString &root)
{
    DirectoryListBox1->setRootIndex(
        m_model->index(QDir(root).absolutePath() == QDir::rootPath() ? QString() : root));
    DirectoryListBox1->setCurrentIndex(m_model->index(root));
}

void TDirectoryForm::selectFolder(const QString &folder)
{
    const QModelIndex index = m_model->index(folder);
    if (!index.isValid())
        return;
    DirectoryListBox1->setCurrentIndex(index);
    DirectoryListBox1->scrollTo(index);
}

QString TDirectoryForm::selectedFolder() const
{
    const QModelIndex index = DirectoryListBox1->currentIndex();
    return index.isValid() ? m_model->filePath(index) : DriveComboBox1->currentText();
}
