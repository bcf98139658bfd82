// Dropping files and folders onto the main window: what a profile and a batch file gain from them.
#include "shell/DroppedFiles.h"

#include "platform/Roots.h"
#include "profile/Parameters.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Texts(const cTextList& list) {
    std::vector<std::string> texts;
    for (const cTextItem& item : list)
        texts.push_back(item.Text);
    return texts;
}

// A source root "Quelle" with two folders, and a folder beside it.
class DroppedFilesTest : public testing::Test {
protected:
    DroppedFilesTest() {
        dir.WriteFile("Quelle/Briefe/Brief.doc", "");
        dir.WriteFile("Quelle/Bilder/2026/Bild.jpg", "");
        fs::create_directory(dir.Path() / "Quelle/briefe"); // another directory than "Briefe" on Linux
        dir.WriteFile("Daneben/x.txt", "");
        params.SourceDrive = Native("Quelle");
        params.DocumentKind = kProfileDocument;
        params.Modified = false;
    }
    std::string Native(const std::string& relative) const { return (dir.Path() / relative).string(); }
    cDroppedItem Folder(const std::string& relative) const { return {Native(relative), true}; }
    cDroppedItem File(const std::string& relative) const { return {Native(relative), false}; }

    testsupport::TempDir dir;
    cParameters params;
};

