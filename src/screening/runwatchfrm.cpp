#include "screening/runwatchfrm.h"

#include "frame/Messages.h"
#include "frame/ModalUi.h"
#include "frame/PrinterUi.h"
#include "frame/StdUnitLookups.h"
#include "frame/WindowListFrm.h"
#include "screening/WatchRun.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QVBoxLayout>

TRunWatchForm *RunWatchForm = nullptr;

namespace {

QColor toQColor(uint32_t c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

QPushButton *makeButton(QWidget *parent, const QString &caption, const char *name)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setFixedSize(75, 25);
    return b;
}

} // namespace

// Shows what the run reports. The status bar is repainted at most about 20
// times a second so that a long run spends its time screening; the last
// state is always shown.
class TRunWatchSink : public TWatchRunSink
{
public:
    explicit TRunWatchSink(TRunWatchForm &form) : m_form(form) { m_clock.start(); }

    void status(const QString &security, const QString &function) override
    {
        m_form.m_panel[0]->setText(security);
        m_form.m_panel[1]->setText(function);
        if (m_clock.elapsed() >= 50 || (security.isEmpty() && function.isEmpty())) {
            m_form.StatusBar1->repaint();
            m_clock.restart();
        }
    }
    void passLine(const TWatchPass &pass) override
    {
        const QString name = pass.Entry.Name.text();
        const QString symbol = pass.Entry.FileName.text();
        m_form.addLine(ResultLineText(name, symbol, pass.Description), pass.Color, {name, symbol});
    }
    void openStockForm(const TListRecord &entry) override { m_form.openSummary(SummaryRequestFor(entry)); }
    void openGraph(const TListRecord &entry) override
    {
        m_form.openGraph(entry.Name.text(), entry.FileName.text());
    }
    void error(const QString &text) override { ShowError(text); }

private:
    TRunWatchForm &m_form;
    QElapsedTimer m_clock;
};

TRunWatchForm::TRunWatchForm(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("RunWatchForm"));
    setWindowTitle(QStringLiteral("Run Watch"));
    resize(485, 263);
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    Memo1 = new QTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setUndoRedoEnabled(false);
    Memo1->setLineWrapMode(QTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->viewport()->setCursor(Qt::ArrowCursor);
    Memo1->viewport()->installEventFilter(this);
    Memo1->document()->setDefaultFont(small);

    auto *panel = new QWidget(this);
    auto *buttons = new QHBoxLayout(panel);
    buttons->setContentsMargins(6, 4, 6, 4);
    PrintBtn = makeButton(panel, QStringLiteral("&Print"), "PrintBtn");
    CopyBtn = makeButton(panel, QStringLiteral("&Copy"), "CopyBtn");
    RunBtn = makeButton(panel, QStringLiteral("&Run"), "RunBtn");
    CloseBtn = makeButton(panel, QStringLiteral("Close"), "CloseBtn");
    buttons->addWidget(PrintBtn);
    buttons->addWidget(CopyBtn);
    buttons->addStretch(1);
    buttons->addWidget(RunBtn);
    buttons->addWidget(CloseBtn);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    m_panel[0] = new QLabel(StatusBar1);
    m_panel[0]->setFixedWidth(240);
    m_panel[1] = new QLabel(StatusBar1);
    m_panel[1]->setMinimumWidth(50);
    StatusBar1->addWidget(m_panel[0]);
    StatusBar1->addWidget(m_panel[1], 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Memo1, 1);
    layout->addWidget(panel);
    layout->addWidget(StatusBar1);

    connect(RunBtn, &QPushButton::clicked, this, &TRunWatchForm::RunBtnClick);
    connect(PrintBtn, &QPushButton::clicked, this, &TRunWatchForm::PrintBtnClick);
    connect(CopyBtn, &QPushButton::clicked, this, &TRunWatchForm::CopyBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::hide);
    UpdateButtons();
}

TRunWatchForm::~TRunWatchForm()
{
    WindowListRemove(this);
    if (RunWatchForm == this)
        RunWatchForm = nullptr;
}

QString TRunWatchForm::statusPanelText(int panel) const
{
    return m_panel[panel == 0 ? 0 : 1]->text();
}

void TRunWatchForm::UpdateButtons()
{
    const bool idle = !m_running;
    RunBtn->setEnabled(idle && HasWatchFunctions());
    const bool lines = !Memo1->document()->isEmpty();
    PrintBtn->setEnabled(idle && lines);
    CopyBtn->setEnabled(idle && lines);
}

void TRunWatchForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    WindowListAdd(this);
    UpdateButtons();
}

void TRunWatchForm::hideEvent(QHideEvent *event)
{
    WindowListRemove(this);
    UpdateButtons();
    QWidget::hideEvent(event);
}

