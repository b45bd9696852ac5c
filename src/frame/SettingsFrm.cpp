#include "frame/SettingsFrm.h"

#include "frame/DirectoryListFrm.h"
#include "frame/ModalUi.h"
#include "portfolio/Commission.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QColor toQColor(uint32_t c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

uint32_t fromQColor(const QColor &c)
{
    return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

template <class W> W *named(W *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLineEdit *pathEdit(QWidget *parent, const char *name)
{
    auto *e = named(new QLineEdit(parent), name);
    e->setMaxLength(255);
    return e;
}

QSpinBox *spin(QWidget *parent, const char *name, TSettingsRange range)
{
    auto *s = named(new QSpinBox(parent), name);
    s->setRange(range.Min, range.Max);
    return s;
}

// Enabled controls show the window colour, disabled ones are greyed.
void enableEdit(QWidget *w, bool on)
{
    w->setEnabled(on);
}

// The six "User Options" boxes and their bits, in order.
const char *const kOptionTexts[6] = {
    "Standard Devation #1",   "Standard Devation #2", "Moving Averages", "Buy / Sell Points", "High/Low",
    "Highest High/Lowest Low"};

struct TColorLabel
{
    const char *text;
    TGraphColor color;
};
const TColorLabel kColorColumns[3][10] = {
    {{"Volume Box Line:", gcVolumeBoxLine},
     {"Volume Box Fill:", gcVolumeBoxFill},
     {"Price Box Line:", gcPriceBoxLine},
     {"Price Box Fill:", gcPriceBoxFill},
     {"Price Line:", gcPriceLine},
     {"Average 1:", gcAverage1},
     {"Average 2:", gcAverage2},
     {"Standard Devation 1:", gcStdDev1},
     {"Standard Devation 2:", gcStdDev2},
     {"Highest High:", gcHighestHigh}},
    {{"Paper:", gcPaper},
     {"Price:", gcPrice},
     {"Close:", gcClose},
     {"High Low:", gcHighLow},
     {"Buy:", gcBuy},
     {"Sell:", gcSell},
     {"Volume Line:", gcVolumeLine},
     {"Volume Fill:", gcVolumeFill},
     {"Month:", gcMonth},
     {"Lowest Low:", gcLowestLow}},
    {{"Title Font Color:", gcTitleFont},
     {"Zoom Fill:", gcZoomFill},
     {"Zoom Line:", gcZoomLine},
     {"Overlay:", gcOverlay},
     {nullptr, gcColorCount}},
};

} // namespace

TColorSquare::TColorSquare(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setFixedSize(24, 18);
    setAutoFillBackground(true);
    setColor(0);
}

void TColorSquare::setColor(uint32_t color)
{
    m_color = color & 0x00FFFFFF;
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(m_color));
    setPalette(p);
}

void TColorSquare::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    QColorDialog dialog(toQColor(m_color), this);
    if (ExecModal(&dialog) == QDialog::Accepted)
        setColor(fromQColor(dialog.selectedColor()));
}

TSettingsForm::TSettingsForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SettingsForm"));
    setWindowTitle(QStringLiteral("Settings"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    PageControl1 = named(new QTabWidget(this), "PageControl1");
    PageControl1->addTab(directoriesPage(), QStringLiteral("Directories"));
    PageControl1->addTab(commissionPage(), QStringLiteral("Commission Calculators"));
    PageControl1->addTab(stockPage(), QStringLiteral("Stock"));
    PageControl1->addTab(graphDataPage(), QStringLiteral("Stock Graph Data"));
    PageControl1->addTab(graphColorsPage(), QStringLiteral("Stock Graph Colors"));
    PageControl1->addTab(portfolioPage(), QStringLiteral("Portfolio"));
    PageControl1->addTab(runWatchPage(), QStringLiteral("Run Watch"));
    PageControl1->addTab(miscPage(), QStringLiteral("Misc."));

    OKBtn = named(new QPushButton(QStringLiteral("&OK"), this), "OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = named(new QPushButton(QStringLiteral("&Cancel"), this), "CancelBtn");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto *main = new QVBoxLayout(this);
    main->addWidget(PageControl1, 1);
    main->addLayout(buttons);
    // Designed as 431 by 324; the pages' own sizes may ask for more here.
    resize(431, 324);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(Commissions, &QComboBox::currentIndexChanged, this, &TSettingsForm::CommissionsChange);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int page) {
        if (PageControl1->widget(page)->objectName() == QLatin1String("PortfolioPage"))
            FillPortfolioPage();
    });
    for (QCheckBox *b : {LimitRecords, OpenStockForm, OpenGraph})
        connect(b, &QCheckBox::toggled, this, &TSettingsForm::UpdateEnabling);

    fill(LoadSettingsValues());
}

