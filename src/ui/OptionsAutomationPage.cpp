// "Automatik": what starts a run of the profile by itself (opening it, the end of an application, source and
// destination becoming available, the end of the session) and what follows a run.
#include "profile/Parameters.h"
#include "ui/AppsDialog.h"
#include "ui/DialogParts.h"
#include "ui/OptionsPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

using Choices = std::vector<std::pair<QString, int>>;

// Applications often worth a backup after they end; any other name can be typed or picked.
const QStringList kOfferedApplications = {QStringLiteral("soffice.bin"), QStringLiteral("thunderbird"),
                                          QStringLiteral("firefox-esr"), QStringLiteral("gimp"),
                                          QStringLiteral("evolution")};

class cAutomationPage : public cOptionsPage {
public:
    cAutomationPage(const cParameters& params, QWidget* parent)
        : cOptionsPage("AutomationPage", QStringLiteral("Automatik"), parent) {
        m_autoOpen = NamedCheck("AutoOpenChk", QStringLiteral("Nach &Öffnen laufen"), params.AutoOpen, this);
        m_autoOpen->setToolTip(QStringLiteral("Der Lauf beginnt kurz nachdem das Profil geöffnet wurde, auch beim "
                                              "Start von Tolvan mit diesem Profil."));
        m_autoApp =
            NamedCheck("AutoAppChk", QStringLiteral("Laufen, wenn &Anwendung beendet wurde:"), params.AutoApp, this);
        m_appName = new QComboBox(this);
        m_appName->setObjectName(QStringLiteral("AppNameCbo"));
        m_appName->setEditable(true);
        m_appName->setInsertPolicy(QComboBox::NoInsert);
        m_appName->addItems(kOfferedApplications);
        m_appName->setCurrentText(QString::fromStdString(params.AppName));
        m_appName->setMinimumContentsLength(24);
        m_appName->setToolTip(QStringLiteral("Der Name des Programms oder ein Teil des Fenstertitels; Groß- und "
                                             "Kleinschreibung zählen nicht."));
        QPushButton* pick = NamedButton("AppsBtn", QStringLiteral("A&nwendungen..."), this);
        pick->setToolTip(QStringLiteral("Aus den laufenden Programmen und offenen Fenstern wählen"));
        connect(pick, &QPushButton::clicked, this, [this] {
            if (const auto chosen = PickApplication(this, m_appName->currentText())) m_appName->setCurrentText(*chosen);
        });
        m_appProblem = ProblemLabel("AppNameProblem", this);
        auto* appRow = new QHBoxLayout;
        appRow->addSpacing(m_autoApp->fontMetrics().height() + 6);
        appRow->addWidget(m_appName, 1);
        appRow->addWidget(pick);

        m_autoSense1 = NamedCheck("AutoSense1Chk", QStringLiteral("Laufen, wenn &Quelle und Ziel verfügbar sind"),
                                  params.AutoSense1, this);
        m_autoSense1->setToolTip(QStringLiteral("Zum Beispiel, sobald der USB-Datenträger des Ziels eingesteckt "
                                                "ist."));
        m_autoSense2 = NamedCheck("AutoSense2Chk", QStringLiteral("&Erneut auslösen, wenn nicht mehr verfügbar"),
                                  params.AutoSense2, this);
        m_autoSense2->setToolTip(QStringLiteral("Nach dem Abziehen und erneuten Einstecken läuft das Profil noch "
                                                "einmal."));
        auto* senseRow = new QHBoxLayout;
        senseRow->addSpacing(m_autoSense1->fontMetrics().height() + 6);
        senseRow->addWidget(m_autoSense2);
        m_autoHook = NamedCheck("AutoHookChk", QStringLiteral("Ins Abmelden und Herunterfahren ein&klinken"),
                                params.AutoHook, this);
        m_autoHook->setToolTip(QStringLiteral("Beim ersten Abmelden oder Herunterfahren läuft erst das Profil, "
                                              "danach wird die Sitzung beendet."));
        m_autoExit = NamedCheck("AutoExitChk", QStringLiteral("Nach Lauf Tolvan &beenden"), params.AutoExit, this);
        m_shutdown = CodeCombo("AutoShutdownCbo",
                               Choices{{QStringLiteral("Nicht beenden"), 0},
                                       {QStringLiteral("Herunterfahren"), 1},
                                       {QStringLiteral("Abmelden"), 2},
                                       {QStringLiteral("Herunterfahren und ausschalten"), 3},
                                       {QStringLiteral("Herunterfahren und neu starten"), 4}},
                               params.AutoShutdown, this);
        auto* shutdownRow = new QHBoxLayout;
        shutdownRow->addWidget(BuddyLabel(QStringLiteral("Nach Lauf das &System:"), m_shutdown, this));
        shutdownRow->addWidget(m_shutdown);
        shutdownRow->addStretch();

        auto* column = new QVBoxLayout(this);
        column->addWidget(m_autoOpen);
        column->addWidget(m_autoApp);
        column->addLayout(appRow);
        column->addWidget(m_appProblem);
        column->addWidget(m_autoSense1);
        column->addLayout(senseRow);
        column->addWidget(m_autoHook);
        column->addSpacing(m_autoExit->fontMetrics().height() / 2);
        column->addWidget(m_autoExit);
        column->addLayout(shutdownRow);
        column->addStretch();

        connect(m_autoApp, &QCheckBox::toggled, this, &cAutomationPage::UpdateEnabled);
        connect(m_autoSense1, &QCheckBox::toggled, this, &cAutomationPage::UpdateEnabled);
        UpdateEnabled();
    }

    bool Check() override {
        const bool missing = m_autoApp->isChecked() && m_appName->currentText().trimmed().isEmpty();
        return ShowProblem(m_appProblem,
                           missing ? QStringLiteral("Bitte die Anwendung angeben, nach deren Ende das Profil laufen "
                                                    "soll.")
                                   : QString());
    }

    void Store(cParameters& params) const override {
        params.AutoOpen = m_autoOpen->isChecked();
        params.AutoApp = m_autoApp->isChecked();
        params.AppName = m_appName->currentText().toStdString();
        params.AutoSense1 = m_autoSense1->isChecked();
        params.AutoSense2 = m_autoSense2->isChecked();
        params.AutoHook = m_autoHook->isChecked();
        params.AutoExit = m_autoExit->isChecked();
        params.AutoShutdown = ComboCode(m_shutdown);
    }

private:
    void UpdateEnabled() {
        m_appName->setEnabled(m_autoApp->isChecked());
        m_autoSense2->setEnabled(m_autoSense1->isChecked());
    }

    QCheckBox* m_autoOpen = nullptr;
    QCheckBox* m_autoApp = nullptr;
    QComboBox* m_appName = nullptr;
    QLabel* m_appProblem = nullptr;
    QCheckBox* m_autoSense1 = nullptr;
    QCheckBox* m_autoSense2 = nullptr;
    QCheckBox* m_autoHook = nullptr;
    QCheckBox* m_autoExit = nullptr;
    QComboBox* m_shutdown = nullptr;
};

} // namespace

cOptionsPage* MakeAutomationPage(const cParameters& params, QWidget* parent) {
    return new cAutomationPage(params, parent);
}

} // namespace ui
