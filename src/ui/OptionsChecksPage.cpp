// "Kontrollen": the questions a run asks before it acts (midnight, many deletions, double changes, size
// differences) with the action each one presets, the preview and its order.
#include "profile/Parameters.h"
#include "ui/DialogParts.h"
#include "ui/OptionsPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ui {

namespace {

using Choices = std::vector<std::pair<QString, int>>;

Choices ActionChoices() {
    return {{QStringLiteral("Neuere Version behalten"), 0},
            {QStringLiteral("Vorwärts"), 1},
            {QStringLiteral("Überspringen"), 2},
            {QStringLiteral("Rückwärts"), 3},
            {QStringLiteral("Keine"), 4}};
}

class cChecksPage : public cOptionsPage {
public:
    cChecksPage(const cParameters& params, QWidget* parent)
        : cOptionsPage("ChecksPage", QStringLiteral("Kontrollen"), parent), m_p(params) {
        m_midnight = NamedCheck("MidnightChk", QStringLiteral("Von &Mitternacht bis"), params.MidnightHours >= 1, this);
        m_midnight->setToolTip(QStringLiteral("Ein Lauf kurz nach Mitternacht fragt, ob er noch als Lauf von "
                                              "gestern gelten soll (für Datums-Variationen und das Alter)."));
        m_hours =
            new cNumberField("MidnightHoursEdt", params.MidnightHours >= 1 ? params.MidnightHours : 2, 1, 23, this);
        auto* midnightRow = new QHBoxLayout;
        midnightRow->addWidget(m_midnight);
        midnightRow->addWidget(m_hours->Edit());
        midnightRow->addWidget(new QLabel(QStringLiteral("Uhr nachfragen"), this));
        midnightRow->addStretch();

        m_percentage = NamedCheck("PercentageChk", QStringLiteral("Melden, &wenn mindestens"), params.Percentage, this);
        m_threshold = new cNumberField("PercentageThresholdEdt", params.PercentageThreshold, 5, 95, this, 5);
        m_count = new cNumberField("PercentageCountEdt", params.PercentageCount, 2, 999, this);
        auto* percentageRow = new QHBoxLayout;
        percentageRow->addWidget(m_percentage);
        percentageRow->addWidget(m_threshold->Edit());
        percentageRow->addWidget(new QLabel(QStringLiteral("Prozent von mindestens"), this));
        percentageRow->addWidget(m_count->Edit());
        percentageRow->addStretch();
        auto* percentageTail = NoteLabel(QStringLiteral("gefundenen Dateien gelöscht werden sollen"), this);
        percentageTail->setIndent(m_percentage->fontMetrics().height() + 6);

        auto* doubles = new QGroupBox(QStringLiteral("Doppelte Änderungen"), this);
        m_doubleWarn = NamedCheck("DoubleWarnChk", QStringLiteral("Ausdrücklich m&elden"), params.DoubleWarn, doubles);
        m_doubleWarn->setToolTip(QStringLiteral("Dateien, die seit dem letzten Lauf auf beiden Seiten geändert "
                                                "wurden, werden vor dem Kopieren in einer Liste gezeigt."));
        m_doubleDefault = CodeCombo("DoubleDefaultCbo", ActionChoices(), params.DoubleDefault, doubles);
        auto* doublesGrid = new QGridLayout(doubles);
        doublesGrid->addWidget(m_doubleWarn, 0, 0, 1, 2);
        doublesGrid->addWidget(BuddyLabel(QStringLiteral("Vorgegebene &Aktion:"), m_doubleDefault, doubles), 1, 0);
        doublesGrid->addWidget(m_doubleDefault, 1, 1);
        doublesGrid->setColumnStretch(2, 1);

        auto* sizes = new QGroupBox(QStringLiteral("Größenunterschiede"), this);
        m_sizesWarn = NamedCheck("SizesWarnChk", QStringLiteral("Ausdrücklich me&lden"), params.SizesWarn, sizes);
        m_sizesCompare =
            NamedCheck("SizesCompareChk", QStringLiteral("Größen vergleichen mit &Faktor"), params.SizesCompare, sizes);
        m_sizesCompare->setToolTip(QStringLiteral("Gemeldet wird eine Datei, die mindestens so viel mal größer oder "
                                                  "kleiner als ihr Gegenstück ist."));
        m_factor = new cNumberField("SizesFactorEdt", params.SizesFactor, 2, 99, sizes);
        m_sizesDefault = CodeCombo("SizesDefaultCbo", ActionChoices(), params.SizesDefault, sizes);
        auto* sizesGrid = new QGridLayout(sizes);
        sizesGrid->addWidget(m_sizesWarn, 0, 0, 1, 2);
        sizesGrid->addWidget(m_sizesCompare, 1, 0);
        sizesGrid->addWidget(m_factor->Edit(), 1, 1, Qt::AlignLeft);
        sizesGrid->addWidget(m_factor->Problem(), 2, 0, 1, 3);
        sizesGrid->addWidget(BuddyLabel(QStringLiteral("Vorgegebene A&ktion:"), m_sizesDefault, sizes), 3, 0);
        sizesGrid->addWidget(m_sizesDefault, 3, 1);
        sizesGrid->setColumnStretch(2, 1);

        m_showPreview = NamedCheck("ShowPreviewChk", QStringLiteral("&Vorschau zeigen"), params.ShowPreview, this);
        m_showPreview->setToolTip(QStringLiteral("Vor dem Kopieren zeigt eine Liste, was geschehen wird; dort lässt "
                                                 "sich jede Aktion ändern."));
        m_sortMode = CodeCombo("SortModeCbo",
                               Choices{{QStringLiteral("Nach Pfad"), 0},
                                       {QStringLiteral("Nach Namen"), 1},
                                       {QStringLiteral("Nach Typ"), 2},
                                       {QStringLiteral("Nach Größe"), 3},
                                       {QStringLiteral("Nach Datum / Uhrzeit"), 4},
                                       {QStringLiteral("Nach Kategorie"), 5}},
                               params.SortMode, this);
        m_reverse = NamedCheck("ReverseOrderChk", QStringLiteral("&Umgekehrte Reihenfolge"), params.ReverseOrder, this);
        auto* sortRow = new QHBoxLayout;
        sortRow->addWidget(BuddyLabel(QStringLiteral("&Sortierung:"), m_sortMode, this));
        sortRow->addWidget(m_sortMode);
        sortRow->addWidget(m_reverse);
        sortRow->addStretch();

        auto* column = new QVBoxLayout(this);
        column->addLayout(midnightRow);
        column->addWidget(m_hours->Problem());
        column->addLayout(percentageRow);
        column->addWidget(percentageTail);
        column->addWidget(m_threshold->Problem());
        column->addWidget(m_count->Problem());
        column->addWidget(doubles);
        column->addWidget(sizes);
        column->addWidget(m_showPreview);
        column->addLayout(sortRow);
        column->addStretch();

        for (QCheckBox* box : {m_midnight, m_percentage, m_sizesCompare})
            connect(box, &QCheckBox::toggled, this, &cChecksPage::UpdateEnabled);
        UpdateEnabled();
    }

