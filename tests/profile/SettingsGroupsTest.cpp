// The settings file's groups, the run counter and the last runs of the profiles.
#include "profile/SettingsGroups.h"

#include "platform/Clock.h"
#include "platform/FileTime.h"
#include "platform/ProgramFolders.h"
#include "profile/IniFile.h"
#include "profile/OptionFields.h"
#include "profile/Parameters.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>

namespace {

namespace fs = std::filesystem;

struct WindowSection {
    const char* name;
    bool hasSize;
    cWindowPos defaultPos; // on a screen of 1024 x 768
};

// Groups 6 to 17 in order.
const std::array<WindowSection, 12> kWindowSections = {{
    {"Main Window", false, {100, 10, 0, 0, false}},
    {"NetBrowser Dialog", true, {160, 60, 480, 420, false}},
    {"View Log Dialog", true, {0, 0, 800, 600, false}},
    {"Express Setup Dialog", true, {0, 0, 800, 600, false}},
    {"View Window", true, {160, 60, 480, 420, false}},
    {"Info Window", false, {308, 323, 0, 0, false}},
    {"List Dialog", true, {0, 0, 480, 640, false}},
    {"Hardcopy Dialog", true, {0, 0, 480, 640, false}},
    {"Copy Window", false, {192, 255, 0, 0, false}},
    {"FTP Communications Window", true, {0, 0, 480, 640, false}},
    {"Run Started Window", true, {0, 0, 300, 300, false}},
    {"Run Finished Window", true, {0, 0, 300, 100, false}},
}};

class SettingsGroupsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetTimeZone("Europe/Berlin");
        platform::SetClock(platform::JoinFileTime(2026, 12, 9, 1, 46, 23));
    }
    void TearDown() override { platform::SetClock(std::nullopt); }

    std::string FilePath() const { return (m_dir.Path() / "Tolvan6.ini").string(); }
    std::string FileText() const { return m_dir.ReadFile("Tolvan6.ini"); }
    void WriteFileText(std::string_view text) const { m_dir.WriteFile("Tolvan6.ini", text); }
    bool HasLine(std::string_view line) const {
        return FileText().find(std::string(line) + "\r\n") != std::string::npos;
    }

    static void ReadAll(cParameters& params) {
        for (int group = 0; group < kSettingsGroupCount; ++group)
            params.ReadSettings(group);
    }
    static void WriteAll(cParameters& params) {
        for (int group = 0; group < kSettingsGroupCount; ++group)
            params.WriteSettings(group);
    }

    testsupport::TempDir m_dir;
};

// Every option of the two objects has the same value.
void ExpectSameOptions(const cParameters& a, const cParameters& b) {
    for (const cOptionField& field : OptionFields())
        std::visit([&](auto member) { EXPECT_EQ(a.*member, b.*member) << field.Key; }, field.Member);
}

TEST_F(SettingsGroupsTest, EmptyFileGivesTheBuiltInDefaults) {
    cIniFile file(FilePath());
    cParameters params(&file);
    ReadAll(params);
    params.ReadRunCount();

    ExpectSameOptions(params, cParameters());
    EXPECT_EQ(params.AbsoluteAge, platform::DayNumberFromFileTime(platform::JoinFileTime(2026, 12, 9)));
    cProgrammParameters program;
    program.MessagePath = platform::DataFolder() + "Beispiel.rtf";
    program.PicturePath = platform::DataFolder() + "Beispiel.jpg";
    program.FrameColor = 0; // the preset grey is only what the program holds before it reads the file
    EXPECT_EQ(params.Programm, program);
    EXPECT_TRUE(params.LastUsedServers.Empty());
    EXPECT_EQ(params.TopTwelve, cTopTwelve());
    EXPECT_EQ(params.OldFiles, (std::array<std::string, 9>{}));
    EXPECT_EQ(params.ViewLogFontName, "Courier New");
    EXPECT_EQ(params.ViewLogFontSize, 9);
    EXPECT_EQ(params.ViewLogFontStyle, 0);
    EXPECT_EQ(params.RunCount, 0);
    EXPECT_EQ(params.WindowPositions[0], (cWindowPos{100, 10, 0, 0, false})) << "main window";
    for (std::size_t i = 0; i < kWindowSections.size(); ++i)
        EXPECT_EQ(params.WindowPositions[i], kWindowSections[i].defaultPos) << kWindowSections[i].name;
    EXPECT_FALSE(fs::exists(FilePath())) << "reading never creates the file";

    // The GUI sets the primary screen's size; the info and copy windows are centred on it.
    params.ScreenWidth = 1920;
    params.ScreenHeight = 1080;
    ReadAll(params);
    EXPECT_EQ(params.WindowPositions[5], (cWindowPos{756, 479, 0, 0, false}));
    EXPECT_EQ(params.WindowPositions[8], (cWindowPos{640, 411, 0, 0, false}));
}

