// The documents behind the description fixtures (tests/profile/fixtures/describe), shared by the tree tests
// and the test of `tolvan --describe`.
#pragma once

#include <string>

class cParameters;

namespace testsupport {

// The text of a fixture file of tests/profile/fixtures/describe; empty (and a test failure) when missing.
std::string ReadDescribeFixture(const std::string& name);

// Makes params a profile with every switch on and every list filled: the document of "full-profile.txt".
// Nothing in it depends on the clock, the home directory or the settings file.
void FillFullProfile(cParameters& params);

// Makes params the batch file of "batch.txt": three entries, both overrides, every trigger, one schedule.
void FillBatch(cParameters& params);

} // namespace testsupport
