#include "ui/SourceDialog.h"

#include "destinations/PathNames.h"
#include "engine/SourceCount.h"
#include "messages/ErrorText.h"
#include "platform/ErrorCodes.h"
#include "platform/GermanFormat.h"
#include "platform/Roots.h"
#include "profile/Parameters.h"
#include "profile/SettingsFile.h"
#include "profile/SettingsStore.h"
#include "ui/DialogParts.h"
#include "ui/SourceCounter.h"
#include "ui/SourceTree.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStorageInfo>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kSourceHelp = 4220;
constexpr int kDirectoriesTab = 0;
constexpr int kMasksTab = 1;

// One entry per line; blank lines are no entries.
std::vector<std::string> Lines(const QPlainTextEdit* edit) {
    std::vector<std::string> lines;
    for (const QString& line : edit->toPlainText().split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty()) lines.push_back(line.toStdString());
    return lines;
}

std::vector<std::string> ListTexts(const cTextList& list) {
    std::vector<std::string> texts;
    for (const cTextItem& item : list)
        texts.push_back(item.Text);
    return texts;
}

QString TextOf(const cTextList& list) {
    QStringList lines;
    for (const cTextItem& item : list)
        lines << QString::fromStdString(item.Text);
    return lines.join(QLatin1Char('\n'));
}

bool SameTexts(const cTextList& list, const std::vector<std::string>& lines) {
    if (list.Size() != lines.size()) return false;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (list.Text(i) != lines[i]) return false;
    return true;
}

// The list as the profile keeps it (sorted, without duplicates by the list's own rule).
cTextList ListOf(TextListKind kind, const std::vector<std::string>& lines) {
    cTextList list(kind);
    for (const std::string& line : lines)
        list.Add(line);
    return list;
}

// Why a line is no search or exclude entry; empty when it is one.
QString DirectoryProblem(const std::string& entry) {
    if (HasVariables(entry)) return {};
    if (!entry.starts_with('\\')) return QStringLiteral("beginnt nicht mit „\\“");
    const std::size_t last = entry.rfind('\\');
    const std::string folder = entry.substr(0, last + 1);
    const std::string rest = entry.substr(last + 1);
    if (!IsValidDirectory(folder) || !platform::StaysBelowRoot(folder))
        return QStringLiteral("ist kein gültiger Ordner unter der Quelle");
    if (rest.empty()) return {};
    if (rest.find('*') == std::string::npos)
        return QStringLiteral("endet weder mit „\\“ (ein Ordner) noch mit einem Muster wie „*“");
    std::string text = rest;
    if (text.starts_with('*')) text.erase(0, 1);
    if (text.ends_with('*')) text.pop_back();
    const bool both = rest.size() >= 2 && rest.starts_with('*') && rest.ends_with('*');
    if (text.find('*') != std::string::npos || (both && text.empty()) ||
        text.find_first_of("/:?<|>\"") != std::string::npos)
        return QStringLiteral("ist kein Muster der Formen \\Ordner\\*, \\Ordner\\Text*, \\Ordner\\*Text und "
                              "\\Ordner\\*Text*");
    return {};
}

// Why a line is no file mask; empty when it is one.
QString MaskProblem(const std::string& mask) {
    if (mask.find_first_of("\\/") != std::string::npos)
        return QStringLiteral("nennt einen Ordner; eine Maske ist nur ein Dateiname wie *.doc oder Brief*.*");
    for (const char c : mask)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return QStringLiteral("enthält ein Steuerzeichen");
    return {};
}

QString LineProblem(const std::vector<std::string>& lines, QString (*problem)(const std::string&)) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QString why = problem(lines[i]);
        if (!why.isEmpty())
            return QStringLiteral("Zeile %1: „%2“ %3.").arg(i + 1).arg(QString::fromStdString(lines[i]), why);
    }
    return {};
}

