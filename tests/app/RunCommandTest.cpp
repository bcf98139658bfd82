// The headless run commands end to end: a profile made with --new-profile, planned with --plan (which must
// change nothing at all) and carried out with --run.
#include "TolvanCommand.h"
#include "platform/Text.h"
#include "profile/BatchEdit.h"
#include "profile/Parameters.h"
#include "support/ScriptServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using apptest::CommandResult;
using apptest::Quoted;

// Every path below a directory with its size and modification time: any write shows as a difference.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
    std::map<std::string, std::string> state;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const auto time = fs::last_write_time(entry.path()).time_since_epoch().count();
        const auto size = entry.is_regular_file() ? fs::file_size(entry.path()) : 0;
        state[entry.path().lexically_relative(root).string()] = std::to_string(size) + "@" + std::to_string(time);
    }
    return state;
}

class RunCommandTest : public ::testing::Test {
protected:
    RunCommandTest() {
        fs::create_directories(Source() / "Briefe");
        fs::create_directories(Dest());
        std::ofstream(Source() / "Briefe" / "Brief an Frau Müller.txt") << "Sehr geehrte Frau Müller";
        std::ofstream(Source() / "Notiz.txt") << "Notiz";
    }

    fs::path Source() const { return dir.Path() / "Quelle"; }
    fs::path Dest() const { return dir.Path() / "Ziel"; }
    std::string Profile() const { return (dir.Path() / "Sicherung.tvp").string(); }

    CommandResult NewProfile() const {
        return apptest::RunTolvan(dir, "--new-profile " + Quoted(Profile()) + " " + Quoted(Source().string()) + " " +
                                           Quoted(Dest().string()) + " --one-way");
    }
    CommandResult Command(const char* command) const {
        return apptest::RunTolvan(dir, std::string(command) + " " + Quoted(Profile()));
    }

    testsupport::TempDir dir;
};

TEST_F(RunCommandTest, PlanChangesNothingAndRunCarriesItOut) {
    ASSERT_EQ(NewProfile().exitStatus, 0);
    const auto before = Snapshot(dir.Path() / "Ziel");

    const CommandResult plan = Command("--plan");
    EXPECT_EQ(plan.exitStatus, 0) << plan.err;
    EXPECT_NE(plan.out.find("Vorwärts: Brief an Frau Müller.txt (Inhalt)"), std::string::npos) << plan.out;
    EXPECT_NE(plan.out.find("Geplant: 2 vorwärts, 0 überspringen, 0 löschen, 0 rückwärts"), std::string::npos)
        << plan.out;
    // The log the run would write goes to stderr, not to a file.
    EXPECT_NE(plan.err.find("Zusammenfassung"), std::string::npos) << plan.err;
    EXPECT_EQ(Snapshot(dir.Path() / "Ziel"), before);
    EXPECT_FALSE(fs::exists(dir.Path() / "data" / "tolvan" / "Log.txt"));
    EXPECT_FALSE(fs::exists(dir.Path() / "config" / "tolvan" / "Tolvan6.ini"));
    EXPECT_FALSE(fs::exists(Profile() + ".lst"));

    const CommandResult run = Command("--run");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_TRUE(fs::exists(Dest() / "Briefe" / "Brief an Frau Müller.txt"));
    EXPECT_EQ(fs::last_write_time(Dest() / "Notiz.txt"), fs::last_write_time(Source() / "Notiz.txt"));
    const std::string logFile = (dir.Path() / "data" / "tolvan" / "Log.txt").string();
    EXPECT_NE(run.err.find("Protokoll: " + logFile), std::string::npos) << run.err;
    EXPECT_TRUE(fs::exists(logFile));
    // A successful run is recorded in the settings file.
    std::ifstream settings(dir.Path() / "config" / "tolvan" / "Tolvan6.ini");
    const std::string text((std::istreambuf_iterator<char>(settings)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("Runs=1"), std::string::npos) << text;

    const CommandResult again = Command("--plan");
    EXPECT_EQ(again.exitStatus, 0);
    EXPECT_NE(again.out.find("Keine Dateien gefunden."), std::string::npos) << again.out;
}

TEST_F(RunCommandTest, OneWayKeepsWhatTheSourceLacksAndMirrorDeletesIt) {
    for (const char* kind : {"--one-way", "--mirror"}) {
        SCOPED_TRACE(kind);
        fs::remove(Profile());
        std::ofstream(Dest() / "Alt.txt") << "alt";
        ASSERT_EQ(apptest::RunTolvan(dir, "--new-profile " + Quoted(Profile()) + " " + Quoted(Source().string()) + " " +
                                              Quoted(Dest().string()) + " " + kind)
                      .exitStatus,
                  0);
        EXPECT_EQ(Command("--run").exitStatus, 0);
        EXPECT_EQ(fs::exists(Dest() / "Alt.txt"), std::string(kind) == "--one-way");
        EXPECT_TRUE(fs::exists(Dest() / "Notiz.txt"));
    }
}

TEST_F(RunCommandTest, ARunWithErrorsExitsWithTwo) {
    ASSERT_EQ(NewProfile().exitStatus, 0);
    fs::remove_all(Source());
    const CommandResult run = Command("--run");
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("nicht bereit"), std::string::npos) << run.err;
}

