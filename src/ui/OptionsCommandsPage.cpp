// "Vorher & nachher": the commands a run starts before and after it, in order, with delays between them.
#include "profile/Parameters.h"
#include "ui/DialogParts.h"
#include "ui/OptionsPages.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kTextRole = Qt::UserRole;
constexpr int kTagRole = Qt::UserRole + 1;

// How the list shows an entry: a command as it is, a delay (empty text) with its seconds.
QString EntryText(const QString& text, int seconds) {
    if (!text.isEmpty()) return text;
    return QStringLiteral("- %1 Sekunde%2 Verzögerung - ")
        .arg(seconds)
        .arg(seconds == 1 ? QString() : QStringLiteral("n"));
}

// The captions of a list's buttons; the two lists share a page, so each has letters of its own.
struct cListCaptions {
    QString Title, Up, Down, Remove, AddCommand, AddDelay;
};

// One command list with its editing buttons.
class cCommandList : public QGroupBox {
public:
    cCommandList(const char* prefix, const cListCaptions& captions, const cTextList& commands, QWidget* parent)
        : QGroupBox(captions.Title, parent) {
        const QByteArray p(prefix);
        m_list = new QListWidget(this);
        m_list->setObjectName(QString::fromLatin1(p + "Lst"));
        for (const cTextItem& item : commands)
            Append(QString::fromStdString(item.Text), item.Tag);
        m_command = NamedEdit((p + "CommandEdt").constData(), {}, this);
        m_command->setPlaceholderText(QStringLiteral("Befehlszeile, z. B. mount /media/sicherung"));
        QPushButton* addCommand = NamedButton((p + "AddCommandBtn").constData(), captions.AddCommand, this);
        m_delay = new cNumberField((p + "DelayEdt").constData(), 10, 0, 999, this);
        QPushButton* addDelay = NamedButton((p + "AddDelayBtn").constData(), captions.AddDelay, this);
        QPushButton* remove = NamedButton((p + "RemoveBtn").constData(), captions.Remove, this);
        QPushButton* up = NamedButton((p + "UpBtn").constData(), captions.Up, this);
        QPushButton* down = NamedButton((p + "DownBtn").constData(), captions.Down, this);
        up->setToolTip(QStringLiteral("Aufwärts bewegen"));
        down->setToolTip(QStringLiteral("Abwärts bewegen"));

        connect(addCommand, &QPushButton::clicked, this, [this] {
            const QString text = m_command->text().trimmed();
            if (text.isEmpty()) return;
            Append(text, 0);
            m_command->clear();
        });
        connect(m_command, &QLineEdit::returnPressed, addCommand, &QPushButton::click);
        connect(addDelay, &QPushButton::clicked, this, [this] {
            if (m_delay->Check()) Append({}, m_delay->Value());
        });
        connect(remove, &QPushButton::clicked, this, [this] { delete m_list->takeItem(m_list->currentRow()); });
        connect(up, &QPushButton::clicked, this, [this] { Move(-1); });
        connect(down, &QPushButton::clicked, this, [this] { Move(1); });

        auto* buttons = new QVBoxLayout;
        buttons->addWidget(up);
        buttons->addWidget(down);
        buttons->addWidget(remove);
        buttons->addStretch();
        auto* listRow = new QHBoxLayout;
        listRow->addWidget(m_list, 1);
        listRow->addLayout(buttons);
        auto* grid = new QGridLayout;
        grid->addWidget(m_command, 0, 0, 1, 2);
        grid->addWidget(addCommand, 0, 2);
        grid->addWidget(new QLabel(QStringLiteral("Sekunden:"), this), 1, 0);
        grid->addWidget(m_delay->Edit(), 1, 1, Qt::AlignLeft);
        grid->addWidget(addDelay, 1, 2);
        grid->addWidget(m_delay->Problem(), 2, 0, 1, 3);
        grid->setColumnStretch(1, 1);
        auto* column = new QVBoxLayout(this);
        column->addLayout(listRow);
        column->addLayout(grid);
        m_list->setMinimumHeight(m_list->fontMetrics().height() * 5);
        // Tab goes as the eye does: the list, the buttons beside it, then the rows below.
        QWidget* order[] = {m_list, up, down, remove, m_command, addCommand, m_delay->Edit(), addDelay};
        for (std::size_t i = 0; i + 1 < std::size(order); ++i)
            setTabOrder(order[i], order[i + 1]);
    }

    void Store(cTextList& commands) const {
        commands.Clear();
        for (int i = 0; i < m_list->count(); ++i) {
            const QListWidgetItem* item = m_list->item(i);
            commands.Add(item->data(kTextRole).toString().toStdString(), item->data(kTagRole).toInt());
        }
    }

private:
    void Append(const QString& text, int tag) {
        auto* item = new QListWidgetItem(EntryText(text, tag), m_list);
        item->setData(kTextRole, text);
        item->setData(kTagRole, tag);
        m_list->setCurrentItem(item);
    }

    void Move(int by) {
        const int row = m_list->currentRow();
        const int to = row + by;
        if (row < 0 || to < 0 || to >= m_list->count()) return;
        QListWidgetItem* item = m_list->takeItem(row);
        m_list->insertItem(to, item);
        m_list->setCurrentRow(to);
    }

    QListWidget* m_list = nullptr;
    QLineEdit* m_command = nullptr;
    cNumberField* m_delay = nullptr;
};

class cCommandsPage : public cOptionsPage {
public:
    cCommandsPage(const cParameters& params, QWidget* parent)
        : cOptionsPage("CommandsPage", QStringLiteral("Vorher & nachher"), parent) {
        m_before = new cCommandList("Before",
                                    {QStringLiteral("V&orher"), QStringLiteral("&Auf"), QStringLiteral("A&b"),
                                     QStringLiteral("&Entfernen"), QStringLiteral("Be&fehl hinzufügen"),
                                     QStringLiteral("&Verzögerung hinzufügen")},
                                    params.BeforeCommands, this);
        m_after = new cCommandList("After",
                                   {QStringLiteral("&Nachher"), QStringLiteral("A&uf"), QStringLiteral("Ab"),
                                    QStringLiteral("Entfe&rnen"), QStringLiteral("Befehl hin&zufügen"),
                                    QStringLiteral("Verzö&gerung hinzufügen")},
                                   params.AfterCommands, this);
        auto* column = new QVBoxLayout(this);
        column->addWidget(NoteLabel(QStringLiteral("Diese Befehle werden der Reihe nach vor und nach einem Lauf "
                                                   "gestartet; eine Verzögerung wartet die angegebene Zeit."),
                                    this));
        column->addWidget(m_before);
        column->addWidget(m_after);
    }

    void Store(cParameters& params) const override {
        m_before->Store(params.BeforeCommands);
        m_after->Store(params.AfterCommands);
    }

private:
    cCommandList* m_before = nullptr;
    cCommandList* m_after = nullptr;
};

} // namespace

cOptionsPage* MakeCommandsPage(const cParameters& params, QWidget* parent) {
    return new cCommandsPage(params, parent);
}

} // namespace ui
