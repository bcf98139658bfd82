// "Filter": which files a run looks at by their age, and which protected or hidden files it may find and change.
#include "profile/Parameters.h"
#include "ui/DialogParts.h"
#include "ui/OptionsPages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

namespace {

// Day numbers count from 30 December 1899 (day 25569 is 1 January 1970).
const QDate kDayZero(1899, 12, 30);

class cFilterPage : public cOptionsPage {
public:
    cFilterPage(const cParameters& params, QWidget* parent)
        : cOptionsPage("FilterPage", QStringLiteral("Filter"), parent), m_ageMode(params.AgeMode),
          m_relativeAge(params.RelativeAge), m_absoluteAge(params.AbsoluteAge), m_attributes(params.Attributes) {
        const eAgeMode mode = AgeModeOf(params.AgeMode);
        auto* age = new QGroupBox(QStringLiteral("Alter"), this);
        m_noLimit = NamedRadio("AgeNoneRdo", QStringLiteral("&Keine Grenze"), mode == eAgeMode::None, age);
        m_relative =
            NamedRadio("AgeRelativeRdo", QStringLiteral("Nicht älter &als"), mode == eAgeMode::RelativeAge, age);
        m_days = new cNumberField("RelativeAgeEdt", params.RelativeAge, 0, 999, age);
        m_absolute = NamedRadio("AgeAbsoluteRdo", QStringLiteral("Seit &dem"), mode == eAgeMode::AbsoluteAge, age);
        m_date = new QDateEdit(kDayZero.addDays(params.AbsoluteAge), age);
        m_date->setObjectName(QStringLiteral("AbsoluteAgeEdt"));
        m_date->setCalendarPopup(true);
        m_date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        m_shownDate = m_date->date();
        m_lastRun =
            NamedRadio("AgeLastRunRdo", QStringLiteral("Seit dem &letzten Lauf"), mode == eAgeMode::LastRun, age);
        auto* group = new QButtonGroup(this);
        for (QRadioButton* button : {m_noLimit, m_relative, m_absolute, m_lastRun})
            group->addButton(button);
        m_reversed = NamedCheck("AgeReversedChk", QStringLiteral("&Umkehren: nur ältere Dateien (mehr als / vor)"),
                                AgeModeReversed(params.AgeMode), age);
        m_reversed->setToolTip(QStringLiteral("Statt der neueren Dateien werden nur die älteren genommen."));
        auto* grid = new QGridLayout(age);
        grid->addWidget(m_noLimit, 0, 0, 1, 3);
        grid->addWidget(m_relative, 1, 0);
        grid->addWidget(m_days->Edit(), 1, 1);
        grid->addWidget(new QLabel(QStringLiteral("Tage"), age), 1, 2);
        grid->addWidget(m_days->Problem(), 2, 0, 1, 4);
        grid->addWidget(m_absolute, 3, 0);
        grid->addWidget(m_date, 3, 1, 1, 2);
        grid->addWidget(m_lastRun, 4, 0, 1, 3);
        grid->addWidget(m_reversed, 5, 0, 1, 4);
        grid->setColumnStretch(3, 1);

        auto* attributes = new QGroupBox(QStringLiteral("Attribute"), this);
        m_readOnly = NamedCheck("ReadOnlyChk", QStringLiteral("&Schreibgeschützte Dateien überschreiben / löschen"),
                                AllowsChange(params.Attributes, eAttributeChange::ReadOnly), attributes);
        m_readOnly->setToolTip(QStringLiteral("Dateien, die ihr Besitzer nicht beschreiben darf."));
        m_hidden = NamedCheck("HiddenChk", QStringLiteral("&Versteckte Dateien finden / überschreiben"),
                              AllowsChange(params.Attributes, eAttributeChange::Hidden), attributes);
        m_hidden->setToolTip(QStringLiteral("Dateien und Verzeichnisse, deren Name mit einem Punkt beginnt."));
        m_system = NamedCheck("SystemChk", QStringLiteral("S&ystemdateien finden / überschreiben"),
                              AllowsChange(params.Attributes, eAttributeChange::System), attributes);
        auto* attributesColumn = new QVBoxLayout(attributes);
        attributesColumn->addWidget(m_readOnly);
        attributesColumn->addWidget(m_hidden);
        attributesColumn->addWidget(m_system);

        auto* column = new QVBoxLayout(this);
        column->addWidget(age);
        column->addWidget(attributes);
        column->addStretch();
        for (QRadioButton* button : {m_noLimit, m_relative, m_absolute, m_lastRun})
            connect(button, &QRadioButton::toggled, this, &cFilterPage::UpdateEnabled);
        UpdateEnabled();
    }

    bool Check() override {
        if (m_relative->isChecked()) return m_days->Check();
        ShowProblem(m_days->Problem(), {});
        return true;
    }

    void Store(cParameters& params) const override {
        eAgeMode mode = AgeModeOf(m_ageMode);
        if (m_noLimit->isChecked()) mode = eAgeMode::None;
        if (m_relative->isChecked()) mode = eAgeMode::RelativeAge;
        if (m_absolute->isChecked()) mode = eAgeMode::AbsoluteAge;
        if (m_lastRun->isChecked()) mode = eAgeMode::LastRun;
        // Bits the dialog does not know stay as they are.
        params.AgeMode = static_cast<std::uint8_t>((m_ageMode & ~0x07) | AgeModeValue(mode, m_reversed->isChecked()));
        // A number that is not used now and cannot be read stays what it was.
        bool valid = false;
        const int days = m_days->Edit()->text().trimmed().toInt(&valid);
        params.RelativeAge = valid && days >= 0 && days <= 999 ? days : m_relativeAge;
        // A day the date field cannot show (a damaged file) stays unless the user picks another date.
        if (m_date->date() != m_shownDate) params.AbsoluteAge = static_cast<int>(kDayZero.daysTo(m_date->date()));
        int attributes = m_attributes &
                         ~AttributeBits(eAttributeChange::ReadOnly, eAttributeChange::Hidden, eAttributeChange::System);
        if (m_readOnly->isChecked()) attributes |= AttributeBits(eAttributeChange::ReadOnly);
        if (m_hidden->isChecked()) attributes |= AttributeBits(eAttributeChange::Hidden);
        if (m_system->isChecked()) attributes |= AttributeBits(eAttributeChange::System);
        params.Attributes = attributes;
    }

private:
    void UpdateEnabled() {
        m_days->Edit()->setEnabled(m_relative->isChecked());
        m_date->setEnabled(m_absolute->isChecked());
        m_reversed->setEnabled(!m_noLimit->isChecked());
    }

    std::uint8_t m_ageMode;
    int m_relativeAge;
    int m_absoluteAge;
    int m_attributes;
    QDate m_shownDate;
    QRadioButton* m_noLimit = nullptr;
    QRadioButton* m_relative = nullptr;
    cNumberField* m_days = nullptr;
    QRadioButton* m_absolute = nullptr;
    QDateEdit* m_date = nullptr;
    QRadioButton* m_lastRun = nullptr;
    QCheckBox* m_reversed = nullptr;
    QCheckBox* m_readOnly = nullptr;
    QCheckBox* m_hidden = nullptr;
    QCheckBox* m_system = nullptr;
};

} // namespace

cOptionsPage* MakeFilterPage(const cParameters& params, QWidget* parent) {
    return new cFilterPage(params, parent);
}

} // namespace ui
