// The main window's menus: items, shortcut keys, help contexts, and the recent-file and Top-12 lists.
#include "ui/MainWnd.h"

#include "profile/Parameters.h"
#include "ui/HelpWindow.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>

namespace ui {

namespace {

// A menu caption shows "&" only as "&&"; a single one would mark the next letter as the accelerator.
QString MenuText(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text)).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QKeySequence FunctionKey(int n, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return QKeySequence(modifiers | static_cast<Qt::Key>(Qt::Key_F1 + n - 1));
}

// Adds an item with its object name, caption, key and help context (the property "HelpContext").
QAction* AddItem(QMenu* menu, const QString& objectName, const QString& caption, const QKeySequence& key,
                 int helpContext = 0) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(objectName);
    if (!key.isEmpty()) item->setShortcut(key);
    if (helpContext != 0) item->setProperty("HelpContext", helpContext);
    return item;
}

} // namespace

void TMainWnd::BuildMenus() {
    BuildFileMenu();
    BuildConfigurationMenus();
    BuildHelpMenu();
}

void TMainWnd::BuildFileMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Datei"));
    file->setObjectName(QStringLiteral("FileMnu"));
    m_items.NewItm = AddItem(file, QStringLiteral("NewItm"), QStringLiteral("&Neu..."), Qt::CTRL | Qt::Key_N);
    m_items.OpenItm = AddItem(file, QStringLiteral("OpenItm"), QStringLiteral("&Öffnen..."), Qt::CTRL | Qt::Key_O);
    m_items.SaveItm = AddItem(file, QStringLiteral("SaveItm"), QStringLiteral("&Speichern"), Qt::CTRL | Qt::Key_S);
    m_items.SaveAsItm =
        AddItem(file, QStringLiteral("SaveAsItm"), QStringLiteral("Speichern &als..."), Qt::CTRL | Qt::Key_A);
    file->addSeparator();
    m_items.ViewItm = AddItem(file, QStringLiteral("ViewItm"), QStringLiteral("Anse&hen"), Qt::CTRL | Qt::Key_H, 4120);
    m_items.ShortcutItm = AddItem(file, QStringLiteral("ShortcutItm"), QStringLiteral("&Verknüpfung erstellen..."),
                                  Qt::CTRL | Qt::Key_V, 4110);
    m_items.TopMnu = file->addMenu(QStringLiteral("&Top 12"));
    m_items.TopMnu->setObjectName(QStringLiteral("TopMnu"));
    m_items.TopMnu->menuAction()->setProperty("HelpContext", 4330);
    for (int n = 1; n <= 12; ++n) {
        m_items.TopItm[n - 1] = AddItem(m_items.TopMnu, QStringLiteral("TopItm%1").arg(n), QString(), FunctionKey(n));
        connect(m_items.TopItm[n - 1], &QAction::triggered, this, [this, n] { TopTwelveCommand(n, true); });
        // The Shift twins are in no menu; the window holds them so that their keys work.
        QAction* twin = new QAction(this);
        twin->setObjectName(QStringLiteral("TopShiftItm%1").arg(n));
        twin->setShortcut(FunctionKey(n, Qt::ShiftModifier));
        addAction(twin);
        m_items.TopShiftItm[n - 1] = twin;
        connect(twin, &QAction::triggered, this, [this, n] { TopTwelveCommand(n, false); });
    }
    m_items.LogViewItm =
        AddItem(file, QStringLiteral("LogViewItm"), QStringLiteral("&Log ansehen..."), Qt::CTRL | Qt::Key_L, 4130);
    m_items.RecentSeparator = file->addSeparator();
    for (int n = 1; n <= 9; ++n) {
        m_items.RecentItm[n - 1] =
            AddItem(file, QStringLiteral("RecentItm%1").arg(n), QString(), static_cast<Qt::Key>(Qt::Key_0 + n));
        connect(m_items.RecentItm[n - 1], &QAction::triggered, this, [this, n] { OpenRecentCommand(n); });
    }
    file->addSeparator();
    m_items.ExitItm = AddItem(file, QStringLiteral("ExitItm"), QStringLiteral("&Beenden"), Qt::ALT | Qt::Key_F4);

    connect(m_items.NewItm, &QAction::triggered, this, &TMainWnd::NewCommand);
    connect(m_items.OpenItm, &QAction::triggered, this, &TMainWnd::OpenCommand);
    connect(m_items.SaveItm, &QAction::triggered, this, [this] { SaveCommand(); });
    connect(m_items.SaveAsItm, &QAction::triggered, this, [this] { SaveAsCommand(); });
    connect(m_items.ViewItm, &QAction::triggered, this, &TMainWnd::ViewCommand);
    connect(m_items.ShortcutItm, &QAction::triggered, this, &TMainWnd::ShortcutCommand);
    connect(m_items.LogViewItm, &QAction::triggered, this, &TMainWnd::LogViewCommand);
    connect(m_items.ExitItm, &QAction::triggered, this, &TMainWnd::close);
}

