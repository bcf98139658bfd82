// Whole runs over trees that fight back: unreadable directories, symlink loops, deep trees and file names the
// program cannot carry. Each run finishes, logs what it could not handle where the log says so, counts one error
// per problem and plans nothing from what it could not read.
#include "RunFixture.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace runtest {
namespace {

const std::string kAccessDenied =
    "Fehler 5 - Datei/Verzeichnis schreibgeschützt/versteckt/System oder ungenügende Berechtigungen";
const std::string kInvalidName = "Fehler 123 - Ungültiger Name";

std::string ScanError(const std::string& path, const std::string& error) {
    return "  FEHLER beim Durchsuchen: " + path + ": " + error;
}

// Creates `levels` directories called name, each inside the one before, below root and a file in the deepest,
// without ever naming the whole path: it may be longer than the system lets a path be.
void MakeDirectoryChain(const fs::path& root, const std::string& name, int levels, const std::string& file) {
    int directory = open(root.c_str(), O_DIRECTORY | O_RDONLY);
    for (int level = 0; level < levels && directory >= 0; ++level) {
        (void)mkdirat(directory, name.c_str(), 0755);
        const int inner = openat(directory, name.c_str(), O_DIRECTORY | O_RDONLY);
        close(directory);
        directory = inner;
    }
    ASSERT_GE(directory, 0);
    const int created = openat(directory, file.c_str(), O_CREAT | O_WRONLY, 0644);
    EXPECT_GE(created, 0);
    close(created);
    close(directory);
}

// Removes the entry name of the open directory parent with everything below it, also below the length limit of
// paths (which the temporary directory's own clean-up cannot pass).
void RemoveBelow(int parent, const char* name) {
    const int directory = openat(parent, name, O_DIRECTORY | O_RDONLY | O_NOFOLLOW);
    if (directory < 0) {
        (void)unlinkat(parent, name, 0);
        return;
    }
    if (DIR* listing = fdopendir(directory)) {
        std::vector<std::string> names;
        while (const dirent* entry = readdir(listing)) {
            const std::string entryName = entry->d_name;
            if (entryName != "." && entryName != "..") names.push_back(entryName);
        }
        for (const std::string& entryName : names)
            RemoveBelow(dirfd(listing), entryName.c_str());
        closedir(listing);
    } else {
        close(directory);
    }
    (void)unlinkat(parent, name, AT_REMOVEDIR);
}

class RunBadInputTest : public RunFixture {
protected:
    // Only problems are logged.
    RunBadInputTest() { p.Log.NoNormal = true; }

    // Runs as an unprivileged user, so that permissions bite also when the tests run as root: a child process
    // gives up root (uid and gid 65534) and runs the profile; its result byte comes back as the exit status and
    // its plan through a pipe. The test first opens its tree to everyone (OpenTreeToEveryone), so that the
    // child can read it and write the log and the snapshot, and then takes away the rights it means to.
    std::uint8_t RunUnprivileged() {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) {
            ADD_FAILURE() << "pipe: " << errno;
            return 255;
        }
        const pid_t child = fork();
        if (child == 0) {
            close(pipeEnds[0]);
            constexpr uid_t kNobody = 65534;
            if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
                _exit(99);
            const std::uint8_t result = Run();
            std::string text;
            for (const auto& [path, action] : planned)
                text += path + '\t' + action + '\n';
            for (std::size_t done = 0; done < text.size();) {
                const ssize_t written = write(pipeEnds[1], text.data() + done, text.size() - done);
                if (written <= 0) _exit(98);
                done += static_cast<std::size_t>(written);
            }
            _exit(result);
        }
        close(pipeEnds[1]);
        std::string text;
        char buffer[4096];
        for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<std::size_t>(got));
        close(pipeEnds[0]);
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
            ADD_FAILURE() << "the unprivileged run did not end normally";
            return 255;
        }
        planned.clear();
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find('\n', start);
            if (end == std::string::npos) break;
            const std::string line = text.substr(start, end - start);
            const std::size_t tab = line.find('\t');
            planned[line.substr(0, tab)] = line.substr(tab + 1);
            start = end + 1;
        }
        EXPECT_NE(WEXITSTATUS(status), 99) << "could not give up root";
        return static_cast<std::uint8_t>(WEXITSTATUS(status));
    }

    // Everyone may use the test directory and read both trees.
    void OpenTreeToEveryone() const {
        fs::permissions(dir.Path(), fs::perms::all);
        for (const fs::path& root : {Source(), Dest()}) {
            fs::permissions(root, fs::perms::all);
            for (const auto& entry : fs::recursive_directory_iterator(root))
                fs::permissions(entry.path(), entry.is_directory()
                                                  ? fs::perms::all
                                                  : fs::perms::owner_read | fs::perms::owner_write |
                                                        fs::perms::group_read | fs::perms::others_read);
        }
    }
};

