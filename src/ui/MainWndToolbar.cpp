// The main window's toolbar: image buttons with caption and hot-key hint.
#include "ui/MainWnd.h"

#include "ui/ToolbarIcons.h"

#include <QAction>
#include <QHBoxLayout>
#include <QToolButton>

namespace ui {

void TMainWnd::BuildToolbar() {
    m_toolbar.ToolbarPnl = new QWidget(this);
    m_toolbar.ToolbarPnl->setObjectName(QStringLiteral("ToolbarPnl"));
    auto* row = new QHBoxLayout(m_toolbar.ToolbarPnl);
    row->setContentsMargins(14, 6, 14, 6);
    row->setSpacing(0);
    // Each button does what its menu item does; a hidden item's button is hidden too (UpdateMenus).
    auto add = [this, row](const char* name, eToolbarIcon icon, const char* caption, const char* hint, QAction* item) {
        auto* button = new QToolButton(m_toolbar.ToolbarPnl);
        button->setObjectName(QString::fromLatin1(name));
        button->setIcon(ToolbarIcon(icon));
        button->setIconSize(QSize(44, 44));
        button->setText(QString::fromUtf8(caption));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setMinimumSize(76, 76);
        button->setProperty("HotKeyHint", QString::fromUtf8(hint));
        connect(button, &QToolButton::clicked, item, &QAction::trigger);
        row->addWidget(button);
        return button;
    };
    m_toolbar.ExitImg = add("ExitImg", eToolbarIcon::Exit, "Beenden", "Hot Key: Alt+F4", m_items.ExitItm);
    m_toolbar.ExpressSetupImg =
        add("ExpressSetupImg", eToolbarIcon::ExpressSetup, "Express-Setup", "Hot Key: Alt+E", m_items.ExpressSetupItm);
    m_toolbar.ProfilesImg =
        add("ProfilesImg", eToolbarIcon::Profiles, "Profile", "Hot Key: Alt+B", m_items.ProfilesItm);
    m_toolbar.SourceImg = add("SourceImg", eToolbarIcon::Source, "Quelle", "Hot Key: Alt+Q", m_items.SourceItm);
    m_toolbar.DestinationImg =
        add("DestinationImg", eToolbarIcon::Destination, "Ziel", "Hot Key: Alt+Z", m_items.DestinationItm);
    m_toolbar.OptionsImg = add("OptionsImg", eToolbarIcon::Options, "Optionen", "Hot Key: Alt+O", m_items.OptionsItm);
    m_toolbar.GoImg = add("GoImg", eToolbarIcon::Go, "Los", "Hot Key: Eingabe", m_items.GoItm);
    row->addStretch(1);
    // As wide as the profile's row, so that the window keeps its width when a batch file hides buttons.
    m_toolbar.ProfilesImg->hide();
    m_toolbar.ToolbarPnl->setMinimumWidth(m_toolbar.ToolbarPnl->sizeHint().width());
}

} // namespace ui
