// "Warnungen" and "Ereignisse": how the profile tells its user about a warning or an event of a run: a message,
// a sound (a beep or a wave file), and for the start and end of a run a message file.
#include "profile/Parameters.h"
#include "ui/DialogParts.h"
#include "ui/OptionsPages.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace ui {

namespace {

// A file field with its "..." button, which picks a file of the filter. Both lie in one box, so that enabling
// the field's parent enables the button too.
QLineEdit* FileField(QGridLayout* grid, int row, int column, const QString& name, const std::string& file,
                     const QString& filter, QWidget* page) {
    auto* box = new QWidget(page);
    auto* edit = new QLineEdit(QString::fromStdString(file), box);
    edit->setObjectName(name);
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 24);
    auto* browse = new QPushButton(QStringLiteral("..."), box);
    browse->setObjectName(name.chopped(3) + QStringLiteral("Btn"));
    browse->setAutoDefault(false);
    browse->setToolTip(QStringLiteral("Datei wählen"));
    browse->setMaximumWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("...")) +
                            browse->fontMetrics().height() * 2);
    QObject::connect(browse, &QPushButton::clicked, page, [edit, filter, page] {
        const QString chosen = QFileDialog::getOpenFileName(page, QStringLiteral("Datei wählen"),
                                                            QFileInfo(edit->text()).absolutePath(), filter);
        if (!chosen.isEmpty()) edit->setText(chosen);
    });
    auto* line = new QHBoxLayout(box);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(edit, 1);
    line->addWidget(browse);
    grid->addWidget(box, row, column);
    return edit;
}

const QString kWaveFilter = QStringLiteral("Klänge (*.wav);;Alle Dateien (*)");
const QString kMessageFilter = QStringLiteral("Nachrichten (*.rtf *.txt);;Alle Dateien (*)");

struct cSoundRow {
    QCheckBox* Message = nullptr;
    QCheckBox* Sound = nullptr;
    QCheckBox* Beep = nullptr;
    QLineEdit* File = nullptr;
};

// The beep replaces the file; without a sound neither is used.
void ConnectSoundRow(const cSoundRow& row, QWidget* page) {
    const auto update = [row] {
        row.Beep->setEnabled(row.Sound->isChecked());
        row.File->parentWidget()->setEnabled(row.Sound->isChecked() && !row.Beep->isChecked());
    };
    QObject::connect(row.Sound, &QCheckBox::toggled, page, update);
    QObject::connect(row.Beep, &QCheckBox::toggled, page, update);
    update();
}

// Stores a file field: the text as typed.
void StoreFile(const QLineEdit* edit, std::string& field) {
    field = edit->text().toStdString();
}

