#include "chart/Overlayfrm.h"

#include "frame/StdUnitFiles.h"
#include "records/SblBase.h"
#include "records/WatchBase.h"
#include "securities/SymbolLookup.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
TWatchListSource g_source;
}

void SetOverlayWatchListSource(TWatchListSource source)
{
    g_source = std::move(source);
}

TOverlayForm::TOverlayForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OverlayForm"));
    setWindowTitle(QStringLiteral("Select Overlay"));
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    OverlayBtn = new QPushButton(QStringLiteral("&Overlay"), this);
    OverlayBtn->setObjectName(QStringLiteral("OverlayBtn"));
    OverlayBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OverlayBtn);
    buttons->addWidget(CancelBtn);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ListBox1);
    layout->addLayout(buttons);
    resize(320, 300);
    connect(OverlayBtn, &QPushButton::clicked, this, &TOverlayForm::OverlayBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TOverlayForm::OverlayBtnClick);

    TWatchDatabase *list = watchList();
    if (list) {
        // One open symbol file for the whole list: thousands of entries
        // must not mean thousands of opens. Read-only, so a missing symbol
        // file is not created here.
        TSymbolDataBase symbols(GetFolders().Symbol + QStringLiteral("Stocks.sbl"), TOpenMode::ReadOnly);
        QStringList names;
        TListRecord rec;
        for (int i = 0; i < list->RecordCount(); ++i) {
            list->ReadAt(rec, i);
            const QString name = SymbolName(symbols, rec.FileName.text()).Name;
            if (name != rec.Name.text() && list->IsWritable()) {
                rec.Name = name;
                list->WriteCurrent(rec);
            }
            names << name;
        }
        ListBox1->addItems(names);
    }
    if (ListBox1->count() > 0)
        ListBox1->setCurrentRow(0);
    OverlayBtn->setEnabled(ListBox1->count() > 0);
}

TOverlayForm::~TOverlayForm() = default;

TWatchDatabase *TOverlayForm::watchList()
{
    if (g_source)
        if (TWatchDatabase *file = g_source())
            return file;
    if (m_own)
        return m_own.get();
    // Opening a list that does not exist would create it: an empty list is
    // simply empty.
    const QString path = WatchListPath();
    if (!QFile::exists(path))
        return nullptr;
    m_own = std::make_unique<TWatchDatabase>(path);
    return m_own->IsOpen() ? m_own.get() : nullptr;
}

void TOverlayForm::OverlayBtnClick()
{
    const int row = ListBox1->currentRow();
    TWatchDatabase *list = watchList();
    if (row < 0 || !list || row >= list->RecordCount())
        return;
    TListRecord rec;
    list->ReadAt(rec, row);
    m_symbol = rec.FileName.text();
    m_name = rec.Name.text();
    accept();
}
