#include "profile/Description.h"

#include "platform/Clock.h"
#include "platform/FileTime.h"
#include "profile/Parameters.h"
#include "profile/ScheduleEntry.h"
#include "support/DescribeFixtures.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Sets an environment variable for the life of the object, then restores it.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        ::setenv(name, value, 1);
    }
    ~ScopedEnvironment() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

using Tree = std::vector<cDescriptionNode>;

// The node reached by following the texts from the top level; nullptr when a step is missing.
const cDescriptionNode* Find(const Tree& tree, std::initializer_list<std::string_view> path) {
    const Tree* level = &tree;
    const cDescriptionNode* found = nullptr;
    for (std::string_view text : path) {
        found = nullptr;
        for (const cDescriptionNode& node : *level)
            if (node.Text == text) found = &node;
        if (!found) return nullptr;
        level = &found->Children;
    }
    return found;
}

std::vector<std::string> ChildTexts(const cDescriptionNode* node) {
    std::vector<std::string> texts;
    if (node)
        for (const cDescriptionNode& child : node->Children)
            texts.push_back(child.Text);
    return texts;
}

void CollectUnderlined(const Tree& nodes, std::vector<std::string>& out) {
    for (const cDescriptionNode& node : nodes) {
        if (node.Style == DescriptionStyle::Underlined) out.push_back(node.Text);
        CollectUnderlined(node.Children, out);
    }
}

// Bold is for the top level only; no node below it is bold or expanded.
void ExpectPlainBelowTopLevel(const Tree& nodes) {
    for (const cDescriptionNode& node : nodes) {
        EXPECT_NE(node.Style, DescriptionStyle::Bold) << node.Text;
        EXPECT_FALSE(node.Expanded) << node.Text;
        ExpectPlainBelowTopLevel(node.Children);
    }
}

class DescriptionTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetTimeZone("Europe/Berlin");
        // Wednesday 9 December 2026, 02:46:23 in Berlin.
        platform::SetClock(platform::JoinFileTime(2026, 12, 9, 1, 46, 23));
    }
    void TearDown() override { platform::SetClock(std::nullopt); }

    // The roots and default sound files of a new profile come from these.
    ScopedEnvironment m_home{"HOME", "/home/anna"};
    ScopedEnvironment m_data{"XDG_DATA_HOME", "/home/anna/.local/share"};
    cParameters m_params;
};

TEST_F(DescriptionTest, NewProfileMatchesItsFixture) {
    m_params.ResetProfile();
    m_params.AddDefaultMask();
    const Tree tree = DescribeDocument(m_params);
    EXPECT_EQ(DescriptionText(tree), testsupport::ReadDescribeFixture("new-profile.txt"));

    ASSERT_EQ(tree.size(), 6u);
    for (const cDescriptionNode& section : tree) {
        EXPECT_EQ(section.Style, DescriptionStyle::Bold) << section.Text;
        // The view opens the source and destination sections only.
        EXPECT_EQ(section.Expanded, section.Text == "Quelle" || section.Text == "Ziel") << section.Text;
        ExpectPlainBelowTopLevel(section.Children);
    }
    std::vector<std::string> underlined;
    CollectUnderlined(tree, underlined);
    EXPECT_EQ(underlined,
              (std::vector<std::string>{"Bereich", "Verzeichnisse", "Alter: Keine Grenze", "Waisen",
                                        "Sortierung: Nach Pfad", "Kontrollen", "Zip", "FTP", "Warnungen", "Ereignisse",
                                        "Automatik...", "Vorher & nachher", "Verschiedenes"}));
}

TEST_F(DescriptionTest, FullySetProfileMatchesItsFixture) {
    testsupport::FillFullProfile(m_params);
    EXPECT_EQ(DescriptionText(DescribeDocument(m_params)), testsupport::ReadDescribeFixture("full-profile.txt"));
}

TEST_F(DescriptionTest, BatchTreesMatchTheirFixturesAndOpenCompletely) {
    m_params.ResetBatch();
    const Tree empty = DescribeDocument(m_params);
    EXPECT_EQ(DescriptionText(empty), testsupport::ReadDescribeFixture("empty-batch.txt"));

    testsupport::FillBatch(m_params);
    const Tree tree = DescribeDocument(m_params);
    EXPECT_EQ(DescriptionText(tree), testsupport::ReadDescribeFixture("batch.txt"));

    ASSERT_EQ(tree.size(), 3u);
    for (const cDescriptionNode& section : tree) {
        EXPECT_EQ(section.Style, DescriptionStyle::Bold);
        EXPECT_TRUE(section.Expanded) << section.Text;
        ExpectPlainBelowTopLevel(section.Children);
    }
    std::vector<std::string> underlined;
    CollectUnderlined(tree, underlined);
    EXPECT_EQ(underlined, (std::vector<std::string>{"Kontrollen", "Warnungen", "Automatik...", "Verschiedenes..."}));
}

