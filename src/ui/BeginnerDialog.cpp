#include "ui/BeginnerDialog.h"

#include "profile/Parameters.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace ui {

TBeginnerDlg::TBeginnerDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("BeginnerDlg"));
    setWindowTitle(QStringLiteral("Neuling?"));

    auto* icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(iconSize));
    icon->setAlignment(Qt::AlignTop);
    auto* text = new QVBoxLayout;
    for (const QString& line : {QStringLiteral("Sie haben Tolvan bisher weniger als 10 mal laufen lassen."),
                                QStringLiteral("Fortgeschrittene Einstellungen wie die folgenden können zu "
                                               "unerwünschten Ergebnissen führen."),
                                QStringLiteral("Möchten Sie fortfahren?")}) {
        text->addWidget(new QLabel(line, this));
    }
    m_dontShow = new QCheckBox(QStringLiteral("Diese Warnung künftig nicht mehr zeigen"), this);
    m_dontShow->setObjectName(QStringLiteral("DontShowChk"));
    text->addSpacing(8);
    text->addWidget(m_dontShow);

    auto* yes = new QPushButton(QStringLiteral("Ja"), this);
    yes->setObjectName(QStringLiteral("YesBtn"));
    yes->setDefault(true);
    auto* no = new QPushButton(QStringLiteral("Nein"), this);
    no->setObjectName(QStringLiteral("NoBtn"));
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(8);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yes);
    buttons->addWidget(no);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addSpacing(8);
    column->addLayout(buttons);
}

bool TBeginnerDlg::DontShowAgain() const {
    return m_dontShow->isChecked();
}

bool AskBeginner(QWidget* parent, cParameters& params) {
    TBeginnerDlg dialog(parent);
    const bool goOn = dialog.exec() == QDialog::Accepted;
    if (dialog.DontShowAgain()) {
        params.RunCount = 10;
        params.WriteRunCount();
    }
    return goOn;
}

} // namespace ui
