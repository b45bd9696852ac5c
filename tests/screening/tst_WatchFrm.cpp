#include "TestEnv.h"

#include "frame/ModalUi.h"
#include "frame/PrinterUi.h"
#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "frame/WindowListFrm.h"
#include "records/Database.h"
#include "records/FunctionBase.h"
#include "records/WatchBase.h"
#include "screening/FunctionAddEditFrm.h"
#include "screening/FunctionsFieldsFrm.h"
#include "screening/WatchRun.h"
#include "screening/runwatchfrm.h"
#include "screening/scanfrm.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

namespace {

void makeFolders(const TTestEnv &env)
{
    for (const char *f : {"symbol", "watch", "notes", "data", "port"})
        QDir().mkpath(env.path(f));
}

QString scanPath()
{
    return GetFolders().Watch + "Scan.dat";
}

QStringList storedFunctions()
{
    TFunctionBase scan(scanPath(), TOpenMode::ReadOnly);
    QStringList out;
    TFunctionRecord r;
    for (int i = 0; i < scan.RecordCount(); ++i) {
        scan.ReadAt(r, i);
        out << r.Description.text() + ":" + r.Rows[0].Expression1.text();
    }
    return out;
}

void addFunction(const QString &description, uint32_t color, const QString &e1, const QString &cmp,
                 const QString &e2)
{
    TFunctionTexts t;
    t.Description = description;
    t.Color = color;
    t.Expressions[0] = e1;
    t.Comparisons[0] = cmp;
    t.Expressions[1] = e2;
    TFunctionBase scan(scanPath());
    TFunctionRecord r = BuildFunctionRecord(t);
    QVERIFY(scan.Insert(r));
}

void sendFocus(QWidget *w)
{
    QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
    QApplication::sendEvent(w, &in);
}

// Fills the function dialog's first row and presses "&Save"; the dialog's
// answer is what the script returns, so a refused save reports Rejected.
void scriptSave(const QString &description, const QString &e1, const QString &e2)
{
    QueueModalScript([=](QDialog *d) {
        d->findChild<QLineEdit *>("Description")->setText(description);
        d->findChild<QPlainTextEdit *>("Function11")->setPlainText(e1);
        d->findChild<QComboBox *>("Equal1")->setCurrentIndex(2); // ">"
        d->findChild<QPlainTextEdit *>("Function21")->setPlainText(e2);
        d->findChild<QPushButton *>("SaveBtn")->click();
        return d->result() == QDialog::Accepted ? int(QDialog::Accepted) : int(QDialog::Rejected);
    });
}

void writeCloses(const QString &symbol, int n)
{
    TDataBase db(GetFolders().Data + symbol + ".stk");
    QDate day(2020, 1, 1);
    for (int i = 1; i <= n; ++i) {
        TPriceRecord r;
        r.Date = day.addDays(i).toString("yyyyMMdd");
        r.High = i + 1;
        r.Low = i;
        r.Close = i;
        QVERIFY(db.Insert(r));
    }
}

void addEntry(const QString &symbol, const QString &name, const QString &note)
{
    TWatchDatabase w(WatchListPath());
    TListRecord e;
    e.FileName = symbol;
    e.Name = name;
    e.NoteFile = note;
    w.Insert(e);
}

QStringList documentLines(QTextEdit *memo)
{
    return memo->document()->toPlainText().split(QChar::ParagraphSeparator).join('\n').split('\n');
}

uint32_t lineColor(QTextEdit *memo, int line)
{
    const QTextBlock b = memo->document()->findBlockByNumber(line);
    const QColor c = b.begin().fragment().charFormat().foreground().color();
    return uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16;
}

struct TOpenerRecorder
{
    TOpenerRecorder()
    {
        SetWatchOpeners(
            [this](const TSummaryRequest &r) { opened << "summary " + r.Caption + " note=" + r.NoteFile; },
            [this](const QString &n, const QString &s) { opened << "graph " + GraphCaption(n, s); });
    }
    ~TOpenerRecorder() { SetWatchOpeners({}, {}); }
    QStringList opened;
};

// A watch list of one security and one function that lists it in red.
void oneRedLine(const TTestEnv &env)
{
    makeFolders(env);
    writeCloses("AAA", 3);
    addEntry("AAA", "Alpha", "");
    addFunction("Red", 0x0000FF, "CURRENT(CLOSE)", ">", "0");
}

// The print dialog is answered OK with the program's printer set to a PDF.
void answerPrintDialogWithPdf(const QString &pdf)
{
    QueueModalScript([pdf](QDialog *) {
        AppPrinter()->setOutputFormat(QPrinter::PdfFormat);
        AppPrinter()->setOutputFileName(pdf);
        return int(QDialog::Accepted);
    });
}

} // namespace

