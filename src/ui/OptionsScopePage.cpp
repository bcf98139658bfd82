// "Bereich": which sides a run may change, and what happens to files that lie on one side only (orphans),
// with a sentence that says in plain words what the chosen settings will delete.
#include "profile/Parameters.h"
#include "ui/DialogParts.h"
#include "ui/OptionsPages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

namespace {

using Choices = std::vector<std::pair<QString, int>>;

QString Skip() {
    return QStringLiteral("Überspringen");
}

// What the orphan settings of the chosen touch mode do, above all what they delete.
QString ExplainOrphans(eTouchMode mode, int d1, int d2, int b, int s1, int s2) {
    QStringList lines;
    switch (mode) {
    case eTouchMode::DestOnly:
        if (d1 == 0) lines << QStringLiteral("Dateien, die nur in der Quelle liegen, werden ins Ziel kopiert.");
        if (d1 == 1) lines << QStringLiteral("Dateien, die nur in der Quelle liegen, werden nicht kopiert.");
        if (d1 == 6)
            lines << QStringLiteral("Nur Dateien, die nur in der Quelle liegen, werden ins Ziel kopiert; "
                                    "Dateien, die es auf beiden Seiten gibt, bleiben wie sie sind.");
        if (d2 == 2)
            lines << QStringLiteral("Gelöscht werden: Dateien im Ziel, die es in der Quelle nicht gibt, auch "
                                    "solche, die Sie in der Quelle gelöscht haben.");
        else
            lines << QStringLiteral("Dateien, die nur im Ziel liegen, bleiben erhalten. Es wird nichts gelöscht.");
        break;
    case eTouchMode::Both:
        if (b == 4 || b == 6)
            lines << QStringLiteral("%1 Dateien, die nur auf einer Seite liegen, werden auf die andere Seite "
                                    "kopiert. Es wird nichts gelöscht.")
                         .arg(b == 6 ? QStringLiteral("Nur") : QStringLiteral("Auch"));
        if (b == 1)
            lines << QStringLiteral("Dateien, die nur auf einer Seite liegen, bleiben unberührt. Es wird "
                                    "nichts gelöscht.");
        if (b == 2)
            lines << QStringLiteral("Gelöscht werden: alle Dateien, die nur auf einer Seite liegen, in der Quelle "
                                    "wie im Ziel. Neue Dateien gehen so verloren!");
        if (b == 5)
            lines << QStringLiteral("Der Schnappschuss des letzten Laufs entscheidet: Gelöscht werden Dateien, "
                                    "die seit dem letzten Lauf auf der anderen Seite gelöscht wurden. Neue "
                                    "Dateien werden auf die andere Seite kopiert.");
        break;
    case eTouchMode::SourceOnly:
        if (s1 == 3) lines << QStringLiteral("Dateien, die nur im Ziel liegen, werden in die Quelle kopiert.");
        if (s1 == 1) lines << QStringLiteral("Dateien, die nur im Ziel liegen, werden nicht kopiert.");
        if (s1 == 6)
            lines << QStringLiteral("Nur Dateien, die nur im Ziel liegen, werden in die Quelle kopiert; "
                                    "Dateien, die es auf beiden Seiten gibt, bleiben wie sie sind.");
        if (s2 == 2)
            lines << QStringLiteral("Gelöscht werden: Dateien in der Quelle, die es im Ziel nicht gibt.");
        else
            lines << QStringLiteral("Dateien, die nur in der Quelle liegen, bleiben erhalten. Es wird nichts "
                                    "gelöscht.");
        break;
    case eTouchMode::Neither:
        lines << QStringLiteral("Mit dieser Einstellung ändert ein Lauf keine Seite.");
        break;
    }
    return lines.join(QLatin1Char(' '));
}

class cScopePage : public cOptionsPage {
public:
    cScopePage(const cParameters& params, QWidget* parent)
        : cOptionsPage("ScopePage", QStringLiteral("Bereich"), parent), m_shownMode(params.TouchMode()) {
        auto* touch = new QGroupBox(QStringLiteral("Anrühren"), this);
        m_destOnly = NamedRadio("DestOnlyRdo", QStringLiteral("Nur &Ziel (vorwärts)"),
                                m_shownMode == eTouchMode::DestOnly, touch);
        m_destOnly->setToolTip(QStringLiteral("Sichern: Nur das Ziel wird geändert, die Quelle bleibt, wie sie ist."));
        m_both = NamedRadio("BothRdo", QStringLiteral("Ziel und &Quelle (in beide Richtungen)"),
                            m_shownMode == eTouchMode::Both, touch);
        m_both->setToolTip(QStringLiteral("Abgleichen: Neuere Dateien werden auf die jeweils andere Seite kopiert."));
        m_sourceOnly = NamedRadio("SourceOnlyRdo", QStringLiteral("Nur Q&uelle (rückwärts)"),
                                  m_shownMode == eTouchMode::SourceOnly, touch);
        m_sourceOnly->setToolTip(QStringLiteral("Zurückholen: Nur die Quelle wird geändert, das Ziel bleibt."));
        auto* group = new QButtonGroup(this);
        for (QRadioButton* button : {m_destOnly, m_both, m_sourceOnly})
            group->addButton(button);
        auto* touchColumn = new QVBoxLayout(touch);
        touchColumn->addWidget(m_destOnly);
        touchColumn->addWidget(m_both);
        touchColumn->addWidget(m_sourceOnly);

        auto* orphans = new QGroupBox(QStringLiteral("Waisen (Dateien, die nur auf einer Seite liegen)"), this);
        const int d1 = static_cast<int>(params.OrphanModeD1);
        const int d2 = static_cast<int>(params.OrphanModeD2);
        const int b = static_cast<int>(params.OrphanModeB);
        const int s1 = static_cast<int>(params.OrphanModeS1);
        const int s2 = static_cast<int>(params.OrphanModeS2);
        const QString orphansOnly = QStringLiteral("Nur Waisen");
        const QString remove = QStringLiteral("Löschen");
        m_d1 = CodeCombo("OrphanModeD1Cbo", Choices{{QStringLiteral("Vorwärts"), 0}, {Skip(), 1}, {orphansOnly, 6}}, d1,
                         orphans);
        m_d2 = CodeCombo("OrphanModeD2Cbo", Choices{{Skip(), 1}, {remove, 2}}, d2, orphans);
        m_b = CodeCombo("OrphanModeBCbo",
                        Choices{{QStringLiteral("Vorwärts / rückwärts"), 4},
                                {Skip(), 1},
                                {remove, 2},
                                {QStringLiteral("Im Schnappschuss nachsehen"), 5},
                                {orphansOnly, 6}},
                        b, orphans);
        m_s1 = CodeCombo("OrphanModeS1Cbo", Choices{{QStringLiteral("Rückwärts"), 3}, {Skip(), 1}, {orphansOnly, 6}},
                         s1, orphans);
        m_s2 = CodeCombo("OrphanModeS2Cbo", Choices{{Skip(), 1}, {remove, 2}}, s2, orphans);
        m_b->setToolTip(QStringLiteral("„Im Schnappschuss nachsehen“ merkt sich nach jedem Lauf, welche Dateien "
                                       "es gab, und erkennt so, auf welcher Seite eine Datei gelöscht wurde."));
        auto* form = new QFormLayout;
        form->addRow(NoteLabel(QStringLiteral("<b>Nur Ziel anrühren</b>"), orphans));
        form->addRow(BuddyLabel(QStringLiteral("Waisen i&n der Quelle:"), m_d1, orphans), m_d1);
        form->addRow(BuddyLabel(QStringLiteral("Waisen &im Ziel:"), m_d2, orphans), m_d2);
        form->addRow(NoteLabel(QStringLiteral("<b>Ziel und Quelle anrühren</b>"), orphans));
        form->addRow(BuddyLabel(QStringLiteral("&Waisen:"), m_b, orphans), m_b);
        form->addRow(NoteLabel(QStringLiteral("<b>Nur Quelle anrühren</b>"), orphans));
        form->addRow(BuddyLabel(QStringLiteral("Waisen im Zie&l:"), m_s1, orphans), m_s1);
        form->addRow(BuddyLabel(QStringLiteral("Waisen in der Quell&e:"), m_s2, orphans), m_s2);
        m_explanation = NoteLabel({}, orphans);
        m_explanation->setObjectName(QStringLiteral("OrphansExplanationLbl"));
        m_explanation->setFrameShape(QFrame::StyledPanel);
        m_explanation->setMargin(6);
        auto* orphansColumn = new QVBoxLayout(orphans);
        orphansColumn->addLayout(form);
        orphansColumn->addWidget(m_explanation);

        m_listSkip =
            NamedCheck("ListSkipChk", QStringLiteral("Zu überspringende Dateien li&sten"), params.ListSkip, this);
        m_enforceBackward =
            NamedCheck("EnforceBackwardChk", QStringLiteral("Löschen beim Erzwin&gen"), params.EnforceBackward, this);
        m_enforceBackward->setToolTip(QStringLiteral("Dateien der Liste „Dateien erzwingen“, die es nur im Ziel "
                                                     "gibt, werden dort gelöscht."));

        auto* column = new QVBoxLayout(this);
        column->addWidget(touch);
        column->addWidget(orphans);
        column->addWidget(m_listSkip);
        column->addWidget(m_enforceBackward);
        column->addStretch();

        for (QRadioButton* button : {m_destOnly, m_both, m_sourceOnly})
            connect(button, &QRadioButton::toggled, this, &cScopePage::Explain);
        for (QComboBox* combo : {m_d1, m_d2, m_b, m_s1, m_s2})
            connect(combo, &QComboBox::currentIndexChanged, this, &cScopePage::Explain);
        Explain();
    }

