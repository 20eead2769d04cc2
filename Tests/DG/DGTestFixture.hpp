#ifndef TESTS_DG_DGTESTFIXTURE_HPP
#define TESTS_DG_DGTESTFIXTURE_HPP

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DG/DG.hpp"
#include "TestModule.hpp"
#include "TestPanels.hpp"

namespace DGTests {

constexpr short FixedDialogId = 100; // modal, not resizable: button 1, list 2
constexpr GSResID ErrorAlertId = 31016;
constexpr GSResID WarningAlertId = 31019;
constexpr GSResID FillAlertId = 500;

// A registered module with the test panels and alerts; a clean UI log and no driver.
class DGTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::vector<DG::UILogEntry> Entries(DG::UILogKind kind) const;
    std::vector<std::string> UsageErrors() const;

    TestModule resources;
    GSResModule module = InvalidResModule;
};

} // namespace DGTests

#endif