class cWarningsPage : public cOptionsPage {
public:
    cWarningsPage(const cParameters& p, QWidget* parent)
        : cOptionsPage("WarningsPage", QStringLiteral("Warnungen"), parent) {
        const QString captions[] = {QStringLiteral("Keine Dateien gefunden:"),
                                    QStringLiteral("Nicht genügend Speicherplatz:"), QStringLiteral("Andere:"),
                                    QStringLiteral("Unterbrechung bei Fehler:")};
        const bool messages[] = {p.Warning1Message, p.Warning2Message, p.Warning3Message, p.Warning4Message};
        const bool sounds[] = {p.Warning1Sound, p.Warning2Sound, p.Warning3Sound, p.Warning4Sound};
        const bool beeps[] = {p.Warning1Beep, p.Warning2Beep, p.Warning3Beep, p.Warning4Beep};
        const std::string* files[] = {&p.Warning1File, &p.Warning2File, &p.Warning3File, &p.Warning4File};
        auto* grid = new QGridLayout;
        grid->addWidget(new QLabel(QStringLiteral("Klangdatei"), this), 0, 4);
        for (int i = 0; i < 4; ++i) {
            const QByteArray n = "Warning" + QByteArray::number(i + 1);
            cSoundRow& row = m_rows[static_cast<std::size_t>(i)];
            row.Message = NamedCheck((n + "MessageChk").constData(), QStringLiteral("Meldung"), messages[i], this);
            row.Message->setToolTip(QStringLiteral("Ohne Meldung gilt die vorgegebene Antwort, und der Lauf geht "
                                                   "ohne Rückfrage weiter."));
            row.Sound = NamedCheck((n + "SoundChk").constData(), QStringLiteral("Klang"), sounds[i], this);
            row.Beep = NamedCheck((n + "BeepChk").constData(), QStringLiteral("Pieps"), beeps[i], this);
            row.Beep->setToolTip(QStringLiteral("Statt der Klangdatei ertönt ein kurzer Pieps."));
            grid->addWidget(new QLabel(captions[i], this), i + 1, 0);
            grid->addWidget(row.Message, i + 1, 1);
            grid->addWidget(row.Sound, i + 1, 2);
            grid->addWidget(row.Beep, i + 1, 3);
            row.File = FileField(grid, i + 1, 4, QString::fromLatin1(n + "FileEdt"), *files[i], kWaveFilter, this);
            ConnectSoundRow(row, this);
        }
        grid->setColumnStretch(4, 1);
        auto* column = new QVBoxLayout(this);
        column->addWidget(NoteLabel(QStringLiteral("Wie soll Tolvan Sie auf eine Warnung hinweisen?"), this));
        column->addLayout(grid);
        column->addStretch();
    }

    void Store(cParameters& p) const override {
        bool* messages[] = {&p.Warning1Message, &p.Warning2Message, &p.Warning3Message, &p.Warning4Message};
        bool* sounds[] = {&p.Warning1Sound, &p.Warning2Sound, &p.Warning3Sound, &p.Warning4Sound};
        bool* beeps[] = {&p.Warning1Beep, &p.Warning2Beep, &p.Warning3Beep, &p.Warning4Beep};
        std::string* files[] = {&p.Warning1File, &p.Warning2File, &p.Warning3File, &p.Warning4File};
        for (std::size_t i = 0; i < 4; ++i) {
            *messages[i] = m_rows[i].Message->isChecked();
            *sounds[i] = m_rows[i].Sound->isChecked();
            *beeps[i] = m_rows[i].Beep->isChecked();
            StoreFile(m_rows[i].File, *files[i]);
        }
    }

private:
    std::array<cSoundRow, 4> m_rows;
};

