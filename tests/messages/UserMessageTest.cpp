// The dispatcher: which messages reach the user, what the box shows, and the answers without a box.
#include "messages/UserMessage.h"
#include "messages/ErrorText.h"
#include "profile/Parameters.h"
#include "shell/HeadlessInterface.h"
#include "support/RecordingInterface.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class UserMessageTest : public ::testing::Test {
protected:
    UserMessageTest() { SetAllWarningMessages(false); }

    void SetAllWarningMessages(bool on) {
        m_params.Warning1Message = on;
        m_params.Warning2Message = on;
        m_params.Warning3Message = on;
        m_params.Warning4Message = on;
        m_params.Batch.Warning3Message = on;
    }

    cParameters m_params;
    cRecordingInterface m_ui;
};

// Each warning's message option lets exactly its own messages through.
TEST_F(UserMessageTest, WarningOptionDecidesBetweenBoxAndPreset) {
    struct cCase {
        int Code;
        bool cParameters::*Option;
        eAnswer Preset;
    };
    using enum eAnswer;
    const cCase cases[] = {
        {30123, &cParameters::Warning1Message, Ok},  {30125, &cParameters::Warning2Message, Yes},
        {30101, &cParameters::Warning3Message, Yes}, {30118, &cParameters::Warning3Message, No},
        {30998, &cParameters::Warning3Message, No},  {30209, &cParameters::Warning4Message, Yes},
        {30302, &cParameters::Warning4Message, No},
    };
    m_ui.Answer = eAnswer::Cancel;
    for (const cCase& c : cases) {
        SetAllWarningMessages(true);
        m_params.*c.Option = false;
        m_ui.Shown.clear();
        EXPECT_EQ(UserMessage(m_ui, m_params.Warnings(), c.Code), c.Preset) << c.Code;
        EXPECT_TRUE(m_ui.Shown.empty()) << c.Code;

        SetAllWarningMessages(false);
        m_params.*c.Option = true;
        EXPECT_EQ(UserMessage(m_ui, m_params.Warnings(), c.Code), eAnswer::Cancel) << c.Code;
        ASSERT_EQ(m_ui.Shown.size(), 1u) << c.Code;
        EXPECT_EQ(m_ui.Shown[0].Code, c.Code);
        EXPECT_EQ(m_ui.Shown[0].Preset, c.Preset);
    }
}

TEST_F(UserMessageTest, BoxShowsFilledTextWithNewlines) {
    m_params.Warning3Message = true;
    m_ui.Answer = eAnswer::Yes;
    EXPECT_EQ(UserMessage(m_ui, m_params.Warnings(), 30118, {.Text1 = "/media/usb", .Error = 21}), eAnswer::Yes);
    ASSERT_EQ(m_ui.Shown.size(), 1u);
    const cShownBox& box = m_ui.Shown[0];
    EXPECT_EQ(box.Kind, eMessageKind::Error);
    EXPECT_EQ(box.Buttons, eMessageButtons::YesNoHelp);
    EXPECT_EQ(box.Text, "Laufwerk /media/usb nicht bereit:\n\n" + ErrorText(21) + "\n\nNochmal versuchen?");
}

TEST_F(UserMessageTest, DialogMessagesAreShownWhateverTheWarnings) {
    m_ui.Answer = eAnswer::No;
    EXPECT_EQ(UserMessage(m_ui, m_params.Warnings(), 30016), eAnswer::No);
    m_ui.Answer = eAnswer::Ok;
    EXPECT_EQ(UserMessage(m_ui, m_params.Warnings(), 30003, {.Text1 = "/home/anna/"}), eAnswer::Ok);
    EXPECT_EQ(UserMessage(m_ui, m_params.Warnings(), 30221, {.Text1 = "/x", .Error = 2}), eAnswer::Ok);
    ASSERT_EQ(m_ui.Shown.size(), 3u);
    EXPECT_EQ(m_ui.Shown[1].Text, "\"/home/anna/\" ist ein gültiger Verzeichnisname.");
}

// An empty batch is governed by the batch file's own warning, not by the open profile's.
TEST_F(UserMessageTest, EmptyBatchFollowsTheBatchWarning) {
    m_params.Warning3Message = true;
    m_params.Batch.Warning3Message = false;
    EXPECT_EQ(UserMessage(m_ui, m_params.Warnings(), 30115), eAnswer::Ok);
    EXPECT_TRUE(m_ui.Shown.empty());
    m_params.Warning3Message = false;
    m_params.Batch.Warning3Message = true;
    m_ui.Answer = eAnswer::Ok;
    UserMessage(m_ui, m_params.Warnings(), 30115);
    ASSERT_EQ(m_ui.Shown.size(), 1u);
    EXPECT_EQ(m_ui.Shown[0].Text, "Diese Batch-Datei enthält keine Profile.");
}

TEST_F(UserMessageTest, UnknownCodeAnswersNoneAndShowsNothing) {
    SetAllWarningMessages(true);
    for (int code : {0, 30000, 30103, 31000})
        EXPECT_EQ(UserMessage(m_ui, m_params.Warnings(), code), eAnswer::None) << code;
    EXPECT_TRUE(m_ui.Shown.empty());
}

TEST(HeadlessUserMessage, AnswersPresetsAndPrintsTheText) {
    cHeadlessInterface headless;
    cParameters params;
    params.Warning3Message = true;
    params.Warning4Message = true;
    testing::internal::CaptureStderr();
    EXPECT_EQ(UserMessage(headless, params.Warnings(), 30118, {.Text1 = "/media/usb", .Error = 21}), eAnswer::No);
    EXPECT_EQ(UserMessage(headless, params.Warnings(), 30101), eAnswer::Yes);
    EXPECT_EQ(UserMessage(headless, params.Warnings(), 30302, {.Text1 = "/q", .Text2 = "/z"}), eAnswer::No);
    EXPECT_EQ(UserMessage(headless, params.Warnings(), 30016), eAnswer::No);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_NE(printed.find("[30118] Laufwerk /media/usb nicht bereit:\n\n"), std::string::npos) << printed;
    EXPECT_NE(printed.find("[30101] Keine Log-Datei angegeben.\n\nFortfahren ohne Log?\n"), std::string::npos);
}

} // namespace
