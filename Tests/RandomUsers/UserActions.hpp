#ifndef ZARIMARK_TESTS_RANDOMUSERS_USERACTIONS_HPP
#define ZARIMARK_TESTS_RANDOMUSERS_USERACTIONS_HPP

#include <memory>

#include <rapidcheck.h>
#include <rapidcheck/state.h>

#include "ScenarioPlayer.hpp"
#include "UserModel.hpp"

namespace RandomUsers {

// One thing a user does, as one or a few scenario steps.
using UserAction = rc::state::Command<UserModel, ScenarioPlayer>;

// Room and stamp edits, copies, moves, deletions, the create command, label placement with the
// dialog, the palette's buttons, undo, reservations by another member, locks, layers, grouping,
// and host faults; answers to the alerts that may come, reservations granted or declined.
rc::Gen<std::shared_ptr<const UserAction>> GenUserAction(const UserModel& model);

} // namespace RandomUsers

#endif
