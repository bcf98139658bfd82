#include "TolvanCommand.h"
#include "messages/ErrorText.h"
#include "profile/Parameters.h"
#include "support/DescribeFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using apptest::CommandResult;

// Runs `tolvan --describe FILE` with its own home and settings folders below the test's directory, so the
// user's settings file is neither read nor created.
class DescribeCommandTest : public ::testing::Test {
protected:
    CommandResult Describe(const std::string& file) const {
        return apptest::RunTolvan(m_dir, "--describe " + apptest::Quoted(file));
    }

    std::string Path(const char* name) const { return (m_dir.Path() / name).string(); }

    testsupport::TempDir m_dir;
    cParameters m_params;
};

TEST_F(DescribeCommandTest, PrintsTheTreeOfAProfile) {
    testsupport::FillFullProfile(m_params);
    ASSERT_EQ(m_params.WriteDocument(Path("Voll.tvp")), 0);

    CommandResult result = Describe(Path("Voll.tvp"));
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, testsupport::ReadDescribeFixture("full-profile.txt"));
    EXPECT_EQ(result.err, "");
}

TEST_F(DescribeCommandTest, PrintsTheTreeOfABatchFile) {
    testsupport::FillBatch(m_params);
    ASSERT_EQ(m_params.WriteDocument(Path("Stapel.tvb")), 0);

    CommandResult result = Describe(Path("Stapel.tvb"));
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, testsupport::ReadDescribeFixture("batch.txt"));
}

TEST_F(DescribeCommandTest, UnreadableFileGivesTheErrorAndFailure) {
    m_dir.WriteFile("Fremd.tvp", "Keine Tolvan-Datei\r\n");
    const struct {
        std::string file;
        int error;
    } cases[] = {
        {Path("Fehlt.tvp"), 2},
        {Path("Fremd.tvp"), 2002},
    };
    for (const auto& c : cases) {
        CommandResult result = Describe(c.file);
        EXPECT_NE(result.exitStatus, 0) << c.file;
        EXPECT_EQ(result.out, "") << c.file;
        EXPECT_NE(result.err.find(c.file), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(ErrorText(c.error)), std::string::npos) << result.err;
    }
}

} // namespace
