// Wave-file playback: which player runs, with which arguments, and silence when there is none.
#include "platform/Sound.h"

#include "support/EnvironmentOverride.h"
#include "support/TempDir.h"

#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

class SoundTest : public ::testing::Test {
protected:
    SoundTest() {
        m_wave = m_dir.WriteFile("Klänge/Tom's Signal \"laut\".wav", "RIFF").string();
        platform::ResetSoundPlayerLookup();
    }
    ~SoundTest() override { platform::ResetSoundPlayerLookup(); }

    // A fake player in bin/ that writes its name and arguments, one a line, to <name>.args. It calls mv by its
    // full path because PATH holds only bin/ during the tests.
    void AddFakePlayer(const std::string& name) {
        const fs::path script =
            m_dir.WriteFile("bin/" + name, "#!/bin/sh\nprintf '%s\\n' " + name + " \"$@\" > '" + Args(name) +
                                               ".tmp' && /bin/mv '" + Args(name) + ".tmp' '" + Args(name) + "'\n");
        fs::permissions(script, fs::perms::owner_all);
    }
    std::string Args(const std::string& name) const { return (m_dir.Path() / (name + ".args")).string(); }
    std::string Bin() const { return (m_dir.Path() / "bin").string(); }

    testsupport::TempDir m_dir;
    std::string m_wave;
};

TEST_F(SoundTest, FirstPlayerOnPathGetsThePathAsOneArgument) {
    struct cCase {
        std::vector<std::string> Installed;
        std::string Used;
        std::string Expected;
    };
    const std::vector<cCase> cases = {
        {{"aplay"}, "aplay", "-q\n"},
        {{"aplay", "paplay"}, "paplay", ""},
        {{"aplay", "paplay", "pw-play"}, "pw-play", ""},
    };
    for (const cCase& c : cases) {
        for (const std::string& name : c.Installed)
            AddFakePlayer(name);
        testsupport::EnvironmentOverride path("PATH", "/nonexistent::relative:" + Bin());
        platform::ResetSoundPlayerLookup();

        platform::PlaySoundFile(m_wave, true);
        EXPECT_EQ(m_dir.ReadFile(c.Used + ".args"), c.Used + "\n" + c.Expected + m_wave + "\n") << c.Used;
        for (const std::string& name : c.Installed)
            fs::remove(Args(name));
        fs::remove_all(Bin());
    }
}

TEST_F(SoundTest, PlaysAsynchronouslyWithoutLeavingAChild) {
    AddFakePlayer("aplay");
    testsupport::EnvironmentOverride path("PATH", Bin());

    platform::PlaySoundFile(m_wave, false);
    // The intermediate child is already reaped and the player is not our child.
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!fs::exists(Args("aplay")) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(m_dir.ReadFile("aplay.args"), "aplay\n-q\n" + m_wave + "\n");
}

TEST_F(SoundTest, NoPlayerOrNoFilePlaysNothing) {
    AddFakePlayer("aplay");
    {
        testsupport::EnvironmentOverride path("PATH", "");
        platform::PlaySoundFile(m_wave, true);
        platform::PlaySoundFile(m_wave, false);
    }
    {
        // The lookup is cached: an empty PATH at the first call finds nothing until the lookup is reset.
        testsupport::EnvironmentOverride path("PATH", Bin());
        platform::PlaySoundFile(m_wave, true);
    }
    EXPECT_FALSE(fs::exists(Args("aplay")));

    platform::ResetSoundPlayerLookup();
    testsupport::EnvironmentOverride path("PATH", Bin());
    platform::PlaySoundFile((m_dir.Path() / "fehlt.wav").string(), true);
    platform::PlaySoundFile(m_dir.Path().string(), true);
    platform::PlaySoundFile("", true);
    EXPECT_FALSE(fs::exists(Args("aplay")));
}

} // namespace
