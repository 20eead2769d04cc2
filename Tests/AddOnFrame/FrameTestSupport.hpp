#ifndef TESTS_ADDONFRAME_FRAMETESTSUPPORT_HPP
#define TESTS_ADDONFRAME_FRAMETESTSUPPORT_HPP

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "HeadlessHost/HeadlessHost.hpp"

// The add-on's embedded resource module, registered once for the whole test run.
GSResModule AddOnResourceModule();

// The add-on's code linked into the test, talking to a fresh headless host that has handed over
// its operations; call log and debug log start empty.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Operation names of the call log, in call order.
    std::vector<std::string> CalledOperations() const;
    std::vector<std::string> DebugLines() const;
    void ResetLogs();

    Headless::HeadlessHost host;
    int hostToken = 0;
};

#endif