TEST_F(SettingsGroupsTest, ReadsEveryKeyOfAHandWrittenFile) {
    std::string text = "[Program Options]\r\nSplash=0\r\nReopen=1\r\nLastFile=/home/anna/Brief.tvp\r\nTooltips=0\r\n"
                       "CompareA=meld\r\nCompareB=--diff %1 %2\r\nMainDisplay=3\r\nMessagePath=/m.rtf\r\n"
                       "PicturePath=/p.jpg\r\nFitSize=0\r\nFrameColor=16711680\r\nBirthDate=25000\r\n"
                       "[Last Used Servers]\r\nCount=2\r\n1=ftp.b.de\r\n2=ftp.a.de\r\n"
                       "[Options]\r\nOrphanModeB=5\r\nZipPassword=geheim\r\n"
                       "[Old Files]\r\nFile1=/a.tvp\r\nFile9=/i.tvp\r\n"
                       "[Top Twelve]\r\nDescription1=Briefe\r\nProfile1=/b.tvp\r\nDescription12=Bilder\r\n"
                       "Profile12=/z.tvp\r\n";
    for (std::size_t i = 0; i < kWindowSections.size(); ++i) {
        const int n = static_cast<int>(i);
        text += "[" + std::string(kWindowSections[i].name) + "]\r\nLeft=" + std::to_string(100 + n) +
                "\r\nTop=" + std::to_string(-200 - n) + "\r\nRight=" + std::to_string(300 + n) +
                "\r\nBottom=" + std::to_string(400 + n) + "\r\nMaximized=1\r\n";
    }
    text += "[View Log Dialog]\r\nFontName=DejaVu Sans Mono\r\nFontSize=11\r\nFontStyle=6\r\n";
    WriteFileText(text);
    cIniFile file(FilePath());
    cParameters params(&file);
    ReadAll(params);

    const cProgrammParameters& program = params.Programm;
    EXPECT_FALSE(program.Splash);
    EXPECT_TRUE(program.Reopen);
    EXPECT_EQ(program.LastFile, "/home/anna/Brief.tvp");
    EXPECT_FALSE(program.Tooltips);
    EXPECT_EQ(program.CompareA, "meld");
    EXPECT_EQ(program.CompareB, "--diff %1 %2");
    EXPECT_EQ(program.MainDisplay, 3);
    EXPECT_EQ(program.MessagePath, "/m.rtf");
    EXPECT_EQ(program.PicturePath, "/p.jpg");
    EXPECT_FALSE(program.FitSize);
    EXPECT_EQ(program.FrameColor, 0xFF0000u);
    EXPECT_EQ(program.BirthDate, 25000.0);
    ASSERT_EQ(params.LastUsedServers.Size(), 2u);
    EXPECT_EQ(params.LastUsedServers.Text(0), "ftp.a.de") << "the list is sorted";
    EXPECT_EQ(params.OrphanModeB, eOrphanMode::LookInSnapshot);
    EXPECT_EQ(params.ZipPassword, "geheim") << "plain text in the settings file";
    EXPECT_EQ(params.OldFiles[0], "/a.tvp");
    EXPECT_EQ(params.OldFiles[8], "/i.tvp");
    EXPECT_EQ(params.TopTwelve.Descriptions[0], "Briefe");
    EXPECT_EQ(params.TopTwelve.Profiles[0], "/b.tvp");
    EXPECT_EQ(params.TopTwelve.Descriptions[11], "Bilder");
    EXPECT_EQ(params.TopTwelve.Profiles[11], "/z.tvp");
    for (std::size_t i = 0; i < kWindowSections.size(); ++i) {
        const auto n = static_cast<std::int16_t>(i);
        // Sections without a size keep Right, Bottom and Maximized as they were.
        cWindowPos expected =
            kWindowSections[i].hasSize
                ? cWindowPos{static_cast<std::int16_t>(100 + n), static_cast<std::int16_t>(-200 - n),
                             static_cast<std::int16_t>(300 + n), static_cast<std::int16_t>(400 + n), true}
                : cWindowPos{static_cast<std::int16_t>(100 + n), static_cast<std::int16_t>(-200 - n), 0, 0, false};
        EXPECT_EQ(params.WindowPositions[i], expected) << kWindowSections[i].name;
    }
    EXPECT_EQ(params.ViewLogFontName, "DejaVu Sans Mono");
    EXPECT_EQ(params.ViewLogFontSize, 11);
    EXPECT_EQ(params.ViewLogFontStyle, 6);
}