QWidget *TSettingsForm::directoriesPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    const struct
    {
        const char *label;
        QLineEdit **edit;
        const char *name;
        const char *purpose;
    } rows[] = {{"Symbol:", &Edit1, "Edit1", "Symbol Data"},
                {"Watch List:", &WatchList, "WatchList", "Watch List Data"},
                {"Note:", &NoteDirectory, "NoteDirectory", "Notes"},
                {"Data:", &DataDir, "DataDir", "Stock Data"},
                {"Portfilio:", &Portfolio, "Portfolio", "Portfilios"}};
    int r = 0;
    for (const auto &row : rows) {
        *row.edit = pathEdit(page, row.name);
        auto *browse =
            named(new QPushButton(QStringLiteral("..."), page), (QByteArray(row.name) + "Btn").constData());
        QLineEdit *edit = *row.edit;
        const QString purpose = QString::fromLatin1(row.purpose);
        connect(browse, &QPushButton::clicked, this, [this, edit, purpose] { browseFolder(edit, purpose); });
        grid->addWidget(new QLabel(QString::fromLatin1(row.label), page), r, 0);
        grid->addWidget(edit, r, 1);
        grid->addWidget(browse, r, 2);
        ++r;
    }
    return page;
}

QWidget *TSettingsForm::commissionPage()
{
    auto *page = new QWidget;
    Commissions = named(new QComboBox(page), "Commissions");
    for (int i = 0; i < 3; ++i)
        Commissions->addItem(ScheduleTitle(i));
    PrecentCommission = named(new QLineEdit(page), "PrecentCommission");
    BrokrageName = named(new QLineEdit(page), "BrokrageName");
    BrokrageName->setMaxLength(40);
    auto *group = new QGroupBox(QStringLiteral("Commission Information"), page);
    CommissionMemo = named(new QPlainTextEdit(group), "CommissionMemo");
    CommissionMemo->setReadOnly(true);
    (new QVBoxLayout(group))->addWidget(CommissionMemo);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Commission Calculator:"), Commissions);
    form->addRow(QStringLiteral("Percent Commission:"), PrecentCommission);
    form->addRow(QStringLiteral("Name Of Brokrage Company:"), BrokrageName);
    auto *main = new QVBoxLayout(page);
    main->addLayout(form);
    main->addWidget(group, 1);
    return page;
}

QWidget *TSettingsForm::stockPage()
{
    auto *page = new QWidget;
    LimitRecords =
        named(new QCheckBox(QStringLiteral("Limit Records For Stock Statistics"), page), "LimitRecords");
    RecordsToRead = spin(page, "RecordsToRead", kRecordsToReadRange);
    PlusColor = named(new TColorSquare(page), "PlusColor");
    MinusColor = named(new TColorSquare(page), "MinusColor");
    auto *input = new QGroupBox(QStringLiteral("Input Options"), page);
    HighLowCloseVolume =
        named(new QRadioButton(QStringLiteral("High Low Close Volume"), input), "HighLowCloseVolume");
    VolumeHighLowClose =
        named(new QRadioButton(QStringLiteral("Volume High Low Close"), input), "VolumeHighLowClose");
    AddDays = spin(input, "AddDays", kAddDaysRange);
    auto *il = new QFormLayout(input);
    il->addRow(HighLowCloseVolume);
    il->addRow(VolumeHighLowClose);
    il->addRow(QStringLiteral("Add Days To Date:"), AddDays);
    auto *form = new QFormLayout(page);
    form->addRow(LimitRecords);
    form->addRow(QStringLiteral("Number Of Records To Read:"), RecordsToRead);
    form->addRow(QStringLiteral("Stock Plus Color:"), PlusColor);
    form->addRow(QStringLiteral("Stock Minus Color:"), MinusColor);
    form->addRow(input);
    return page;
}