TEST_F(DroppedFilesTest, FoldersBecomeDirectoryEntriesOnce) {
    const struct {
        const char* name;
        std::vector<std::string> present; // SearchDirectories before the drop
        std::vector<std::string> dropped; // folders below the temporary directory
        cDropKeys keys;
        std::vector<std::string> search, exclude;
        int added;
    } cases[] = {
        {"with subdirectories", {}, {"Quelle/Briefe"}, {}, {"\\Briefe\\*"}, {}, 1},
        {"twice in one drop", {}, {"Quelle/Briefe", "Quelle/Briefe/"}, {}, {"\\Briefe\\*"}, {}, 1},
        {"Shift: that directory only", {}, {"Quelle/Bilder/2026"}, {false, true}, {"\\Bilder\\2026\\"}, {}, 1},
        {"present without *", {"\\Briefe\\"}, {"Quelle/Briefe"}, {}, {"\\Briefe\\"}, {}, 0},
        {"present with *, Shift", {"\\Briefe\\*"}, {"Quelle/Briefe"}, {false, true}, {"\\Briefe\\*"}, {}, 0},
        {"Ctrl: excluded", {}, {"Quelle/Bilder"}, {true, false}, {}, {"\\Bilder\\*"}, 1},
        {"Ctrl and Shift", {}, {"Quelle/Bilder"}, {true, true}, {}, {"\\Bilder\\"}, 1},
        {"the root itself", {}, {"Quelle"}, {}, {"\\*"}, {}, 1},
        {"case is kept and counts", {"\\briefe\\*"}, {"Quelle/Briefe"}, {}, {"\\Briefe\\*", "\\briefe\\*"}, {}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        params.SearchDirectories.Clear();
        params.ExcludeDirectories.Clear();
        params.Modified = false;
        for (const std::string& entry : c.present)
            params.SearchDirectories.Add(entry);
        std::vector<cDroppedItem> items;
        for (const std::string& folder : c.dropped)
            items.push_back(Folder(folder));

        const cDropOutcome outcome = AddDroppedFiles(params, items, c.keys);

        EXPECT_EQ(Texts(params.SearchDirectories), c.search);
        EXPECT_EQ(Texts(params.ExcludeDirectories), c.exclude);
        EXPECT_EQ(outcome.Added, c.added);
        EXPECT_EQ(params.Modified, c.added > 0);
        EXPECT_TRUE(outcome.OutsideSource.empty());
    }
}

// A search directory is a path below the source root: a folder elsewhere cannot become one. It is left out
// and reported, the others of the same drop are still added.
TEST_F(DroppedFilesTest, FolderOutsideTheSourceIsLeftOutAndReported) {
    const std::string outside = Native("Daneben");
    const std::string sibling = Native("Quelle2");
    fs::create_directory(sibling);
    const cDropOutcome outcome =
        AddDroppedFiles(params, {{outside, true}, Folder("Quelle/Briefe"), {sibling, true}}, {});
    EXPECT_EQ(Texts(params.SearchDirectories), std::vector<std::string>{"\\Briefe\\*"});
    EXPECT_EQ(outcome.OutsideSource, (std::vector<std::string>{outside, sibling}));
    EXPECT_TRUE(params.Modified);

    params.SourceDrive = "D:"; // a Windows root that the settings do not map: no folder is below it
    params.SearchDirectories.Clear();
    EXPECT_EQ(AddDroppedFiles(params, {Folder("Quelle/Bilder")}, {}).OutsideSource.size(), 1u);
    EXPECT_TRUE(params.SearchDirectories.Empty());
}

// The desktop names a folder by the path the user browsed; a root reached through a link still takes it.
TEST_F(DroppedFilesTest, RootOrFolderThroughALinkIsMatchedByTheRealPath) {
    fs::create_directory_symlink(dir.Path() / "Quelle", dir.Path() / "Verweis");
    params.SourceDrive = Native("Verweis");
    AddDroppedFiles(params, {Folder("Quelle/Briefe")}, {});
    params.SourceDrive = Native("Quelle");
    AddDroppedFiles(params, {Folder("Verweis/Bilder")}, {});
    EXPECT_EQ(Texts(params.SearchDirectories), (std::vector<std::string>{"\\Bilder\\*", "\\Briefe\\*"}));
}

TEST_F(DroppedFilesTest, FilesAddTheirNamesOnce) {
    params.CompareFiles.Add("*.*");
    const cDropOutcome first = AddDroppedFiles(params, {File("Quelle/Briefe/Brief.doc"), File("Daneben/x.txt")}, {});
    EXPECT_EQ(first.Added, 2);
    // A mask matches without regard to case, so "BRIEF.DOC" is the same mask.
    dir.WriteFile("Daneben/BRIEF.DOC", "");
    EXPECT_EQ(AddDroppedFiles(params, {File("Daneben/BRIEF.DOC")}, {}).Added, 0);
    EXPECT_EQ(Texts(params.CompareFiles), (std::vector<std::string>{"*.*", "Brief.doc", "x.txt"}));

    EXPECT_EQ(AddDroppedFiles(params, {File("Quelle/Bilder/2026/Bild.jpg")}, {true, true}).Added, 1);
    EXPECT_EQ(Texts(params.ExcludeFiles), std::vector<std::string>{"Bild.jpg"});
    EXPECT_EQ(params.CompareFiles.Size(), 3u);
}

TEST_F(DroppedFilesTest, NameWithABackslashIsLeftOut) {
    dir.WriteFile("Quelle/a\\b.txt", "");
    fs::create_directory(dir.Path() / "Quelle/c\\d");
    const cDropOutcome outcome = AddDroppedFiles(params, {File("Quelle/a\\b.txt"), Folder("Quelle/c\\d")}, {});
    EXPECT_EQ(outcome.Added, 0);
    EXPECT_TRUE(params.CompareFiles.Empty());
    EXPECT_TRUE(params.SearchDirectories.Empty());
    EXPECT_FALSE(params.Modified);
}

TEST_F(DroppedFilesTest, BatchTakesOnlyProfilesNamedExactlyTvp) {
    params.ResetBatch();
    dir.WriteFile("Profile/Woche.tvp", "");
    dir.WriteFile("Profile/GROSS.TVP", "");
    dir.WriteFile("Profile/Gemischt.Tvp", "");
    dir.WriteFile("Profile/.tvp", "");
    dir.WriteFile("Profile/Notiz.txt", "");
    fs::create_directory(dir.Path() / "Profile/Ordner.tvp");

    const cDropOutcome ignored =
        AddDroppedFiles(params,
                        {File("Profile/GROSS.TVP"), File("Profile/Gemischt.Tvp"), File("Profile/.tvp"),
                         File("Profile/Notiz.txt"), Folder("Profile/Ordner.tvp")},
                        {});
    EXPECT_EQ(ignored.Added, 0);
    EXPECT_EQ(params.Batch.EntryCount(), 0u);
    EXPECT_FALSE(params.Modified);

    AddDroppedFiles(params, {File("Profile/Woche.tvp"), File("Profile/Woche.tvp")}, {true, true});
    ASSERT_EQ(params.Batch.EntryCount(), 2u); // a batch may run one profile twice
    const BatchEntry entry = params.Batch.Entry(0);
    EXPECT_EQ(entry.Drive, "/");
    EXPECT_EQ(entry.Name, "Woche.tvp");
    EXPECT_EQ(entry.Continuation, kContinueAlways);
    EXPECT_EQ(platform::NativePath(entry.Drive, entry.Directory + entry.Name), Native("Profile/Woche.tvp"));
    EXPECT_TRUE(params.Modified);
}

TEST_F(DroppedFilesTest, NoDocumentTakesNothing) {
    params.DocumentKind = kNoDocument;
    EXPECT_EQ(AddDroppedFiles(params, {Folder("Quelle/Briefe"), File("Quelle/Briefe/Brief.doc")}, {}).Added, 0);
    EXPECT_TRUE(params.SearchDirectories.Empty());
    EXPECT_FALSE(params.Modified);
}

} // namespace
