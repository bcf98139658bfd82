// A zip or FTP run started from the main window: the preview's "Öffnen" shows the destination's file, extracted
// from the archive or downloaded from the server, and tells a copy that cannot be made; OK lets the run carry
// out the plan on the archive or the server.
#include "ModalScript.h"
#include "destinations/FtpTestServer.h"
#include "platform/Clock.h"
#include "platform/ZipArchive.h"
#include "profile/Parameters.h"
#include "support/TempDir.h"
#include "ui/ListDialog.h"
#include "ui/MainWnd.h"
#include "ui/PreviewModel.h"

#include <QListView>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

// a.txt, newer in the source than at the destination, where it holds "alt"; a one-way profile with preview.
struct cRemoteRun {
    testsupport::TempDir dir;
    cParameters params;

    explicit cRemoteRun(eDestType type) {
        const fs::path source = dir.WriteFile("Quelle/a.txt", "neu");
        fs::last_write_time(source, fs::file_time_type::clock::now());
        fs::create_directories(dir.Path() / "Ziel");
        params.SourceDrive = (dir.Path() / "Quelle").string();
        params.DestDrive = (dir.Path() / "Ziel").string();
        params.DestType = type;
        params.SearchDirectories.Add("\\*");
        params.ProfileFile = (dir.Path() / "Profil.tvp").string();
        params.Log.FileName = (dir.Path() / "Log.txt").string();
        params.AddDefaultMask();
        params.SetTouchMode(eTouchMode::DestOnly);
        params.DocumentKind = kProfileDocument;
        params.ShowPreview = true;
        // The last run was a day ago: only the source changed since.
        params.LastRun = platform::UtcToLocal(platform::NowUtc()) - 24 * 36'000'000'000LL;
        params.Preview.OpenFolders = true;
        params.Preview.OneLine = false;
    }

    // The text of a file, or "<fehlt>".
    static std::string Text(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        if (!in) return "<fehlt>";
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
};

// Selects the line of the file name and returns the copies "Öffnen" would show.
std::vector<std::string> Open(QWidget* modal, const char* name) {
    auto* dialog = qobject_cast<ui::TListDlg*>(modal);
    if (!dialog) return {"<kein Vorschaufenster: " + modal->objectName().toStdString() + ">"};
    ui::cPreviewModel& model = dialog->Model();
    for (int row = 0; row < model.rowCount(); ++row) {
        if (!model.IsFolder(row) && model.index(row).data().toString().contains(QString::fromUtf8(name)))
            dialog->List()->setCurrentIndex(model.index(row));
    }
    return dialog->CopiesForOpening();
}

// An entry's content as Info-ZIP's unzip reads it.
std::string Unzipped(const fs::path& archive, const char* entry) {
    const std::string command = "unzip -p '" + archive.string() + "' " + entry + " 2>/dev/null";
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        ::pclose(pipe);
    }
    return text;
}