QWidget *TSettingsForm::graphDataPage()
{
    auto *page = new QWidget;
    DefaultRecords = spin(page, "DefaultRecords", kDefaultRecordsRange);
    RecordsToSkip = spin(page, "RecordsToSkip", kRecordsToSkipRange);
    Average1 = spin(page, "Average1", kAverageRange);
    Average2 = spin(page, "Average2", kAverageRange);
    StdDev1 = spin(page, "StdDev1", kStdDevRange);
    StdDev2 = spin(page, "StdDev2", kStdDevRange);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Defaut Records Displayed"), DefaultRecords);
    form->addRow(QStringLiteral("Records To Skip:"), RecordsToSkip);
    form->addRow(QStringLiteral("Moving Average #1:"), Average1);
    form->addRow(QStringLiteral("Moving Average #2:"), Average2);
    form->addRow(QStringLiteral("Moving Standard Devation #1:"), StdDev1);
    form->addRow(QStringLiteral("Moving Standard Devation #2:"), StdDev2);
    auto *group = new QGroupBox(QStringLiteral("User Options"), page);
    auto *gl = new QVBoxLayout(group);
    for (int i = 0; i < 6; ++i) {
        GraphOption[i] = new QCheckBox(QString::fromLatin1(kOptionTexts[i]), group);
        GraphOption[i]->setObjectName(QStringLiteral("GraphOption%1").arg(i + 1));
        gl->addWidget(GraphOption[i]);
    }
    auto *main = new QHBoxLayout(page);
    main->addLayout(form);
    main->addWidget(group);
    return page;
}

QWidget *TSettingsForm::graphColorsPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout;
    for (int col = 0; col < 3; ++col) {
        for (int row = 0; row < 10; ++row) {
            const TColorLabel &l = kColorColumns[col][row];
            if (!l.text)
                break;
            auto *square = new TColorSquare(page);
            square->setObjectName(QStringLiteral("GraphColor%1").arg(int(l.color)));
            GraphColor[l.color] = square;
            grid->addWidget(new QLabel(QString::fromLatin1(l.text), page), row, col * 2);
            grid->addWidget(square, row, col * 2 + 1);
        }
    }
    FontList = named(new QComboBox(page), "FontList");
    FontList->addItems(QFontDatabase::families());
    TitleFontSize = spin(page, "TitleFontSize", kFontSizeRange);
    PriceFontSize = spin(page, "PriceFontSize", kFontSizeRange);
    PriceBoxSize = spin(page, "PriceBoxSize", kPriceBoxRange);
    RememberGraphSize =
        named(new QCheckBox(QStringLiteral("Remember Graph Size"), page), "RememberGraphSize");
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Font:"), FontList);
    form->addRow(QStringLiteral("Title Font Size:"), TitleFontSize);
    form->addRow(QStringLiteral("Price Font Size:"), PriceFontSize);
    form->addRow(QStringLiteral("Price Box Size:"), PriceBoxSize);
    form->addRow(RememberGraphSize);
    grid->addLayout(form, 4, 4, 6, 2);
    auto *main = new QVBoxLayout(page);
    main->addLayout(grid);
    return page;
}

QWidget *TSettingsForm::portfolioPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("PortfolioPage"));
    ComboBox1 = named(new QComboBox(page), "ComboBox1");
    OpenPort = named(new QCheckBox(QStringLiteral("Open Portfolio On Startup"), page), "OpenPort");
    auto *form = new QFormLayout(page);
    form->addRow(QStringLiteral("Default Portfolio:"), ComboBox1);
    form->addRow(OpenPort);
    return page;
}

QWidget *TSettingsForm::runWatchPage()
{
    auto *page = new QWidget;
    RunWatchAfterImport =
        named(new QCheckBox(QStringLiteral("Run Watch After Import"), page), "RunWatchAfterImport");
    OpenStockForm =
        named(new QCheckBox(QStringLiteral("Open Stock Data Form On Run Watch"), page), "OpenStockForm");
    OpenGraph = named(new QCheckBox(QStringLiteral("Open Graph Data On Run Watch"), page), "OpenGraph");
    MaxRunWatch = spin(page, "MaxRunWatch", kMaxRunWatchRange);
    auto *form = new QFormLayout(page);
    form->addRow(RunWatchAfterImport);
    form->addRow(OpenStockForm);
    form->addRow(OpenGraph);
    form->addRow(QStringLiteral("Windows To Open Under Run Watch"), MaxRunWatch);
    return page;
}