QString Counted(std::uint64_t n, const char* one, const char* many) {
    return QString::fromStdString(platform::FormatNumber(static_cast<double>(n), 0)) + QLatin1Char(' ') +
           QString::fromUtf8(n == 1 ? one : many);
}

QLabel* ErrorLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: #b00020;"));
    label->hide();
    return label;
}

QPlainTextEdit* EntryEdit(const char* name, const QString& tip, QWidget* parent) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setToolTip(tip);
    edit->setTabChangesFocus(true);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setMinimumHeight(edit->fontMetrics().lineSpacing() * 4);
    return edit;
}

QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

std::vector<cSourceVolume> MountedSourceVolumes() {
    std::vector<cSourceVolume> volumes;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        if (!storage.isValid() || !storage.isReady()) continue;
        // Real block devices only: no /proc, /sys, tmpfs, or the snap packages' loop devices.
        const QString device = QString::fromLocal8Bit(storage.device());
        if (!device.startsWith(QStringLiteral("/dev/")) || device.startsWith(QStringLiteral("/dev/loop"))) continue;
        volumes.push_back({storage.rootPath(), storage.name()});
    }
    return volumes;
}

TSourceDlg::TSourceDlg(cParameters& params, std::vector<cSourceVolume> volumes, QWidget* parent)
    : QDialog(parent), m_params(params), m_drives(params.Drives) {
    setObjectName(QStringLiteral("SourceDlg"));
    setWindowTitle(QStringLiteral("Quelle"));
    m_ticks.Read(ListTexts(params.SearchDirectories), ListTexts(params.ExcludeDirectories));

    // The root.
    m_root = new QLineEdit(QString::fromStdString(params.SourceDrive), this);
    m_root->setObjectName(QStringLiteral("SourceDriveEdt"));
    m_root->setToolTip(QStringLiteral("Der Ordner, unter dem alle Verzeichnisse der Quelle liegen, zum Beispiel "
                                      "/home/anna. Ein Laufwerk wie D: aus einem Profil von Windows wird über "
                                      "die Zuordnung gefunden."));
    m_root->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    auto* browse = new QPushButton(QStringLiteral("&Durchsuchen..."), this);
    browse->setObjectName(QStringLiteral("BrowseBtn"));
    browse->setAutoDefault(false);
    browse->setToolTip(QStringLiteral("Einen Ordner als Quelle wählen"));
    m_volumes = new QComboBox(this);
    m_volumes->setObjectName(QStringLiteral("VolumeCbo"));
    m_volumes->setToolTip(QStringLiteral("Die eingehängten Datenträger; die Wahl eines Datenträgers macht seinen "
                                         "Einhängeort zur Quelle."));
    m_volumes->setPlaceholderText(QStringLiteral("Datenträger wählen"));
    for (const cSourceVolume& volume : volumes) {
        const QString text =
            volume.Label.isEmpty() ? volume.Path : QStringLiteral("%1 (%2)").arg(volume.Label, volume.Path);
        m_volumes->addItem(text, volume.Path);
    }
    m_volumes->setCurrentIndex(-1);
    m_map = new QLineEdit(this);
    m_map->setObjectName(QStringLiteral("DriveMapEdt"));
    m_mapLabel = BuddyLabel(QString(), m_map, this);
    m_mapLabel->setObjectName(QStringLiteral("DriveMapLbl"));
    m_map->setToolTip(QStringLiteral("Der Linux-Ordner, für den dieses Laufwerk eines anderen Rechners steht. Die "
                                     "Zuordnung gilt für alle Profile (Abschnitt „Drives“ der Einstellungen)."));
    m_rootError = ErrorLabel("RootErrorLbl", this);

    auto* rootGrid = new QGridLayout;
    rootGrid->addWidget(BuddyLabel(QStringLiteral("&Quelle:"), m_root, this), 0, 0);
    rootGrid->addWidget(m_root, 0, 1);
    rootGrid->addWidget(browse, 0, 2);
    rootGrid->addWidget(BuddyLabel(QStringLiteral("Daten&träger:"), m_volumes, this), 1, 0);
    rootGrid->addWidget(m_volumes, 1, 1, 1, 2);
    rootGrid->addWidget(m_mapLabel, 2, 0);
    rootGrid->addWidget(m_map, 2, 1, 1, 2);
    rootGrid->addWidget(m_rootError, 3, 1, 1, 2);
    rootGrid->setColumnStretch(1, 1);

    // The folders: the tree and the entries as text.
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SourceSht"));
    auto* directories = new QWidget(m_tabs);
    m_tree = new TSourceTree(m_ticks, directories);
    m_tree->setMinimumWidth(fontMetrics().averageCharWidth() * 30);
    m_search = EntryEdit("SearchMmo",
                         QStringLiteral("Ein Verzeichnis je Zeile: \\Ordner\\ (nur dieser Ordner), \\Ordner\\* (mit "
                                        "allen Unterordnern) oder ein Muster wie \\Projekte\\A*"),
                         directories);
    m_exclude = EntryEdit("ExcludeMmo",
                          QStringLiteral("Verzeichnisse, die ausgelassen werden: \\Ordner\\* mit allen "
                                         "Unterordnern, \\Ordner\\ nur dieser Ordner"),
                          directories);
    m_search->setPlainText(TextOf(params.SearchDirectories));
    m_exclude->setPlainText(TextOf(params.ExcludeDirectories));
    m_directoryError = ErrorLabel("DirectoryErrorLbl", directories);
    auto* entriesHint = new QLabel(
        QStringLiteral("Muster, die der Baum nicht zeigen kann, bleiben so, wie sie hier stehen."), directories);
    entriesHint->setWordWrap(true);

    auto* treeBox = new QWidget(directories);
    auto* treeColumn = new QVBoxLayout(treeBox);
    treeColumn->setContentsMargins(0, 0, 0, 0);
    treeColumn->addWidget(BuddyLabel(QStringLiteral("Ordner&baum:"), m_tree, treeBox));
    treeColumn->addWidget(m_tree, 1);
    auto* tickHint = new QLabel(QStringLiteral("Haken: mit allen Unterordnern; halber Haken: nur dieser Ordner; kein "
                                               "Haken unter einem Haken: ausgeschlossen."),
                                treeBox);
    tickHint->setObjectName(QStringLiteral("TickHintLbl"));
    tickHint->setWordWrap(true);
    treeColumn->addWidget(tickHint);
    auto* entriesBox = new QWidget(directories);
    auto* entriesColumn = new QVBoxLayout(entriesBox);
    entriesColumn->setContentsMargins(0, 0, 0, 0);
    entriesColumn->addWidget(BuddyLabel(QStringLiteral("&Suchverzeichnisse:"), m_search, entriesBox));
    entriesColumn->addWidget(m_search, 1);
    entriesColumn->addWidget(BuddyLabel(QStringLiteral("&Ausgeschlossene Verzeichnisse:"), m_exclude, entriesBox));
    entriesColumn->addWidget(m_exclude, 1);
    entriesColumn->addWidget(m_directoryError);
    entriesColumn->addWidget(entriesHint);
    auto* splitter = new QSplitter(Qt::Horizontal, directories);
    splitter->addWidget(treeBox);
    splitter->addWidget(entriesBox);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setChildrenCollapsible(false);
    auto* directoriesColumn = new QVBoxLayout(directories);
    directoriesColumn->addWidget(splitter, 1);
    m_tabs->addTab(directories, QStringLiteral("&Verzeichnisse"));

    // The masks.
    auto* masks = new QWidget(m_tabs);
    struct cMaskField {
        const char* Name;
        const char* Label;
        const char* Tip;
        const cTextList& List;
    };
    const cMaskField fields[4] = {
        {"CompareMmo", "Ver&gleichen:", "Dateien, die verglichen und nach den Optionen kopiert werden",
         params.CompareFiles},
        {"EnforceMmo", "&Erzwingen:", "Dateien, die immer kopiert werden", params.EnforceFiles},
        {"DeleteMmo", "&Löschen:", "Dateien, die gelöscht werden, wenn beide Seiten geändert werden dürfen",
         params.DeleteFiles},
        {"ExcludeFilesMmo", "Ausschl&ießen:", "Dateien, die ausgelassen werden; das geht allen anderen Masken vor",
         params.ExcludeFiles},
    };
    auto* maskGrid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        m_masks[i] = EntryEdit(fields[i].Name,
                               QString::fromUtf8(fields[i].Tip) + QStringLiteral(". Eine Maske je Zeile: *.doc, "
                                                                                 "Brief*.*, Bericht?.txt"),
                               masks);
        m_masks[i]->setPlainText(TextOf(fields[i].List));
        maskGrid->addWidget(BuddyLabel(QString::fromUtf8(fields[i].Label), m_masks[i], masks), (i / 2) * 2, i % 2);
        maskGrid->addWidget(m_masks[i], (i / 2) * 2 + 1, i % 2);
    }
    m_lastMasks = m_masks[0];
    auto* addFile = new QPushButton(QStringLiteral("Datei &wählen..."), masks);
    addFile->setObjectName(QStringLiteral("AddFileBtn"));
    addFile->setAutoDefault(false);
    addFile->setToolTip(QStringLiteral("Den Namen einer Datei zur Liste geben, in der zuletzt geschrieben wurde"));
    auto* addType = new QPushButton(QStringLiteral("Dateit&yp wählen..."), masks);
    addType->setObjectName(QStringLiteral("AddTypeBtn"));
    addType->setAutoDefault(false);
    addType->setToolTip(QStringLiteral("Den Typ einer Datei (zum Beispiel *.doc) zur Liste geben, in der zuletzt "
                                       "geschrieben wurde"));
    m_maskError = ErrorLabel("MaskErrorLbl", masks);
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(addFile);
    addRow->addWidget(addType);
    addRow->addStretch(1);
    auto* maskHint = new QLabel(QStringLiteral("Eine Maske je Zeile. Ausschließen geht vor Löschen, Löschen vor "
                                               "Erzwingen, Erzwingen vor Vergleichen."),
                                masks);
    maskHint->setWordWrap(true);
    auto* masksColumn = new QVBoxLayout(masks);
    masksColumn->addWidget(maskHint);
    masksColumn->addLayout(maskGrid, 1);
    masksColumn->addLayout(addRow);
    masksColumn->addWidget(m_maskError);
    m_tabs->addTab(masks, QStringLiteral("Datei&masken"));

    // The count and the buttons.
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("CountLbl"));
    m_count->setWordWrap(true);
    m_count->setToolTip(QStringLiteral("Was ein erster Lauf in ein leeres Ziel mit diesen Einstellungen kopieren "
                                       "würde; die Zählung folgt jeder Änderung."));
    QDialogButtonBox* buttons = OkCancelHelp(this, kSourceHelp);

    auto* column = new QVBoxLayout(this);
    column->addLayout(rootGrid);
    column->addWidget(m_tabs, 1);
    column->addWidget(m_count);
    column->addWidget(buttons);

    setTabOrder(m_root, browse);
    setTabOrder(browse, m_volumes);
    setTabOrder(m_volumes, m_map);
    setTabOrder(m_map, m_tabs);
    setTabOrder(m_tabs, m_tree);
    setTabOrder(m_tree, m_search);
    setTabOrder(m_search, m_exclude);
    setTabOrder(m_masks[0], m_masks[1]);
    setTabOrder(m_masks[1], m_masks[2]);
    setTabOrder(m_masks[2], m_masks[3]);
    setTabOrder(m_masks[3], addFile);
    setTabOrder(addFile, addType);

    // Changes: the root after a pause in typing, the count after every change, also a tick.
    m_counter = new cSourceCounter(this);
    m_rootTmr = new QTimer(this);
    m_rootTmr->setSingleShot(true);
    m_rootTmr->setInterval(300);
    m_countTmr = new QTimer(this);
    m_countTmr->setSingleShot(true);
    m_countTmr->setInterval(250);
    connect(m_rootTmr, &QTimer::timeout, this, &TSourceDlg::ShowRoot);
    connect(m_countTmr, &QTimer::timeout, this, [this] { m_counter->Start(Current()); });
    connect(m_counter, &cSourceCounter::Counted, this, &TSourceDlg::ShowCount);
    connect(m_root, &QLineEdit::textChanged, this, &TSourceDlg::RootEdited);
    connect(m_map, &QLineEdit::textChanged, this, &TSourceDlg::RootEdited);
    // What is typed for one Windows root is still there when the user comes back to it.
    connect(m_map, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_drives.Set(m_mapRoot, text.toStdString()); });
    connect(browse, &QPushButton::clicked, this, [this] {
        const std::optional<std::string> native = platform::NativeRoot(TypedRoot(), Current().Drives);
        const QString chosen = QFileDialog::getExistingDirectory(
            this, QStringLiteral("Quelle wählen"), native ? QString::fromStdString(*native) : QDir::homePath());
        if (!chosen.isEmpty()) m_root->setText(chosen);
    });
    connect(m_volumes, &QComboBox::activated, this,
            [this](int index) { m_root->setText(m_volumes->itemData(index).toString()); });
    connect(m_tree, &TSourceTree::TicksChanged, this, &TSourceDlg::TicksChanged);
    connect(m_search, &QPlainTextEdit::textChanged, this, &TSourceDlg::EntriesEdited);
    connect(m_exclude, &QPlainTextEdit::textChanged, this, &TSourceDlg::EntriesEdited);
    for (QPlainTextEdit* edit : m_masks)
        connect(edit, &QPlainTextEdit::textChanged, this, &TSourceDlg::ScheduleCount);
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (QPlainTextEdit* edit : m_masks)
            if (now == edit) m_lastMasks = edit;
    });
    connect(addFile, &QPushButton::clicked, this, [this] { AddFile(false); });
    connect(addType, &QPushButton::clicked, this, [this] { AddFile(true); });

    RootEdited();
    ShowRoot();
    // Room for a few levels of folders, but never more than the screen has.
    QSize wanted(sizeHint().width() + fontMetrics().averageCharWidth() * 20, fontMetrics().lineSpacing() * 34);
    if (const QScreen* shown = screen()) wanted = wanted.boundedTo(shown->availableGeometry().size() * 9 / 10);
    resize(wanted.expandedTo(minimumSizeHint()));
}

