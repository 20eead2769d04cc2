#include "DGTestFixture.hpp"

namespace DGTests {
namespace {

using AlertTest = DGTest;

DG::AlertRecord OnlyAlert() {
    const auto log = DG::GetUILog();
    EXPECT_EQ(log.size(), 1u);
    return log.empty() ? DG::AlertRecord() : log.front().alert;
}

TEST_F(AlertTest, PercentSTakesTheParametersInOrderAcrossTitleLargeAndSmallText) {
    DG::Alert(module, FillAlertId, "%s", "two", "", "four");
    const DG::AlertRecord alert = OnlyAlert();
    EXPECT_EQ(alert.title, GS::UniString("T %s")); // a parameter is not searched again
    EXPECT_EQ(alert.largeText, GS::UniString("L two and "));
    EXPECT_EQ(alert.smallText, GS::UniString("S four||%")); // no fifth parameter
    EXPECT_EQ(alert.id, FillAlertId);
    EXPECT_TRUE(alert.resourceFound);
}

TEST_F(AlertTest, ErrorCodeFillsTheSmallTextOfTheErrorAlert) {
    DG::Alert(module, ErrorAlertId, "-2129788927", "", "", "");
    const DG::AlertRecord alert = OnlyAlert();
    EXPECT_EQ(alert.kind, RS::AlertKind::Error);
    EXPECT_EQ(alert.title, GS::UniString("Zarimark Error"));
    EXPECT_EQ(alert.smallText,
              GS::UniString("Error Code: -2129788927\n\nPlease send it to <support@example.com>."));
    EXPECT_EQ(alert.buttons[0], GS::UniString("OK"));
}

TEST_F(AlertTest, DriverAnswersAreCheckedAgainstTheAlertsButtons) {
    ScriptedDriver driver;
    DG::UIDriverScope scope(&driver);
    driver.alertAnswers = {3, 2, 7};
    EXPECT_EQ(DG::Alert(module, WarningAlertId), 3);
    EXPECT_EQ(DG::Alert(module, WarningAlertId), 1); // button 2 has no text
    EXPECT_EQ(DG::Alert(module, WarningAlertId), 1);
    EXPECT_EQ(DG::Alert(module, WarningAlertId), 1); // no answer left

    const auto alerts = Entries(DG::UILogKind::Alert);
    ASSERT_EQ(alerts.size(), 4u);
    EXPECT_TRUE(alerts[0].alert.answeredByDriver);
    EXPECT_EQ(alerts[0].alert.answer, 3);
    EXPECT_FALSE(alerts[1].alert.answeredByDriver);
    EXPECT_EQ(alerts[1].alert.driverAnswer, 2);
    EXPECT_EQ(alerts[2].alert.driverAnswer, 7);
    EXPECT_EQ(alerts[3].alert.driverAnswer, 0);
    EXPECT_EQ(driver.alertsSeen.size(), 4u);
    EXPECT_EQ(driver.alertsSeen[0].largeText, GS::UniString("Some rooms"));
}

TEST_F(AlertTest, WithoutDriverTheFirstButtonIsTaken) {
    EXPECT_EQ(DG::Alert(module, WarningAlertId), 1);
    EXPECT_FALSE(OnlyAlert().answeredByDriver);
}

TEST_F(AlertTest, MissingAlertIsRecordedEmptyAndAnswersOneWithoutAskingTheDriver) {
    ScriptedDriver driver;
    DG::UIDriverScope scope(&driver);
    driver.alertAnswers = {3};
    EXPECT_EQ(DG::Alert(module, 31099, "x"), 1);
    EXPECT_EQ(DG::Alert(InvalidResModule, ErrorAlertId), 1);
    EXPECT_TRUE(driver.alertsSeen.empty());
    const auto alerts = Entries(DG::UILogKind::Alert);
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_EQ(alerts[0].alert.id, 31099);
    EXPECT_FALSE(alerts[0].alert.resourceFound);
    EXPECT_TRUE(alerts[0].alert.largeText.IsEmpty());
    EXPECT_TRUE(alerts[0].alert.buttons[0].IsEmpty());
}

TEST_F(AlertTest, LiteralAlertsCarryTheirTextsAndKind) {
    ScriptedDriver driver;
    DG::UIDriverScope scope(&driver);
    driver.alertAnswers = {1, 2};
    EXPECT_EQ(DG::ErrorAlert("An unexpected error happened in the \"Zarimark\" Add-On.", "", "OK"), 1);
    EXPECT_EQ(DG::InformationAlert("Question", "", "Yes", "No"), 2);
    const auto alerts = Entries(DG::UILogKind::Alert);
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_EQ(alerts[0].alert.id, 0);
    EXPECT_EQ(alerts[0].alert.kind, RS::AlertKind::Error);
    EXPECT_EQ(alerts[0].alert.largeText,
              GS::UniString("An unexpected error happened in the \"Zarimark\" Add-On."));
    EXPECT_EQ(alerts[1].alert.kind, RS::AlertKind::Information);
    EXPECT_EQ(alerts[1].alert.answer, 2);
}

} // namespace
} // namespace DGTests
