#include "profile/Variables.h"
#include "profile/LogParameters.h"

#include "platform/Clock.h"
#include "platform/FileTime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

class VariablesTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetTimeZone("Europe/Berlin");
        // Wednesday 9 December 2026, 02:46:23 in Berlin.
        platform::SetClock(platform::JoinFileTime(2026, 12, 9, 1, 46, 23));
    }
    void TearDown() override {
        platform::SetClock(std::nullopt);
        for (const char* name : m_set)
            unsetenv(name);
    }
    void SetEnv(const char* name, const std::string& value) {
        setenv(name, value.c_str(), 1);
        m_set.push_back(name);
    }

private:
    std::vector<const char*> m_set;
};

TEST_F(VariablesTest, EveryNameTodayAndShiftedByOneDay) {
    const struct {
        const char* name;
        const char* today;
        const char* yesterday;
    } cases[] = {
        {"DAYOFWEEK", "Mittwoch", "Dienstag"},
        {"SHORTDAYOFWEEK", "Mi", "Di"},
        {"DAY", "09", "08"},
        {"MONTH", "12", "12"},
        {"SHORTMONTH", "Dez", "Dez"},
        {"LONGMONTH", "Dezember", "Dezember"},
        {"YEAR", "2026", "2026"},
        {"SHORTDATE", "09.12.2026", "08.12.2026"},
        {"LONGDATE", "Mittwoch, 9. Dezember 2026", "Dienstag, 8. Dezember 2026"},
        // Times are never shifted.
        {"HOUR", "02", "02"},
        {"MINUTE", "46", "46"},
        {"SECOND", "23", "23"},
        {"SHORTTIME", "02:46", "02:46"},
        {"LONGTIME", "02:46:23", "02:46:23"},
    };
    for (const auto& c : cases) {
        std::string text = std::string("<%") + c.name + "%>";
        EXPECT_EQ(ExpandVariables(text), std::string("<") + c.today + ">") << c.name;
        EXPECT_EQ(ExpandVariables(text, 1), std::string("<") + c.yesterday + ">") << c.name;
    }
}

TEST_F(VariablesTest, NamesPercentSignsAndEnvironment) {
    SetEnv("TOLVAN_TEST_DIR", "/srv/daten");
    SetEnv("tolvan_lower", "klein");
    unsetenv("TOLVAN_NO_SUCH_VARIABLE");
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"/backup/%year%/%Month%", "/backup/2026/12"},
        {"a%TOLVAN_NO_SUCH_VARIABLE%b", "ab"},
        {"100% sicher", "100% sicher"},
        {"%", "%"},
        {"", ""},
        {"%TOLVAN_TEST_DIR%/x", "/srv/daten/x"},
        {"%tolvan_test_dir%/x", "/srv/daten/x"},
        {"%tolvan_lower%", "klein"},
        {"%DAY%%MONTH%%YEAR%", "09122026"},
        {"%%x", "x"},
        {"%DAY%.%", "09.%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandVariables(c.text), c.expected) << c.text;
}

TEST_F(VariablesTest, InsertedValuesAreNeverExpandedAgain) {
    SetEnv("TOLVAN_LOOP", "%YEAR%-%TOLVAN_LOOP%");
    SetEnv("TOLVAN_PERCENT", "50%");
    EXPECT_EQ(ExpandVariables("%TOLVAN_LOOP%/%DAY%"), "%YEAR%-%TOLVAN_LOOP%/09");
    // A lone "%" in a value does not pair with the next one of the text.
    EXPECT_EQ(ExpandVariables("%TOLVAN_PERCENT% am %DAY%."), "50% am 09.");
}

TEST_F(VariablesTest, LongValuesAreCutTo260Characters) {
    SetEnv("TOLVAN_LONG", std::string(300, 'x'));
    EXPECT_EQ(ExpandVariables("[%TOLVAN_LONG%]"), "[" + std::string(260, 'x') + "]");
    std::string umlauts;
    for (int i = 0; i < 300; ++i)
        umlauts += "ä";
    SetEnv("TOLVAN_LONG", umlauts);
    EXPECT_EQ(ExpandVariables("%TOLVAN_LONG%"), umlauts.substr(0, 2 * 260)) << "cut by characters, not bytes";
}

TEST_F(VariablesTest, ResolveLogFile) {
    const struct {
        const char* fileName;
        bool daily;
        const char* expected;
    } cases[] = {
        {"/home/anna/Log.txt", false, "/home/anna/Log.txt"},
        {"/home/anna/Log.txt", true, "/home/anna/Log vom Mittwoch, 9. Dezember 2026.txt"},
        {"/home/anna/Log", true, "/home/anna/Log vom Mittwoch, 9. Dezember 2026"},
        {"/home/anna.d/Log", true, "/home/anna.d/Log vom Mittwoch, 9. Dezember 2026"},
        {"/home/anna/Log.alt.txt", true, "/home/anna/Log.alt vom Mittwoch, 9. Dezember 2026.txt"},
        {"/home/anna/Log-%YEAR%-%MONTH%.txt", false, "/home/anna/Log-2026-12.txt"},
        {"/home/anna/%DAY%.log", true, "/home/anna/09 vom Mittwoch, 9. Dezember 2026.log"},
    };
    for (const auto& c : cases) {
        cLogParameters log;
        log.FileName = c.fileName;
        log.Daily = c.daily;
        log.ResolveLogFile(0);
        EXPECT_EQ(log.ActualFileName, c.expected) << c.fileName << (c.daily ? " daily" : "");
    }
    cLogParameters shifted;
    shifted.FileName = "/home/anna/%DAY%.log";
    shifted.ResolveLogFile(1);
    EXPECT_EQ(shifted.ActualFileName, "/home/anna/08.log");
}

} // namespace