    void Store(cParameters& params) const override {
        params.SetTouchMode(Mode());
        params.OrphanModeD1 = static_cast<eOrphanMode>(ComboCode(m_d1));
        params.OrphanModeD2 = static_cast<eOrphanMode>(ComboCode(m_d2));
        params.OrphanModeB = static_cast<eOrphanMode>(ComboCode(m_b));
        params.OrphanModeS1 = static_cast<eOrphanMode>(ComboCode(m_s1));
        params.OrphanModeS2 = static_cast<eOrphanMode>(ComboCode(m_s2));
        params.ListSkip = m_listSkip->isChecked();
        params.EnforceBackward = m_enforceBackward->isChecked();
    }

private:
    // The chosen mode; with no button chosen (a profile that touches neither side) the mode it had.
    eTouchMode Mode() const {
        if (m_destOnly->isChecked()) return eTouchMode::DestOnly;
        if (m_both->isChecked()) return eTouchMode::Both;
        if (m_sourceOnly->isChecked()) return eTouchMode::SourceOnly;
        return m_shownMode;
    }

    void Explain() {
        const eTouchMode mode = Mode();
        m_explanation->setText(
            ExplainOrphans(mode, ComboCode(m_d1), ComboCode(m_d2), ComboCode(m_b), ComboCode(m_s1), ComboCode(m_s2)));
        m_d1->setEnabled(mode == eTouchMode::DestOnly);
        m_d2->setEnabled(mode == eTouchMode::DestOnly);
        m_b->setEnabled(mode == eTouchMode::Both);
        m_s1->setEnabled(mode == eTouchMode::SourceOnly);
        m_s2->setEnabled(mode == eTouchMode::SourceOnly);
    }

    eTouchMode m_shownMode;
    QRadioButton* m_destOnly = nullptr;
    QRadioButton* m_both = nullptr;
    QRadioButton* m_sourceOnly = nullptr;
    QComboBox* m_d1 = nullptr;
    QComboBox* m_d2 = nullptr;
    QComboBox* m_b = nullptr;
    QComboBox* m_s1 = nullptr;
    QComboBox* m_s2 = nullptr;
    QLabel* m_explanation = nullptr;
    QCheckBox* m_listSkip = nullptr;
    QCheckBox* m_enforceBackward = nullptr;
};

} // namespace

cOptionsPage* MakeScopePage(const cParameters& params, QWidget* parent) {
    return new cScopePage(params, parent);
}

} // namespace ui