class RemotePreviewTest : public QObject {
    Q_OBJECT

private slots:
    void OpeningExtractsFromTheArchiveAndOkUpdatesIt() {
        cRemoteRun fixture(eDestType::Zip);
        const fs::path secret = fixture.dir.WriteFile("Quelle/geheim.txt", "neu");
        fs::last_write_time(secret, fs::file_time_type::clock::now());
        fixture.params.DestArchive = "Sicherung.zip";
        const fs::path archive = fixture.dir.Path() / "Ziel/Sicherung.zip";
        {
            const fs::path old = fixture.dir.WriteFile("alt.txt", "alt");
            platform::ZipArchive zip;
            QCOMPARE(zip.Open(archive.string(), true), 0);
            const platform::FileTime time = platform::FileTimeFromDayNumber(45000);
            QCOMPARE(zip.AddFile("a.txt", old.string(), time, {.level = 6, .password = {}}), 0);
            QCOMPARE(zip.AddFile("geheim.txt", old.string(), time, {.level = 6, .password = "Kennwort"}), 0);
            QCOMPARE(zip.Close(), 0);
        }
        std::vector<std::string> copies;
        std::vector<std::string> afterDamage;
        std::vector<bool> compared;
        QStringList boxes;
        const auto answer = [&boxes](QWidget* modal) {
            boxes << uitest::BoxText(modal);
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->accept();
        };
        uitest::cModalScript script;
        script
            .Click("OkBtn",
                   [&](QWidget* modal) {
                       auto* dialog = qobject_cast<ui::TListDlg*>(modal);
                       copies = Open(modal, "a.txt");
                       compared.push_back(dialog->CompareSelected()); // against the extracted copy
                       afterDamage = Open(modal, "geheim.txt");       // its password is not known
                       compared.push_back(dialog->CompareSelected()); // no copy, no comparison
                   })
            .Then(answer)
            .Then(answer)
            .Then(answer);
        ui::TMainWnd window(fixture.params, false);
        window.show();
        window.LaunchRun(0);

        // OK carried out the plan: both files replaced in the archive.
        for (int i = 0; i < 200 && Unzipped(archive, "a.txt") != "neu"; ++i)
            QTest::qWait(100);
        QCOMPARE(Unzipped(archive, "a.txt"), std::string("neu"));
        QCOMPARE(Unzipped(archive, "geheim.txt"), std::string("neu"));
        QCOMPARE(copies.size(), std::size_t{2});
        QCOMPARE(cRemoteRun::Text(copies[0]), std::string("neu"));
        QCOMPARE(cRemoteRun::Text(copies[1]), std::string("alt"));
        QCOMPARE(fs::path(copies[1]).filename().string(), std::string("a.txt"));
        QCOMPARE(afterDamage.size(), std::size_t{1}); // the source's copy only
        QCOMPARE(compared, (std::vector<bool>{true, false}));
        QCOMPARE(boxes.size(), 3);
        QVERIFY2(boxes[0].contains(QStringLiteral("sind NICHT identisch")), qPrintable(boxes[0]));
        for (const QString& box : {boxes[1], boxes[2]}) {
            QVERIFY2(box.contains(QStringLiteral("nicht aus dem Zip-Archiv holen")), qPrintable(box));
            QVERIFY2(box.contains(QString::fromStdString((archive / "geheim.txt").string())), qPrintable(box));
        }
    }

    void OpeningDownloadsFromTheServerAndOkUploads() {
        cRemoteRun fixture(eDestType::Ftp);
        const fs::path server = fixture.dir.Path() / "Server";
        fixture.dir.WriteFile("Server/a.txt", "alt");
        fs::last_write_time(server / "a.txt", fs::file_time_type::clock::now() - std::chrono::hours(48));
        testsupport::FtpTestServer ftp({"real", server.string()});
        QVERIFY2(ftp.Port() != 0, "the FTP test server did not start");
        fixture.params.DestServer = "127.0.0.1";
        fixture.params.FtpPort = ftp.Port();
        fixture.params.FtpUserName = "anna";
        fixture.params.FtpPassword = "geheim";
        fixture.params.FtpTimeOut = 10;
        fixture.params.FtpUseList = false;

        std::vector<std::string> copies;
        std::vector<std::string> afterRemoval;
        QString box;
        uitest::cModalScript script;
        script
            .Click("OkBtn",
                   [&](QWidget* modal) {
                       copies = Open(modal, "a.txt");
                       fs::remove(server / "a.txt"); // gone from the server meanwhile
                       afterRemoval = Open(modal, "a.txt");
                   })
            .Then([&box](QWidget* modal) {
                box = uitest::BoxText(modal);
                if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->accept();
            });
        ui::TMainWnd window(fixture.params, false);
        window.show();
        window.LaunchRun(0);
        for (int i = 0; i < 200 && cRemoteRun::Text(server / "a.txt") != "neu"; ++i)
            QTest::qWait(100);
        QCOMPARE(cRemoteRun::Text(server / "a.txt"), std::string("neu"));

        QCOMPARE(copies.size(), std::size_t{2});
        QCOMPARE(cRemoteRun::Text(copies[1]), std::string("alt"));
        QCOMPARE(afterRemoval.size(), std::size_t{1});
        QVERIFY2(box.contains(QStringLiteral("nicht vom FTP-Server holen")), qPrintable(box));
        QVERIFY2(box.contains(QStringLiteral("ftp://127.0.0.1")), qPrintable(box));
        QVERIFY2(!box.contains(QStringLiteral("geheim")), qPrintable(box));
    }
};

} // namespace

QTEST_MAIN(RemotePreviewTest)
#include "RemotePreviewTest.moc"