TEST_F(SettingsGroupsTest, EveryGroupRoundTrips) {
    cIniFile file(FilePath());
    cParameters written(&file);
    // Every option away from its default.
    for (const cOptionField& field : OptionFields()) {
        std::visit(
            [&](auto member) {
                auto& value = written.*member;
                using T = std::remove_reference_t<decltype(value)>;
                if constexpr (std::is_same_v<T, std::string>)
                    value = "Wert " + std::string(field.Key);
                else if constexpr (std::is_same_v<T, bool>)
                    value = !value;
                else if constexpr (std::is_enum_v<T>)
                    value = static_cast<T>(static_cast<std::underlying_type_t<T>>(value) + 7);
                else
                    value = static_cast<T>(value + 7);
            },
            field.Member);
    }
    written.Programm = {false, true,     "/home/anna/x.tvp", false, "meld",     "-a %1 -b %2",
                        2,     "/m.rtf", "/p.jpg",           false, 0x00C0FFEE, 20000.75};
    for (const char* server : {"ftp.example.org", "backup.local", " spaced "})
        written.LastUsedServers.Add(server);
    written.ViewLogFontName = "Noto Mono";
    written.ViewLogFontSize = 12;
    written.ViewLogFontStyle = 0x0B;
    for (std::size_t i = 0; i < written.OldFiles.size(); ++i)
        written.OldFiles[i] = "/home/anna/alt " + std::to_string(i) + ".tvp";
    for (std::size_t i = 0; i < 12; ++i) {
        written.TopTwelve.Profiles[i] = "/p/" + std::to_string(i) + ".tvp";
        written.TopTwelve.Descriptions[i] = "Beschreibung " + std::to_string(i);
    }
    for (std::size_t i = 0; i < written.WindowPositions.size(); ++i) {
        const auto n = static_cast<std::int16_t>(i);
        written.WindowPositions[i] = {
            static_cast<std::int16_t>(-5 - n), static_cast<std::int16_t>(7 + n),
            kWindowSections[i].hasSize ? static_cast<std::int16_t>(32000 + n) : std::int16_t{0},
            kWindowSections[i].hasSize ? std::int16_t{-32768} : std::int16_t{0}, kWindowSections[i].hasSize};
    }
    WriteAll(written);

    cParameters read(&file);
    ReadAll(read);
    ExpectSameOptions(read, written);
    cProgrammParameters program = written.Programm;
    program.BirthDate = 20000; // kept as whole days
    EXPECT_EQ(read.Programm, program);
    EXPECT_EQ(read.LastUsedServers, written.LastUsedServers);
    EXPECT_EQ(read.ViewLogFontName, "Noto Mono");
    EXPECT_EQ(read.ViewLogFontSize, 12);
    EXPECT_EQ(read.ViewLogFontStyle, 0x0B);
    EXPECT_EQ(read.OldFiles, written.OldFiles);
    EXPECT_EQ(read.TopTwelve, written.TopTwelve);
    EXPECT_EQ(read.WindowPositions, written.WindowPositions);

    // The encodings as they are in the file.
    for (const char* line : {"[Program Options]", "Splash=0", "Reopen=1", "FrameColor=12648430", "BirthDate=20000",
                             "[Options]", "ZipPassword=Wert ZipPassword", "Count=3", "1=\" spaced \"", "2=backup.local",
                             "[Main Window]", "Left=-5", "[Run Finished Window]", "Bottom=-32768", "Maximized=1",
                             "FontStyle=11", "Description1=Beschreibung 0", "File9=/home/anna/alt 8.tvp"})
        EXPECT_TRUE(HasLine(line)) << line;
    EXPECT_NE(FileText().find("[Main Window]\r\nLeft=-5\r\nTop=7\r\n\r\n[NetBrowser Dialog]"), std::string::npos)
        << "the main window's section has only Left and Top";
}