TEST_F(DescriptionTest, BatchChecksOverrideWithoutPreviewShowsOnlyTheOverride) {
    m_params.ResetBatch();
    m_params.Batch.ChecksOverride = true;
    m_params.Batch.ShowPreview = false;
    EXPECT_EQ(ChildTexts(Find(DescribeDocument(m_params), {"Optionen", "Kontrollen"})),
              (std::vector<std::string>{"Über individuelle Einstellungen in den Profilen hinwegsetzen"}));
}

TEST_F(DescriptionTest, UnknownDocumentKindGivesOneNode) {
    for (std::uint8_t kind : {std::uint8_t{kNoDocument}, std::uint8_t{3}, std::uint8_t{255}}) {
        m_params.DocumentKind = kind;
        const Tree tree = DescribeDocument(m_params);
        ASSERT_EQ(tree.size(), 1u) << int{kind};
        EXPECT_EQ(tree[0].Text, "Unbekanntes Dateiformat!");
        EXPECT_EQ(tree[0].Style, DescriptionStyle::Bold);
        EXPECT_TRUE(tree[0].Children.empty());
    }
}

TEST_F(DescriptionTest, AgeLines) {
    using enum eAgeMode;
    const struct {
        std::uint8_t mode;
        int relative;
        const char* expected;
    } cases[] = {
        {AgeModeValue(RelativeAge), 1, "Alter: Nicht mehr als 1 Tag alt (Seit Di 08.12.2026)"},
        {AgeModeValue(RelativeAge), 0, "Alter: Nicht mehr als 0 Tage alt (Seit Mi 09.12.2026)"},
        {AgeModeValue(RelativeAge), 15, "Alter: Nicht mehr als 15 Tage alt (Seit Di 24.11.2026)"},
        {AgeModeValue(RelativeAge, true), 1, "Alter: Mehr als 1 Tag alt (Vor Di 08.12.2026)"},
        {AgeModeValue(RelativeAge, true), 365, "Alter: Mehr als 365 Tage alt (Vor Di 09.12.2025)"},
        {AgeModeValue(AbsoluteAge), 0, "Alter: Seit Fr 20.03.2026"},
        {AgeModeValue(AbsoluteAge, true), 0, "Alter: Vor Fr 20.03.2026"},
        // LastRun is a local time already and is shown as it is.
        {AgeModeValue(LastRun), 0, "Alter: Seit dem letzten Lauf am Di 08.12.2026 23:05:09"},
        {AgeModeValue(LastRun, true), 0, "Alter: Vor dem letzten Lauf am Di 08.12.2026 23:05:09"},
        {AgeModeValue(None), 5, "Alter: Keine Grenze"},
        {AgeModeValue(None, true), 5, "Alter: Keine Grenze"},
    };
    m_params.AbsoluteAge = platform::DayNumberFromFileTime(platform::JoinFileTime(2026, 3, 20));
    m_params.LastRun = platform::JoinFileTime(2026, 12, 8, 23, 5, 9);
    for (const auto& c : cases) {
        m_params.AgeMode = c.mode;
        m_params.RelativeAge = c.relative;
        const Tree tree = DescribeDocument(m_params);
        EXPECT_NE(Find(tree, {"Optionen", c.expected}), nullptr) << int{c.mode} << " " << c.relative;
    }
}

TEST_F(DescriptionTest, RelativeAgeCountsFromTheLocalDay) {
    // 23:30 UTC on 8 December is already 00:30 on 9 December in Berlin.
    platform::SetClock(platform::JoinFileTime(2026, 12, 8, 23, 30));
    m_params.AgeMode = AgeModeValue(eAgeMode::RelativeAge);
    m_params.RelativeAge = 1;
    EXPECT_NE(Find(DescribeDocument(m_params), {"Optionen", "Alter: Nicht mehr als 1 Tag alt (Seit Di 08.12.2026)"}),
              nullptr);
}

