#include "ActionKit.hpp"

namespace RandomUsers {

namespace {

class EditRoom final : public IdAction {
public:
    explicit EditRoom(const UserModel& model) {
        static const std::vector<double> values = {0, 4, 6, 7.5, 8, 12, 20, 24.5};
        Json step = {{"action", "changeZone"}, {"zone", Pick("room")}};
        if (Chance(40)) {
            newId_ = ApartmentId(model);
            step["apartmentId"] = Chance(15) ? Json(nullptr) : Json(newId_);
        }
        if (Chance(20))
            step["number"] = "9.0" + std::to_string(Between(1, 9));
        if (Chance(15))
            step["name"] = OneOf<std::string>({"Study", "Bath", "Store"});
        if (Chance(20))
            step["category"] = Between(1, model.highestCategory + 1);
        if (Chance(50) || step.size() == 2) {
            Json areas = Json::object();
            for (const char* name : {"a", "b", "c", "d", "e"}) {
                if (Chance(40) || (areas.empty() && name[0] == 'e'))
                    areas[name] = OneOf(values);
            }
            step["areas"] = areas;
        }
        step["answers"] = UserAnswers();
        steps_ = {step};
    }
};

class EditStampId final : public IdAction {
public:
    explicit EditStampId(const UserModel& model) {
        newId_ = ApartmentId(model);
        steps_ = {{{"action", "editParameters"},
                   {"element", Pick("stamp")},
                   {"parameters", {{"zm_apartmentId", newId_}}},
                   {"answers", UserAnswers()}}};
    }
};

class MoveElement final : public StepsAction {
public:
    explicit MoveElement(const UserModel&) {
        steps_ = {{{"action", "move"},
                   {"element", Pick(OneOf<std::string>({"room", "stamp", "element"}))},
                   {"offset", Offset()},
                   {"answers", UserAnswers()}}};
    }
};

class CopyElement final : public StepsAction {
public:
    explicit CopyElement(const UserModel& model) {
        steps_ = {{{"action", "copy"},
                   {"element", Pick(OneOf<std::string>({"room", "stamp", "stamp", "element"}))},
                   {"offset", Offset()},
                   {"id", "c" + std::to_string(model.nextId)},
                   {"answers", UserAnswers()}}};
    }
    void apply(UserModel& model) const override { ++model.nextId; }
};

class DeleteElements final : public StepsAction {
public:
    explicit DeleteElements(const UserModel&) {
        Json elements = {Pick(OneOf<std::string>({"room", "stamp", "element"}))};
        if (Chance(30))
            elements.push_back(Pick("element"));
        steps_ = {{{"action", "delete"}, {"elements", elements}, {"answers", UserAnswers()}}};
    }
};

} // namespace

rc::Gen<std::shared_ptr<const UserAction>> GenEditAction(const UserModel& model) {
    // A kind listed twice comes twice as often.
    return rc::state::gen::execOneOfWithArgs<EditRoom, EditRoom, EditRoom, EditStampId, EditStampId,
                                             MoveElement, CopyElement, DeleteElements>()(model);
}

} // namespace RandomUsers
