// The batch loop: which profiles run for which continuation codes and results, the question after a stopped
// run, the batch's overrides, and the document afterwards. The profiles are real files; the run is a stand-in
// that records which profile it was given and ends as the test says.
#include "shell/BatchRun.h"

#include "messages/UserInterface.h"
#include "platform/Clock.h"
#include "platform/FileTime.h"
#include "profile/BatchEdit.h"
#include "profile/Parameters.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

class cRecordingUi : public cUserInterface {
public:
    void ShowTimedMessage(const std::string& line1, const std::string& fileName, const std::string& line3) override {
        TimedBoxes.push_back(line1 + " " + fileName + " " + line3);
    }
    eAnswer ShowMessageBox(int code, eMessageKind, eMessageButtons, const std::string&, eAnswer) override {
        Asked.push_back(code);
        return Answer;
    }
    std::vector<std::string> TimedBoxes;
    std::vector<int> Asked;
    eAnswer Answer = eAnswer::No;
};

struct cEntry {
    std::string Name; // file name without ".tvp"; "fehlt" is never written
    int Continuation;
};

class BatchRunTest : public ::testing::Test {
protected:
    std::string ProfilePath(const std::string& name) const { return (m_dir.Path() / (name + ".tvp")).string(); }

    void WriteProfile(const std::string& name) {
        cParameters profile;
        ASSERT_EQ(profile.WriteDocument(ProfilePath(name)), 0);
    }

    // Writes the profiles and the batch of entries, and opens the batch as the document.
    void OpenBatch(const std::vector<cEntry>& entries) {
        cParameters batch;
        batch.ResetBatch();
        for (const cEntry& entry : entries) {
            if (entry.Name != "fehlt") WriteProfile(entry.Name);
            BatchEntry added = BatchEntryFor(ProfilePath(entry.Name));
            added.Continuation = entry.Continuation;
            batch.Batch.AddEntry(added);
        }
        m_batchFile = (m_dir.Path() / "stapel.tvb").string();
        ASSERT_EQ(batch.WriteDocument(m_batchFile), 0);
        ASSERT_EQ(m_params.ReadDocument(m_batchFile), 0);
        ASSERT_EQ(m_params.DocumentKind, kBatchDocument);
    }

    // Runs the batch; each profile ends with the result given for its name (0 when none is given); a result
    // of 1 counts as stopped.
    std::uint8_t Run(const std::map<std::string, std::uint8_t>& results) {
        const cBatchSteps steps{
            .Ui = m_ui,
            .RunProfile =
                [&](std::uint8_t condition) {
                    const std::string file = m_params.ProfileFile.substr(m_params.ProfileFile.rfind('/') + 1);
                    const std::string name = file.substr(0, file.size() - 4);
                    m_ran.push_back(name);
                    m_conditions.push_back(condition);
                    m_seen.push_back(m_params);
                    const auto found = results.find(name);
                    const std::uint8_t result = found == results.end() ? 0 : found->second;
                    return cBatchRunEnd{result, result == 1};
                },
            .EndRequested = [&] { return m_endAfter != 0 && m_ran.size() >= m_endAfter; },
        };
        return RunBatch(m_params, steps);
    }

    testsupport::TempDir m_dir;
    std::string m_batchFile;
    cParameters m_params;
    cRecordingUi m_ui;
    std::vector<std::string> m_ran;
    std::vector<std::uint8_t> m_conditions;
    std::vector<cParameters> m_seen; // the document as each run saw it
    std::size_t m_endAfter = 0;
};

TEST_F(BatchRunTest, ContinuationCodesDecideWhatRuns) {
    struct cCase {
        const char* What;
        std::vector<cEntry> Entries;
        std::map<std::string, std::uint8_t> Results;
        std::vector<std::string> Ran;
        std::uint8_t BatchResult;
    };
    const std::vector<cCase> cases = {
        {"all go on", {{"a", 0}, {"b", 0}}, {{"a", 2}}, {"a", "b"}, 2},
        {"on success, a fails", {{"a", 1}, {"b", 0}}, {{"a", 2}}, {"a"}, 2},
        {"on success, a succeeds", {{"a", 1}, {"b", 0}}, {}, {"a", "b"}, 0},
        {"on failure, a succeeds", {{"a", 2}, {"b", 0}}, {}, {"a"}, 0},
        {"on failure, a fails", {{"a", 2}, {"b", 0}}, {{"a", 2}}, {"a", "b"}, 2},
        {"last on success fails", {{"a", 0}, {"b", 1}}, {{"b", 2}}, {"a", "b"}, 2},
        {"unreadable, go on", {{"fehlt", 0}, {"b", 0}}, {}, {"b"}, 2},
        {"unreadable, on success", {{"fehlt", 1}, {"b", 0}}, {}, {}, 2},
        {"unreadable, on failure", {{"fehlt", 2}, {"b", 0}}, {}, {"b"}, 2},
    };
    for (const cCase& c : cases) {
        SCOPED_TRACE(c.What);
        m_ran.clear();
        m_conditions.clear();
        OpenBatch(c.Entries);
        EXPECT_EQ(Run(c.Results), c.BatchResult);
        EXPECT_EQ(m_ran, c.Ran);
        for (std::size_t i = 0; i < m_ran.size(); ++i) {
            const auto entry = std::find_if(c.Entries.begin(), c.Entries.end(),
                                            [&](const cEntry& e) { return e.Name == m_ran[i]; });
            EXPECT_EQ(m_conditions[i], entry->Continuation) << "the entry's code is the run's batch condition";
        }
        EXPECT_TRUE(m_ui.Asked.empty()) << "no run was stopped";
    }
}

