#ifndef ZARIMARK_TESTS_RANDOMUSERS_ACTIONKIT_HPP
#define ZARIMARK_TESTS_RANDOMUSERS_ACTIONKIT_HPP

#include <memory>
#include <string>
#include <vector>

#include "RandomChoice.hpp"
#include "UserActions.hpp"

// What the user actions are made of: each is one or a few scenario steps, with elements named by
// picks that the player resolves among the live elements when the step is played.
namespace RandomUsers {

// A live element of that kind, chosen when the step is played.
Json Pick(const std::string& kind);
Json Offset();
// Answers to the alerts that may come: the reservation alerts granted a few times, then declined.
Json UserAnswers();
// An ID of the project, a new one or the empty one.
std::string ApartmentId(const UserModel& model);
// Named in ZM_RANDOM_USERS_LEAVE_OUT ("copy,undo"): the users do not take that action, so that a
// long run can look past a known problem while its fix is under way.
bool IsLeftOut(const std::string& action);

class StepsAction : public UserAction {
public:
    void checkPreconditions(const UserModel& model) const override;
    void run(const UserModel& model, ScenarioPlayer& player) const override;
    void show(std::ostream& out) const override;

protected:
    // What only the host can tell when the step is played; null leaves the step out.
    virtual Json Adjust(Json step, const ScenarioPlayer&) const { return step; }

    std::vector<Json> steps_;
};

// Remembers an apartment ID the step brings into the project.
class IdAction : public StepsAction {
public:
    void apply(UserModel& model) const override;

protected:
    std::string newId_;
};

// Room and stamp edits, moves, copies and deletions.
rc::Gen<std::shared_ptr<const UserAction>> GenEditAction(const UserModel& model);
// The create command, label placement, the palette's buttons and undo.
rc::Gen<std::shared_ptr<const UserAction>> GenStampAction(const UserModel& model);
// Host faults, another Teamwork member, locks, layers, grouping and the current story.
rc::Gen<std::shared_ptr<const UserAction>> GenSurroundingAction(const UserModel& model);

} // namespace RandomUsers

#endif
