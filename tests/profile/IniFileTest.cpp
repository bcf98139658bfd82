// The settings file: private-profile lookup and change rules, the file on disk, hostile content.
#include "profile/IniFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
protected:
    std::string PathOf(std::string_view name) const { return (m_dir.Path() / name).string(); }
    std::string Write(std::string_view name, std::string_view bytes) const { return m_dir.WriteFile(name, bytes); }
    std::string Content(std::string_view name) const { return m_dir.ReadFile(name); }

    testsupport::TempDir m_dir;
};

struct ReadCase {
    const char* name;
    const char* file;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

TEST_F(IniFileTest, ReadsValuesByPrivateProfileRules) {
    const ReadCase cases[] = {
        {"section and key ignore case", "[Program Options]\r\nSplash=0\r\n", "PROGRAM options", "sPLASH", "0"},
        {"umlauts fold", "[Grüße]\r\nÄnderung=1\r\n", "GRÜßE", "änderung", "1"},
        {"missing key", "[A]\r\nx=1\r\n", "A", "y", std::nullopt},
        {"missing section", "[A]\r\nx=1\r\n", "B", "x", std::nullopt},
        {"key of another section", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n", "A", "y", std::nullopt},
        {"value after the first =", "[A]\r\nCompareB=%1=%2\r\n", "A", "CompareB", "%1=%2"},
        {"blanks trimmed", "[A]\r\n  Key \t=  some value \t\r\n", "A", "key", "some value"},
        {"blanks in the names", "  [ A ]  \r\nKey=1\r\n", " a ", " key ", "1"},
        {"empty value", "[A]\r\nKey=\r\n", "A", "Key", ""},
        {"one pair of quotes removed", "[A]\r\nKey=\"x y\"\r\n", "A", "Key", "x y"},
        {"inner quotes kept", "[A]\r\nKey=\"%1\" \"%2\"x\r\n", "A", "Key", "\"%1\" \"%2\"x"},
        {"LF only", "[A]\nx=1\n[B]\ny=2", "B", "y", "2"},
        {"first key wins", "[A]\r\nx=1\r\nX=2\r\n", "A", "x", "1"},
        {"repeated section joins", "[A]\r\nx=1\r\n[B]\r\n[a]\r\ny=3\r\n", "A", "y", "3"},
        {"comment is no key", "[A]\r\n;x=1\r\n", "A", ";x", std::nullopt},
        {"line without =", "[A]\r\nx\r\n", "A", "x", std::nullopt},
        {"key before any section", "x=1\r\n[A]\r\n", "A", "x", std::nullopt},
        {"section line without ]", "[A]\r\n[B\r\nx=1\r\n", "A", "x", "1"},
        {"Windows-1252 umlaut", "[A]\r\nName=M\xFCller\r\n", "A", "Name", "Müller"},
        {"UTF-8 file", "[A]\r\nName=Müller €\r\n", "A", "Name", "Müller €"},
        {"byte-order mark", "\xEF\xBB\xBF[A]\r\nx=ü\r\n", "A", "x", "ü"},
        {"two byte-order marks", "\xEF\xBB\xBF\xEF\xBB\xBF[A]\r\nx=1\r\n", "A", "x", "1"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        cIniFile ini(Write("Tolvan6.ini", c.file));
        EXPECT_EQ(ini.Read(c.section, c.key), c.expected);
    }
}

TEST_F(IniFileTest, MissingFileReadsDefaultsAndIsNotCreatedByReading) {
    cIniFile ini(PathOf("Tolvan6.ini"));
    EXPECT_EQ(ini.Read("A", "x"), std::nullopt);
    EXPECT_EQ(ini.ReadInteger("Main Window", "Left", 100), 100);
    ini.EraseSection("A");
    EXPECT_FALSE(fs::exists(PathOf("Tolvan6.ini")));
}

struct WriteCase {
    const char* name;
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
    const char* readBack = nullptr; // when it differs from value
};

TEST_F(IniFileTest, WritesChangeOnlyTheirKey) {
    const WriteCase cases[] = {
        {"overwrite in place, spelling kept", "; Tolvan\r\n[Main Window]\r\nLEFT = 5\r\nTop=10\r\n\r\n[B]\r\nx=1\r\n",
         "main window", "left", "200", "; Tolvan\r\n[Main Window]\r\nLEFT = 200\r\nTop=10\r\n\r\n[B]\r\nx=1\r\n"},
        {"new key after the section's last key", "[A]\r\nx=1\r\n\r\n; about B\r\n[B]\r\ny=2\r\n", "A", "z", "3",
         "[A]\r\nx=1\r\nz=3\r\n\r\n; about B\r\n[B]\r\ny=2\r\n"},
        {"new key in an empty section", "[A]\r\n[B]\r\n", "a", "x", "1", "[A]\r\nx=1\r\n[B]\r\n"},
        {"new section appended", "[A]\r\nx=1\r\n", "Use", "Runs", "4", "[A]\r\nx=1\r\n\r\n[Use]\r\nRuns=4\r\n"},
        {"unknown lines and LF kept, lines end in CR LF", "junk\n[A]\nx=1\n[broken\n", "A", "x", "2",
         "junk\r\n[A]\r\nx=2\r\n[broken\r\n"},
        {"value with = and blanks inside", "", "A", "k", "a = b", "[A]\r\nk=a = b\r\n"},
        {"outer blanks quoted", "", "A", "k", " x ", "[A]\r\nk=\" x \"\r\n"},
        {"enclosing quotes quoted", "", "A", "CompareB", "\"%1\" \"%2\"", "[A]\r\nCompareB=\"\"%1\" \"%2\"\"\r\n"},
        {"line break in a value", "", "A", "k", "a\r\nb", "[A]\r\nk=a  b\r\n", "a  b"},
        {"line break at an end, quoted as the blank it becomes", "", "A", "k", "x\r", "[A]\r\nk=\"x \"\r\n", "x "},
        {"line break at the start", "", "A", "k", "\nx", "[A]\r\nk=\" x\"\r\n", " x"},
        {"Windows-1252 umlaut", "", "A", "Name", "Müller", "[A]\r\nName=M\xFCller\r\n"},
        {"UTF-8 when the text does not fit", "[A]\r\nx=\xE4\r\n", "A", "Name", "Œ→", "[A]\r\nx=ä\r\nName=Œ→\r\n"},
        // The marks are dropped when the file is read, so they cannot turn the first line into a section later.
        {"byte-order marks before the first section", "\xEF\xBB\xBF\xEF\xBB\xBF[A]\r\nx=1\r\n", "A", "x", "2",
         "[A]\r\nx=2\r\n"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = Write("Tolvan6.ini", c.before);
        cIniFile ini(path);
        ini.Write(c.section, c.key, c.value);
        EXPECT_EQ(Content("Tolvan6.ini"), c.after);
        EXPECT_EQ(cIniFile(path).Read(c.section, c.key), c.readBack ? c.readBack : c.value);
    }
}

TEST_F(IniFileTest, ValuesReadBackExactly) {
    cIniFile ini(PathOf("Tolvan6.ini"));
    const char* values[] = {"", " ", "\"", "\"\"", "\"x\"", " \"x\" ", "'x'", "a;b", "[x]", "=", "€ Ÿ ä", "x\t"};
    int n = 0;
    for (const char* value : values)
        ini.Write("Values", "k" + std::to_string(++n), value);
    n = 0;
    cIniFile other(PathOf("Tolvan6.ini"));
    for (const char* value : values)
        EXPECT_EQ(other.Read("VALUES", "K" + std::to_string(++n)), value) << value;
}

TEST_F(IniFileTest, NamesThatCannotReadBackAreNeverWritten) {
    std::string path = Write("Tolvan6.ini", "[A]\r\nx=1\r\n");
    cIniFile ini(path);
    // A profile file name becomes a key in "Last Update": "=" in it would split the key.
    ini.Write("Last Update", "a=b.tvp Lo", "5");
    ini.Write("A", ";x", "1");
    ini.Write("A", "[x", "1");
    ini.Write("A", "", "1");
    ini.Write("A]", "x", "1");
    ini.Write("A", "x\ny", "1");
    EXPECT_EQ(Content("Tolvan6.ini"), "[A]\r\nx=1\r\n");
    EXPECT_EQ(ini.Read("Last Update", "a=b.tvp Lo"), std::nullopt);
}

TEST_F(IniFileTest, EraseSectionRemovesEverySectionOfThatName) {
    std::string path = Write("Tolvan6.ini", "[Last Used Servers]\r\nCount=2\r\n1=a\r\n2=b\r\n\r\n"
                                            "[Use]\r\nRuns=3\r\n[last used servers]\r\n3=c\r\n");
    cIniFile ini(path);
    ini.EraseSection("LAST USED SERVERS");
    EXPECT_EQ(Content("Tolvan6.ini"), "[Use]\r\nRuns=3\r\n");
    ini.Write("Last Used Servers", "Count", "1");
    EXPECT_EQ(ini.Read("Last Used Servers", "2"), std::nullopt);
    EXPECT_EQ(Content("Tolvan6.ini"), "[Use]\r\nRuns=3\r\n\r\n[Last Used Servers]\r\nCount=1\r\n");
}

TEST_F(IniFileTest, InstancesAndHandEditsSeeEachOther) {
    std::string path = PathOf("Tolvan6.ini");
    cIniFile first(path);
    cIniFile second(path);
    EXPECT_EQ(second.Read("A", "x"), std::nullopt);
    first.Write("A", "x", "1");
    EXPECT_EQ(second.Read("A", "x"), "1");
    second.Write("A", "y", "2");
    first.Write("A", "x", "3");
    EXPECT_EQ(Content("Tolvan6.ini"), "[A]\r\nx=3\r\ny=2\r\n");
    // An edit by hand in place that keeps the size and the inode.
    {
        std::fstream edit(path, std::ios::in | std::ios::out | std::ios::binary);
        edit.seekp(7);
        edit.put('7');
    }
    EXPECT_EQ(first.Read("A", "x"), "7");
    fs::remove(path);
    EXPECT_EQ(first.Read("A", "x"), std::nullopt);
}

TEST_F(IniFileTest, WriteIsAtomicOwnerOnlyAndCreatesTheFolder) {
    std::string path = PathOf("config/tolvan/Tolvan6.ini");
    cIniFile ini(path);
    ini.Write("Options", "FtpPassword", "geheim");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    ASSERT_EQ(::stat(PathOf("config/tolvan").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0700u);

    // A file made readable by others is closed again by the next write.
    fs::permissions(path, fs::perms(0644));
    for (int i = 0; i < 20; ++i)
        ini.Write("Options", "Key" + std::to_string(i), std::to_string(i));
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(PathOf("config/tolvan")))
        names.push_back(entry.path().filename());
    EXPECT_EQ(names, std::vector<std::string>{"Tolvan6.ini"});
}

TEST_F(IniFileTest, SymlinkedFileKeepsItsLink) {
    std::string target = Write("dotfiles/Tolvan6.ini", "[A]\r\nx=1\r\n");
    std::string link = PathOf("Tolvan6.ini");
    fs::create_symlink(target, link);
    cIniFile ini(link);
    ini.Write("A", "x", "2");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Content("dotfiles/Tolvan6.ini"), "[A]\r\nx=2\r\n");
}

TEST_F(IniFileTest, FileThatCannotBeReadIsNeverReplaced) {
    // A FIFO in place of the file: it cannot be read as a file, root included, and a rename would replace it.
    std::string path = PathOf("Tolvan6.ini");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    cIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("Use", "Runs", 7), 7);
    ini.Write("Use", "Runs", "1");
    EXPECT_TRUE(fs::is_fifo(path));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.Path()), fs::directory_iterator()), 1);
}

