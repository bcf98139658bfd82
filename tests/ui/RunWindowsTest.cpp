// The windows of whole runs started from the main window: the status and the progress window come and go, the
// progress window's buttons reach the run while a large file is being copied, and the file shown is always
// the one whose copy started last.
#include "ui/RunWindows.h"
#include "engine/RunControl.h"
#include "platform/Clock.h"
#include "platform/Text.h"
#include "profile/Parameters.h"
#include "support/TempDir.h"
#include "ui/CopyWindow.h"
#include "ui/FitLabel.h"
#include "ui/InfoWindow.h"
#include "ui/InterruptionDialog.h"
#include "ui/MainWnd.h"
#include "ui/QtUserInterface.h"
#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kMiB = 1024 * 1024;
// Large enough that the copy is still under way when the window has shown its first progress, even where
// the kernel copies at a few gigabytes a second.
constexpr int kLargeFileMiB = 640;

// Records the run's windows as they appear: their object names and, for the status window, its phase text.
class cWindowWatch : public QObject {
public:
    cWindowWatch() { qApp->installEventFilter(this); }
    ~cWindowWatch() override { qApp->removeEventFilter(this); }

    std::set<QString> Seen;
    QStringList Phases;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(object);
        if (event->type() == QEvent::Show && widget != nullptr && widget->isWindow()) {
            Seen.insert(widget->objectName());
            if (widget->objectName() == QLatin1String("InfoWnd"))
                Phases << widget->findChild<QLabel*>(QStringLiteral("StatusLbl"))->text();
        }
        return false;
    }
};

// The windows of one run with the interface that reaches them and the flags their buttons set.
struct cSession {
    cSession(QWidget* parent, cParameters& document) : Windows(parent, document, Control) {}
    ui::cRunWindows Windows;
    ui::cQtUserInterface Ui{Windows};
    cRunControl Control{Ui};
};

// Calls step every few milliseconds on the GUI thread while a run works.
class cPoller {
public:
    explicit cPoller(std::function<void()> step) {
        QObject::connect(&m_timer, &QTimer::timeout, std::move(step));
        m_timer.start(5);
    }

private:
    QTimer m_timer;
};

// A modal window nobody expected would stop the run for good: it is recorded and closed.
void DismissUnexpected(QStringList& unexpected) {
    if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        unexpected << modal->objectName() + QLatin1Char(':') + modal->windowTitle();
        modal->reject();
    }
}

ui::TCopyWnd* OpenCopyWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->objectName() == QLatin1String("CopyWnd"))
            return static_cast<ui::TCopyWnd*>(window);
    return nullptr;
}

// Whether a line of the log holds both texts (an event's title and its file).
// The log shortens a long path in its middle: file is the path's end.
bool LogHasLine(const std::string& log, const std::string& title, const std::string& file) {
    std::size_t start = 0;
    while (start < log.size()) {
        std::size_t end = log.find('\n', start);
        if (end == std::string::npos) end = log.size();
        const std::string_view line(log.data() + start, end - start);
        if (line.find(title) != std::string_view::npos && line.find(file) != std::string_view::npos) return true;
        start = end + 1;
    }
    return false;
}

std::string ReadLog(const cParameters& params) {
    std::ifstream in(params.Log.FileName, std::ios::binary);
    return platform::DecodeFileText(std::string(std::istreambuf_iterator<char>(in), {}));
}

// Content that no file system can share or skip: every MiB differs.
void WriteLargeFile(const fs::path& path, int mebibytes) {
    std::vector<std::uint64_t> block(kMiB / sizeof(std::uint64_t));
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < mebibytes; ++i) {
        for (std::uint64_t& word : block) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            word = state;
        }
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(kMiB));
    }
}

} // namespace

class RunWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { WriteLargeFile(m_large.Path() / "gross.bin", kLargeFileMiB); }

    void RunShowsItsWindowsAndEnds() {
        testsupport::TempDir dir;
        dir.WriteFile("Quelle/a.txt", "alpha");
        dir.WriteFile("Quelle/Unter/b.txt", "beta");
        fs::create_directories(dir.Path() / "Ziel");
        cParameters params = Profile(dir);
        params.WindowPositions[std::size_t(ui::eWindowPlace::CopyWindow)] = {40, 30, 0, 0, false};

        cWindowWatch watch;
        ui::TMainWnd window(params, false);
        window.show();
        QStringList unexpected;
        cPoller poller([&] { DismissUnexpected(unexpected); });
        window.LaunchRun(0);

        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('|'))));
        QVERIFY(watch.Seen.count(QStringLiteral("InfoWnd")));
        QVERIFY(watch.Seen.count(QStringLiteral("CopyWnd")));
        QVERIFY2(watch.Phases.contains(QStringLiteral("Suche Verzeichnisse...")), qPrintable(watch.Phases.join('|')));
        for (QWidget* shown : QApplication::topLevelWidgets())
            QVERIFY2(shown == &window || !shown->isVisible(), qPrintable(shown->objectName()));
        QCOMPARE(QString::fromStdString(dir.ReadFile("Ziel/a.txt")), QStringLiteral("alpha"));
        QCOMPARE(QString::fromStdString(dir.ReadFile("Ziel/Unter/b.txt")), QStringLiteral("beta"));
        const std::string log = ReadLog(params);
        for (const char* file : {"a.txt", "Unter/b.txt"})
            QVERIFY2(LogHasLine(log, "Datei vorwärts kopiert:", std::string("Quelle/") + file), log.c_str());
        QVERIFY2(log.find("     2 Dateien vorwärts kopiert") != std::string::npos, log.c_str());
        QVERIFY2(log.find("     0 Fehler") != std::string::npos, log.c_str());
        QVERIFY2(log.find("Abbruch.") == std::string::npos, log.c_str());
        // The progress window opened at its saved place and left it there.
        const cWindowPos copyPlace = params.WindowPositions[std::size_t(ui::eWindowPlace::CopyWindow)];
        QCOMPARE(copyPlace.Left, std::int16_t(40));
        QCOMPARE(copyPlace.Top, std::int16_t(30));
    }

    // "Abbrechen" while the large file is being copied: the copy is rolled back, the old file stays, no
    // temporary file is left, and the run ends as stopped without an error.
    void AbortDuringALargeCopy() {
        testsupport::TempDir dir;
        LargeCopyTree(dir);
        cParameters params = LargeCopyProfile(dir);
        ui::TMainWnd window(params, false);
        window.show();
        std::int64_t seenAtClick = -1;
        QStringList unexpected;
        cPoller poller([&] {
            DismissUnexpected(unexpected);
            ui::TCopyWnd* copy = OpenCopyWindow();
            if (copy == nullptr || seenAtClick >= 0 || copy->Model().FileBytes() == 0) return;
            seenAtClick = copy->Model().FileBytes();
            QTest::mouseClick(copy->findChild<QPushButton*>(QStringLiteral("AbortBtn")), Qt::LeftButton);
        });
        window.LaunchRun(0);

        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('|'))));
        QVERIFY2(seenAtClick > 0, "the copy window had shown the large file's progress");
        QCOMPARE(dir.ReadFile("Ziel/gross.bin"), std::string("alt"));
        QCOMPARE(testsupport::NamesIn(dir.Path() / "Ziel"), (std::vector<std::string>{"gross.bin"}));
        const std::string log = ReadLog(params);
        QVERIFY2(log.find("Abbruch.") != std::string::npos, log.c_str());
        QVERIFY2(log.find("     0 Fehler") != std::string::npos, log.c_str()); // stopped, no error: result 1
        QVERIFY2(log.find("FEHLER") == std::string::npos, log.c_str());
    }

    // "Unterbrechung" while the large file is being copied: the interruption dialog shows the file, its clock
    // stands still meanwhile, and "Nächste Datei" leaves the old file and goes on.
    void InterruptDuringALargeCopy() {
        testsupport::TempDir dir;
        LargeCopyTree(dir);
        cParameters params = LargeCopyProfile(dir);
        ui::TMainWnd window(params, false);
        window.show();
        bool clicked = false;
        QString dialogFile;
        bool pausedDuringDialog = false;
        QStringList unexpected;
        cPoller poller([&] {
            if (auto* dialog = qobject_cast<ui::TInterruptionDlg*>(QApplication::activeModalWidget())) {
                if (!dialog->Armed() || !dialogFile.isEmpty()) return;
                dialogFile = dialog->findChild<ui::cFitLabel*>(QStringLiteral("FromNameLbl"))->FullText();
                ui::TCopyWnd* copy = OpenCopyWindow();
                pausedDuringDialog = copy != nullptr && copy->Paused();
                QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("NextFileBtn")), Qt::LeftButton);
                return;
            }
            DismissUnexpected(unexpected);
            ui::TCopyWnd* copy = OpenCopyWindow();
            if (copy == nullptr || clicked || copy->Model().FileBytes() == 0) return;
            clicked = true;
            QTest::mouseClick(copy->findChild<QPushButton*>(QStringLiteral("InterruptBtn")), Qt::LeftButton);
        });
        window.LaunchRun(0);

        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('|'))));
        QVERIFY(clicked);
        QCOMPARE(dialogFile, QStringLiteral("gross.bin"));
        QVERIFY(pausedDuringDialog);
        QCOMPARE(dir.ReadFile("Ziel/gross.bin"), std::string("alt"));
        QCOMPARE(testsupport::NamesIn(dir.Path() / "Ziel"), (std::vector<std::string>{"gross.bin"}));
        const std::string log = ReadLog(params);
        const std::string source = "Quelle/gross.bin";
        QVERIFY2(LogHasLine(log, "FEHLER beim Kopieren:", source), log.c_str());
        QVERIFY2(LogHasLine(log, "Datei übersprungen:", source), log.c_str());
        QVERIFY2(log.find("Abbruch.") == std::string::npos, log.c_str());
    }

    // The status window follows the phases; its "Abbrechen" asks the run to stop; its place is kept.
    void StatusWindowFollowsThePhases() {
        cParameters params;
        params.ProfileFile = "/home/anna/Sicherung.tvp";
        params.WindowPositions[std::size_t(ui::eWindowPlace::InfoWindow)] = {70, 80, 0, 0, false};
        cSession session(nullptr, params);
        ui::cRunWindows& windows = session.Windows;
        windows.ShowStatus("Vergleiche Dateien (Verify)...", 10);
        windows.StepStatus(4);
        ui::TInfoWnd* info = windows.InfoWindow();
        QVERIFY(info != nullptr && info->isVisible());
        QCOMPARE(info->windowTitle(), QStringLiteral("Sicherung.tvp - Tolvan 6"));
        QCOMPARE(info->pos(), QPoint(70, 80));
        QCOMPARE(info->findChild<QLabel*>(QStringLiteral("StatusLbl"))->text(),
                 QStringLiteral("Vergleiche Dateien (Verify)..."));
        auto* bar = info->findChild<QProgressBar*>(QStringLiteral("StatusBar"));
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->maximum(), 10);
        QCOMPARE(bar->value(), 4);
        windows.ShowStatus("Suche leere Verzeichnisse...", 0);
        QVERIFY(!bar->isVisible());

        QVERIFY(!session.Control.AbortRequested);
        auto* abort = info->findChild<QPushButton*>(QStringLiteral("AbortBtn"));
        QTest::mouseClick(abort, Qt::LeftButton);
        QVERIFY(session.Control.AbortRequested);
        QVERIFY(!abort->isEnabled());

        info->move(90, 100);
        windows.HideStatus();
        QVERIFY(!info->isVisible());
        const cWindowPos place = params.WindowPositions[std::size_t(ui::eWindowPlace::InfoWindow)];
        QCOMPARE(QPoint(place.Left, place.Top), QPoint(90, 100));
    }

    // In mute mode the status and the progress window stay hidden; the run goes on all the same.
    void MuteModeShowsNoProgress() {
        cParameters params;
        ui::TMainWnd main(params, true);
        cSession session(&main, params);
        session.Windows.ShowStatus("Suche Dateien...", 0);
        session.Windows.BeginProgress(100);
        session.Windows.ReportProgress(10, 10, "/q/a.txt");
        QVERIFY(session.Windows.InfoWindow() == nullptr);
        QVERIFY(session.Windows.CopyWindow() == nullptr);
    }

    // Progress of one file and the start of the next, handed over together: the window ends showing the file
    // that started last, with both its sides.
    void ShowsTheFileThatStartedLast() {
        cParameters params;
        cSession session(nullptr, params);
        session.Ui.BeginProgress(3000);
        session.Ui.ShowCopiedFile({"/q/a.txt", "1.000", "01.12.2026", "10:00:00", "/z/a.txt", "", "", "", 0});
        session.Ui.ReportProgress(1000, 1000, "/q/a.txt");
        session.Ui.ShowCopiedFile({"/q/b.txt", "2.000", "02.12.2026", "11:00:00", "/z/b.txt", "7", "", "", 0});
        session.Ui.SetProgressPaused(true); // hands over what was gathered
        QCoreApplication::processEvents();
        ui::TCopyWnd* copy = session.Windows.CopyWindow();
        QVERIFY(copy != nullptr);
        QCOMPARE(copy->findChild<ui::cFitLabel*>(QStringLiteral("FromNameLbl"))->FullText(), QStringLiteral("b.txt"));
        QCOMPARE(copy->findChild<QLabel*>(QStringLiteral("FromSizeLbl"))->text(), QStringLiteral("2.000"));
        QCOMPARE(copy->findChild<QLabel*>(QStringLiteral("ToSizeLbl"))->text(), QStringLiteral("7"));
        QCOMPARE(copy->Model().WindowBytes(), std::int64_t(1000));
        QVERIFY(copy->Paused());
        session.Ui.EndProgress();
        QCoreApplication::processEvents();
        QVERIFY(session.Windows.CopyWindow() == nullptr);
    }

