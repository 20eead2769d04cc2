#include "ActionKit.hpp"

namespace RandomUsers {

namespace {

// Select rooms (or nothing, or something else) and run the menu command.
class CreateStamps final : public StepsAction {
public:
    explicit CreateStamps(const UserModel&) {
        Json selection = Json::array();
        const int rooms = Between(0, 2);
        for (int i = 0; i < rooms; ++i)
            selection.push_back(Pick("room"));
        if (Chance(15))
            selection.push_back(Pick("element"));
        steps_ = {{{"action", "select"}, {"elements", selection}},
                  {{"action", "menu"}, {"item", "Create Zarimark"}, {"answers", UserAnswers()}}};
    }
};

Json DialogAnswer(const UserModel& model) {
    Json interactions = Json::array();
    if (Chance(20))
        interactions.push_back({{"press", "OK"}}); // nothing chosen yet: the dialog says so
    if (Chance(20))
        interactions.push_back({{"resize", {Between(-20, 40), Between(-20, 40)}}});
    if (Chance(50))
        interactions.push_back({{"chooseRow", Between(1, 3)}});
    else
        interactions.push_back({{"choose", ApartmentId(model)}});
    const std::string last = OneOf<std::string>({"OK", "OK", "OK", "Cancel", "close box"});
    interactions.push_back(last == "close box" ? Json{{"closeBox", true}} : Json{{"press", last}});
    return {{"dialog", 32510}, {"do", interactions}};
}

// The label tool: a click in a room or beside one; the dialog comes only when a stamp is placed
// where no apartment ID can be taken from a room.
class PlaceLabel final : public StepsAction {
public:
    explicit PlaceLabel(const UserModel& model) {
        Json step = {{"action", "placeLabel"}, {"id", "p" + std::to_string(model.nextId)}};
        step["position"] = {Between(0, 24), Between(0, 18)};
        if (!Chance(25))
            step["zone"] = Pick("room");
        if (Chance(20))
            step["part"] = OneOf<std::string>({"Zarimark.gsm", "Room Label.gsm"});
        Json answers = UserAnswers();
        answers.insert(answers.begin(), DialogAnswer(model));
        step["answers"] = answers;
        steps_ = {step};
    }
    void apply(UserModel& model) const override { ++model.nextId; }

private:
    Json Adjust(Json step, const ScenarioPlayer& player) const override {
        if (!player.CanUseLabelTool())
            return nullptr;
        const bool stamp =
            step.contains("part") ? step["part"] == "Zarimark.gsm" : player.LabelToolMakesStamps();
        const bool roomHasId = step.contains("zone") && player.HasApartmentId(step["zone"]);
        if (!stamp || roomHasId)
            step["answers"].erase(0);
        return step;
    }
};

class PaletteButtons final : public StepsAction {
public:
    explicit PaletteButtons(const UserModel&) {
        Json press = {
            {"action", "paletteButton"},
            {"button", OneOf<std::string>({"Check Rooms", "Update Wrong Stamps", "Update All Stamps"})},
            {"answers", UserAnswers()}};
        steps_ = {{{"action", "menu"}, {"item", "Zarimark Palette"}},
                  Chance(10) ? Json{{"action", "paletteClose"}} : press};
    }

private:
    Json Adjust(Json step, const ScenarioPlayer& player) const override {
        return step["action"] == "menu" && player.IsPaletteVisible() ? Json(nullptr) : step;
    }
};

class UndoLast final : public StepsAction {
public:
    explicit UndoLast(const UserModel&) { steps_ = {{{"action", "undo"}, {"answers", UserAnswers()}}}; }
};

} // namespace

rc::Gen<std::shared_ptr<const UserAction>> GenStampAction(const UserModel& model) {
    // A kind listed twice comes twice as often.
    return rc::state::gen::execOneOfWithArgs<CreateStamps, CreateStamps, PlaceLabel, PlaceLabel,
                                             PaletteButtons, UndoLast>()(model);
}

} // namespace RandomUsers