void TMainWnd::BuildConfigurationMenus() {
    QMenu* wizards = menuBar()->addMenu(QStringLiteral("&Assistenten"));
    wizards->setObjectName(QStringLiteral("WizardsMnu"));
    m_items.BackupWizardItm = AddItem(wizards, QStringLiteral("BackupWizardItm"), QStringLiteral("&Backup..."), {});
    m_items.SyncWizardItm =
        AddItem(wizards, QStringLiteral("SyncWizardItm"), QStringLiteral("&Synchronisation..."), {});
    m_items.ProfileWizardItm = AddItem(wizards, QStringLiteral("ProfileWizardItm"), QStringLiteral("&Profil..."), {});

    QMenu* configuration = menuBar()->addMenu(QStringLiteral("&Konfiguration"));
    configuration->setObjectName(QStringLiteral("ConfigurationMnu"));
    auto add = [configuration](const char* name, const char* caption, Qt::Key key, int help) {
        return AddItem(configuration, QString::fromLatin1(name), QString::fromUtf8(caption), Qt::ALT | key, help);
    };
    m_items.ExpressSetupItm = add("ExpressSetupItm", "&Express-Setup...", Qt::Key_E, 4210);
    m_items.SourceItm = add("SourceItm", "&Quelle...", Qt::Key_Q, 4220);
    m_items.DestinationItm = add("DestinationItm", "&Ziel...", Qt::Key_Z, 4230);
    m_items.ProfilesItm = add("ProfilesItm", "&Profile...", Qt::Key_P, 4290);
    m_items.OptionsItm = add("OptionsItm", "&Optionen...", Qt::Key_O, 4240);
    m_items.PreviewItm = add("PreviewItm", "&Vorschau...", Qt::Key_V, 4270);
    m_items.LogItm = add("LogItm", "&Log...", Qt::Key_L, 4280);
    m_items.SchedulerItm = add("SchedulerItm", "Zeitpla&ner...", Qt::Key_N, 4310);
    m_items.ProgramOptionsItm = add("ProgramOptionsItm", "P&rogrammoptionen", Qt::Key_R, 4320);
    m_items.TopTwelveItm = add("TopTwelveItm", "&Top 12...", Qt::Key_T, 4330);
    // The toolbar's hint for the batch's profiles names Alt+B; both keys work.
    m_items.ProfilesItm->setShortcuts({QKeySequence(Qt::ALT | Qt::Key_P), QKeySequence(Qt::ALT | Qt::Key_B)});

    m_items.GoItm = menuBar()->addAction(QStringLiteral("Lo&s"));
    m_items.GoItm->setObjectName(QStringLiteral("GoItm"));
    m_items.GoItm->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    m_items.GoItm->setProperty("HelpContext", 4910);
    connect(m_items.GoItm, &QAction::triggered, this, [this] { LaunchRun(0); });

    const std::pair<QAction*, eConfigDialog> wizardItems[] = {
        {m_items.BackupWizardItm, eConfigDialog::BackupWizard},
        {m_items.SyncWizardItm, eConfigDialog::SyncWizard},
        {m_items.ProfileWizardItm, eConfigDialog::ProfileWizard},
    };
    for (const auto& [item, wizard] : wizardItems)
        connect(item, &QAction::triggered, this, [this, kind = wizard] { WizardCommand(kind); });
    const std::pair<QAction*, eConfigDialog> configItems[] = {
        {m_items.ExpressSetupItm, eConfigDialog::ExpressSetup},
        {m_items.SourceItm, eConfigDialog::Source},
        {m_items.DestinationItm, eConfigDialog::Destination},
        {m_items.ProfilesItm, eConfigDialog::Profiles},
        {m_items.PreviewItm, eConfigDialog::Preview},
        {m_items.LogItm, eConfigDialog::Log},
        {m_items.SchedulerItm, eConfigDialog::Scheduler},
        {m_items.ProgramOptionsItm, eConfigDialog::ProgramOptions},
        {m_items.TopTwelveItm, eConfigDialog::TopTwelve},
    };
    for (const auto& [item, dialog] : configItems)
        connect(item, &QAction::triggered, this, [this, kind = dialog] { ConfigCommand(kind); });
    connect(m_items.OptionsItm, &QAction::triggered, this, [this] { OptionsCommand(false); });
}