TEST_F(IniFileTest, UpdateGroupWritesOnceAtItsEnd) {
    std::string path = PathOf("Tolvan6.ini");
    cIniFile ini(path);
    {
        cSettingsUpdate update(ini);
        ini.Write("Main Window", "Left", "1");
        {
            cSettingsUpdate inner(ini);
            ini.Write("Main Window", "Top", "2");
        }
        EXPECT_FALSE(fs::exists(path));
        EXPECT_EQ(ini.Read("main window", "top"), "2");
        ini.EraseSection("Main Window");
        ini.Write("Use", "Runs", "3");
    }
    EXPECT_EQ(Content("Tolvan6.ini"), "[Use]\r\nRuns=3\r\n");
}

TEST_F(IniFileTest, HostileContentReadsWithoutHarm) {
    std::string garbage;
    for (int i = 0; i < 100000; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    constexpr char kNul[] = "[A]\r\nx=1\0\0z\r\n\0\r\n[B]\r\ny=2\r\n";
    const std::pair<const char*, std::string> cases[] = {
        {"NUL bytes", std::string(kNul, sizeof kNul - 1)},
        {"no ] and no newline", "[A\r\nx=1\r\n[A"},
        {"binary garbage", garbage + "\n[B]\ny=2\n"},
        {"CR only", "[A]\rx=1\r[B]\ry=2\r"},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        cIniFile ini(Write("Tolvan6.ini", bytes));
        (void)ini.Read("A", "x");
        (void)ini.Read("B", "y");
        ini.Write("C", "z", "3");
        EXPECT_EQ(cIniFile(ini.Path()).Read("C", "z"), "3");
    }
    EXPECT_EQ(cIniFile(Write("Tolvan6.ini", cases[0].second)).Read("B", "y"), "2");
    EXPECT_EQ(cIniFile(Write("Tolvan6.ini", cases[2].second)).Read("B", "y"), "2");
}

TEST_F(IniFileTest, HundredMegabyteLineIsReadAndKept) {
    std::string path = PathOf("Tolvan6.ini");
    {
        std::ofstream out(path, std::ios::binary);
        out << "[A]\r\nlong=";
        std::string block(1 << 20, 'v');
        for (int i = 0; i < 100; ++i)
            out << block;
        out << "\r\n[" << std::string(1 << 20, 'S') << "\r\n[B]\r\ny=2\r\n";
    }
    cIniFile ini(path);
    EXPECT_EQ(ini.Read("B", "y"), "2");
    EXPECT_EQ(ini.Read("A", "long")->size(), 100u << 20);
    ini.Write("B", "y", "3");
    EXPECT_EQ(cIniFile(path).Read("B", "y"), "3");
}

} // namespace