class TestWatchFrm : public QObject
{
    Q_OBJECT

private slots:
    void emptyListAddsAndRemembersPosition()
    {
        TTestEnv env;
        makeFolders(env);
        TScanForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Watch Criteria"));
        QVERIFY(!form.EditBtn->isEnabled());
        QVERIFY(!form.DeleteBtn->isEnabled());
        scriptSave("Breakout", "CURRENT(CLOSE)", "HIGHEST(CLOSE)");
        form.AddBtn->click();
        scriptSave("Above", "CURRENT(CLOSE)", "1");
        form.AddBtn->click();
        QCOMPARE(storedFunctions(), QStringList({"Above:CURRENT(CLOSE)", "Breakout:CURRENT(CLOSE)"}));
        QCOMPARE(form.ListBox1->count(), 2);
        QCOMPARE(form.ListBox1->currentRow(), 0);
        QVERIFY(form.EditBtn->isEnabled());
        QV_VERIFY_ENV(env);
    }

    // A duplicate is not dropped silently: the user is told and keeps the dialog.
    void duplicateDescriptionKeepsDialogOpen()
    {
        TTestEnv env;
        makeFolders(env);
        addFunction("Breakout", 0, "CURRENT(CLOSE)", ">", "1");
        TScanForm form;
        scriptSave("Breakout", "CURRENT(LOW)", "2");
        form.AddBtn->click();
        QCOMPARE(env.messages.texts(), QStringList({"Error, A Function Named Breakout Already Exists"}));
        QCOMPARE(storedFunctions(), QStringList({"Breakout:CURRENT(CLOSE)"}));
        QV_VERIFY_ENV(env);
    }

    void editKeepsItsPlaceAndDeleteRemoves()
    {
        TTestEnv env;
        makeFolders(env);
        for (const char *d : {"A", "B", "C"})
            addFunction(d, 0, "CURRENT(CLOSE)", ">", "1");
        TScanForm form;
        form.ListBox1->setCurrentRow(1);
        QueueModalScript([](QDialog *d) {
            auto *dialog = qobject_cast<TFunctionAddEditForm *>(d);
            if (dialog->windowTitle() != "Edit Function" || dialog->Description->text() != "B" ||
                dialog->Equal[0]->currentText() != ">")
                return int(QDialog::Rejected);
            dialog->Expressions[0]->setPlainText("CURRENT(HIGH)");
            dialog->SaveBtn->click();
            return dialog->result();
        });
        form.EditBtn->click();
        QCOMPARE(storedFunctions(), QStringList({"A:CURRENT(CLOSE)", "B:CURRENT(HIGH)", "C:CURRENT(CLOSE)"}));
        form.ListBox1->setCurrentRow(2);
        QueueModalScript([](QDialog *d) {
            auto *dialog = qobject_cast<TFunctionAddEditForm *>(d);
            const bool greyed = !dialog->Description->isEnabled() && !dialog->Expressions[9]->isEnabled() &&
                                !dialog->AndOr[4]->isEnabled() && dialog->SaveBtn->isHidden() &&
                                !dialog->DeleteBtn->isHidden() && dialog->FunctionsBtn->isHidden();
            if (dialog->windowTitle() != "Delete Function" || !greyed)
                return int(QDialog::Rejected);
            dialog->DeleteBtn->click();
            return dialog->result();
        });
        form.DeleteBtn->click();
        QCOMPARE(storedFunctions(), QStringList({"A:CURRENT(CLOSE)", "B:CURRENT(HIGH)"}));
        // The remembered position moves only when the list shrinks below it.
        QCOMPARE(form.rememberedPosition(), 0);
        QCOMPARE(form.ListBox1->currentRow(), 0);
        QV_VERIFY_ENV(env);
    }