TEST_F(BatchRunTest, AStoppedRunAsksWhetherToAbandonTheBatch) {
    struct cCase {
        const char* What;
        bool OtherWarning; // the profiles' "Andere" message
        eAnswer Answer;
        std::vector<std::string> Ran;
        std::vector<int> Asked;
    };
    const std::vector<cCase> cases = {
        {"yes ends the batch", true, eAnswer::Yes, {"a", "b"}, {30998}},
        {"no goes on", true, eAnswer::No, {"a", "b", "c"}, {30998}},
        {"message off: goes on without asking", false, eAnswer::Yes, {"a", "b", "c"}, {}},
    };
    for (const cCase& c : cases) {
        SCOPED_TRACE(c.What);
        m_ran.clear();
        m_ui.Asked.clear();
        m_ui.Answer = c.Answer;
        OpenBatch({{"a", 0}, {"b", 0}, {"c", 0}});
        // The batch's warnings override the profiles', so the question follows the batch's setting.
        m_params.Batch.WarningsOverride = true;
        m_params.Batch.Warning3Message = c.OtherWarning;
        const std::uint8_t result = Run({{"b", 1}});
        EXPECT_EQ(m_ran, c.Ran);
        EXPECT_EQ(m_ui.Asked, c.Asked);
        EXPECT_EQ(result, 1);
    }
}

TEST_F(BatchRunTest, OverridesReachEachRunAndTheBatchDocumentComesBack) {
    OpenBatch({{"a", 0}, {"b", 0}});
    m_params.Batch.ChecksOverride = true;
    m_params.Batch.ShowPreview = false;
    m_params.Batch.WarningsOverride = true;
    m_params.Batch.Warning2Message = false;
    m_params.Batch.Warning4Sound = false;
    m_params.Modified = true; // changed in the window and not yet saved
    const cBatchParameters batch = m_params.Batch;

    EXPECT_EQ(Run({}), 0);
    ASSERT_EQ(m_seen.size(), 2u);
    for (const cParameters& seen : m_seen) {
        EXPECT_FALSE(seen.ShowPreview);
        EXPECT_FALSE(seen.Warning2Message);
        EXPECT_FALSE(seen.Warning4Sound);
        EXPECT_TRUE(seen.Warning1Message);
        EXPECT_TRUE(seen.BatchRunning) << "the log says the run came from the batch";
        EXPECT_EQ(seen.BatchFile, m_batchFile);
        EXPECT_EQ(seen.DocumentKind, kProfileDocument);
    }
    EXPECT_EQ(m_params.DocumentKind, kBatchDocument);
    EXPECT_EQ(m_params.DocumentFile, m_batchFile);
    EXPECT_EQ(m_params.BatchFile, m_batchFile);
    EXPECT_TRUE(m_params.Modified);
    EXPECT_FALSE(m_params.Untitled);
    EXPECT_FALSE(m_params.BatchRunning);
    EXPECT_EQ(m_params.Batch, batch);
    EXPECT_EQ(m_params.ProfileFile, ProfilePath("b")) << "the profile fields hold the profile run last";
}

TEST_F(BatchRunTest, ABatchFileAmongTheProfilesIsRefusedAndTheBatchStaysWhole) {
    // A batch file that carries a profile's name would replace the batch being run.
    cParameters inner;
    inner.ResetBatch();
    inner.Batch.AddEntry(BatchEntryFor(ProfilePath("x")));
    ASSERT_EQ(inner.WriteDocument(ProfilePath("innen")), 0);
    OpenBatch({{"a", 0}, {"b", 0}});
    cBatchParameters withInner;
    withInner.AddEntry(BatchEntryFor(ProfilePath("a")));
    withInner.AddEntry(BatchEntryFor(ProfilePath("innen")));
    withInner.AddEntry(BatchEntryFor(ProfilePath("b")));
    m_params.Batch = withInner;

    EXPECT_EQ(Run({}), 2);
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), m_ran);
    EXPECT_EQ(m_params.Batch, withInner);
    EXPECT_EQ(m_params.DocumentFile, m_batchFile);
    ASSERT_EQ(m_ui.TimedBoxes.size(), 1u);
    EXPECT_NE(m_ui.TimedBoxes[0].find("keine Profildatei"), std::string::npos);
}

TEST_F(BatchRunTest, AnEntryWithTheWeekdayVariableRunsTodaysProfile) {
    // Wednesday, 9 December 2026, noon.
    platform::SetClock(platform::LocalToUtc(platform::JoinFileTime(2026, 12, 9, 12)));
    WriteProfile("Mittwoch");
    WriteProfile("Donnerstag");
    OpenBatch({{"a", 0}});
    BatchEntry entry = BatchEntryFor(ProfilePath("a"));
    entry.Name = "%DAYOFWEEK%.tvp";
    SetBatchEntries(m_params.Batch, {});
    m_params.Batch.AddEntry(entry);
    EXPECT_EQ(Run({}), 0);
    platform::SetClock(std::nullopt);
    EXPECT_EQ(m_ran, (std::vector<std::string>{"Mittwoch"}));
}

TEST_F(BatchRunTest, AnEndRequestStopsTheBatchWithoutAsking) {
    OpenBatch({{"a", 0}, {"b", 0}, {"c", 0}});
    m_endAfter = 1;
    EXPECT_EQ(Run({{"a", 1}}), 1);
    EXPECT_EQ(m_ran, (std::vector<std::string>{"a"}));
    EXPECT_TRUE(m_ui.Asked.empty());
    EXPECT_EQ(m_params.DocumentKind, kBatchDocument);
}

} // namespace
