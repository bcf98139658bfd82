// Warning signals: beep, sound file or nothing, alone and as the dispatcher plays them.
#include "messages/PlaySignal.h"
#include "messages/UserMessage.h"
#include "profile/Parameters.h"
#include "support/RecordingInterface.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

class PlaySignalTest : public ::testing::Test {
protected:
    PlaySignalTest() { m_wave = m_dir.WriteFile("Klänge/Keine Dateien gefunden.wav", "RIFF").string(); }

    testsupport::TempDir m_dir;
    std::string m_wave;
    cRecordingInterface m_ui;
};

TEST_F(PlaySignalTest, BeepSoundOrNothing) {
    struct cCase {
        bool Enabled;
        bool Beep;
        std::string File;
        int Beeps;
        bool Played;
    };
    const std::string missing = (m_dir.Path() / "fehlt.wav").string();
    const cCase cases[] = {
        {false, true, m_wave, 0, false},                // disabled: silent
        {false, false, m_wave, 0, false},               //
        {true, true, m_wave, 1, false},                 // the beep wins over the file
        {true, false, m_wave, 0, true},                 //
        {true, false, missing, 0, false},               // a missing file plays nothing
        {true, false, "", 0, false},                    //
        {true, false, m_dir.Path().string(), 0, false}, // nor does a directory
    };
    for (const cCase& c : cases) {
        m_ui.Beeps = 0;
        m_ui.Played.clear();
        PlaySignal(m_ui, c.Enabled, c.Beep, c.File, false);
        EXPECT_EQ(m_ui.Beeps, c.Beeps) << c.File;
        EXPECT_EQ(!m_ui.Played.empty(), c.Played) << c.File;
    }
    m_ui.Played.clear();
    PlaySignal(m_ui, true, false, m_wave, true);
    ASSERT_EQ(m_ui.Played.size(), 1u);
    EXPECT_EQ(m_ui.Played[0], std::make_pair(m_wave, true));
}

TEST_F(PlaySignalTest, NoFilesFoundBeepsOnceAndShowsTheMessage) {
    cParameters params;
    params.Warning1Sound = true;
    params.Warning1Beep = true;
    params.Warning1File = m_wave;
    params.Warning1Message = true;
    m_ui.Answer = eAnswer::Ok;
    EXPECT_EQ(UserMessage(m_ui, params.Warnings(), 30123), eAnswer::Ok);
    EXPECT_EQ(m_ui.Beeps, 1);
    EXPECT_TRUE(m_ui.Played.empty());
    ASSERT_EQ(m_ui.Shown.size(), 1u);
    EXPECT_EQ(m_ui.Shown[0].Text, "Keine Dateien gefunden.");
}

TEST_F(PlaySignalTest, DispatcherPlaysTheGoverningWarningsSignal) {
    cParameters params;
    params.Warning3Message = false;
    params.Warning3Sound = true;
    params.Warning3Beep = true;
    params.Warning4Sound = true;
    params.Warning4Beep = false;
    params.Warning4File = m_wave;
    params.SyncSounds = true;

    UserMessage(m_ui, params.Warnings(), 30112, {.Text1 = "stumm"}); // a login with text1 makes no sound
    EXPECT_EQ(m_ui.Beeps, 0);
    UserMessage(m_ui, params.Warnings(), 30112);
    EXPECT_EQ(m_ui.Beeps, 1);
    UserMessage(m_ui, params.Warnings(), 30001, {.Text1 = "/"}); // dialog messages have no signal
    EXPECT_EQ(m_ui.Beeps, 1);

    UserMessage(m_ui, params.Warnings(), 30220, {.Text1 = "Zip", .Error = 1});
    ASSERT_EQ(m_ui.Played.size(), 1u);
    EXPECT_EQ(m_ui.Played[0], std::make_pair(m_wave, true));

    // The empty batch beeps by the batch file's own sound option only.
    params.Batch.Warning3Sound = false;
    UserMessage(m_ui, params.Warnings(), 30115);
    EXPECT_EQ(m_ui.Beeps, 1);
    params.Batch.Warning3Sound = true;
    params.Warning3Sound = false;
    UserMessage(m_ui, params.Warnings(), 30115);
    EXPECT_EQ(m_ui.Beeps, 2);
}

} // namespace
