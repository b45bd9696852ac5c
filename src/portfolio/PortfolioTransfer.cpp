#include "portfolio/PortfolioTransfer.h"

#include "frame/Clock.h"
#include "frame/IoError.h"
#include "frame/NumberFormat.h"
#include "frame/RunTalk.h"
#include "frame/StdUnitDates.h"
#include "frame/StdUnitFields.h"
#include "frame/StdUnitFiles.h"
#include "frame/Stockcfg.h"
#include "portfolio/TransEntry.h"
#include "records/SblBase.h"
#include "records/TransDatabase.h"
#include "transfer/ExportRun.h"
#include "transfer/TransferMessages.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

bool isTrades(TTransferKind kind)
{
    return kind == TTransferKind::Transactions;
}

double importedNumber(const QString &text, bool *inRange)
{
    double v = 0;
    if (!ReadNumberText(text, &v) || !std::isfinite(v))
        return 0;
    if (std::fabs(v) > kMaxAmount)
        *inRange = false;
    return v;
}

} // namespace

QStringList ImportFieldNames(TTransferKind kind)
{
    if (isTrades(kind))
        return {QStringLiteral("Symbol"), QStringLiteral("Date"), QStringLiteral("Shares"),
                QStringLiteral("Price"), QStringLiteral("Fee")};
    return {QStringLiteral("Symbol"), QStringLiteral("Date"), QStringLiteral("Dividend")};
}

QStringList ExportFieldNames(TTransferKind kind)
{
    if (isTrades(kind))
        return {QStringLiteral("Symbol"), QStringLiteral("Company"), QStringLiteral("Date"),
                QStringLiteral("Shares"), QStringLiteral("Price"),   QStringLiteral("Fee"),
                QStringLiteral("Total")};
    return {QStringLiteral("Symbol"), QStringLiteral("Company"), QStringLiteral("Date"),
            QStringLiteral("Dividend")};
}

TTransferImportResult ImportTransfer(TTransferKind kind, TTransBase &file, int32_t securityCode,
                                     const TTransferImportSettings &settings, TRunTalk &talk)
{
    TTransferImportResult result;
    const bool trades = isTrades(kind);
    if (!settings.Append &&
        !talk.askYesNoWarning(
            trades ? QStringLiteral("Warning, This will overwrite the current Transation File, Proceed?")
                   : QStringLiteral("Warning, This will overwrite the current Dividend File, Proceed?")))
        return result;

    QFile in(settings.FilePath);
    if (settings.FilePath.isEmpty() || !in.open(QIODevice::ReadOnly)) {
        talk.error(QStringLiteral("Error, Could Not Open Import File"));
        return result;
    }
    if (!file.IsOpen()) {
        talk.error(CannotOpenFileMessage(file.path()));
        return result;
    }
    // Fixed-length lines are cut by the column table of this very file.
    if (settings.Layout == kLayoutFixed)
        CountFields(settings.FilePath, settings.Layout, settings.SkipLines);

    auto field = [&](const QString &line, int i) {
        const int n = i < settings.FieldNumbers.size() ? settings.FieldNumbers[i] - 1 : -1;
        return n < 0 ? QString() : TrimSpaces(CutField(line, settings.Layout, n));
    };

    // The records the file will hold, in insertion order: the kept ones
    // first, then each imported line, every one with a full key of its own.
    QList<TTransRecord> records;
    QSet<QByteArray> keys;
    if (settings.Append) {
        if (!file.ScanAll([&](const TTransRecord &r) {
                records.append(r);
                keys.insert(TTransBase::FullKey(r));
            })) {
            talk.error(CannotReadFileMessage(file.path()));
            return result;
        }
    }

    TTextLineReader reader(in);
    for (int i = 0; i < settings.SkipLines && !reader.atEnd(); ++i)
        reader.readLine();
    const double now = TTransBase::ToDateTime(Clock::Now());
    while (!reader.atEnd()) {
        const QString line = reader.readLine();
        ++result.Lines;
        talk.progress(QStringLiteral("Importing Record: ") + QString::number(result.Lines));
        TTransRecord rec;
        // Symbols name price files, and file names are case-sensitive here,
        // so "ibm" must land on the same security as "IBM".
        const QString symbol = field(line, 0).toUpper().left(7);
        rec.Symbol = symbol;
        rec.Date = ConvertDate(settings.DateForm, kFormYYYYMMDD, field(line, 1));
        bool inRange = true;
        if (trades) {
            rec.Shares = importedNumber(field(line, 2), &inRange);
            rec.Price = importedNumber(field(line, 3), &inRange);
            rec.Fee = importedNumber(field(line, 4), &inRange);
        } else {
            rec.Price = importedNumber(field(line, 2), &inRange);
        }
        rec.SecurityCode = securityCode;
        // A symbol names the security's price file, so one that could leave
        // the data folder is not stored.
        const bool symbolOk =
            !symbol.isEmpty() && IsSafeFileNamePart(symbol) && symbol.toLatin1() == rec.Symbol.bytes();
        if (!symbolOk || !inRange || !IsValidDateText(kFormYYYYMMDD, rec.Date.text())) {
            ++result.Skipped;
            continue;
        }
        rec.EntryTime = now;
        while (keys.contains(TTransBase::FullKey(rec)))
            rec.EntryTime = TTransBase::NextSecond(rec.EntryTime);
        keys.insert(TTransBase::FullKey(rec));
        records.append(rec);
        ++result.Stored;
    }
    in.close();

    // A replace that found nothing to store would only empty the file: the
    // file stays as it was and the user hears why.
    if (!settings.Append && result.Stored == 0) {
        talk.warning(
            QStringLiteral("No Line Of The Import File Could Be Stored, The Current File Was Not Changed"));
        return result;
    }

    // The file's key order; records with equal keys keep their order.
    std::stable_sort(records.begin(), records.end(), [](const TTransRecord &a, const TTransRecord &b) {
        return TTransBase::FullKey(a) < TTransBase::FullKey(b);
    });
    QByteArray image;
    image.reserve(records.size() * qsizetype(sizeof(TTransRecord)));
    for (TTransRecord &r : records)
        file.AppendImage(image, r);
    if (!file.ReplaceAll(image)) {
        talk.error(CannotWriteFileMessage(file.path()));
        result.Stored = 0;
        return result;
    }
    result.Imported = true;
    talk.information(trades ? QStringLiteral("Transation Data Information Imported")
                            : QStringLiteral("Dividend Data Information Imported"));
    return result;
}

