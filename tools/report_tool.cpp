// quorvane_report WORKSPACE REPORT OUT [options]
//
// Writes one report of a workspace, as the report dialogs would run it, to
// OUT: a file ending in ".pdf" is printed there through the PDF printer;
// anything else is a folder that receives the preview pages 1.jpg, 2.jpg, …
//
// REPORT: summary, detail, oneday, range, rangedetail (the portfolio's);
//         stock-oneday, stock-range, stock-rangedetail (the watch list's).
// Options: --portfolio FILE   the portfolio's file name (default: the
//                             workspace's startup portfolio)
//          --caption TEXT     the heading (default "Portfolio " and the name)
//          --from MM/DD/YYYY --to MM/DD/YYYY   the range reports' dates
//          --percent N        the percent-change threshold

#include "frame/RunTalk.h"
#include "frame/StdUnitDates.h"
#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "records/WatchBase.h"
#include "reports/ReportPrinterUi.h"
#include "reports/ReportRun.h"
#include "reports/ReportRuns.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <cstdio>
#include <map>

namespace {

class TConsoleTalk : public TRunTalk
{
public:
    void progress(const QString &) override {}
    void error(const QString &text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void warning(const QString &text) override { error(text); }
    void information(const QString &text) override { std::fprintf(stdout, "%s\n", qPrintable(text)); }
    bool askYesNo(const QString &) override { return false; }
};

int usage()
{
    std::fprintf(stderr, "usage: quorvane_report WORKSPACE REPORT OUT [--portfolio FILE] [--caption TEXT]\n"
                         "       [--from MM/DD/YYYY] [--to MM/DD/YYYY] [--percent N]\n"
                         "REPORT: summary detail oneday range rangedetail stock-oneday stock-range "
                         "stock-rangedetail\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 3)
        return usage();
    const QString workspace = QDir(args[0]).absolutePath();
    const QString report = args[1];
    const QString out = QDir(args[2]).absolutePath();
    std::map<QString, QString> options;
    for (int i = 3; i < args.size(); i += 2) {
        if (!args[i].startsWith(QLatin1String("--")) || i + 1 >= args.size())
            return usage();
        options[args[i].mid(2)] = args[i + 1];
    }
    SetBaseFolder(workspace);
    SetProgramFolder(workspace);
    LoadConfig();
    const TListRecord startup = GetStartupPortfolio().Portfolio;

    const std::map<QString, TPortfolioReportKind> portfolioKinds{
        {"summary", TPortfolioReportKind::Summary},         {"detail", TPortfolioReportKind::Detail},
        {"oneday", TPortfolioReportKind::OneDay},           {"range", TPortfolioReportKind::RangeSummary},
        {"rangedetail", TPortfolioReportKind::RangeDetail},
    };
    const std::map<QString, TStockReportKind> stockKinds{
        {"stock-oneday", TStockReportKind::OneDay},
        {"stock-range", TStockReportKind::RangeSummary},
        {"stock-rangedetail", TStockReportKind::RangeDetail},
    };
    if (!portfolioKinds.count(report) && !stockKinds.count(report))
        return usage();
    const QDate from = ReadDisplayDate(options["from"]), to = ReadDisplayDate(options["to"]);
    const double percent = ThresholdFromText(options["percent"]);

    TConsoleTalk talk;
    TReportRun run;
    QPrinter printer(QPrinter::HighResolution);
    const bool pdf = out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
    bool begun = false;
    if (pdf) {
        QDir().mkpath(QFileInfo(out).path());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out);
        begun = run.Begin(std::make_unique<TPrinterTarget>(&printer), &talk);
    } else {
        begun = run.BeginPreview(&talk);
    }
    if (!begun) {
        run.End(); // says why
        return 1;
    }

    if (portfolioKinds.count(report)) {
        TPortfolioReportRequest request;
        request.Kind = portfolioKinds.at(report);
        request.FileName = options.count("portfolio") ? options["portfolio"] : startup.FileName.text();
        request.Caption = options.count("caption") ? options["caption"]
                                                   : QStringLiteral("Portfolio ") + startup.Name.text();
        request.Threshold = percent;
        request.Start = from;
        request.End = to;
        WritePortfolioReport(run.Page(), request);
    } else {
        TWatchDatabase watch(WatchListPath(), TOpenMode::ReadOnly);
        WriteStockReport(run.Page(), stockKinds.at(report), watch, percent, from, to);
    }
    if (!run.End())
        return 1;
    if (!pdf) {
        QDir().mkpath(out);
        for (int page = 1; page <= run.PageCount(); ++page) {
            const QString target = out + QStringLiteral("/%1.jpg").arg(page);
            QFile::remove(target);
            if (!QFile::copy(run.PageFile(page), target)) {
                talk.error(QStringLiteral("Unable To Write To ") + target);
                return 1;
            }
        }
    }
    std::fprintf(stdout, "%d page(s) written to %s\n", run.PageCount(), qPrintable(out));
    return 0;
}