void TMainWnd::BuildHelpMenu() {
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    help->setObjectName(QStringLiteral("HelpMnu"));
    m_items.ContentsItm = AddItem(help, QStringLiteral("ContentsItm"), QStringLiteral("&Inhalt"), {}, 1020);
    m_items.IntroductionItm = AddItem(help, QStringLiteral("IntroductionItm"), QStringLiteral("&Einführung"), {}, 1010);
    help->addSeparator();
    m_items.WebItm = AddItem(help, QStringLiteral("WebItm"), QStringLiteral("Tolvan im &WWW"), {});
    m_items.MailItm = AddItem(help, QStringLiteral("MailItm"), QStringLiteral("E-&Mail an Quindell"), {});
    connect(m_items.ContentsItm, &QAction::triggered, this, [this] { ShowHelp(this, 1020); });
    connect(m_items.IntroductionItm, &QAction::triggered, this, [this] { ShowHelp(this, 1010); });
    connect(m_items.WebItm, &QAction::triggered, this, &TMainWnd::OpenWebSite);
    connect(m_items.MailItm, &QAction::triggered, this, &TMainWnd::WriteMail);
}

void TMainWnd::UpdateRecentMenu() {
    bool any = false;
    for (int n = 1; n <= 9; ++n) {
        const std::string& file = m_params.OldFiles[n - 1];
        QAction* item = m_items.RecentItm[n - 1];
        item->setText(QStringLiteral("&%1 ").arg(n) + MenuText(file));
        item->setVisible(!file.empty());
        item->setEnabled(!file.empty());
        any = any || !file.empty();
    }
    m_items.RecentSeparator->setVisible(any);
}

void TMainWnd::UpdateTopTwelveMenu() {
    for (int n = 1; n <= 12; ++n) {
        const std::string& profile = m_params.TopTwelve.Profiles[n - 1];
        const std::string& description = m_params.TopTwelve.Descriptions[n - 1];
        QAction* item = m_items.TopItm[n - 1];
        // An entry without a description still needs a caption to be chosen by.
        item->setText(MenuText(description.empty() ? profile : description));
        item->setVisible(!profile.empty());
        item->setEnabled(!profile.empty());
        m_items.TopShiftItm[n - 1]->setEnabled(!profile.empty());
    }
}

} // namespace ui