TCompanyLookup SymbolFileCompanyLookup()
{
    auto file = std::make_shared<TSymbolDataBase>(GetFolders().Symbol + QStringLiteral("Stocks.sbl"),
                                                  TOpenMode::ReadOnly);
    auto cache = std::make_shared<QHash<QString, QString>>();
    return [file, cache](const QString &symbol) {
        const auto it = cache->constFind(symbol);
        if (it != cache->constEnd())
            return *it;
        TSymbolRecord rec;
        const QString name = file->IsOpen() && file->RecordCount() > 0 && file->Find(rec, symbol)
                                 ? rec.Name.text()
                                 : QStringLiteral("Not On File");
        cache->insert(symbol, name);
        return name;
    };
}

namespace {

struct TFieldValue
{
    QString Text;
    int Width = 0;
};

TFieldValue exportValue(TTransferKind kind, const QString &name, const TTransRecord &r,
                        const QString &dateForm, const TCompanyLookup &company)
{
    if (name == QLatin1String("Symbol"))
        return {r.Symbol.text(), 8};
    if (name == QLatin1String("Company"))
        return {company ? company(r.Symbol.text()) : QStringLiteral("Not On File"), 41};
    if (name == QLatin1String("Date"))
        return {ConvertDate(kFormYYYYMMDD, dateForm, r.Date.text()), int(dateForm.size()) + 1};
    if (name == QLatin1String("Shares"))
        return {FixedWidthText(r.Shares, 10, 4), 13};
    if (name == QLatin1String("Price"))
        return {FixedWidthText(r.Price, 10, 4), 13};
    if (name == QLatin1String("Fee"))
        return {FixedWidthText(r.Fee, 10, 2), 13};
    if (name == QLatin1String("Total"))
        return {FixedWidthText(TransactionTotal(r), 10, 2), 13};
    if (name == QLatin1String("Dividend") && kind == TTransferKind::Dividends)
        return {FixedWidthText(r.Price, 10, 4), 13};
    return {};
}

} // namespace

bool ExportTransfer(TTransferKind kind, TTransBase &file, const TTransferExportSettings &settings,
                    const TCompanyLookup &company, TRunTalk &talk)
{
    // Written beside the target and renamed into place once complete, so a
    // failed export never leaves half a file; the portfolio's own file is
    // never a target.
    TExportFile out;
    if (!OpenExportFile(out, settings.FilePath, {file.path()}, talk))
        return false;
    const QByteArray from = settings.From.toLatin1();
    const QByteArray to = settings.To.toLatin1();
    if (settings.HeaderLine) {
        talk.progress(QStringLiteral("Exporting Header Line"));
        const auto width = [&](const QString &name) {
            return exportValue(kind, name, TTransRecord{}, settings.DateForm, nullptr).Width;
        };
        if (!WriteExportBytes(out, ExportHeaderLine(settings.Layout, settings.Fields, width), talk))
            return false;
    }
    int written = 0;
    TTransRecord r;
    TExportLine line(settings.Layout);
    for (int index = 0; index < file.RecordCount(); ++index) {
        talk.progress(QStringLiteral("Exporting Record: ") + QString::number(written));
        file.ReadAt(r, index);
        if (file.Status() & IoError) {
            talk.error(CannotReadFileMessage(file.path()));
            out.cancelWriting();
            return false;
        }
        const QByteArray date = r.Date.bytes();
        if (date < from || date > to)
            continue;
        // The first three fields of a line are quoted in the comma layout.
        for (int i = 0; i < settings.Fields.size(); ++i) {
            const TFieldValue v = exportValue(kind, settings.Fields[i], r, settings.DateForm, company);
            line.add(v.Text, v.Width, i < 3);
        }
        if (!WriteExportBytes(out, line.finish(), talk))
            return false;
        ++written;
    }
    if (!FinishExportFile(out, talk))
        return false;
    talk.information(isTrades(kind) ? QStringLiteral("Transation Information Exported")
                                    : QStringLiteral("Dividend Data Exported"));
    return true;
}