TSourceDlg::~TSourceDlg() {
    // The focus moves while the dialog's base class hides it, when this part is gone already.
    disconnect(m_focusWatch);
}

std::string TSourceDlg::TypedRoot() const {
    return m_root->text().toStdString();
}

cParameters TSourceDlg::Current() const {
    cParameters p = m_params;
    p.Drives = m_drives;
    const std::string root = TypedRoot();
    p.SourceDrive = IsValidDrive(root) ? NormalizeDrive(root) : root;
    const std::string map = m_map->text().toStdString();
    if (platform::IsWindowsRoot(root) && !map.empty()) p.Drives.Set(root, map);
    p.SearchDirectories = ListOf(TextListKind::SortedExact, Lines(m_search));
    p.ExcludeDirectories = ListOf(TextListKind::SortedExact, Lines(m_exclude));
    p.CompareFiles = ListOf(TextListKind::SortedNoCase, Lines(m_masks[0]));
    p.EnforceFiles = ListOf(TextListKind::SortedNoCase, Lines(m_masks[1]));
    p.DeleteFiles = ListOf(TextListKind::SortedNoCase, Lines(m_masks[2]));
    p.ExcludeFiles = ListOf(TextListKind::SortedNoCase, Lines(m_masks[3]));
    return p;
}

