#ifndef ZARIMARK_TESTS_RANDOMUSERS_RANDOMPROJECT_HPP
#define ZARIMARK_TESTS_RANDOMUSERS_RANDOMPROJECT_HPP

#include <ostream>

#include <nlohmann/json.hpp>
#include <rapidcheck.h>

namespace RandomUsers {

using Json = nlohmann::ordered_json;

// A project as a user might open it, in the scenario format: stories, zone categories with gaps,
// rooms of a few apartments (some without apartment ID, some with contradicting areas), stamps
// that show their apartment as it stands, a wall, locks, groups, hidden or locked layers,
// Teamwork reservations and the label tool's settings.
struct Project {
    Json json;
};
rc::Gen<Project> GenProject();

// RapidCheck's own printing takes nlohmann's JSON for a container and fails on it.
void showValue(const Project& project, std::ostream& out);

} // namespace RandomUsers

#endif
