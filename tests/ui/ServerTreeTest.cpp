// The destination dialog's server tree against real FTP servers on 127.0.0.1: the folders read level by level,
// a folder chosen into the directory field, the failures said beside the button without the password, and a
// reading that stalls ended by "Abbrechen" or by closing the dialog.
#include "ui/ServerTree.h"
#include "destinations/FtpTestServer.h"
#include "profile/Parameters.h"
#include "support/TempDir.h"
#include "ModalScript.h"
#include "ui/DestinationDialog.h"
#include "ui/ServerReader.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

namespace {

namespace fs = std::filesystem;
using testsupport::FtpTestServer;

constexpr int kServerMs = 15000; // generous: the machine is shared

cParameters FtpProfile(std::uint16_t port, const std::string& password = "geheim") {
    cParameters params;
    params.DestType = eDestType::Ftp;
    params.DestServer = "127.0.0.1";
    params.FtpPort = port;
    params.FtpTimeOut = 30;
    params.FtpUserName = "anna";
    params.FtpPassword = password;
    params.DestDirectory = "\\";
    return params;
}

template <class T> T* Child(QWidget* window, const char* name) {
    T* child = window->findChild<T*>(QString::fromLatin1(name));
    if (!child) qWarning("no child %s", name);
    return child;
}

ui::TServerTree* Tree(QWidget* dialog) {
    return Child<ui::TServerTree>(dialog, "ServerTvw");
}

QStringList ChildTexts(const QTreeWidgetItem* item) {
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts << item->child(i)->text(0);
    return texts;
}

// A port on 127.0.0.1 where nothing listens (it was free a moment ago).
std::uint16_t UnusedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

} // namespace

