#include <gtest/gtest.h>

#include "DG/Button.hpp"
#include "DG/ListBox.hpp"
#include "DG/ModalDialog.hpp"
#include "HeadlessHost/HeadlessHost.hpp"
#include "Run/ScriptedUser.hpp"

namespace {

constexpr short CreateStampDialogId = 32510;

Scenario::Answer AlertAnswer(std::int32_t id, const std::string& button) {
    Scenario::Answer answer;
    answer.kind = Scenario::Answer::Kind::Alert;
    answer.alertId = id;
    answer.buttonText = button;
    answer.path = "answers[0]";
    return answer;
}

Scenario::Answer DialogAnswer(std::vector<Scenario::DialogInteraction> interactions) {
    Scenario::Answer answer;
    answer.kind = Scenario::Answer::Kind::Dialog;
    answer.dialogId = CreateStampDialogId;
    answer.interactions = std::move(interactions);
    answer.path = "answers[1]";
    return answer;
}

Scenario::DialogInteraction Choose(const std::string& text) {
    Scenario::DialogInteraction interaction;
    interaction.kind = Scenario::DialogInteraction::Kind::Choose;
    interaction.text = text;
    return interaction;
}

Scenario::DialogInteraction ChooseRow(std::int32_t row) {
    Scenario::DialogInteraction interaction;
    interaction.kind = Scenario::DialogInteraction::Kind::ChooseRow;
    interaction.row = row;
    return interaction;
}

Scenario::DialogInteraction Press(const std::string& button) {
    Scenario::DialogInteraction interaction;
    interaction.kind = Scenario::DialogInteraction::Kind::Press;
    interaction.button = button;
    return interaction;
}

DG::AlertRecord Alert(GSResID id) {
    DG::AlertRecord alert;
    alert.id = id;
    alert.buttons[0] = "OK";
    alert.buttons[2] = "Don't Show This Again";
    return alert;
}

TEST(ScriptedUserTest, AlertsTakeTheirAnswersInOrderAndByButtonText) {
    Run::ScriptedUser user;
    user.BeginStep(0, {AlertAnswer(31019, "Don't Show This Again"), AlertAnswer(31019, "Maybe")});
    EXPECT_EQ(user.AnswerAlert(Alert(31019)), 3);
    // A button the alert lacks gives no answer (the first button) and a note.
    EXPECT_EQ(user.AnswerAlert(Alert(31019)), 0);
    ASSERT_EQ(user.GetNotes().size(), 1u);
    EXPECT_NE(user.GetNotes()[0].find("has no button \"Maybe\""), std::string::npos);
    EXPECT_TRUE(user.EndStep().empty());
}

TEST(ScriptedUserTest, AnAlertTheNextAnswerIsNotForLeavesTheAnswerWaiting) {
    Run::ScriptedUser user;
    user.BeginStep(0, {AlertAnswer(31010, "Cancel")});
    EXPECT_EQ(user.AnswerAlert(Alert(31019)), 0);
    EXPECT_EQ(user.GetNotes().size(), 1u);
    const std::vector<Scenario::Answer> unused = user.EndStep();
    ASSERT_EQ(unused.size(), 1u);
    EXPECT_EQ(unused[0].alertId, 31010);
    // Answers never leak into the next step.
    user.BeginStep(1, {});
    EXPECT_EQ(user.AnswerAlert(Alert(31010)), 0);
}

// The add-on's create-stamp dialog resource, driven by a dialog whose buttons close it as the
// add-on's dialog does.
class ApartmentDialog : public DG::ModalDialog, public DG::ButtonItemObserver {
public:
    explicit ApartmentDialog(GSResModule module) : DG::ModalDialog(module, CreateStampDialogId, module) {
        DG::ButtonItem(*this, 1).Attach(*this);
        DG::ButtonItem(*this, 2).Attach(*this);
        DG::ListBox list(*this, 4);
        list.SetTabFieldCount(1);
        for (const char* id : {"A1", "B2"}) {
            list.AppendItem();
            list.SetTabItemText(list.GetItemCount(), 1, id);
        }
    }
    ~ApartmentDialog() override {
        DG::ButtonItem(*this, 1).Detach(*this);
        DG::ButtonItem(*this, 2).Detach(*this);
    }
    void ButtonClicked(const DG::ButtonClickEvent& event) override {
        PostCloseRequest(event.GetSource()->GetId() == 1 ? Accept : Cancel);
    }
    short Selected() const { return DG::ListBox(*this, 4).GetSelectedItem(); }
};

class ScriptedUserDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host_.LoadAddOn(ZM_TEST_MODULE_PATH, &error)) << error;
    }
    Headless::HeadlessHost host_;
    Run::ScriptedUser user_;
};

TEST_F(ScriptedUserDialogTest, ChoosesTheRowByTextAndPressesOk) {
    DG::UIDriverScope driver(&user_);
    user_.BeginStep(2, {DialogAnswer({Choose("B2"), Press("OK")})});
    ApartmentDialog dialog(host_.HostGetOwnResourceModule());
    EXPECT_TRUE(dialog.Invoke());
    EXPECT_EQ(dialog.Selected(), 2);
    ASSERT_EQ(user_.GetDialogs().size(), 1u);
    EXPECT_EQ(user_.GetDialogs()[0].step, 2u);
    EXPECT_EQ(user_.GetDialogs()[0].done, (std::vector<std::string>{"choose \"B2\"", "press OK"}));
    EXPECT_TRUE(user_.GetNotes().empty());
}

TEST_F(ScriptedUserDialogTest, ChoosesTheRowByItsNumberCountingFromOne) {
    DG::UIDriverScope driver(&user_);
    user_.BeginStep(0, {DialogAnswer({ChooseRow(2), ChooseRow(1), Press("OK")})});
    ApartmentDialog dialog(host_.HostGetOwnResourceModule());
    EXPECT_TRUE(dialog.Invoke());
    EXPECT_EQ(dialog.Selected(), 1);
    EXPECT_EQ(user_.GetDialogs()[0].done,
              (std::vector<std::string>{"choose row 2 (\"B2\")", "choose row 1 (\"A1\")", "press OK"}));
    EXPECT_TRUE(user_.GetNotes().empty());
}

TEST_F(ScriptedUserDialogTest, ImpossibleInteractionsAreNotedAndTheDialogIsCancelled) {
    DG::UIDriverScope driver(&user_);
    user_.BeginStep(0, {DialogAnswer({Choose("C3"), ChooseRow(3), Press("Apply")})});
    ApartmentDialog dialog(host_.HostGetOwnResourceModule());
    EXPECT_FALSE(dialog.Invoke());
    EXPECT_EQ(dialog.Selected(), 0);
    EXPECT_EQ(user_.GetNotes().size(), 3u);
    EXPECT_EQ(user_.GetDialogs()[0].done,
              (std::vector<std::string>{"choose \"C3\" (not possible)", "choose row 3 (not possible)",
                                        "press Apply (not possible)"}));
}

TEST_F(ScriptedUserDialogTest, ADialogWithoutAnAnswerIsCancelledAndTheAnswerStays) {
    DG::UIDriverScope driver(&user_);
    user_.BeginStep(0, {AlertAnswer(31020, "OK")});
    ApartmentDialog dialog(host_.HostGetOwnResourceModule());
    EXPECT_FALSE(dialog.Invoke());
    ASSERT_EQ(user_.GetDialogs().size(), 1u);
    EXPECT_FALSE(user_.GetDialogs()[0].answered);
    EXPECT_EQ(user_.EndStep().size(), 1u);
}

} // namespace