void TRunWatchForm::addLine(const QString &text, uint32_t color, const TLineTarget &target)
{
    m_cursor.movePosition(QTextCursor::End);
    m_cursor.insertBlock();
    QTextCharFormat format;
    format.setForeground(toQColor(color));
    format.setFontPointSize(8);
    // Inserted as plain text: names may hold "&" or "<".
    m_cursor.insertText(text, format);
    m_targets.push_back(target);
}

void TRunWatchForm::RunBtnClick()
{
    if (m_running)
        return;
    m_running = true;
    UpdateButtons();

    Memo1->clear();
    m_targets.clear();
    QTextDocument *doc = Memo1->document();
    m_cursor = QTextCursor(doc);
    m_cursor.beginEditBlock();
    QTextCursor &cursor = m_cursor;
    QTextBlockFormat block;
    const qreal dpi = Memo1->logicalDpiX();
    block.setTabPositions({QTextOption::Tab(165.0 * dpi / 72.0, QTextOption::LeftTab),
                           QTextOption::Tab(220.0 * dpi / 72.0, QTextOption::LeftTab)});
    cursor.setBlockFormat(block);
    QTextCharFormat title;
    title.setForeground(Qt::black);
    title.setFontPointSize(24);
    cursor.insertText(QStringLiteral("Watch Results"), title);
    QTextCharFormat normal;
    normal.setFontPointSize(8);
    cursor.insertBlock(block, normal);
    m_targets.resize(2);

    // Whatever way the run ends, the text is laid out and the buttons work again.
    const auto finish = qScopeGuard([this] {
        m_cursor.endEditBlock();
        m_running = false;
        UpdateButtons();
    });
    TRunWatchSink sink(*this);
    const TWatchRunResult result = RunWatch(sink, SharedWatchList());
    if (!result.stopped && result.lines == 0)
        addLine(kNoPassText, 0, {});
}

bool TRunWatchForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Memo1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && mouse->modifiers() == Qt::NoModifier) {
            QTextCursor cursor = Memo1->cursorForPosition(mouse->position().toPoint());
            cursor.select(QTextCursor::BlockUnderCursor);
            cursor.movePosition(QTextCursor::StartOfBlock);
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            Memo1->setTextCursor(cursor);
            LineAction(cursor.block().blockNumber());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TRunWatchForm::LineAction(int line)
{
    if (m_running || line < 0)
        return;
    QString name, symbol;
    if (size_t(line) < m_targets.size()) {
        // What the run stored for the line, so that a name holding a tab still
        // opens the right security; "Watch Results" and the empty line have none.
        name = m_targets[size_t(line)].name;
        symbol = m_targets[size_t(line)].symbol;
        if (symbol.isEmpty())
            return;
    } else if (!ParseResultLine(Memo1->document()->findBlockByNumber(line).text(), name, symbol)) {
        return;
    }
    openSummary(SummaryRequestFor(name, symbol, SharedWatchList()));
}

void TRunWatchForm::openSummary(const TSummaryRequest &request)
{
    if (QWidget *open = WindowListFind(request.Caption)) {
        BringWindowForward(open);
        return;
    }
    OpenWatchSummary(request);
}

void TRunWatchForm::openGraph(const QString &name, const QString &symbol)
{
    if (QWidget *open = WindowListFind(GraphCaption(name, symbol))) {
        BringWindowForward(open);
        return;
    }
    OpenWatchGraph(name, symbol);
}

void TRunWatchForm::PrintBtnClick()
{
    QPrinter *printer = AppPrinter();
    QPrintDialog dialog(printer, this);
    if (ExecModal(&dialog) != QDialog::Accepted)
        return;
    printer->setDocName(kAppTitle);
    Memo1->document()->print(printer);
    // The document prints without a word when the printer cannot start (a PDF
    // file that cannot be written, a printer gone); the user is told instead of
    // waiting for pages that never come.
    if (printer->printerState() == QPrinter::Error) {
        const QString target =
            printer->outputFileName().isEmpty() ? printer->printerName() : printer->outputFileName();
        ShowError(QStringLiteral("Error, Could Not Print To ") + target);
    }
}

void TRunWatchForm::CopyBtnClick()
{
    auto *data = new QMimeData;
    data->setHtml(Memo1->document()->toHtml());
    data->setText(Memo1->document()->toPlainText());
    QApplication::clipboard()->setMimeData(data);
    QTextCursor cursor = Memo1->textCursor();
    cursor.clearSelection();
    Memo1->setTextCursor(cursor);
}

TRunWatchForm *ShowRunWatchForm(QWidget *owner)
{
    if (!RunWatchForm) {
        // A start from a data run names no owner; the main window still owns
        // the window so that it is released when the program ends.
        if (!owner) {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (qobject_cast<QMainWindow *>(w)) {
                    owner = w;
                    break;
                }
            }
        }
        RunWatchForm = new TRunWatchForm(owner);
    }
    RunWatchForm->show();
    RunWatchForm->raise();
    return RunWatchForm;
}

void StartWatchRun(QWidget *owner)
{
    ShowRunWatchForm(owner)->RunBtnClick();
}