    void dialogControlsAndColour()
    {
        TTestEnv env;
        TFunctionAddEditForm dialog(TFunctionAddEditForm::AddMode);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Add Function"));
        for (const char *name : {"Function11", "Function25", "Equal1", "Equal5", "AndOr2", "AndOr3", "Andor4",
                                 "AndOr5", "ColorCode", "FunctionsBtn", "Fields", "SaveBtn"})
            QVERIFY2(dialog.findChild<QWidget *>(name), name);
        QCOMPARE(dialog.findChild<QComboBox *>("Andor4")->currentIndex(), -1);
        QCOMPARE(dialog.Equal[0]->currentIndex(), -1);
        QVERIFY(dialog.DeleteBtn->isHidden());
        QueueModalScript([](QDialog *d) {
            static_cast<QColorDialog *>(d)->setCurrentColor(QColor(0x12, 0x34, 0x56));
            return int(QDialog::Accepted);
        });
        QTest::mouseDClick(dialog.ColorCode, Qt::LeftButton);
        QCOMPARE(dialog.texts().Color, 0x00563412u);
        // Typed text beyond the field or outside Latin-1 is not kept.
        dialog.Description->setText(QString(45, 'x'));
        QCOMPARE(dialog.Description->text(), QString(40, 'x'));
        dialog.Expressions[1]->setPlainText(QStringLiteral("1\u20ac") + QString(300, '2'));
        QCOMPARE(dialog.Expressions[1]->toPlainText(), "1" + QString(254, '2'));
        QV_VERIFY_ENV(env);
    }

    void colourSquareInDeleteModeDoesNothing()
    {
        TTestEnv env;
        TFunctionAddEditForm dialog(TFunctionAddEditForm::DeleteMode);
        QTest::mouseDClick(dialog.ColorCode, Qt::LeftButton);
        QV_VERIFY_ENV(env); // no colour dialog was asked for
    }

    // The picker inserts into the expression edit entered last, replacing its selection.
    void pickerTargetFollowsFocus()
    {
        TTestEnv env;
        TFunctionAddEditForm dialog(TFunctionAddEditForm::AddMode);
        QVERIFY(!dialog.FunctionsBtn->isEnabled());
        sendFocus(dialog.Expressions[0]);
        sendFocus(dialog.Expressions[3]);
        QVERIFY(dialog.FunctionsBtn->isEnabled());
        sendFocus(dialog.Description);
        QVERIFY(!dialog.FunctionsBtn->isEnabled());
        QVERIFY(!dialog.Fields->isEnabled());
        sendFocus(dialog.Expressions[3]);
        dialog.Expressions[3]->setPlainText("1 + X");
        QTextCursor c = dialog.Expressions[3]->textCursor();
        c.setPosition(4);
        c.setPosition(5, QTextCursor::KeepAnchor);
        dialog.Expressions[3]->setTextCursor(c);
        sendFocus(dialog.FunctionsBtn); // the button takes the focus; the target stays
        QueueModalScript([](QDialog *d) {
            auto *picker = static_cast<TFunctionsFieldsForm *>(d);
            if (picker->windowTitle() != "List Of Valid Functions" || picker->ListBox1->count() != 9 ||
                picker->ListBox1->currentRow() != 0)
                return int(QDialog::Rejected);
            picker->ListBox1->setCurrentRow(1);
            return int(QDialog::Accepted);
        });
        dialog.FunctionsBtn->click();
        QCOMPARE(dialog.Expressions[3]->toPlainText(), QStringLiteral("1 + AVERAGEONDAY(FIELD,DAY,DAYS)"));
        QueueModalScript([](QDialog *d) {
            auto *picker = static_cast<TFunctionsFieldsForm *>(d);
            if (picker->windowTitle() != "List Of Valid Fields" || picker->ListBox1->count() != 4)
                return int(QDialog::Rejected);
            picker->ListBox1->setCurrentRow(3);
            return int(QDialog::Accepted);
        });
        dialog.Fields->click();
        QVERIFY(dialog.Expressions[3]->toPlainText().endsWith("Volume"));
        QCOMPARE(dialog.Expressions[0]->toPlainText(), QString());
        QV_VERIFY_ENV(env);
    }

