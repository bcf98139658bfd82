// "Uhren": when two time stamps count as equal; "Kopieren": how files are copied, checked and deleted, and which
// of their properties go with them.
#include "profile/Parameters.h"
#include "ui/DialogParts.h"
#include "ui/OptionsPages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ui {

namespace {

class cClocksPage : public cOptionsPage {
public:
    cClocksPage(const cParameters& params, QWidget* parent)
        : cOptionsPage("ClocksPage", QStringLiteral("Uhren"), parent) {
        m_difference = new cNumberField("TimeDifferenceEdt", params.TimeDifference, 0, 999, this);
        m_difference->Edit()->setToolTip(QStringLiteral("Manche Dateisysteme (etwa FAT auf USB-Sticks) speichern "
                                                        "die Zeit nur auf 2 Sekunden genau."));
        m_ignoreDst = NamedCheck("IgnoreDstChk", QStringLiteral("&Sommerzeit ignorieren"), params.IgnoreDST, this);
        m_ignoreDst->setToolTip(QStringLiteral("Zeitstempel, die genau eine Stunde auseinander liegen, gelten als "
                                               "gleich (nach der Umstellung auf oder von der Sommerzeit)."));
        m_useUtc = NamedCheck("UseUtcChk", QStringLiteral("&UTC benutzen"), params.UseUTC, this);
        m_useUtc->setToolTip(QStringLiteral("Zeiten werden als Weltzeit (UTC) verglichen, nicht als Ortszeit."));
        auto* grid = new QGridLayout;
        grid->addWidget(BuddyLabel(QStringLiteral("&Maximale Zeitdifferenz in Sekunden:"), m_difference->Edit(), this),
                        0, 0);
        grid->addWidget(m_difference->Edit(), 0, 1);
        grid->addWidget(m_difference->Problem(), 1, 0, 1, 3);
        grid->setColumnStretch(2, 1);
        auto* column = new QVBoxLayout(this);
        column->addWidget(NoteLabel(QStringLiteral("Zwei Dateien gelten als gleich alt, wenn ihre Zeitstempel "
                                                   "höchstens so weit auseinander liegen."),
                                    this));
        column->addLayout(grid);
        column->addWidget(m_ignoreDst);
        column->addWidget(m_useUtc);
        column->addStretch();
    }

    bool Check() override { return m_difference->Check(); }

    void Store(cParameters& params) const override {
        params.TimeDifference = m_difference->Value();
        params.IgnoreDST = m_ignoreDst->isChecked();
        params.UseUTC = m_useUtc->isChecked();
    }

private:
    cNumberField* m_difference = nullptr;
    QCheckBox* m_ignoreDst = nullptr;
    QCheckBox* m_useUtc = nullptr;
};

class cCopyPage : public cOptionsPage {
public:
    cCopyPage(const cParameters& params, QWidget* parent)
        : cOptionsPage("CopyPage", QStringLiteral("Kopieren"), parent) {
        m_verify =
            NamedCheck("VerifyChk", QStringLiteral("Dateien nachher &vergleichen (Verify)"), params.Verify, this);
        m_verify->setToolTip(QStringLiteral("Jede Kopie wird nach dem Kopieren Byte für Byte mit ihrem Original "
                                            "verglichen. Das dauert länger."));
        m_myCopy = NamedCheck("MyCopyChk", QStringLiteral("&Eigene Kopierroutine benutzen"), params.MyCopy, this);
        m_recycle =
            NamedCheck("RecycleChk", QStringLiteral("Dateien in den &Papierkorb löschen"), params.Recycle, this);
        m_recycle->setToolTip(QStringLiteral("Gelöschte Dateien lassen sich aus dem Papierkorb zurückholen."));

        auto* properties = new QGroupBox(QStringLiteral("Eigenschaften"), this);
        m_compare = NamedCheck("ComparePropertiesChk", QStringLiteral("Dateieigenschaften ver&gleichen"),
                               params.CompareProperties, properties);
        m_compare->setToolTip(QStringLiteral("Dateien mit gleicher Zeit und Größe, aber anderen Rechten oder "
                                             "einem anderen Besitzer werden gemeldet."));
        m_permissions = NamedCheck("TransferPermissionsChk", QStringLiteral("Datei&berechtigungen übertragen"),
                                   params.TransferPermissions, properties);
        m_permissions->setToolTip(QStringLiteral("Die Zugriffsrechte und Zugriffslisten der Datei gehen mit."));
        m_owner = NamedCheck("TransferOwnerChk", QStringLiteral("Dateibes&itzer übertragen"), params.TransferOwner,
                             properties);
        m_owner->setToolTip(QStringLiteral("Besitzer und Gruppe gehen mit; das darf meist nur der Administrator."));
        auto* propertiesColumn = new QVBoxLayout(properties);
        propertiesColumn->addWidget(m_compare);
        propertiesColumn->addWidget(m_permissions);
        propertiesColumn->addWidget(m_owner);

        auto* column = new QVBoxLayout(this);
        column->addWidget(m_verify);
        column->addWidget(m_myCopy);
        column->addWidget(m_recycle);
        column->addWidget(properties);
        column->addStretch();
    }

    void Store(cParameters& params) const override {
        params.Verify = m_verify->isChecked();
        params.MyCopy = m_myCopy->isChecked();
        params.Recycle = m_recycle->isChecked();
        params.CompareProperties = m_compare->isChecked();
        params.TransferPermissions = m_permissions->isChecked();
        params.TransferOwner = m_owner->isChecked();
    }

private:
    QCheckBox* m_verify = nullptr;
    QCheckBox* m_myCopy = nullptr;
    QCheckBox* m_recycle = nullptr;
    QCheckBox* m_compare = nullptr;
    QCheckBox* m_permissions = nullptr;
    QCheckBox* m_owner = nullptr;
};

} // namespace

cOptionsPage* MakeClocksPage(const cParameters& params, QWidget* parent) {
    return new cClocksPage(params, parent);
}

cOptionsPage* MakeCopyPage(const cParameters& params, QWidget* parent) {
    return new cCopyPage(params, parent);
}

} // namespace ui