TEST_F(SettingsGroupsTest, DamagedValuesGiveTheDefaults) {
    WriteFileText("[Program Options]\r\nMainDisplay=256\r\nSplash=ja\r\n"
                  "[Main Window]\r\nLeft=40000\r\nTop=\r\n"
                  "[NetBrowser Dialog]\r\nRight=-32769\r\nBottom=12x\r\n");
    cIniFile file(FilePath());
    cParameters params(&file);
    ReadAll(params);
    EXPECT_EQ(params.Programm.MainDisplay, 0);
    EXPECT_TRUE(params.Programm.Splash);
    EXPECT_EQ(params.WindowPositions[0], (cWindowPos{100, 10, 0, 0, false}));
    EXPECT_EQ(params.WindowPositions[1], (cWindowPos{160, 60, 480, 420, false}));
}

TEST_F(SettingsGroupsTest, FontStyleKeepsTheLowFourBits) {
    const struct {
        const char* stored;
        int read;
    } cases[] = {{"17", 1}, {"15", 15}, {"240", 0}, {"-1", 15}};
    cIniFile file(FilePath());
    for (const auto& c : cases) {
        WriteFileText("[View Log Dialog]\r\nFontStyle=" + std::string(c.stored) + "\r\n");
        cParameters params(&file);
        params.ReadSettings(8);
        EXPECT_EQ(params.ViewLogFontStyle, c.read) << c.stored;
    }
    cParameters params(&file);
    params.ViewLogFontStyle = 0xF3;
    params.WriteSettings(8);
    EXPECT_TRUE(HasLine("FontStyle=3"));
}

TEST_F(SettingsGroupsTest, LastUsedServersSectionIsErasedBeforeWriting) {
    cIniFile file(FilePath());
    cParameters params(&file);
    for (const char* server : {"a.example", "b.example", "c.example"})
        params.LastUsedServers.Add(server);
    params.WriteSettings(1);
    params.LastUsedServers.Remove(2);
    params.LastUsedServers.Remove(0);
    params.WriteSettings(1);
    EXPECT_NE(FileText().find("[Last Used Servers]\r\nCount=1\r\n1=b.example\r\n"), std::string::npos) << FileText();
    EXPECT_FALSE(HasLine("2=c.example"));
    EXPECT_FALSE(HasLine("3=c.example"));

    params.LastUsedServers.Clear();
    params.WriteSettings(1);
    EXPECT_NE(FileText().find("[Last Used Servers]\r\nCount=0\r\n"), std::string::npos);
    EXPECT_FALSE(HasLine("1=b.example"));
}