    // A full edit takes only what fits of an inserted signature; its own text stays whole.
    void insertIntoAFullEditKeepsItsText()
    {
        TTestEnv env;
        TFunctionAddEditForm dialog(TFunctionAddEditForm::AddMode);
        QPlainTextEdit *edit = dialog.Expressions[0];
        const QString own = QString(250, 'x');
        edit->setPlainText(own);
        sendFocus(edit);
        QTextCursor c = edit->textCursor();
        c.setPosition(0);
        edit->setTextCursor(c);
        QueueModalScript([](QDialog *) { return int(QDialog::Accepted); });
        dialog.FunctionsBtn->click();
        QCOMPARE(edit->toPlainText(), "CURRE" + own);
        QCOMPARE(edit->textCursor().position(), 5);
        dialog.Description->setText(QString(38, 'd'));
        dialog.Description->insert(QStringLiteral("\u20ac\u00e9fgh"));
        QCOMPARE(dialog.Description->text(), QString(38, 'd') + QStringLiteral("\u00e9f"));
        QV_VERIFY_ENV(env);
    }

    void runShowsColouredLinesAndOpensWindows()
    {
        TTestEnv env;
        makeFolders(env);
        LoadConfig();
        ConfigRecord.RunWatch.OpenStockForm = 1;
        ConfigRecord.RunWatch.OpenGraph = 1;
        ConfigRecord.RunWatch.WindowsToOpen = 0;
        QVERIFY(SaveConfig());
        writeCloses("AAA", 5);
        writeCloses("BBB", 5);
        addEntry("AAA", "Alpha & <Co>", "alpha.txt");
        addEntry("BBB", "Beta", "beta.txt");
        TRunWatchForm form;
        QVERIFY(!form.RunBtn->isEnabled());
        QVERIFY(!form.PrintBtn->isEnabled());
        addFunction("Red", 0x0000FF, "CURRENT(CLOSE)", ">", "VALUE(CLOSE,1)");
        addFunction("Blue", 0xFF0000, "STOCKSYMBOL", "=", "'BBB'");
        form.UpdateButtons();
        QVERIFY(form.RunBtn->isEnabled());
        TOpenerRecorder openers;
        form.RunBtnClick();
        QCOMPARE(documentLines(form.Memo1), QStringList({"Watch Results", "", "Alpha & <Co>\t(AAA)\tRed",
                                                         "Beta\t(BBB)\tBlue", "Beta\t(BBB)\tRed"}));
        QCOMPARE(lineColor(form.Memo1, 2), 0x0000FFu);
        QCOMPARE(lineColor(form.Memo1, 3), 0xFF0000u);
        QCOMPARE(form.Memo1->document()->findBlockByNumber(0).begin().fragment().charFormat().fontPointSize(),
                 24.0);
        QCOMPARE(form.Memo1->document()->findBlockByNumber(2).blockFormat().tabPositions().size(), 2);
        QCOMPARE(openers.opened,
                 QStringList({"summary Alpha & <Co> (AAA) note=alpha.txt", "graph Alpha & <Co> (AAA) - Graph",
                              "summary Beta (BBB) note=beta.txt", "graph Beta (BBB) - Graph"}));
        QVERIFY(form.PrintBtn->isEnabled() && form.CopyBtn->isEnabled() && form.RunBtn->isEnabled());
        QCOMPARE(form.statusPanelText(0), QString());
        QCOMPARE(form.statusPanelText(1), QString());

        // The line action: the title does nothing, a result line opens its summary.
        openers.opened.clear();
        form.LineAction(0);
        form.LineAction(1);
        QVERIFY(openers.opened.isEmpty());
        form.LineAction(2);
        QCOMPARE(openers.opened, QStringList({"summary Alpha & <Co> (AAA) note=alpha.txt"}));

        // Copy keeps the colours in the rich text and the tabs in the plain text.
        form.CopyBtnClick();
        const QMimeData *copied = QApplication::clipboard()->mimeData();
        QVERIFY(copied->hasHtml());
        QVERIFY(copied->html().contains("#0000ff", Qt::CaseInsensitive));
        QVERIFY(copied->html().contains("&amp; &lt;Co&gt;"));
        QVERIFY(copied->text().contains("Beta\t(BBB)\tBlue"));
        QVERIFY(!form.Memo1->textCursor().hasSelection());
        QV_VERIFY_ENV(env);
    }

