#pragma once
// "Run Watch": runs every screening function over the watch list and shows
// the passing pairs, each line in its function's colour. One instance, made
// on first use and kept until the program ends; closing hides it.

#include <QTextCursor>
#include <QWidget>
#include <vector>

class QLabel;
class QPushButton;
class QStatusBar;
class QTextEdit;
struct TListRecord;

class TRunWatchForm : public QWidget
{
    Q_OBJECT
public:
    explicit TRunWatchForm(QWidget *parent = nullptr);
    ~TRunWatchForm() override;

    // Enables "&Run" when Scan.dat holds a function, "&Print" and "&Copy"
    // when the text holds a line.
    void UpdateButtons();
    bool running() const { return m_running; }
    QString statusPanelText(int panel) const;
    // The line action on line `line` of the text (0 = "Watch Results").
    void LineAction(int line);

    QTextEdit *Memo1 = nullptr;
    QPushButton *PrintBtn = nullptr, *CopyBtn = nullptr, *RunBtn = nullptr, *CloseBtn = nullptr;
    QStatusBar *StatusBar1 = nullptr;

public slots:
    void RunBtnClick();
    void PrintBtnClick();
    void CopyBtnClick();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class TRunWatchSink;
    struct TLineTarget
    {
        QString name, symbol;
    };
    void addLine(const QString &text, uint32_t color, const TLineTarget &target);
    void openSummary(const struct TSummaryRequest &request);
    void openGraph(const QString &name, const QString &symbol);

    QLabel *m_panel[2] = {};
    std::vector<TLineTarget> m_targets; // by line of the text
    bool m_running = false;
    // Where a run writes; the run is one edit block, laid out once at its end.
    QTextCursor m_cursor;
};

// The program's run-watch window, nullptr until first used.
extern TRunWatchForm *RunWatchForm;
// Makes the window on first use (owned by `owner`, released with it) and shows it.
TRunWatchForm *ShowRunWatchForm(QWidget *owner);
// Creates, shows and runs, as "&Run" does: the start after a data conversion.
void StartWatchRun(QWidget *owner);