    bool Check() override {
        bool ok = true;
        for (auto [box, field] : {std::pair{m_midnight, m_hours}, std::pair{m_percentage, m_threshold},
                                  std::pair{m_percentage, m_count}, std::pair{m_sizesCompare, m_factor}}) {
            if (box->isChecked())
                ok = field->Check() && ok;
            else
                ShowProblem(field->Problem(), {});
        }
        return ok;
    }

    void Store(cParameters& params) const override {
        // Off is 0; a damaged number stays as it was unless the user switches the question on.
        if (!m_midnight->isChecked())
            params.MidnightHours = 0;
        else
            params.MidnightHours = m_hours->ValueOr(m_p.MidnightHours);
        params.Percentage = m_percentage->isChecked();
        params.PercentageThreshold = m_threshold->ValueOr(m_p.PercentageThreshold);
        params.PercentageCount = m_count->ValueOr(m_p.PercentageCount);
        params.DoubleWarn = m_doubleWarn->isChecked();
        params.DoubleDefault = ComboCode(m_doubleDefault);
        params.SizesCompare = m_sizesCompare->isChecked();
        params.SizesFactor = m_factor->ValueOr(m_p.SizesFactor);
        params.SizesWarn = m_sizesWarn->isChecked();
        params.SizesDefault = ComboCode(m_sizesDefault);
        params.ShowPreview = m_showPreview->isChecked();
        params.SortMode = static_cast<std::uint8_t>(ComboCode(m_sortMode));
        params.ReverseOrder = m_reverse->isChecked();
    }

private:
    void UpdateEnabled() {
        m_hours->Edit()->setEnabled(m_midnight->isChecked());
        m_threshold->Edit()->setEnabled(m_percentage->isChecked());
        m_count->Edit()->setEnabled(m_percentage->isChecked());
        m_factor->Edit()->setEnabled(m_sizesCompare->isChecked());
    }

    struct cShown {
        int MidnightHours;
        int PercentageThreshold;
        int PercentageCount;
        int SizesFactor;
        explicit cShown(const cParameters& p)
            : MidnightHours(p.MidnightHours), PercentageThreshold(p.PercentageThreshold),
              PercentageCount(p.PercentageCount), SizesFactor(p.SizesFactor) {}
    } m_p;
    QCheckBox* m_midnight = nullptr;
    cNumberField* m_hours = nullptr;
    QCheckBox* m_percentage = nullptr;
    cNumberField* m_threshold = nullptr;
    cNumberField* m_count = nullptr;
    QCheckBox* m_doubleWarn = nullptr;
    QComboBox* m_doubleDefault = nullptr;
    QCheckBox* m_sizesWarn = nullptr;
    QCheckBox* m_sizesCompare = nullptr;
    cNumberField* m_factor = nullptr;
    QComboBox* m_sizesDefault = nullptr;
    QCheckBox* m_showPreview = nullptr;
    QComboBox* m_sortMode = nullptr;
    QCheckBox* m_reverse = nullptr;
};

} // namespace

cOptionsPage* MakeChecksPage(const cParameters& params, QWidget* parent) {
    return new cChecksPage(params, parent);
}

} // namespace ui