TEST_F(RunBadInputTest, AnUnreadableDirectoryIsReportedAndItsPairLeftAlone) {
    // Both sides touched and orphans deleted: were the pair decided from the destination alone, Ziel/zu/b.txt
    // would look like a file deleted in the source.
    p.OrphanModeB = eOrphanMode::Delete;
    Write(Source(), "offen/a.txt", "a", kOlder);
    Write(Dest(), "offen/a.txt", "a", kOlder);
    Write(Source(), "offen/neu.txt", "n", kNewer);
    Write(Source(), "zu/b.txt", "b", kOlder);
    Write(Dest(), "zu/b.txt", "b", kOlder);
    OpenTreeToEveryone();
    fs::permissions(Source() / "zu", fs::perms::none);

    EXPECT_EQ(RunUnprivileged(), kRunFailed);
    EXPECT_EQ(planned, (Plan{{"Quelle/offen/neu.txt", kPlanDelete}}));
    EXPECT_EQ(LogEvents(), Lines{ScanError(Source().string() + "/zu/", kAccessDenied)});
    EXPECT_EQ(SummaryCount("Fehler"), 1);
}

TEST_F(RunBadInputTest, AnUnreadableDestinationDecidesNoDeletionFromTheSnapshot) {
    // The snapshot lists both files in the destination; the destination directory cannot be read now, so the
    // source files only look like files deleted there.
    p.OrphanModeB = eOrphanMode::LookInSnapshot;
    Write(Source(), "Daten/a.txt", "a", kOlder);
    Write(Source(), "Daten/b.txt", "b", kOlder);
    Write(Dest(), "Daten/a.txt", "a", kOlder);
    const std::string snapshot = p.ProfileFile + ".lst";
    std::ofstream(snapshot, std::ios::binary)
        << "2\r\n\\\r\n0\r\n\\\r\n0\r\n\\Daten\\\r\n2\r\na.txt\r\nb.txt\r\n\\Daten\\\r\n2\r\na.txt\r\nb.txt\r\n";
    OpenTreeToEveryone();
    fs::permissions(snapshot, fs::perms::all);
    fs::permissions(Dest() / "Daten", fs::perms::none);

    EXPECT_EQ(RunUnprivileged(), kRunFailed);
    EXPECT_TRUE(planned.empty());
    EXPECT_EQ(LogEvents(), (Lines{ListFileLine("Schnappschuss gelesen:", snapshot),
                                  ScanError(Dest().string() + "/Daten/", kAccessDenied), "Keine Dateien gefunden."}));
    EXPECT_EQ(SummaryCount("Fehler"), 1);
}

TEST_F(RunBadInputTest, SymlinksToDirectoriesAreCopiedAsLinksNeverDescended) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.Log.NoNormal = true;
    Write(Source(), "a/x.txt", "x", kNewer);
    fs::create_directory_symlink("..", Source() / "a/schleife");
    fs::create_directory_symlink(".", Source() / "a/selbst");
    fs::create_symlink("a/x.txt", Source() / "verweis.txt"); // a link to a file is a file of its own
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(planned, (Plan{{"Quelle/a/schleife", kPlanForward},
                             {"Quelle/a/selbst", kPlanForward},
                             {"Quelle/a/x.txt", kPlanForward},
                             {"Quelle/verweis.txt", kPlanForward}}));
    EXPECT_EQ(LogEvents(), Lines{});
    EXPECT_TRUE(fs::is_symlink(Dest() / "a/schleife"));
    EXPECT_EQ(fs::read_symlink(Dest() / "a/schleife"), "..");
    EXPECT_EQ(fs::read_symlink(Dest() / "a/selbst"), ".");
}