void TSourceDlg::RootEdited() {
    const std::string root = TypedRoot();
    const bool windowsRoot = platform::IsWindowsRoot(root);
    m_mapLabel->setVisible(windowsRoot);
    m_map->setVisible(windowsRoot);
    if (windowsRoot && root != m_mapRoot) {
        // Another Windows root: the field shows its mapping, which the user may then change.
        m_mapRoot = root;
        m_mapLabel->setText(QStringLiteral("&Zuordnung für „%1“:").arg(QString::fromStdString(root)));
        m_map->setText(QString::fromStdString(m_drives.Lookup(root).value_or("")));
    }
    m_rootTmr->start();
    ScheduleCount();
}

void TSourceDlg::ShowRoot() {
    m_rootTmr->stop();
    const cParameters p = Current();
    const std::optional<std::string> native = platform::NativeRoot(p.SourceDrive, p.Drives);
    m_tree->ShowRoot(native.value_or(""));
}

void TSourceDlg::TicksChanged() {
    m_syncing = true;
    m_search->setPlainText(TextOf(ListOf(TextListKind::SortedExact, m_ticks.SearchEntries())));
    m_exclude->setPlainText(TextOf(ListOf(TextListKind::SortedExact, m_ticks.ExcludeEntries())));
    m_syncing = false;
    ScheduleCount();
}