    // While a run works nothing can start another or print half a result;
    // afterwards every button is back.
    void runLocksItsButtonsAndRefusesReentry()
    {
        TTestEnv env;
        makeFolders(env);
        LoadConfig();
        ConfigRecord.RunWatch.OpenStockForm = 1;
        ConfigRecord.RunWatch.OpenGraph = 0;
        ConfigRecord.RunWatch.WindowsToOpen = 0;
        QVERIFY(SaveConfig());
        writeCloses("AAA", 3);
        writeCloses("BBB", 3);
        addEntry("AAA", "Alpha", "");
        addEntry("BBB", "Beta", "");
        addFunction("Red", 0x0000FF, "CURRENT(CLOSE)", ">", "0");
        TRunWatchForm form;
        form.RunBtnClick(); // a first run, so Print and Copy have lines to work on
        QVERIFY(form.PrintBtn->isEnabled());
        QStringList during;
        SetWatchOpeners(
            [&](const TSummaryRequest &r) {
                during << QStringLiteral("%1 run=%2 print=%3 copy=%4 running=%5")
                              .arg(r.Symbol)
                              .arg(form.RunBtn->isEnabled())
                              .arg(form.PrintBtn->isEnabled())
                              .arg(form.CopyBtn->isEnabled())
                              .arg(form.running());
                form.RunBtnClick(); // a second start inside the run is ignored
            },
            {});
        form.RunBtnClick();
        SetWatchOpeners({}, {});
        QCOMPARE(during,
                 QStringList({"AAA run=0 print=0 copy=0 running=1", "BBB run=0 print=0 copy=0 running=1"}));
        QCOMPARE(documentLines(form.Memo1),
                 QStringList({"Watch Results", "", "Alpha\t(AAA)\tRed", "Beta\t(BBB)\tRed"}));
        QVERIFY(form.RunBtn->isEnabled() && form.PrintBtn->isEnabled() && form.CopyBtn->isEnabled());
        QV_VERIFY_ENV(env);
    }

    // The window is listed while shown; a summary already open is brought
    // forward by the line action instead of opening a second one, and a
    // double click on a line runs the line action.
    void windowListAndLineActionOnAnOpenSummary()
    {
        TTestEnv env;
        makeFolders(env);
        writeCloses("AAA", 3);
        addEntry("AAA", "Alpha & Co", "alpha.txt");
        addFunction("Red", 0x0000FF, "CURRENT(CLOSE)", ">", "0");
        TWindowListForm list;
        WindowListForm = &list;
        const auto reset = qScopeGuard([] { WindowListForm = nullptr; });
        TRunWatchForm form;
        form.show();
        QCOMPARE(WindowListFind("Run Watch"), &form);
        form.RunBtnClick();
        TOpenerRecorder openers;
        QWidget summary;
        summary.setWindowTitle("Alpha & Co (AAA)");
        summary.show();
        WindowListAdd(&summary);
        summary.hide();
        form.LineAction(2);
        QVERIFY(openers.opened.isEmpty());
        QVERIFY(summary.isVisible());
        WindowListRemove(&summary);

        // Double click on the result line: the line is selected and its summary asked for.
        const QTextBlock block = form.Memo1->document()->findBlockByNumber(2);
        QTextCursor at(block);
        const QPoint point = form.Memo1->cursorRect(at).center() + QPoint(4, 0);
        QTest::mouseDClick(form.Memo1->viewport(), Qt::LeftButton, Qt::NoModifier, point);
        QCOMPARE(openers.opened, QStringList({"summary Alpha & Co (AAA) note=alpha.txt"}));
        QCOMPARE(form.Memo1->textCursor().selectedText(), block.text());
        // With a key held the double click does nothing.
        QTest::mouseDClick(form.Memo1->viewport(), Qt::LeftButton, Qt::ShiftModifier, point);
        QCOMPARE(openers.opened.size(), 1);
        form.hide();
        QVERIFY(!WindowListFind("Run Watch"));
        QV_VERIFY_ENV(env);
    }