private:
    cParameters Profile(const testsupport::TempDir& dir) const {
        cParameters params;
        params.SourceDrive = (dir.Path() / "Quelle").string();
        params.DestDrive = (dir.Path() / "Ziel").string();
        params.SearchDirectories.Add("\\*");
        params.ProfileFile = (dir.Path() / "Profil.tvp").string();
        params.Log.FileName = (dir.Path() / "Log.txt").string();
        params.Recycle = false;
        params.AddDefaultMask();
        params.DocumentKind = kProfileDocument;
        params.ShowPreview = false; // the preview list has its own test
        return params;
    }

    // The large file in the source, an older small file of the same name in the destination: the profile
    // copies it one way (the destination's file is from before the last run) without asking first.
    cParameters LargeCopyProfile(const testsupport::TempDir& dir) const {
        cParameters params = Profile(dir);
        params.SetTouchMode(eTouchMode::DestOnly);
        params.LastRun = platform::NowLocal() - 24 * 3600 * platform::kTicksPerSecond;
        params.SizesWarn = false;
        return params;
    }
    void LargeCopyTree(const testsupport::TempDir& dir) const {
        fs::create_directories(dir.Path() / "Quelle");
        fs::create_hard_link(m_large.Path() / "gross.bin", dir.Path() / "Quelle" / "gross.bin");
        const fs::path old = dir.WriteFile("Ziel/gross.bin", "alt");
        fs::last_write_time(old, fs::last_write_time(m_large.Path() / "gross.bin") - std::chrono::hours(48));
    }

    testsupport::TempDir m_large;
};

QTEST_MAIN(RunWindowsTest)
#include "RunWindowsTest.moc"
