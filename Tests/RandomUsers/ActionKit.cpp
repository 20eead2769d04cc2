#include "ActionKit.hpp"

#include <algorithm>
#include <cstdlib>

namespace RandomUsers {

Json Pick(const std::string& kind) {
    return {{"$pick", Between(0, 999)}, {"$of", kind}};
}

Json Offset() {
    return {Between(-3, 3), Between(-3, 3)};
}

// The reservation alerts 31010 and 31011 come again while the user grants what cannot be
// reserved; so the user grants a few times, then cancels. Both alerts have this title, and so
// have the add-on's error alerts, for which any answer is their only button.
Json UserAnswers() {
    Json answers = Json::array();
    const int grants = Between(0, 2);
    for (int i = 0; i < grants; ++i)
        answers.push_back({{"alert", "Zarimark Error"}, {"button", 1}});
    for (int i = 0; i < 3; ++i)
        answers.push_back({{"alert", "Zarimark Error"}, {"button", 2}});
    return answers;
}

std::string ApartmentId(const UserModel& model) {
    std::vector<std::string> ids = model.apartmentIds;
    ids.push_back("C");
    ids.push_back("");
    return OneOf(ids);
}

bool IsLeftOut(const std::string& action) {
    static const std::string leftOut = [] {
        const char* names = std::getenv("ZM_RANDOM_USERS_LEAVE_OUT");
        return "," + std::string(names != nullptr ? names : "") + ",";
    }();
    return leftOut.find("," + action + ",") != std::string::npos;
}

void StepsAction::checkPreconditions(const UserModel&) const {
    for (const Json& step : steps_)
        RC_PRE(!IsLeftOut(step["action"]));
}

void StepsAction::run(const UserModel&, ScenarioPlayer& player) const {
    for (const Json& step : steps_) {
        Json resolved = player.Resolve(step);
        if (!resolved.is_null())
            resolved = Adjust(std::move(resolved), player);
        if (!resolved.is_null())
            player.Play(std::move(resolved));
    }
}

void StepsAction::show(std::ostream& out) const {
    for (const Json& step : steps_)
        out << step.dump() << " ";
}

void IdAction::apply(UserModel& model) const {
    if (!newId_.empty() &&
        std::find(model.apartmentIds.begin(), model.apartmentIds.end(), newId_) == model.apartmentIds.end())
        model.apartmentIds.push_back(newId_);
}

} // namespace RandomUsers