QWidget *TSettingsForm::miscPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    const QString apps = QStringLiteral("Application Files (*.Exe);;All Files (*)");
    const struct
    {
        const char *label;
        QLineEdit **edit;
        const char *name;
        QString title;
        QString filter;
    } rows[] = {
        {"Background Image:", &BackgroundImage, "BackgroundImage",
         QStringLiteral("Backgound Image For Quorvane"),
         QStringLiteral("Graphic Files (*.bmp *.jpg);;All Files (*)")},
        {"Startup Sound:", &StartupSound, "StartupSound", QStringLiteral("Startup Sound For Quorvane"),
         QStringLiteral("Wave Files (*.wav);;All Files (*)")},
        {"Note Viewer:", &NoteViewer, "NoteViewer", QStringLiteral("Notes Viewer For Quorvane"), apps},
        {"Calculator:", &Calculator, "Calculator", QStringLiteral("Desktop Calculator For Quorvane"), apps},
        {"Note File:", &NoteFile, "NoteFile", QStringLiteral("Notes For Quorvane"),
         QStringLiteral("Text Files (*.Txt *.txt);;All Files (*)")},
        {"Calendar Directory:", &CalendarDir, "CalendarDir", QString(), QString()},
    };
    int r = 0;
    for (const auto &row : rows) {
        *row.edit = pathEdit(page, row.name);
        QLineEdit *edit = *row.edit;
        auto *browse =
            named(new QPushButton(QStringLiteral("..."), page), (QByteArray(row.name) + "Btn").constData());
        if (row.title.isEmpty()) {
            connect(browse, &QPushButton::clicked, this,
                    [this, edit] { browseFolder(edit, QStringLiteral("Calendar Images")); });
        } else {
            const QString title = row.title;
            const QString filter = row.filter;
            connect(browse, &QPushButton::clicked, this,
                    [this, edit, title, filter] { browseFile(edit, title, filter); });
        }
        grid->addWidget(new QLabel(QString::fromLatin1(row.label), page), r, 0);
        grid->addWidget(edit, r, 1);
        grid->addWidget(browse, r, 2);
        ++r;
    }
    return page;
}

void TSettingsForm::browseFolder(QLineEdit *edit, const QString &purpose)
{
    TDirectoryForm dialog(purpose, FolderDialogStart(edit->text()), this);
    if (ExecModal(&dialog) == QDialog::Accepted)
        edit->setText(FolderDialogResult(dialog.selectedFolder(), purpose == QLatin1String("Portfilios")));
}

