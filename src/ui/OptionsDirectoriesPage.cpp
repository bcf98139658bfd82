// "Verzeichnisse": how source paths are shortened at the destination, and which directories a run creates,
// deletes when empty, and gives their properties.
#include "profile/Parameters.h"
#include "ui/DialogParts.h"
#include "ui/OptionsPages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

namespace {

// The stored form of a typed offset: a leading "\", no trailing "\"; a text with a variable stays as typed.
std::string CanonicalOffset(const QString& typed) {
    QString text = typed.trimmed();
    if (text.count(QLatin1Char('%')) >= 2) return text.toStdString();
    if (!text.startsWith(QLatin1Char('\\'))) text.prepend(QLatin1Char('\\'));
    if (text.size() > 1 && text.endsWith(QLatin1Char('\\'))) text.chop(1);
    return text.toStdString();
}

class cDirectoriesPage : public cOptionsPage {
public:
    cDirectoriesPage(const cParameters& params, QWidget* parent)
        : cOptionsPage("DirectoriesPage", QStringLiteral("Verzeichnisse"), parent), m_shortenPaths(params.ShortenPaths),
          m_pathOffset(params.PathOffset) {
        auto* shorten = new QGroupBox(QStringLiteral("Pfade kürzen"), this);
        m_no = NamedRadio("ShortenNoRdo", QStringLiteral("&Nein"), params.ShortenPaths == eShortenPaths::None, shorten);
        const QString automatic = QString::fromStdString(params.AutoPathOffset());
        m_automatic = NamedRadio(
            "ShortenAutoRdo",
            QStringLiteral("&Automatisch (jetzt: %1)").arg(automatic.isEmpty() ? QStringLiteral("nichts") : automatic),
            params.ShortenPaths == eShortenPaths::Automatic, shorten);
        m_automatic->setToolTip(QStringLiteral("Der gemeinsame Anfang aller zu durchsuchenden Verzeichnisse wird "
                                               "im Ziel weggelassen."));
        m_byOffset = NamedRadio("ShortenOffsetRdo", QStringLiteral("&Um diesen Teil:"),
                                params.ShortenPaths == eShortenPaths::ByPathOffset, shorten);
        auto* group = new QButtonGroup(this);
        for (QRadioButton* button : {m_no, m_automatic, m_byOffset})
            group->addButton(button);
        m_offset = NamedEdit("PathOffsetEdt", QString::fromStdString(params.PathOffset), shorten);
        m_offset->setPlaceholderText(QStringLiteral("z. B. \\Daten\\Briefe"));
        m_offsetProblem = ProblemLabel("PathOffsetProblem", shorten);
        auto* shortenGrid = new QGridLayout(shorten);
        shortenGrid->addWidget(m_no, 0, 0, 1, 2);
        shortenGrid->addWidget(m_automatic, 1, 0, 1, 2);
        shortenGrid->addWidget(m_byOffset, 2, 0);
        shortenGrid->addWidget(m_offset, 2, 1);
        shortenGrid->addWidget(m_offsetProblem, 3, 0, 1, 2);
        shortenGrid->setColumnStretch(1, 1);

        auto* sides = new QGroupBox(QStringLiteral("Verzeichnisse"), this);
        auto* grid = new QGridLayout(sides);
        grid->addWidget(new QLabel(QStringLiteral("In der Quelle"), sides), 0, 1);
        grid->addWidget(new QLabel(QStringLiteral("Im Ziel"), sides), 0, 2);
        const struct {
            const char* Source;
            const char* Dest;
            QString Caption;
            bool SourceValue;
            bool DestValue;
        } rows[] = {
            {"CreateSrcDirsChk", "CreateDestDirsChk", QStringLiteral("Erstellen, wenn nötig:"), params.CreateSrcDirs,
             params.CreateDestDirs},
            {"DeleteEmptySrcDirsChk", "DeleteEmptyDestDirsChk", QStringLiteral("Leere löschen:"),
             params.DeleteEmptySrcDirs, params.DeleteEmptyDestDirs},
            {"CreateAllSrcDirsChk", "CreateAllDestDirsChk", QStringLiteral("Alle erstellen, auch leere:"),
             params.CreateAllSrcDirs, params.CreateAllDestDirs},
        };
        int row = 1;
        for (const auto& r : rows) {
            QCheckBox* source = NamedCheck(r.Source, {}, r.SourceValue, sides);
            QCheckBox* dest = NamedCheck(r.Dest, {}, r.DestValue, sides);
            source->setAccessibleName(r.Caption + QStringLiteral(" In der Quelle"));
            dest->setAccessibleName(r.Caption + QStringLiteral(" Im Ziel"));
            grid->addWidget(new QLabel(r.Caption, sides), row, 0);
            grid->addWidget(source, row, 1, Qt::AlignHCenter);
            grid->addWidget(dest, row, 2, Qt::AlignHCenter);
            m_sides.push_back(source);
            m_sides.push_back(dest);
            ++row;
        }
        grid->setColumnStretch(3, 1);
        m_transfer = NamedCheck("TransferDirPropertiesChk", QStringLiteral("Verzeichnis&eigenschaften übertragen"),
                                params.TransferDirProperties, this);
        m_transfer->setToolTip(QStringLiteral("Neue Verzeichnisse bekommen die Zugriffsrechte und die Zeit ihres "
                                              "Originals."));

        auto* column = new QVBoxLayout(this);
        column->addWidget(shorten);
        column->addWidget(sides);
        column->addWidget(m_transfer);
        column->addStretch();
        for (QRadioButton* button : {m_no, m_automatic, m_byOffset})
            connect(button, &QRadioButton::toggled, this, [this] { m_offset->setEnabled(m_byOffset->isChecked()); });
        m_offset->setEnabled(m_byOffset->isChecked());
    }