TEST_F(DescriptionTest, RelativeAgeFromADamagedFileDoesNotOverflow) {
    m_params.AgeMode = AgeModeValue(eAgeMode::RelativeAge);
    for (int days : {INT_MAX, INT_MIN}) {
        m_params.RelativeAge = days;
        const Tree tree = DescribeDocument(m_params);
        const cDescriptionNode* options = Find(tree, {"Optionen"});
        ASSERT_NE(options, nullptr);
        EXPECT_EQ(
            options->Children[2].Text.rfind("Alter: Nicht mehr als " + std::to_string(days) + " Tage alt (Seit ", 0),
            0u);
    }
}

TEST_F(DescriptionTest, DelaysAreSingularForOneSecondOnly) {
    m_params.BeforeCommands.Add("", 1);
    m_params.BeforeCommands.Add("", 15);
    m_params.BeforeCommands.Add("", 0);
    m_params.BeforeCommands.Add("echo 1", 1);
    m_params.AfterCommands.Add("", 2);
    const Tree tree = DescribeDocument(m_params);
    EXPECT_EQ(ChildTexts(Find(tree, {"Optionen", "Vorher & nachher", "Vorher..."})),
              (std::vector<std::string>{"- 1 Sekunde Verzögerung - ", "- 15 Sekunden Verzögerung - ",
                                        "- 0 Sekunden Verzögerung - ", "echo 1"}));
    EXPECT_EQ(ChildTexts(Find(tree, {"Optionen", "Vorher & nachher", "Nachher..."})),
              (std::vector<std::string>{"- 2 Sekunden Verzögerung - "}));
}

TEST_F(DescriptionTest, SoundLinesNeedTheSoundFlag) {
    m_params.Warning1Sound = false;
    m_params.Warning1Beep = true;
    m_params.Warning2Message = false;
    m_params.Warning2Beep = true;
    m_params.Warning3Message = false;
    m_params.Warning3Sound = false;
    m_params.Event3Sound = false;
    m_params.Event3Beep = true;
    m_params.Event1Sound = false;
    m_params.Event1Message = true;
    m_params.Event1Centered = false;
    m_params.Event1File2 = "/home/anna/Start.rtf";
    const Tree tree = DescribeDocument(m_params);
    EXPECT_EQ(ChildTexts(Find(tree, {"Optionen", "Warnungen", "Keine Dateien gefunden..."})),
              (std::vector<std::string>{"Meldung"}));
    EXPECT_EQ(ChildTexts(Find(tree, {"Optionen", "Warnungen", "Nicht genügend Speicherplatz..."})),
              (std::vector<std::string>{"Klang: Pieps"}));
    EXPECT_TRUE(ChildTexts(Find(tree, {"Optionen", "Warnungen", "Andere..."})).empty());
    EXPECT_TRUE(ChildTexts(Find(tree, {"Optionen", "Ereignisse", "Doppelte Änderungen..."})).empty());
    EXPECT_EQ(ChildTexts(Find(tree, {"Optionen", "Ereignisse", "Lauf gestartet..."})),
              (std::vector<std::string>{"Nachricht: /home/anna/Start.rtf"}));
}

TEST_F(DescriptionTest, DestinationByType) {
    m_params.DestDrive = "/media/usb";
    m_params.DestDirectory = "\\Sicherung\\";
    m_params.DestServer = "ftp.example.org";
    m_params.Variation = 2;

    m_params.DestType = eDestType::Directory;
    m_params.CheckLabel = "BACKUP";
    Tree tree = DescribeDocument(m_params);
    EXPECT_EQ(ChildTexts(Find(tree, {"Ziel"})), (std::vector<std::string>{"Typ: Verzeichnis", "Datenträger..."}));
    EXPECT_EQ(ChildTexts(Find(tree, {"Ziel", "Typ: Verzeichnis"})),
              (std::vector<std::string>{"Laufwerk: /media/usb", "Verzeichnis: \\Sicherung\\"}));
    EXPECT_EQ(ChildTexts(Find(tree, {"Ziel", "Typ: Verzeichnis", "Verzeichnis: \\Sicherung\\"})),
              (std::vector<std::string>{"Variation: Wochentag"}));
    EXPECT_EQ(ChildTexts(Find(tree, {"Ziel", "Datenträger..."})),
              (std::vector<std::string>{"Bezeichnung prüfen: BACKUP"}));

    // An FTP server has no disk.
    m_params.DestType = eDestType::Ftp;
    m_params.EjectDisk = true;
    tree = DescribeDocument(m_params);
    EXPECT_EQ(ChildTexts(Find(tree, {"Ziel"})), (std::vector<std::string>{"Typ: FTP-Server"}));
    EXPECT_EQ(ChildTexts(Find(tree, {"Ziel", "Typ: FTP-Server"})),
              (std::vector<std::string>{"Server: ftp.example.org", "Verzeichnis: \\Sicherung\\"}));
    EXPECT_EQ(ChildTexts(Find(tree, {"Ziel", "Typ: FTP-Server", "Verzeichnis: \\Sicherung\\"})),
              (std::vector<std::string>{"Variation: Wochentag"}));

    // An unknown type keeps only the variation, directly below "Ziel".
    m_params.DestType = static_cast<eDestType>(9);
    m_params.Variation = 5;
    EXPECT_EQ(ChildTexts(Find(DescribeDocument(m_params), {"Ziel"})),
              (std::vector<std::string>{"Variation: Benutzername"}));
}