TEST_F(SettingsGroupsTest, LastUsedServersReadsOnlyNonEmptyNumberedValues) {
    const struct {
        const char* name;
        const char* section;
        std::vector<std::string> servers;
    } cases[] = {
        {"gap in the numbers", "Count=3\r\n1=ftp.a.de\r\n3=ftp.c.de\r\n", {"ftp.a.de", "ftp.c.de"}},
        {"empty value", "Count=2\r\n1=\r\n2=ftp.b.de\r\n", {"ftp.b.de"}},
        {"beyond the count", "Count=1\r\n1=ftp.a.de\r\n2=ftp.b.de\r\n", {"ftp.a.de"}},
        {"duplicates", "Count=2\r\n1=FTP.A.DE\r\n2=ftp.a.de\r\n", {"FTP.A.DE"}},
        {"no count", "1=ftp.a.de\r\n", {}},
        {"negative count", "Count=-4\r\n1=ftp.a.de\r\n", {}},
        {"huge count", "Count=2147483647\r\n1=ftp.a.de\r\n", {"ftp.a.de"}},
    };
    cIniFile file(FilePath());
    cParameters params(&file);
    for (const auto& c : cases) {
        params.LastUsedServers.Add("stale.example");
        WriteFileText("[Last Used Servers]\r\n" + std::string(c.section));
        params.ReadSettings(1);
        std::vector<std::string> servers;
        for (const cTextItem& item : params.LastUsedServers)
            servers.push_back(item.Text);
        EXPECT_EQ(servers, c.servers) << c.name;
    }
}

TEST_F(SettingsGroupsTest, LastRunIsSharedByFileNameAndKeptAsSignedHalves) {
    cIniFile file(FilePath());
    cParameters params(&file);
    const struct {
        platform::FileTime lastRun;
        const char* low;
        const char* high;
    } cases[] = {
        {0x01DD'8780'9A00'0000, "-1711276032", "31295360"},
        {0x0000'0000'FFFF'FFFF, "-1", "0"},
        {-1, "-1", "-1"},
    };
    for (const auto& c : cases) {
        params.LastRun = c.lastRun;
        params.WriteLastRun("/home/anna/Profile/Brief.tvp");
        EXPECT_TRUE(HasLine("Brief.tvp Lo=" + std::string(c.low))) << FileText();
        EXPECT_TRUE(HasLine("Brief.tvp Hi=" + std::string(c.high))) << FileText();
        params.LastRun = 0;
        params.ReadLastRun("/media/usb/Brief.tvp");
        EXPECT_EQ(params.LastRun, c.lastRun) << "same file name, other folder";
    }
    EXPECT_EQ(FileText().find("Lo="), FileText().rfind("Lo=")) << "one entry for both folders";

    params.ReadLastRun("/home/anna/Profile/Neu.tvp");
    EXPECT_EQ(params.LastRun, 0) << "a profile without an entry";

    cParameters withoutSettings;
    const platform::FileTime created = withoutSettings.LastRun;
    withoutSettings.ReadLastRun("/home/anna/Profile/Brief.tvp");
    withoutSettings.WriteLastRun("/home/anna/Profile/Brief.tvp");
    EXPECT_EQ(withoutSettings.LastRun, created);
    EXPECT_EQ(created, platform::JoinFileTime(1990, 1, 1));
}

TEST_F(SettingsGroupsTest, RunCountAndLastFileAloneAsAtExit) {
    WriteFileText("[Use]\r\nRuns=7\r\n[Program Options]\r\nSplash=0\r\nLastFile=/alt.tvp\r\n");
    cIniFile file(FilePath());
    cParameters params(&file);
    params.ReadRunCount();
    EXPECT_EQ(params.RunCount, 7);
    params.RunCount = 10;
    params.WriteRunCount();
    params.Programm.LastFile = "/home/anna/neu.tvp";
    params.WriteLastFile();
    EXPECT_EQ(FileText(), "[Use]\r\nRuns=10\r\n[Program Options]\r\nSplash=0\r\nLastFile=/home/anna/neu.tvp\r\n");
}

} // namespace
