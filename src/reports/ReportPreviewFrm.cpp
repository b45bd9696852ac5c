#include "reports/ReportPreviewFrm.h"

#include "frame/Messages.h"
#include "frame/ModalUi.h"
#include "frame/PrinterUi.h"
#include "frame/StatusFrm.h"
#include "reports/ReportPrinterUi.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

TReportPreviewForm::TReportPreviewForm(QWidget *owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("ReportPreviewForm"));
    setWindowTitle(QStringLiteral("Report Preview"));
    resize(614, 358);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *holder = new QWidget;
    Image1 = new QLabel(holder);
    Image1->setObjectName(QStringLiteral("Image1"));
    ScrollBox1->setWidget(holder);

    PreviousBtn = new QPushButton(QStringLiteral("&Previous"), this);
    PreviousBtn->setObjectName(QStringLiteral("PreviousBtn"));
    NextBtn = new QPushButton(QStringLiteral("&Next"), this);
    NextBtn->setObjectName(QStringLiteral("NextBtn"));
    BitBtn1 = new QPushButton(QStringLiteral("Close"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    PreviousBtn->setEnabled(false);
    NextBtn->setEnabled(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(PreviousBtn);
    buttons->addWidget(NextBtn);
    buttons->addWidget(BitBtn1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ScrollBox1, 1);
    layout->addLayout(buttons);

    connect(PreviousBtn, &QPushButton::clicked, this, &TReportPreviewForm::PreviousBtnClick);
    connect(NextBtn, &QPushButton::clicked, this, &TReportPreviewForm::NextBtnClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

TReportPreviewForm::~TReportPreviewForm()
{
    m_talk.reset();
    m_run.DeletePages();
}

bool TReportPreviewForm::BeginRun(bool preview)
{
    m_talk = std::make_unique<TStatusTalk>(this, QStringLiteral("Print Reports"),
                                           QStringLiteral("Starting Print Job"));
    if (preview) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        const int resolution = screen ? int(screen->logicalDotsPerInchX()) : 96;
        return m_run.BeginPreview(m_talk.get(), resolution);
    }
    return m_run.Begin(std::make_unique<TPrinterTarget>(AppPrinter()), m_talk.get());
}

bool TReportPreviewForm::EndRun()
{
    // The progress window goes first, so an error box stands on its own.
    auto talk = std::move(m_talk);
    if (talk && talk->form())
        talk->form()->hide();
    const bool ok = m_run.End();
    talk.reset();
    if (!ok)
        m_run.DeletePages();
    return ok;
}

int TReportPreviewForm::Execute()
{
    ShowPage(1);
    const int result = ExecModal(this);
    m_run.DeletePages();
    return result;
}

void TReportPreviewForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centre();
}

void TReportPreviewForm::ShowPage(int page)
{
    const int count = m_run.PageCount();
    if (page < 1 || page > count)
        return;
    QImageReader reader(m_run.PageFile(page));
    const QImage image = reader.read();
    if (image.isNull()) {
        // A page that cannot be read is never stood in for by the one before.
        Image1->clear();
        Image1->resize(0, 0);
        ShowError(QStringLiteral("The preview page could not be read: %1").arg(m_run.PageFile(page)));
    } else {
        Image1->setPixmap(QPixmap::fromImage(image));
        Image1->resize(image.size());
    }
    m_shown = page;
    ScrollBox1->widget()->resize(Image1->size());
    NextBtn->setEnabled(page < count);
    PreviousBtn->setEnabled(page >= 2);
    centre();
}

void TReportPreviewForm::PreviousBtnClick()
{
    ShowPage(m_shown - 1);
}

void TReportPreviewForm::NextBtnClick()
{
    ShowPage(m_shown + 1);
}

void TReportPreviewForm::centre()
{
    QWidget *holder = ScrollBox1->widget();
    const int room = ScrollBox1->viewport()->width();
    const int width = Image1->width();
    if (room > width) {
        holder->resize(room, Image1->height());
        Image1->move((room - width) / 2, 0);
    } else {
        holder->resize(Image1->size());
        Image1->move(0, 0);
    }
}

void TReportPreviewForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    centre();
}

void TReportPreviewForm::done(int result)
{
    m_run.DeletePages();
    QDialog::done(result);
}
