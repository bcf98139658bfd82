// The headless progress: plain lines with the current file and the figures every ten seconds and at the end,
// or a bar on a terminal redrawn at most once a second.
#include "shell/HeadlessProgress.h"

#include "platform/Clock.h"

#include <cstdio>
#include <memory>

#include <gtest/gtest.h>

using platform::kTicksPerSecond;

namespace {

class HeadlessProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(m_out, nullptr);
        platform::SetClock(m_now);
    }
    void TearDown() override { platform::SetClock(std::nullopt); }

    void Advance(int seconds) {
        m_now += seconds * kTicksPerSecond;
        platform::SetClock(m_now);
    }
    std::string Written() {
        std::fflush(m_out.get());
        std::rewind(m_out.get());
        std::string text;
        char buffer[512];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, m_out.get()))
            text.append(buffer, n);
        return text;
    }

    std::unique_ptr<std::FILE, int (*)(std::FILE*)> m_out{std::tmpfile(), &std::fclose};
    platform::FileTime m_now = platform::JoinFileTime(2026, 12, 9, 1, 0, 0);
};

TEST_F(HeadlessProgressTest, PlainLinesGiveTheCurrentFileAndFiguresEveryTenSeconds) {
    cHeadlessProgress progress(m_out.get(), false);
    progress.Begin(40 * 1024);
    Advance(4);
    progress.Report(4096, 4096, "/home/anna/a.txt");
    Advance(4);
    progress.Report(4096, 8192, "/home/anna/a.txt");
    progress.SetPaused(true);
    Advance(100); // a message was shown: the figures line that falls due shows no added time
    progress.Report(0, 8192, "/home/anna/a.txt");
    progress.SetPaused(false);
    Advance(2);
    progress.Report(12288, 12288, "/home/anna/b.txt");
    Advance(10);
    progress.Report(4096, 16384, "/home/anna/b.txt");
    progress.End();
    progress.End(); // closed already: nothing more

    EXPECT_EQ(Written(), "Kopiere /home/anna/a.txt: 20 %, Verstrichene Zeit: 00:00:08\n"
                         "Kopiere /home/anna/b.txt: 60 %, Verstrichene Zeit: 00:00:20, Übertragungsrate: 1,2 kB/sec, "
                         "Verbleibende Zeit: 00:00:13\n"
                         "60 %, Verstrichene Zeit: 00:00:20, Übertragungsrate: 1,2 kB/sec, "
                         "Verbleibende Zeit: 00:00:13\n");
}

TEST_F(HeadlessProgressTest, TerminalBarIsRedrawnInPlaceAtMostOnceASecond) {
    cHeadlessProgress progress(m_out.get(), true);
    progress.Begin(1000);
    progress.Report(100, 100, "/a");
    progress.Report(100, 200, "/b"); // same second: not drawn, even for another file
    Advance(1);
    progress.Report(300, 500, "/a");
    progress.End();

    const std::string bar10 = "\r[###---------------------------] 10 %, Verstrichene Zeit: 00:00:00\x1b[K";
    const std::string bar50 = "\r[###############---------------] 50 %, Verstrichene Zeit: 00:00:01\x1b[K";
    EXPECT_EQ(Written(), bar10 + bar50 + bar50 + "\n");
}

TEST_F(HeadlessProgressTest, ReportsWithoutBeginPrintNothing) {
    cHeadlessProgress progress(m_out.get(), false);
    progress.Report(100, 100, "/tmp/x");
    progress.SetPaused(true);
    progress.End();
    EXPECT_EQ(Written(), "");
}

} // namespace
