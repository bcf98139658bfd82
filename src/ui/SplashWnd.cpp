#include "ui/SplashWnd.h"

#include <QEventLoop>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace ui {

TSplashWnd::TSplashWnd(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("SplashWnd"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0x1f, 0x4e, 0x79));
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);

    auto* title = new QLabel(QStringLiteral("Tolvan 6"), this);
    title->setObjectName(QStringLiteral("TitleLbl"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 3);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    auto* subtitle = new QLabel(QStringLiteral("Sicherung und Synchronisation von Dateien"), this);
    subtitle->setObjectName(QStringLiteral("SubtitleLbl"));
    subtitle->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 36, 48, 36);
    layout->setSpacing(12);
    layout->addWidget(title);
    layout->addWidget(subtitle);
}

void ShowSplash(int milliseconds) {
    TSplashWnd splash;
    splash.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect place = splash.frameGeometry();
        place.moveCenter(screen->availableGeometry().center());
        splash.move(place.topLeft());
    }
    splash.show();
    QEventLoop wait;
    QTimer::singleShot(milliseconds, &wait, &QEventLoop::quit);
    wait.exec();
    splash.close();
}

} // namespace ui