void TSourceDlg::EntriesEdited() {
    if (m_syncing) return;
    m_ticks.Read(Lines(m_search), Lines(m_exclude));
    m_tree->RefreshTicks();
    ScheduleCount();
}

void TSourceDlg::ScheduleCount() {
    m_counter->Cancel();
    m_count->setText(QStringLiteral("Zähle..."));
    m_countTmr->start();
}

void TSourceDlg::ShowCount(int result, const cSelectionCount& count) {
    if (result == platform::kPathNotFound) {
        m_count->setText(QStringLiteral("Die Quelle ist nicht bereit: Es gibt nichts zu zählen."));
        return;
    }
    if (result != 0) {
        m_count->setText(QStringLiteral("Die Auswahl kann nicht gezählt werden: ") +
                         QString::fromStdString(ErrorText(result)));
        return;
    }
    m_count->setText(QStringLiteral("Ausgewählt: %1, %2, %3")
                         .arg(Counted(count.Folders, "Ordner", "Ordner"), Counted(count.Files, "Datei", "Dateien"),
                              Counted(count.Bytes, "Byte", "Bytes")));
}

void TSourceDlg::AddFile(bool asType) {
    const std::optional<std::string> native = platform::NativeRoot(Current().SourceDrive, Current().Drives);
    const QString chosen =
        QFileDialog::getOpenFileName(this, asType ? QStringLiteral("Dateityp wählen") : QStringLiteral("Datei wählen"),
                                     native ? QString::fromStdString(*native) : QDir::homePath());
    if (chosen.isEmpty()) return;
    const QFileInfo file(chosen);
    const QString suffix = file.suffix().toLower();
    // A file's name, or its type: "*" and the extension in lower case (a name without one gives "*.").
    QString mask;
    if (!asType)
        mask = suffix.isEmpty() ? file.fileName() : file.completeBaseName() + QLatin1Char('.') + suffix;
    else
        mask = QStringLiteral("*.") + suffix;
    QString text = m_lastMasks->toPlainText();
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n'))) text += QLatin1Char('\n');
    m_lastMasks->setPlainText(text + mask);
}