TEST_F(RunBadInputTest, ADeepTreeIsScannedToItsBottom) {
    p.SetTouchMode(eTouchMode::DestOnly);
    std::string deep;
    for (int level = 0; level < 300; ++level)
        deep += "d/";
    Write(Source(), deep + "tief.txt", "t", kNewer);
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(planned, (Plan{{"Quelle/" + deep + "tief.txt", kPlanForward}}));
}

TEST_F(RunBadInputTest, APathLongerThanTheSystemAllowsIsAnError) {
    // 24 levels of 200 characters: about 4 800 characters, beyond the 4 096 a path may have.
    p.SetTouchMode(eTouchMode::DestOnly);
    const std::string name(200, 'l');
    MakeDirectoryChain(Source(), name, 24, "fern.txt");
    Write(Source(), "nah.txt", "n", kNewer);

    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(planned, (Plan{{"Quelle/nah.txt", kPlanForward}}));
    const Lines events = LogEvents();
    EXPECT_FALSE(events.empty());
    for (const std::string& line : events) {
        EXPECT_TRUE(line.starts_with("  FEHLER beim Durchsuchen: " + dir.Path().string() + "/")) << line;
        EXPECT_TRUE(line.ends_with(": Fehler 206 - Pfad zu lang")) << line;
    }
    EXPECT_EQ(SummaryCount("Fehler"), static_cast<int>(events.size()));

    const int top = open(dir.Path().c_str(), O_DIRECTORY | O_RDONLY);
    RemoveBelow(top, "Quelle");
    RemoveBelow(top, "Ziel");
    close(top);
}

TEST_F(RunBadInputTest, NamesTheProgramCannotCarryAreErrors) {
    p.SetTouchMode(eTouchMode::DestOnly);
    Write(Source(), "Daten/ok.txt", "o", kNewer);
    Write(Source(), "Daten/a\\b.txt", "b", kNewer);
    Write(Source(), "Daten/zeile\nzwei.txt", "z", kNewer);
    Write(Source(), "Ordner\\X/drin.txt", "d", kNewer); // a directory with such a name is not searched
    const std::string daten = Source().string() + "/Daten/";

    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(planned, (Plan{{"Quelle/Daten/ok.txt", kPlanForward}}));
    const Lines events = LogEvents();
    ASSERT_EQ(events.size(), 3u);
    const auto logged = [&events](const std::string& line) {
        return std::find(events.begin(), events.end(), line) != events.end();
    };
    EXPECT_TRUE(logged(ScanError(Source().string() + "/Ordner\\X", kInvalidName)));
    EXPECT_TRUE(logged(ScanError(daten + "a\\b.txt", kInvalidName)));
    // The line for the name with the line break: how the break itself must look is the business of
    // ALineBreakInANameDoesNotBreakTheLog.
    EXPECT_EQ(std::count_if(events.begin(), events.end(),
                            [&](const std::string& line) {
                                return line.starts_with("  FEHLER beim Durchsuchen: " + daten + "zeile") &&
                                       line.ends_with("zwei.txt: " + kInvalidName);
                            }),
              1);
    EXPECT_EQ(SummaryCount("Fehler"), 3);
}

TEST_F(RunBadInputTest, ALineBreakInANameDoesNotBreakTheLog) {
    // The log is a file of CR LF lines; a name must not add lines of its own to it, nor forge one.
    p.SetTouchMode(eTouchMode::DestOnly);
    Write(Source(), "zeile\nzwei.txt", "z", kNewer);
    Write(Source(), "x\r\n  Datei vorwärts kopiert: gefälscht", "f", kNewer);
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(SummaryCount("Fehler"), 2);
    // Each break shows as "?", as ls -q shows it.
    const std::string quelle = Source().string() + "/";
    EXPECT_EQ(LogEvents(), (Lines{ScanError(quelle + "zeile?zwei.txt", kInvalidName),
                                  ScanError(quelle + "x??  Datei vorwärts kopiert: gefälscht", kInvalidName),
                                  "Keine Dateien gefunden."}));
    for (const std::string& line : LogLines()) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
        EXPECT_FALSE(line.starts_with("  Datei vorwärts kopiert:")) << line;
    }
}

} // namespace
} // namespace runtest
