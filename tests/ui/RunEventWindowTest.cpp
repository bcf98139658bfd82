// The run-event windows: which window replaces which, where they open, what they store, and the message file
// they show.
#include "ui/RunEventWindow.h"
#include "platform/ProgramFolders.h"
#include "profile/Parameters.h"
#include "support/EnvironmentOverride.h"
#include "support/TempDir.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>

namespace {

constexpr auto kStarted = static_cast<std::size_t>(ui::eWindowPlace::RunStarted);
constexpr auto kFinished = static_cast<std::size_t>(ui::eWindowPlace::RunFinished);

QString MessageText(QWidget* window) {
    return window->findChild<QTextBrowser*>(QStringLiteral("MessageMmo"))->toPlainText();
}

void DeleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class RunEventWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<testsupport::TempDir>();
        m_started = m_dir->WriteFile("gestartet.rtf", "{\\rtf1 Lauf {\\b gestartet}}").string();
        m_finished = m_dir->WriteFile("beendet.html", "<p>Lauf <b>beendet</b></p>").string();
        m_document = std::make_unique<cParameters>();
        m_document->ProfileFile = "/home/anna/Sicherung.tvp";
    }

    void FinishedReplacesStartedAndANewRunReplacesBoth() {
        ui::cRunEventWindows windows(*m_document);
        windows.Show(eRunEvent::Started, false, m_started);
        QPointer<ui::TRunEventWnd> started = windows.Started();
        QVERIFY(started && started->isVisible());
        QCOMPARE(started->objectName(), QStringLiteral("RunEventWnd"));
        QCOMPARE(started->windowTitle(), QStringLiteral("/home/anna/Sicherung.tvp - Tolvan 6"));
        QCOMPARE(MessageText(started), QStringLiteral("Lauf gestartet"));

        windows.Show(eRunEvent::Finished, false, m_finished);
        QPointer<ui::TRunEventWnd> finished = windows.Finished();
        DeleteClosedWindows();
        QVERIFY(!started);
        QVERIFY(!windows.Started());
        QVERIFY(finished && finished->isVisible());
        QCOMPARE(MessageText(finished), QStringLiteral("Lauf beendet"));

        // The next run: its started window replaces the earlier one; the finished window of the earlier run
        // goes when the launcher releases both.
        windows.Show(eRunEvent::Started, false, m_started);
        QPointer<ui::TRunEventWnd> second = windows.Started();
        windows.Show(eRunEvent::Started, true, m_started);
        DeleteClosedWindows();
        QVERIFY(!second);
        QVERIFY(windows.Started() && windows.Started()->isVisible());
        windows.ReleaseAll();
        DeleteClosedWindows();
        QVERIFY(!windows.Started() && !windows.Finished());
        QVERIFY(!finished);
    }

    // Centred: the saved size, in the middle of the screen, and the saved place is never written.
    void CenteredWindowKeepsItsSizeAndIsCentred() {
        const cWindowPos saved{10, 20, 410, 320, false};
        m_document->WindowPositions[kFinished] = saved;
        ui::cRunEventWindows windows(*m_document);
        windows.Show(eRunEvent::Finished, true, m_finished);
        ui::TRunEventWnd* window = windows.Finished();
        QVERIFY(window->Centered());
        QCOMPARE(window->size(), QSize(400, 300));
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY((window->geometry().center() - screenCentre).manhattanLength() <= 2);

        window->move(30, 40);
        window->resize(500, 200);
        windows.ReleaseAll();
        QCOMPARE(m_document->WindowPositions[kFinished], saved);
    }

    // Not centred: the saved place, and the place the user gave it is stored when it closes.
    void WindowOpensAtItsPlaceAndStoresItOnHide() {
        m_document->WindowPositions[kStarted] = cWindowPos{50, 60, 450, 360, false};
        ui::cRunEventWindows windows(*m_document);
        windows.Show(eRunEvent::Started, false, m_started);
        ui::TRunEventWnd* window = windows.Started();
        QCOMPARE(window->pos(), QPoint(50, 60));
        QCOMPARE(window->size(), QSize(400, 300));

        window->move(120, 130);
        window->resize(500, 400);
        windows.Show(eRunEvent::Finished, false, m_finished);
        QCOMPARE(m_document->WindowPositions[kStarted], (cWindowPos{120, 130, 620, 530, false}));

        // Opened again, it comes back exactly where and as large as it was (frame included).
        const QRect before(QPoint(120, 130), QSize(500, 400));
        windows.Show(eRunEvent::Started, false, m_started);
        QCOMPARE(windows.Started()->pos(), before.topLeft());
        QCOMPARE(windows.Started()->size(), before.size());
    }

    void EscapeClosesTheWindow() {
        ui::cRunEventWindows windows(*m_document);
        windows.Show(eRunEvent::Finished, false, m_finished);
        QPointer<ui::TRunEventWnd> window = windows.Finished();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window->findChild<QTextBrowser*>(QStringLiteral("MessageMmo")), Qt::Key_Escape);
        DeleteClosedWindows();
        QVERIFY(!window);
        QVERIFY(!windows.Finished());
    }

    void UnreadableFileGivesAnEmptyWindow() {
        ui::cRunEventWindows windows(*m_document);
        windows.Show(eRunEvent::Started, false, (m_dir->Path() / "fehlt.rtf").string());
        QVERIFY(windows.Started()->isVisible());
        QVERIFY(!windows.Started()->Loaded());
        QVERIFY(MessageText(windows.Started()).isEmpty());
    }

    // The default message of the data folder comes with the program: when it is missing there, the shipped one
    // is shown. Any other missing file stays missing.
    void MissingDefaultMessageFallsBackToTheShippedOne() {
        testsupport::EnvironmentOverride data("XDG_DATA_HOME", (m_dir->Path() / "daten").string());
        const std::string defaults = platform::DataFolder() + "Nachrichten/";
        const std::string started = defaults + "Lauf gestartet.rtf";
        const std::string shipped = platform::ShippedFolder() + "Nachrichten/Lauf gestartet.rtf";
        QCOMPARE(QString::fromStdString(ui::RunEventMessageFile(started)), QString::fromStdString(shipped));
        QCOMPARE(QString::fromStdString(ui::RunEventMessageFile(defaults + "Lauf beendet.rtf")),
                 QString::fromStdString(platform::ShippedFolder() + "Nachrichten/Lauf beendet.rtf"));
        QCOMPARE(QString::fromStdString(ui::RunEventMessageFile(defaults + "Eigene.rtf")),
                 QString::fromStdString(defaults + "Eigene.rtf"));

        ui::cRunEventWindows windows(*m_document);
        windows.Show(eRunEvent::Started, false, started);
        QVERIFY(windows.Started()->Loaded());
        QVERIFY(MessageText(windows.Started()).contains(QStringLiteral("Der Lauf hat begonnen.")));

        m_dir->WriteFile("daten/tolvan/Nachrichten/Lauf gestartet.rtf", "{\\rtf1 Eigener Text}");
        QCOMPARE(QString::fromStdString(ui::RunEventMessageFile(started)), QString::fromStdString(started));
        windows.Show(eRunEvent::Started, false, started);
        QCOMPARE(MessageText(windows.Started()), QStringLiteral("Eigener Text"));
    }

private:
    std::unique_ptr<testsupport::TempDir> m_dir;
    std::unique_ptr<cParameters> m_document;
    std::string m_started;
    std::string m_finished;
};

QTEST_MAIN(RunEventWindowTest)
#include "RunEventWindowTest.moc"