bool TSourceDlg::ShowProblem(QLabel* label, QWidget* field, int tab, const QString& text) {
    label->setText(text);
    label->show();
    if (tab >= 0) m_tabs->setCurrentIndex(tab);
    field->setFocus();
    return false;
}

bool TSourceDlg::Validate() {
    for (QLabel* label : {m_rootError, m_directoryError, m_maskError})
        label->hide();
    const std::string root = TypedRoot();
    if (root != m_params.SourceDrive && !HasVariables(root)) {
        if (root.empty()) return ShowProblem(m_rootError, m_root, -1, QStringLiteral("Bitte geben Sie die Quelle an."));
        if (!IsValidDrive(root))
            return ShowProblem(m_rootError, m_root, -1,
                               QStringLiteral("„%1“ ist kein gültiger Ordner. Die Quelle ist ein absoluter Ordner "
                                              "wie /home/anna oder ein Laufwerk wie D:.")
                                   .arg(m_root->text()));
    }
    const std::string map = m_map->text().toStdString();
    if (platform::IsWindowsRoot(root) && !map.empty() && (!map.starts_with('/') || !IsValidDrive(map)))
        return ShowProblem(m_rootError, m_map, -1,
                           QStringLiteral("Die Zuordnung für %1 ist ein absoluter Linux-Ordner wie /media/daten.")
                               .arg(m_root->text()));

    const struct {
        QPlainTextEdit* Edit;
        const cTextList& List;
        const char* What;
    } directoryLists[] = {{m_search, m_params.SearchDirectories, "Suchverzeichnisse"},
                          {m_exclude, m_params.ExcludeDirectories, "Ausgeschlossene Verzeichnisse"}};
    for (const auto& field : directoryLists) {
        const std::vector<std::string> lines = Lines(field.Edit);
        if (SameTexts(field.List, lines)) continue;
        const QString problem = LineProblem(lines, DirectoryProblem);
        if (!problem.isEmpty())
            return ShowProblem(m_directoryError, field.Edit, kDirectoriesTab,
                               QString::fromUtf8(field.What) + QStringLiteral(", ") + problem);
    }
    const char* maskNames[4] = {"Vergleichen", "Erzwingen", "Löschen", "Ausschließen"};
    const cTextList* maskLists[4] = {&m_params.CompareFiles, &m_params.EnforceFiles, &m_params.DeleteFiles,
                                     &m_params.ExcludeFiles};
    for (int i = 0; i < 4; ++i) {
        const std::vector<std::string> lines = Lines(m_masks[i]);
        if (SameTexts(*maskLists[i], lines)) continue;
        const QString problem = LineProblem(lines, MaskProblem);
        if (!problem.isEmpty())
            return ShowProblem(m_maskError, m_masks[i], kMasksTab,
                               QString::fromUtf8(maskNames[i]) + QStringLiteral(", ") + problem);
    }
    return true;
}