    void nothingPassingAndErrorStop()
    {
        TTestEnv env;
        makeFolders(env);
        writeCloses("AAA", 3);
        addEntry("AAA", "Alpha", "");
        addFunction("Never", 0, "1", "=", "2");
        TRunWatchForm form;
        form.RunBtnClick();
        QCOMPARE(documentLines(form.Memo1),
                 QStringList({"Watch Results", "", "No Stocks Passed The Selection Criteria."}));
        addFunction("Broken", 0, "CURRENT(CLOSE)", "=", "'x'");
        form.RunBtnClick();
        QCOMPARE(documentLines(form.Memo1), QStringList({"Watch Results", ""}));
        QCOMPARE(env.messages.said.size(), 1);
        QVERIFY(env.messages.said[0].text.startsWith("Error In Function Broken For Alpha (AAA):"));
        QVERIFY(form.RunBtn->isEnabled());
        QVERIFY(!form.running());
        QV_VERIFY_ENV(env);
    }

    // The start after a data run: the one window is made on first use, owned
    // by the main window (released with it), shown and run; a second start
    // reuses it.
    void startAfterADataRunRunsTheOneWindow()
    {
        TTestEnv env;
        makeFolders(env);
        writeCloses("AAA", 3);
        addEntry("AAA", "Alpha", "");
        addFunction("Red", 0x0000FF, "CURRENT(CLOSE)", ">", "0");
        auto *main = new QMainWindow;
        QVERIFY(!RunWatchForm);
        StartWatchRun(nullptr);
        QVERIFY(RunWatchForm);
        TRunWatchForm *first = RunWatchForm;
        QCOMPARE(first->parentWidget(), main);
        QVERIFY(first->isVisible());
        QCOMPARE(documentLines(first->Memo1), QStringList({"Watch Results", "", "Alpha\t(AAA)\tRed"}));
        first->hide();
        StartWatchRun(nullptr);
        QCOMPARE(RunWatchForm, first);
        QVERIFY(first->isVisible());
        QCOMPARE(documentLines(first->Memo1).size(), 3);
        delete main;
        QVERIFY(!RunWatchForm);
        QV_VERIFY_ENV(env);
    }

    void printGoesToThePrinterWithColours()
    {
        TTestEnv env;
        oneRedLine(env);
        TRunWatchForm form;
        form.RunBtnClick();
        const QString pdf = env.path("watch.pdf");
        answerPrintDialogWithPdf(pdf);
        form.PrintBtnClick();
        QCOMPARE(AppPrinter()->docName(), QStringLiteral("The Quorvane"));
        QVERIFY(QFileInfo(pdf).size() > 0);
        QProcess text;
        text.start("pdftotext", {pdf, "-"});
        if (text.waitForFinished(20000) && text.exitCode() == 0)
            QVERIFY(text.readAllStandardOutput().contains("Alpha"));
        QProcess ppm;
        ppm.start("pdftoppm", {"-r", "50", "-png", "-singlefile", pdf, env.path("page")});
        if (ppm.waitForFinished(20000) && ppm.exitCode() == 0) {
            const QImage page(env.path("page.png"));
            bool red = false;
            for (int y = 0; y < page.height() && !red; ++y)
                for (int x = 0; x < page.width() && !red; ++x) {
                    const QColor c = page.pixelColor(x, y);
                    red = c.red() > 150 && c.green() < 100 && c.blue() < 100;
                }
            QVERIFY2(red, "the red line printed in red");
        }
        AppPrinter()->setOutputFileName(QString());
        QV_VERIFY_ENV(env);
    }

    // A print that cannot start says so, naming where it was going.
    void printThatCannotStartIsReported()
    {
        TTestEnv env;
        oneRedLine(env);
        TRunWatchForm form;
        form.RunBtnClick();
        const QString pdf = env.path("missing/watch.pdf");
        answerPrintDialogWithPdf(pdf);
        form.PrintBtnClick();
        AppPrinter()->setOutputFileName(QString());
        QCOMPARE(env.messages.texts(), QStringList({"Error, Could Not Print To " + pdf}));
        QVERIFY(!QFile::exists(pdf));
        QV_VERIFY_ENV(env);
    }
};

QTEST_MAIN(TestWatchFrm)
#include "tst_WatchFrm.moc"