TEST_F(DescriptionTest, TouchLineForEachState) {
    const struct {
        eTouchMode touch;
        std::vector<std::string> expected;
    } cases[] = {
        {eTouchMode::DestOnly, {"Anrühren: Nur Ziel (vorwärts)", "Attribute..."}},
        {eTouchMode::Both, {"Anrühren: Ziel und Quelle (in beide Richtungen)", "Attribute..."}},
        {eTouchMode::SourceOnly, {"Anrühren: Nur Quelle (rückwärts)", "Attribute..."}},
        {eTouchMode::Neither, {"Attribute..."}},
    };
    for (const auto& c : cases) {
        m_params.SetTouchMode(c.touch);
        EXPECT_EQ(ChildTexts(Find(DescribeDocument(m_params), {"Optionen", "Bereich"})), c.expected)
            << static_cast<int>(c.touch);
    }
}

TEST_F(DescriptionTest, MailAndViewerLines) {
    const struct {
        const char* address1;
        const char* address2;
        const char* address3;
        bool attachment;
        const char* expected;
    } cases[] = {
        {"anna@example.org", "", "", false, "E-Mail: an Anna <anna@example.org>"},
        {"anna@example.org", "bert@example.org", "", false, "E-Mail: an Anna <anna@example.org> und andere"},
        {"anna@example.org", "", "", true, "E-Mail: an Anna <anna@example.org> als Anhang"},
        // Without a first address the others are not looked at.
        {"", "bert@example.org", "carl@example.org", true, "E-Mail: -"},
    };
    for (const auto& c : cases) {
        m_params.Log.Recipient1Name = "Anna";
        m_params.Log.Recipient1Address = c.address1;
        m_params.Log.Recipient2Address = c.address2;
        m_params.Log.Recipient3Address = c.address3;
        m_params.Log.AsAttachment = c.attachment;
        EXPECT_NE(Find(DescribeDocument(m_params), {"Log", "Aktion", c.expected}), nullptr) << c.expected;
    }

    m_params.Log.ViewerKind = eLogViewer::Notepad;
    EXPECT_NE(Find(DescribeDocument(m_params), {"Log", "Aktion", "Betrachter: Notizblock (Editor)"}), nullptr);
    m_params.Log.ViewerKind = eLogViewer::WordPad;
    m_params.Log.ViewerSwitches = "/p";
    EXPECT_NE(Find(DescribeDocument(m_params), {"Log", "Aktion", "Betrachter: WordPad; Schalter: /p"}), nullptr);
}

TEST_F(DescriptionTest, ScheduleLines) {
    m_params.Schedule = {
        MakeScheduleEntry(true, ScheduleWeekdayBit(0), 0),
        MakeScheduleEntry(false, 0, 1439),
        MakeScheduleEntry(true, ScheduleWeekdayBit(2) | ScheduleWeekdayBit(4), 9 * 60 + 5),
    };
    EXPECT_EQ(ChildTexts(Find(DescribeDocument(m_params), {"Zeitplaner..."})),
              (std::vector<std::string>{"Aktiv:   00:00;   Wochentage:  So", "Nicht aktiv:   23:59;   Wochentage:",
                                        "Aktiv:   09:05;   Wochentage:  Di  Do"}));
}

TEST(DescriptionText, IndentsTwoBlanksPerLevel) {
    cDescriptionNode top;
    top.Text = "A";
    top.Add("B").Add("C");
    top.Add("");
    cDescriptionNode second;
    second.Text = "D";
    EXPECT_EQ(DescriptionText({top, second}), "A\n  B\n    C\n  \nD\n");
    EXPECT_EQ(DescriptionText({}), "");
}

} // namespace