// A run without windows mails its log as the profile asks (to a real mail server here), and says so.
TEST_F(RunCommandTest, TheLogIsMailedAfterARun) {
    testsupport::TempDir mails;
    testsupport::ScriptServer server(TOLVAN_SMTP_TEST_SERVER, {mails.Path().string()});
    ASSERT_NE(server.Port(), 0) << "the test mail server (python3-aiosmtpd) did not start";
    ASSERT_EQ(NewProfile().exitStatus, 0);
    cParameters profile;
    ASSERT_EQ(profile.ReadDocument(Profile()), 0);
    profile.Log.FileName = (dir.Path() / "Log.txt").string();
    profile.Log.MailOnSuccess = true;
    profile.Log.SmtpServer = "127.0.0.1:" + std::to_string(server.Port());
    profile.Log.SenderAddress = "tolvan@example.org";
    profile.Log.Recipient1Address = "anna@example.org";
    ASSERT_EQ(profile.WriteDocument(Profile()), 0);
    const CommandResult run = Command("--run");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_NE(run.err.find("Protokoll verschickt an anna@example.org"), std::string::npos) << run.err;
    const std::string mail = mails.ReadFile("mail1.txt");
    EXPECT_NE(mail.find("Subject: Log.txt\r\n"), std::string::npos) << mail;
    EXPECT_NE(mail.find("Zusammenfassung"), std::string::npos) << mail;
}

// Names that are no UTF-8 (here the profile's own and a source file's, which is not copied but reported) show
// escaped in the plan and in the log, so both stay readable as a whole: the umlauts around them keep their form.
TEST_F(RunCommandTest, NamesThatAreNoUtf8ShowEscapedInPlanAndLog) {
    std::ofstream(Source() / "Gr\xFC\xDF.txt") << "Grüße";
    const std::string profile = (dir.Path() / "Sicherung \xFF.tvp").string();
    ASSERT_EQ(apptest::RunTolvan(dir, "--new-profile " + Quoted(profile) + " " + Quoted(Source().string()) + " " +
                                          Quoted(Dest().string()) + " --one-way")
                  .exitStatus,
              0);
    const std::string escapedProfile = (dir.Path() / "Sicherung \\xFF.tvp").string();
    const std::string escapedFile = Source().string() + "/Gr\\xFC\\xDF.txt";

    const CommandResult plan = apptest::RunTolvan(dir, "--plan " + Quoted(profile));
    EXPECT_NE(plan.out.find("Plan für " + escapedProfile + "\n"), std::string::npos) << plan.out;
    EXPECT_NE(plan.out.find("Vorwärts: Brief an Frau Müller.txt"), std::string::npos) << plan.out;
    EXPECT_TRUE(platform::IsValidUtf8(plan.out));
    EXPECT_NE(plan.err.find(escapedFile), std::string::npos) << plan.err;
    EXPECT_TRUE(platform::IsValidUtf8(plan.err));

    apptest::RunTolvan(dir, "--run " + Quoted(profile));
    EXPECT_TRUE(fs::exists(Dest() / "Briefe" / "Brief an Frau Müller.txt"));
    const std::string log = platform::DecodeFileText(dir.ReadFile("data/tolvan/Log.txt"));
    EXPECT_NE(log.find("Profil: " + escapedProfile), std::string::npos) << log;
    EXPECT_NE(log.find(escapedFile), std::string::npos) << log;
    EXPECT_NE(log.find("Brief an Frau Müller.txt"), std::string::npos) << log;
}