void TSettingsForm::browseFile(QLineEdit *edit, const QString &title, const QString &filter)
{
    QFileDialog dialog(this, title, QString(), filter);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!edit->text().isEmpty())
        dialog.selectFile(edit->text());
    if (ExecModal(&dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        edit->setText(dialog.selectedFiles().first());
}

void TSettingsForm::fill(const TSettingsValues &v)
{
    Edit1->setText(v.SymbolDir);
    WatchList->setText(v.WatchDir);
    NoteDirectory->setText(v.NoteDir);
    DataDir->setText(v.DataDir);
    Portfolio->setText(v.PortfolioDir);

    Commissions->blockSignals(true);
    Commissions->setCurrentIndex(v.Schedule >= 0 && v.Schedule < 3 ? v.Schedule : -1);
    Commissions->blockSignals(false);
    CommissionsChange(Commissions->currentIndex());

    BackgroundImage->setText(v.Background);
    StartupSound->setText(v.StartupSound);
    NoteViewer->setText(v.NoteViewer);
    Calculator->setText(v.Calculator);
    NoteFile->setText(v.NoteFile);
    CalendarDir->setText(v.CalendarDir);

    LimitRecords->setChecked(v.LimitRecords);
    RecordsToRead->setValue(v.RecordsToRead.toInt());
    PlusColor->setColor(v.PlusColor);
    MinusColor->setColor(v.MinusColor);
    AddDays->setValue(v.AddDays);
    HighLowCloseVolume->setChecked(v.FieldOrder == 0);
    VolumeHighLowClose->setChecked(v.FieldOrder == 1);

    m_startupName = v.DefaultPortfolio;
    FillPortfolioPage();
    OpenPort->setChecked(v.OpenPortfolio);

    DefaultRecords->setValue(v.DefaultRecords.toInt());
    RecordsToSkip->setValue(v.RecordsToSkip.toInt());
    Average1->setValue(v.Average1.toInt());
    Average2->setValue(v.Average2.toInt());
    StdDev1->setValue(v.StdDev1.toInt());
    StdDev2->setValue(v.StdDev2.toInt());
    for (int i = 0; i < 6; ++i)
        GraphOption[i]->setChecked(v.GraphOptions & (1u << i));

    // A font that is not installed leaves the list without a choice.
    FontList->setCurrentIndex(FontList->findText(v.FontName, Qt::MatchExactly));
    TitleFontSize->setValue(v.TitleFontSize);
    PriceFontSize->setValue(v.PriceFontSize);
    for (int i = 0; i < gcColorCount; ++i)
        GraphColor[i]->setColor(v.Colors[size_t(i)]);
    PriceBoxSize->setValue(v.PriceBoxSize);
    RememberGraphSize->setChecked(v.RememberGraphSize);

    RunWatchAfterImport->setChecked(v.RunWatchAfterImport);
    OpenStockForm->setChecked(v.OpenStockForm);
    OpenGraph->setChecked(v.OpenGraph);
    MaxRunWatch->setValue(v.MaxRunWatch);
    UpdateEnabling();
}

void TSettingsForm::CommissionsChange(int index)
{
    CommissionMemo->setPlainText(
        ScheduleDescription(index).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    BrokrageName->setText(BrokerNameFor(index));
    const bool percent = index == csPercent;
    enableEdit(PrecentCommission, percent);
    enableEdit(BrokrageName, percent);
    PrecentCommission->setText(PercentCommissionText(index));
}

void TSettingsForm::FillPortfolioPage()
{
    // Keep what the user chose while the list still holds it.
    const QString chosen = ComboBox1->count() > 0 ? ComboBox1->currentText() : m_startupName;
    const TPortfolioChoice choice = PortfolioChoiceIn(Portfolio->text(), m_startupName);
    ComboBox1->clear();
    ComboBox1->addItems(choice.Items);
    const bool any = !choice.Items.isEmpty();
    ComboBox1->setEnabled(any);
    OpenPort->setEnabled(any);
    if (!any) {
        OpenPort->setChecked(false);
        return;
    }
    ComboBox1->setCurrentText(choice.Items.contains(chosen) ? chosen : choice.Selected);
}

void TSettingsForm::UpdateEnabling()
{
    enableEdit(RecordsToRead, LimitRecords->isChecked());
    enableEdit(MaxRunWatch, OpenStockForm->isChecked() || OpenGraph->isChecked());
}

TSettingsValues TSettingsForm::values() const
{
    TSettingsValues v;
    v.SymbolDir = Edit1->text();
    v.WatchDir = WatchList->text();
    v.NoteDir = NoteDirectory->text();
    v.DataDir = DataDir->text();
    v.PortfolioDir = Portfolio->text();
    v.Schedule = Commissions->currentIndex();
    v.PercentCommission = PrecentCommission->text();
    v.BrokerName = BrokrageName->text();
    v.Background = BackgroundImage->text();
    v.StartupSound = StartupSound->text();
    v.NoteViewer = NoteViewer->text();
    v.Calculator = Calculator->text();
    v.NoteFile = NoteFile->text();
    v.CalendarDir = CalendarDir->text();
    v.LimitRecords = LimitRecords->isChecked();
    v.RecordsToRead = RecordsToRead->cleanText();
    v.PlusColor = PlusColor->color();
    v.MinusColor = MinusColor->color();
    v.FieldOrder = VolumeHighLowClose->isChecked() ? 1 : 0;
    v.AddDays = AddDays->value();
    v.DefaultPortfolio = ComboBox1->count() > 0 ? ComboBox1->currentText() : kNoPortfolio;
    v.OpenPortfolio = OpenPort->isChecked();
    v.DefaultRecords = DefaultRecords->cleanText();
    v.RecordsToSkip = RecordsToSkip->cleanText();
    v.Average1 = Average1->cleanText();
    v.Average2 = Average2->cleanText();
    v.StdDev1 = StdDev1->cleanText();
    v.StdDev2 = StdDev2->cleanText();
    v.GraphOptions = 0;
    for (int i = 0; i < 6; ++i)
        if (GraphOption[i]->isChecked())
            v.GraphOptions |= uint16_t(1u << i);
    v.FontName = FontList->currentText();
    v.TitleFontSize = TitleFontSize->value();
    v.PriceFontSize = PriceFontSize->value();
    for (int i = 0; i < gcColorCount; ++i)
        v.Colors[size_t(i)] = GraphColor[i]->color();
    v.PriceBoxSize = PriceBoxSize->value();
    v.RememberGraphSize = RememberGraphSize->isChecked();
    v.RunWatchAfterImport = RunWatchAfterImport->isChecked();
    v.OpenStockForm = OpenStockForm->isChecked();
    v.OpenGraph = OpenGraph->isChecked();
    v.MaxRunWatch = MaxRunWatch->value();
    return v;
}

bool TSettingsForm::store() const
{
    return SaveSettingsValues(values());
}

bool RunSettingsDialog(QWidget *owner)
{
    TSettingsForm form(owner);
    if (ExecModal(&form) != QDialog::Accepted)
        return false;
    return form.store();
}