    bool Check() override {
        const bool missing = m_byOffset->isChecked() && m_offset->text().trimmed().isEmpty();
        return ShowProblem(m_offsetProblem,
                           missing ? QStringLiteral("Bitte den Teil der Pfade angeben, der im Ziel wegfallen soll.")
                                   : QString());
    }

    void Store(cParameters& params) const override {
        if (m_no->isChecked())
            params.ShortenPaths = eShortenPaths::None;
        else if (m_automatic->isChecked())
            params.ShortenPaths = eShortenPaths::Automatic;
        else if (m_byOffset->isChecked())
            params.ShortenPaths = eShortenPaths::ByPathOffset;
        else
            params.ShortenPaths = m_shortenPaths;
        // The offset as it was, unless the user typed another one.
        if (m_offset->text() != QString::fromStdString(m_pathOffset))
            params.PathOffset =
                m_offset->text().trimmed().isEmpty() ? std::string() : CanonicalOffset(m_offset->text());
        bool* fields[] = {&params.CreateSrcDirs,       &params.CreateDestDirs,   &params.DeleteEmptySrcDirs,
                          &params.DeleteEmptyDestDirs, &params.CreateAllSrcDirs, &params.CreateAllDestDirs};
        for (std::size_t i = 0; i < m_sides.size(); ++i)
            *fields[i] = m_sides[i]->isChecked();
        params.TransferDirProperties = m_transfer->isChecked();
    }

private:
    eShortenPaths m_shortenPaths;
    std::string m_pathOffset;
    QRadioButton* m_no = nullptr;
    QRadioButton* m_automatic = nullptr;
    QRadioButton* m_byOffset = nullptr;
    QLineEdit* m_offset = nullptr;
    QLabel* m_offsetProblem = nullptr;
    std::vector<QCheckBox*> m_sides; // source and destination of each row
    QCheckBox* m_transfer = nullptr;
};

} // namespace

cOptionsPage* MakeDirectoriesPage(const cParameters& params, QWidget* parent) {
    return new cDirectoriesPage(params, parent);
}

} // namespace ui