// A copy beyond the file-size limit fails with error 112 (disk full) instead of a signal ending the process:
// the other files are copied, no temporary file is left, and the log holds the failure and the summary.
TEST_F(RunCommandTest, AFileBeyondTheSizeLimitFailsAloneAndTheRunEnds) {
    std::ofstream(Source() / "Groß.bin") << std::string(2 * 1024 * 1024, 'x');
    ASSERT_EQ(NewProfile().exitStatus, 0);
    // 512 blocks are 256 KiB in dash's units and 512 KiB in bash's: well above every other file written.
    const CommandResult run = apptest::RunTolvan(dir, "--run " + Quoted(Profile()), "ulimit -f 512 && ");
    EXPECT_EQ(run.exitStatus, 2) << run.err;
    EXPECT_TRUE(fs::exists(Dest() / "Notiz.txt"));
    EXPECT_TRUE(fs::exists(Dest() / "Briefe" / "Brief an Frau Müller.txt"));
    std::vector<std::string> top;
    for (const auto& entry : fs::directory_iterator(Dest()))
        top.push_back(entry.path().filename().string());
    std::sort(top.begin(), top.end());
    EXPECT_EQ(top, (std::vector<std::string>{"Briefe", "Notiz.txt"}));
    const std::string log = platform::DecodeFileText(dir.ReadFile("data/tolvan/Log.txt"));
    EXPECT_NE(log.find("FEHLER beim Kopieren:               " + Source().string() + "/Groß.bin"), std::string::npos)
        << log;
    EXPECT_NE(log.find("  ! Fehler 112 - "), std::string::npos) << log;
    EXPECT_NE(log.find("Zusammenfassung"), std::string::npos) << log;
    EXPECT_NE(log.find("     1 Fehler"), std::string::npos) << log;
}

TEST_F(RunCommandTest, BadArgumentsAreRefused) {
    ASSERT_EQ(NewProfile().exitStatus, 0);
    const CommandResult twice = NewProfile();
    EXPECT_EQ(twice.exitStatus, 2);
    EXPECT_NE(twice.err.find("wird nicht überschrieben"), std::string::npos) << twice.err;
    for (const char* command : {"--plan", "--run"}) {
        const CommandResult missing =
            apptest::RunTolvan(dir, std::string(command) + " " + Quoted((dir.Path() / "Fehlt.tvp").string()));
        EXPECT_EQ(missing.exitStatus, 2) << command;
        EXPECT_NE(missing.err.find("Fehler 2 - Datei nicht gefunden"), std::string::npos) << missing.err;
    }
}