void TSourceDlg::accept() {
    if (!Validate()) return;
    bool changed = false;
    const std::string root = TypedRoot();
    if (root != m_params.SourceDrive) {
        m_params.SourceDrive = NormalizeDrive(root);
        changed = true;
    }
    const std::string map = m_map->text().toStdString();
    // The mapping belongs to the settings, for every profile: it is written there at once.
    if (platform::IsWindowsRoot(root) && !map.empty() && m_params.Drives.Lookup(root) != map &&
        m_params.Drives.Set(root, map) && m_params.Settings)
        m_params.Settings->Write(kDrivesSection, root, map);
    const struct {
        QPlainTextEdit* Edit;
        cTextList& List;
    } lists[] = {{m_search, m_params.SearchDirectories}, {m_exclude, m_params.ExcludeDirectories},
                 {m_masks[0], m_params.CompareFiles},    {m_masks[1], m_params.EnforceFiles},
                 {m_masks[2], m_params.DeleteFiles},     {m_masks[3], m_params.ExcludeFiles}};
    // A list whose text is unchanged keeps its entries exactly, also any that a newer form would write otherwise.
    for (const auto& field : lists) {
        const std::vector<std::string> lines = Lines(field.Edit);
        if (SameTexts(field.List, lines)) continue;
        field.List = ListOf(field.List.Kind(), lines);
        changed = true;
    }
    if (changed) m_params.Modified = true;
    QDialog::accept();
}

bool EditSource(QWidget* parent, cParameters& params) {
    TSourceDlg dialog(params, MountedSourceVolumes(), parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ui