class ServerTreeTest : public QObject {
    Q_OBJECT

private slots:
    // The top level is read at once and the tree opens down to the directory in the field, which stays as typed;
    // a branch is read only when it is opened; a link is shown but can be neither opened nor chosen, files are
    // not shown; a folder chosen fills the directory field in the profile's form, and OK stores it.
    void ReadsTheFoldersAndChoosesOne() {
        testsupport::TempDir home;
        fs::create_directories(home.Path() / "Briefe" / "2026");
        fs::create_directories(home.Path() / "Bilder ä" / "Urlaub");
        home.WriteFile("notiz.txt", "x");
        fs::create_directory_symlink(home.Path() / "Briefe", home.Path() / "Verweis");
        FtpTestServer server({"real", home.Path().string()});
        QVERIFY2(server.Port() != 0, "pyftpdlib did not start");
        cParameters params = FtpProfile(server.Port());
        params.DestDirectory = "\\Briefe\\2026\\";
        ui::TDestinationDlg dialog(params, nullptr);
        dialog.show();
        auto* directory = Child<QLineEdit>(&dialog, "DirectoryEdt");
        ui::TServerTree* tree = Tree(&dialog);

        QTest::mouseClick(Child<QPushButton>(&dialog, "ServerReadBtn"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(tree->currentItem() && tree->currentItem() == tree->ItemOf("\\Briefe\\2026\\"),
                                 kServerMs);
        QTRY_VERIFY_WITH_TIMEOUT(!tree->Reading(), kServerMs);
        QCOMPARE(directory->text(), QStringLiteral("\\Briefe\\2026\\"));
        QVERIFY(Child<QPushButton>(&dialog, "ServerReadBtn")->isVisible());
        QVERIFY(!Child<QLabel>(&dialog, "ServerReadLbl")->isVisible());

        QTreeWidgetItem* root = tree->ItemOf("\\");
        QCOMPARE(root->text(0), QStringLiteral("127.0.0.1"));
        QCOMPARE(ChildTexts(root), (QStringList{QStringLiteral("Bilder ä"), QStringLiteral("Briefe"),
                                                QStringLiteral("Verweis (Verknüpfung)")}));
        QTreeWidgetItem* link = root->child(2);
        QVERIFY(!(link->flags() & Qt::ItemIsSelectable));
        QVERIFY(ui::TServerTree::DirOf(link).empty());
        tree->expandItem(link);
        QCOMPARE(link->childCount(), 0);

        // Not opened yet, so not read yet.
        QVERIFY(!tree->ItemOf("\\Bilder ä\\Urlaub\\"));
        tree->expandItem(tree->ItemOf("\\Bilder ä\\"));
        QTRY_VERIFY_WITH_TIMEOUT(tree->ItemOf("\\Bilder ä\\Urlaub\\"), kServerMs);
        QTRY_VERIFY_WITH_TIMEOUT(!tree->Reading(), kServerMs);
        QCOMPARE(ChildTexts(tree->ItemOf("\\Bilder ä\\")), QStringList{QStringLiteral("Urlaub")});
        // A folder without subfolders shows no branch to open once it is read.
        QTreeWidgetItem* leaf = tree->ItemOf("\\Briefe\\2026\\");
        tree->expandItem(leaf);
        QTRY_VERIFY_WITH_TIMEOUT(!tree->Reading(), kServerMs);
        QCOMPARE(leaf->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicator);

        tree->setCurrentItem(tree->ItemOf("\\Bilder ä\\Urlaub\\"));
        QCOMPARE(directory->text(), QStringLiteral("\\Bilder ä\\Urlaub\\"));
        tree->setCurrentItem(root);
        QCOMPARE(directory->text(), QStringLiteral("\\"));
        tree->setCurrentItem(tree->ItemOf("\\Briefe\\"));
        // OK takes no numeric address; the server's name replaces it, and the folder chosen stays.
        Child<QComboBox>(&dialog, "ServerCbo")->setEditText(QStringLiteral("localhost"));
        Child<QPushButton>(&dialog, "OkBtn")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(params.DestDirectory, std::string("\\Briefe\\"));
    }

    // Names that could lead elsewhere are shown as such and never opened or chosen.
    void UnsafeNamesAreShownButNotOpened() {
        FtpTestServer server({"scripted", "plain"});
        QVERIFY2(server.Port() != 0, "the scripted server did not start");
        cParameters params = FtpProfile(server.Port());
        ui::TDestinationDlg dialog(params, nullptr);
        dialog.show();
        ui::TServerTree* tree = Tree(&dialog);
        Child<QPushButton>(&dialog, "ServerReadBtn")->click();
        QTRY_VERIFY_WITH_TIMEOUT(tree->ItemOf("\\") && tree->ItemOf("\\")->childCount() == 3 && !tree->Reading(),
                                 kServerMs);
        const QStringList texts = ChildTexts(tree->ItemOf("\\"));
        QVERIFY2(texts.contains(QStringLiteral("../../etc/passwd (unzulässiger Name)")), qPrintable(texts.join('|')));
        QVERIFY2(texts.contains(QStringLiteral("a\\b (unzulässiger Name)")), qPrintable(texts.join('|')));
        for (int i = 0; i < 3; ++i) {
            QTreeWidgetItem* item = tree->ItemOf("\\")->child(i);
            QVERIFY(!(item->flags() & Qt::ItemIsSelectable));
            QVERIFY(!item->text(0).contains(QChar(7)));
            tree->expandItem(item);
            QCOMPARE(item->childCount(), 0);
        }
        QVERIFY(!tree->Reading());
        QVERIFY(!Child<QLabel>(&dialog, "ServerReadLbl")->isVisible());
    }

    // A failed login or connection says so beside the button: the program's error text and the server's reply,
    // never the password (a server that repeats it included), and the dialogue behind it shows "PASS ****".
    void FailuresAreSaidWithoutThePassword() {
        testsupport::TempDir home;
        FtpTestServer real({"real", home.Path().string()});
        FtpTestServer echo({"scripted", "echo-password"});
        QVERIFY2(real.Port() != 0 && echo.Port() != 0, "a test server did not start");
        const struct {
            const char* name;
            std::uint16_t port;
            std::string user;
            QString expected;
            bool dialogue;
        } cases[] = {
            {"falsches Kennwort", real.Port(), "anna", QStringLiteral("Der Server antwortet: 530"), true},
            {"Server wiederholt das Kennwort", echo.Port(), "anna", QStringLiteral("Der Server antwortet: 530"), true},
            {"niemand hört zu", UnusedPort(), "anna", QStringLiteral("Keine Verbindung zum Server möglich"), false},
        };
        const QString password = QStringLiteral("Falsch-9x");
        for (const auto& c : cases) {
            cParameters params = FtpProfile(c.port, password.toStdString());
            params.FtpUserName = c.user;
            ui::TDestinationDlg dialog(params, nullptr);
            dialog.show();
            auto* line = Child<QLabel>(&dialog, "ServerReadLbl");
            Child<QPushButton>(&dialog, "ServerReadBtn")->click();
            QTRY_VERIFY2_WITH_TIMEOUT(line->isVisible() && line->text().contains(c.expected),
                                      qPrintable(QString::fromLatin1(c.name) + ": " + line->text()), kServerMs);
            QTRY_VERIFY_WITH_TIMEOUT(!Tree(&dialog)->Reading(), kServerMs);
            QVERIFY2(!line->text().contains(password), c.name);
            QVERIFY2(!line->toolTip().contains(password), c.name);
            QCOMPARE(line->toolTip().contains(QStringLiteral("> PASS ****")), c.dialogue);
            QCOMPARE(Tree(&dialog)->topLevelItemCount(), 0);
            QVERIFY(Child<QPushButton>(&dialog, "ServerReadBtn")->isVisible());
        }
    }

    // A profile without user or password asks for them at the login; what is typed is used for this login and
    // not stored. Cancelling the question reads nothing.
    void AMissingLoginIsAskedFor() {
        testsupport::TempDir home;
        FtpTestServer real({"real", home.Path().string()});
        QVERIFY2(real.Port() != 0, "the test server did not start");
        cParameters params = FtpProfile(real.Port(), "");
        ui::TDestinationDlg dialog(params, nullptr);
        dialog.show();
        uitest::cModalScript script;
        script.Click("CancelBtn", [](QWidget* modal) {
            QCOMPARE(modal->objectName(), QStringLiteral("FtpPasswordDlg"));
            QCOMPARE(modal->findChild<QLineEdit*>(QStringLiteral("UserEdt"))->text(), QStringLiteral("anna"));
        });
        script.Then([](QWidget* modal) {
            modal->findChild<QLineEdit*>(QStringLiteral("PasswordEdt"))->setText(QStringLiteral("geheim"));
            modal->findChild<QPushButton*>(QStringLiteral("OkBtn"))->click();
        });
        Child<QPushButton>(&dialog, "ServerReadBtn")->click();
        QVERIFY(!Tree(&dialog)->Reading());
        Child<QPushButton>(&dialog, "ServerReadBtn")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!Tree(&dialog)->Reading() && Tree(&dialog)->topLevelItemCount() > 0, kServerMs);
        QVERIFY(script.Done());
        QCOMPARE(Child<QLineEdit>(&dialog, "FtpPasswordEdt")->text(), QString());
    }

    // A server that accepts the connection and then says nothing: "Abbrechen" and closing the dialog both end
    // the reading at once through the client's stop flag, although the time-out is ten minutes.
    void StalledReadingEndsOnAbortAndOnClose() {
        FtpTestServer server({"scripted", "silent"});
        QVERIFY2(server.Port() != 0, "the scripted server did not start");
        QTRY_COMPARE_WITH_TIMEOUT(cServerReader::RunningThreads(), 0, kServerMs);
        const struct {
            const char* name;
            std::function<void(ui::TDestinationDlg&)> end;
        } cases[] = {
            {"Abbrechen", [](ui::TDestinationDlg& d) { Child<QPushButton>(&d, "ServerStopBtn")->click(); }},
            {"Schließen", [](ui::TDestinationDlg& d) { d.close(); }},
        };
        for (const auto& c : cases) {
            cParameters params = FtpProfile(server.Port());
            params.FtpTimeOut = 600;
            ui::TDestinationDlg dialog(params, nullptr);
            dialog.show();
            Child<QPushButton>(&dialog, "ServerReadBtn")->click();
            QVERIFY(Tree(&dialog)->Reading());
            QVERIFY(Child<QPushButton>(&dialog, "ServerStopBtn")->isVisible());
            QCOMPARE(cServerReader::RunningThreads(), 1);
            QTest::qWait(300); // the login is under way and waits for the greeting

            QElapsedTimer clock;
            clock.start();
            c.end(dialog);
            QVERIFY2(clock.elapsed() < 2000, c.name);
            QVERIFY(!Tree(&dialog)->Reading());
            // Only the stop flag can have ended the wait for the greeting this soon.
            QTRY_COMPARE_WITH_TIMEOUT(cServerReader::RunningThreads(), 0, 5000);
            if (dialog.isVisible()) {
                QVERIFY(Child<QPushButton>(&dialog, "ServerReadBtn")->isVisible());
                QVERIFY(Child<QLabel>(&dialog, "ServerReadLbl")->text().contains(QStringLiteral("abgebrochen")));
                QCOMPARE(Tree(&dialog)->ItemOf("\\")->childCount(), 0);
            }
        }
    }

    // A server that dropped the connection while the user looked at the tree: opening a branch logs in again.
    void OpeningABranchAfterTheServerHungUpLogsInAgain() {
        testsupport::TempDir home;
        fs::create_directories(home.Path() / "Briefe" / "2026");
        FtpTestServer server({"real", home.Path().string(), "short-idle"});
        QVERIFY2(server.Port() != 0, "pyftpdlib did not start");
        cParameters params = FtpProfile(server.Port());
        ui::TDestinationDlg dialog(params, nullptr);
        dialog.show();
        ui::TServerTree* tree = Tree(&dialog);
        Child<QPushButton>(&dialog, "ServerReadBtn")->click();
        QTRY_VERIFY_WITH_TIMEOUT(tree->ItemOf("\\Briefe\\") && !tree->Reading(), kServerMs);
        QTest::qWait(2500); // the server hangs up after one idle second
        tree->expandItem(tree->ItemOf("\\Briefe\\"));
        QTRY_VERIFY_WITH_TIMEOUT(!tree->Reading(), kServerMs);
        QVERIFY2(tree->ItemOf("\\Briefe\\2026\\"), qPrintable(Child<QLabel>(&dialog, "ServerReadLbl")->text()));
        QVERIFY(!Child<QLabel>(&dialog, "ServerReadLbl")->isVisible());
    }

    // Another server in the field: the folders of the one read before go.
    void ChangingTheServerForgetsTheFolders() {
        testsupport::TempDir home;
        fs::create_directories(home.Path() / "Briefe");
        FtpTestServer server({"real", home.Path().string()});
        QVERIFY2(server.Port() != 0, "pyftpdlib did not start");
        cParameters params = FtpProfile(server.Port());
        ui::TDestinationDlg dialog(params, nullptr);
        dialog.show();
        ui::TServerTree* tree = Tree(&dialog);
        auto* read = Child<QPushButton>(&dialog, "ServerReadBtn");
        read->click();
        QTRY_VERIFY_WITH_TIMEOUT(tree->ItemOf("\\Briefe\\") && !tree->Reading(), kServerMs);
        auto* servers = Child<QComboBox>(&dialog, "ServerCbo");
        servers->setEditText(QStringLiteral("nas.local"));
        QCOMPARE(tree->topLevelItemCount(), 0);
        servers->setEditText(QString());
        QVERIFY(!read->isEnabled());
    }
};

QTEST_MAIN(ServerTreeTest)
#include "ServerTreeTest.moc"