// A batch file runs its profiles one after the other, each with its own log that names the batch; a failed
// profile with "Weitermachen bei Erfolg" ends the batch, and the exit status is the worst result.
TEST_F(RunCommandTest, ABatchFileRunsItsProfilesUntilItsConditionStopsIt) {
    struct cProfile {
        const char* Name;
        bool Broken; // its source does not exist
        int Continuation;
    };
    const std::vector<cProfile> profiles = {{"Erst", false, 0}, {"Kaputt", true, 1}, {"Nie", false, 0}};
    cParameters batch;
    batch.ResetBatch();
    for (const cProfile& profile : profiles) {
        const std::string file = (dir.Path() / (std::string(profile.Name) + ".tvp")).string();
        const fs::path source = profile.Broken ? dir.Path() / "Fehlt" : Source();
        fs::create_directories(dir.Path() / profile.Name);
        ASSERT_EQ(apptest::RunTolvan(dir, "--new-profile " + Quoted(file) + " " + Quoted(source.string()) + " " +
                                              Quoted((dir.Path() / profile.Name).string()) + " --one-way")
                      .exitStatus,
                  0);
        BatchEntry entry = BatchEntryFor(file);
        entry.Continuation = profile.Continuation;
        batch.Batch.AddEntry(entry);
    }
    const std::string batchFile = (dir.Path() / "Stapel.tvb").string();
    ASSERT_EQ(batch.WriteDocument(batchFile), 0);

    const CommandResult run = apptest::RunTolvan(dir, "--run " + Quoted(batchFile));
    EXPECT_EQ(run.exitStatus, 2) << run.err;
    EXPECT_TRUE(fs::exists(dir.Path() / "Erst" / "Notiz.txt"));
    EXPECT_FALSE(fs::exists(dir.Path() / "Nie" / "Notiz.txt")) << "the batch ends after the failed profile";
    const std::string log = dir.ReadFile("data/tolvan/Log.txt");
    EXPECT_NE(log.find("- gestartet aus der Batch-Datei " + batchFile), std::string::npos) << log;

    // Without the broken profile every profile runs and the batch succeeds.
    cParameters good;
    ASSERT_EQ(good.ReadDocument(batchFile), 0);
    SetBatchEntries(good.Batch, {});
    good.Batch.AddEntry(BatchEntryFor((dir.Path() / "Erst.tvp").string()));
    good.Batch.AddEntry(BatchEntryFor((dir.Path() / "Nie.tvp").string()));
    ASSERT_EQ(good.WriteDocument(batchFile), 0);
    EXPECT_EQ(apptest::RunTolvan(dir, "--run " + Quoted(batchFile)).exitStatus, 0);
    EXPECT_TRUE(fs::exists(dir.Path() / "Nie" / "Notiz.txt"));

    // A batch without profiles has nothing to run: that is an error, not a success.
    SetBatchEntries(good.Batch, {});
    ASSERT_EQ(good.WriteDocument(batchFile), 0);
    const CommandResult empty = apptest::RunTolvan(dir, "--run " + Quoted(batchFile));
    EXPECT_EQ(empty.exitStatus, 2);
    EXPECT_NE(empty.err.find("enthält keine Profile"), std::string::npos) << empty.err;
}

// A run without windows prints its log when the profile asks; without a printer it says so and the run's
// result stays what it was (no display is needed for it, and none is there).
TEST_F(RunCommandTest, PrintingWithoutAPrinterIsSaidAndChangesNothing) {
    ASSERT_EQ(NewProfile().exitStatus, 0);
    cParameters params;
    ASSERT_EQ(params.ReadDocument(Profile()), 0);
    params.Log.PrintOnSuccess = true;
    ASSERT_EQ(params.WriteDocument(Profile()), 0);
    const CommandResult run =
        apptest::RunTolvan(dir, "--run " + Quoted(Profile()), "unset DISPLAY WAYLAND_DISPLAY; export CUPS_SERVER=/nonexistent/cups.sock && ");
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_NE(run.err.find("Protokoll nicht gedruckt: Kein Drucker installiert."), std::string::npos) << run.err;
    EXPECT_TRUE(fs::exists(Dest() / "Notiz.txt"));
}

} // namespace
