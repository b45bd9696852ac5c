#pragma once
// "Select Overlay": picks the security laid over the chart from the watch
// list, showing each entry under the name the symbol file gives it.

#include <QDialog>
#include <functional>
#include <memory>

class QListWidget;
class QPushButton;
class TWatchDatabase;

// Where the dialog finds Watch.sbl. The stock data window keeps the file open
// for the program's life and hands it out here; while nothing is installed
// (or the source gives nullptr) the dialog opens WatchListPath() itself.
using TWatchListSource = std::function<TWatchDatabase *()>;
void SetOverlayWatchListSource(TWatchListSource source);

class TOverlayForm : public QDialog
{
    Q_OBJECT
public:
    explicit TOverlayForm(QWidget *parent = nullptr);
    ~TOverlayForm() override;

    // The chosen entry after OK.
    QString symbol() const { return m_symbol; }
    QString name() const { return m_name; }

    QListWidget *ListBox1 = nullptr;
    QPushButton *OverlayBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

public slots:
    void OverlayBtnClick();

private:
    TWatchDatabase *watchList();

    std::unique_ptr<TWatchDatabase> m_own;
    QString m_symbol, m_name;
};