class cEventsPage : public cOptionsPage {
public:
    cEventsPage(const cParameters& p, QWidget* parent)
        : cOptionsPage("EventsPage", QStringLiteral("Ereignisse"), parent) {
        const QString captions[] = {QStringLiteral("Lauf gestartet:"), QStringLiteral("Lauf beendet:"),
                                    QStringLiteral("Doppelte Änderungen:"), QStringLiteral("Größenunterschiede:"),
                                    QStringLiteral("Vorschau:")};
        const bool sounds[] = {p.Event1Sound, p.Event2Sound, p.Event3Sound, p.Event4Sound, p.Event5Sound};
        const bool beeps[] = {p.Event1Beep, p.Event2Beep, p.Event3Beep, p.Event4Beep, p.Event5Beep};
        const std::string* files[] = {&p.Event1File1, &p.Event2File1, &p.Event3File, &p.Event4File, &p.Event5File};
        const bool messages[] = {p.Event1Message, p.Event2Message};
        const bool centered[] = {p.Event1Centered, p.Event2Centered};
        const std::string* messageFiles[] = {&p.Event1File2, &p.Event2File2};
        auto* grid = new QGridLayout;
        int line = 0;
        grid->addWidget(new QLabel(QStringLiteral("Datei"), this), line++, 3);
        for (int i = 0; i < 5; ++i) {
            const QByteArray n = "Event" + QByteArray::number(i + 1);
            cSoundRow& row = m_rows[static_cast<std::size_t>(i)];
            row.Sound = NamedCheck((n + "SoundChk").constData(), QStringLiteral("Klang"), sounds[i], this);
            row.Beep = NamedCheck((n + "BeepChk").constData(), QStringLiteral("Pieps"), beeps[i], this);
            grid->addWidget(new QLabel(captions[i], this), line, 0);
            grid->addWidget(row.Sound, line, 1);
            grid->addWidget(row.Beep, line, 2);
            row.File = FileField(grid, line, 3, QString::fromLatin1(n + (i < 2 ? "File1Edt" : "FileEdt")), *files[i],
                                 kWaveFilter, this);
            ConnectSoundRow(row, this);
            ++line;
            if (i < 2) {
                row.Message =
                    NamedCheck((n + "MessageChk").constData(), QStringLiteral("Nachricht"), messages[i], this);
                row.Message->setToolTip(QStringLiteral("Zeigt den Text der Nachrichtendatei in einem Fenster."));
                m_centered[static_cast<std::size_t>(i)] =
                    NamedCheck((n + "CenteredChk").constData(), QStringLiteral("zentriert"), centered[i], this);
                grid->addWidget(row.Message, line, 1);
                grid->addWidget(m_centered[static_cast<std::size_t>(i)], line, 2);
                m_messageFiles[static_cast<std::size_t>(i)] = FileField(
                    grid, line, 3, QString::fromLatin1(n + "File2Edt"), *messageFiles[i], kMessageFilter, this);
                QCheckBox* centeredBox = m_centered[static_cast<std::size_t>(i)];
                QLineEdit* messageFile = m_messageFiles[static_cast<std::size_t>(i)];
                const auto update = [row, centeredBox, messageFile] {
                    centeredBox->setEnabled(row.Message->isChecked());
                    messageFile->parentWidget()->setEnabled(row.Message->isChecked());
                };
                connect(row.Message, &QCheckBox::toggled, this, update);
                update();
                ++line;
            }
        }
        grid->setColumnStretch(3, 1);
        auto* column = new QVBoxLayout(this);
        column->addWidget(NoteLabel(QStringLiteral("Wie soll Tolvan ein Ereignis eines Laufs anzeigen?"), this));
        column->addLayout(grid);
        column->addStretch();
    }

    void Store(cParameters& p) const override {
        bool* sounds[] = {&p.Event1Sound, &p.Event2Sound, &p.Event3Sound, &p.Event4Sound, &p.Event5Sound};
        bool* beeps[] = {&p.Event1Beep, &p.Event2Beep, &p.Event3Beep, &p.Event4Beep, &p.Event5Beep};
        std::string* files[] = {&p.Event1File1, &p.Event2File1, &p.Event3File, &p.Event4File, &p.Event5File};
        bool* messages[] = {&p.Event1Message, &p.Event2Message};
        bool* centered[] = {&p.Event1Centered, &p.Event2Centered};
        std::string* messageFiles[] = {&p.Event1File2, &p.Event2File2};
        for (std::size_t i = 0; i < 5; ++i) {
            *sounds[i] = m_rows[i].Sound->isChecked();
            *beeps[i] = m_rows[i].Beep->isChecked();
            StoreFile(m_rows[i].File, *files[i]);
        }
        for (std::size_t i = 0; i < 2; ++i) {
            *messages[i] = m_rows[i].Message->isChecked();
            *centered[i] = m_centered[i]->isChecked();
            StoreFile(m_messageFiles[i], *messageFiles[i]);
        }
    }

private:
    std::array<cSoundRow, 5> m_rows;
    std::array<QCheckBox*, 2> m_centered{};
    std::array<QLineEdit*, 2> m_messageFiles{};
};

} // namespace

cOptionsPage* MakeWarningsPage(const cParameters& params, QWidget* parent) {
    return new cWarningsPage(params, parent);
}

cOptionsPage* MakeEventsPage(const cParameters& params, QWidget* parent) {
    return new cEventsPage(params, parent);
}

} // namespace ui
