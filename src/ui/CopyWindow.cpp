#include "ui/CopyWindow.h"

#include "ui/CopyBar.h"
#include "ui/FitLabel.h"
#include "ui/RunCaption.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kStartWidth = 640; // the width the window opens with when its contents need less
constexpr int kClockInterval = 1000;

QLabel* FigureLabel(const QString& name) {
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

TCopyWnd::TCopyWnd(const cParameters& params, std::int64_t bytesToCopy, QWidget* parent)
    : QDialog(parent), m_bar(new cCopyBar), m_interrupt(new QPushButton(QStringLiteral("Unterbrechung"))),
      m_abort(new QPushButton(QStringLiteral("Abbrechen"))), m_rate(FigureLabel(QStringLiteral("RateLbl"))),
      m_elapsed(FigureLabel(QStringLiteral("ElapsedLbl"))), m_remaining(FigureLabel(QStringLiteral("RemainingLbl"))),
      m_clock(new QTimer(this)) {
    setObjectName(QStringLiteral("CopyWnd"));
    setWindowTitle(RunCaption(params));

    auto* files = new QGridLayout;
    files->addWidget(new QLabel(QStringLiteral("Kopiere")), 0, 0, 1, 4);
    m_from = cFileSideLabels::AddTo(*files, 1, QStringLiteral("From"));
    files->addWidget(new QLabel(QStringLiteral("nach")), 3, 0, 1, 4);
    m_to = cFileSideLabels::AddTo(*files, 4, QStringLiteral("To"));

    m_interrupt->setObjectName(QStringLiteral("InterruptBtn"));
    m_interrupt->setDefault(true);
    m_abort->setObjectName(QStringLiteral("AbortBtn"));
    m_abort->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_interrupt);
    buttons->addWidget(m_abort);
    buttons->addStretch();

    auto* figures = new QGridLayout;
    figures->addWidget(new QLabel(QStringLiteral("Übertragungsrate:")), 0, 0);
    figures->addWidget(m_rate, 0, 1);
    figures->addWidget(new QLabel(QStringLiteral("Verstrichene Zeit:")), 1, 0);
    figures->addWidget(m_elapsed, 1, 1);
    figures->addWidget(new QLabel(QStringLiteral("Verbleibende Zeit:")), 2, 0);
    figures->addWidget(m_remaining, 2, 1);
    figures->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(files);
    layout->addSpacing(layout->spacing());
    layout->addWidget(m_bar);
    layout->addSpacing(layout->spacing());
    layout->addLayout(buttons);
    layout->addLayout(figures);
    resize(qMax(kStartWidth, sizeHint().width()), sizeHint().height());

    connect(m_interrupt, &QPushButton::clicked, this, &TCopyWnd::Interrupt);
    connect(m_abort, &QPushButton::clicked, this, [this] {
        m_abort->setEnabled(false);
        m_interrupt->setEnabled(false);
        emit AbortPressed();
    });
    connect(m_clock, &QTimer::timeout, this, &TCopyWnd::Tick);

    m_model.Begin(bytesToCopy);
    m_interrupt->setFocus();
    ShowFigures();
    m_clock->start(kClockInterval);
}

void TCopyWnd::ShowFile(const cInterruptionInfo& sides) {
    m_fromPath = sides.FromPath;
    m_from.Show(sides.FromPath, sides.FromSize, sides.FromDate, sides.FromTime);
    m_to.Show(sides.ToPath, sides.ToSize, sides.ToDate, sides.ToTime);
    if (m_abort->isEnabled()) {
        m_interrupt->setEnabled(true);
        m_interrupt->setFocus();
    }
}

void TCopyWnd::ReportProgress(std::int64_t deltaBytes, std::int64_t fileBytes, const std::string& fileName) {
    m_model.ReportProgress(deltaBytes, fileBytes);
    if (!fileName.empty() && fileName != m_fromPath) {
        m_fromPath = fileName;
        m_from.Show(fileName, {}, {}, {});
        m_to.Show({}, {}, {}, {});
    }
    const std::int64_t total = m_model.BytesToCopy();
    m_bar->SetFraction(total > 0 ? static_cast<double>(m_model.WindowBytes()) / static_cast<double>(total) : 0.0);
}

void TCopyWnd::SetPaused(bool paused) {
    m_model.SetPaused(paused);
    ShowFigures();
}

void TCopyWnd::Tick() {
    m_model.Tick();
    ShowFigures();
}

void TCopyWnd::reject() {
    if (m_interrupt->isEnabled()) Interrupt();
}

void TCopyWnd::Interrupt() {
    m_interrupt->setEnabled(false);
    emit InterruptPressed();
}

void TCopyWnd::ShowFigures() {
    const cProgressFigures figures = m_model.Figures();
    m_elapsed->setText(QString::fromStdString(FormatDuration(figures.Elapsed)));
    m_rate->setText(figures.HasRate ? QString::fromStdString(FormatRate(figures.BytesPerSecond)) : QString());
    m_remaining->setText(figures.HasRemaining ? QString::fromStdString(FormatDuration(figures.Remaining)) : QString());
}

} // namespace ui
