#include <algorithm>
#include <iterator>
#include <map>
#include <set>

#include "Scenario/ScenarioParsers.hpp"

namespace Scenario {

namespace {

// The groups and zone category indices of the project after each step, as far as the file tells
// them. An undo brings back a state the file does not show, so from then on nothing is judged and
// the run itself reports what cannot be done.
class ProjectState {
public:
    ProjectState(const ProjectDesc& project, Diagnostics& diagnostics) : diagnostics_(diagnostics) {
        for (const ElementDesc& element : project.elements)
            declared_.insert(element.Id());
        for (const std::vector<std::string>& group : project.groups)
            Group(group);
        for (const ZoneCategoryDesc& category : project.zoneCategories)
            TakeCategory(category.index);
    }

    void Play(const Action& action) {
        switch (action.kind) {
        case ActionKind::Group:
            Group(action.elements);
            break;
        case ActionKind::Ungroup:
            Ungroup(action);
            break;
        case ActionKind::Delete:
            for (const std::string& id : action.elements) {
                groupOf_.erase(id);
                gone_.insert(id);
            }
            break;
        case ActionKind::AddZoneCategory:
            AddCategory(action);
            break;
        case ActionKind::DeleteZoneCategory:
            categories_.erase(action.category.index);
            break;
        case ActionKind::Undo:
            known_ = false;
            break;
        case ActionKind::Batch:
            for (const Action& inner : action.batch)
                Play(inner);
            break;
        default:
            break;
        }
        if (!action.id.empty())
            declared_.insert(action.id); // a new element is in no group
    }

private:
    void Group(const std::vector<std::string>& ids) {
        const int group = nextGroup_++;
        for (const std::string& id : ids)
            groupOf_[id] = group;
    }

    void Ungroup(const Action& action) {
        std::set<int> dissolved;
        for (std::size_t i = 0; i < action.elements.size(); ++i) {
            const std::string& id = action.elements[i];
            const auto found = groupOf_.find(id);
            if (found != groupOf_.end())
                dissolved.insert(found->second);
            else if (known_ && declared_.count(id) != 0 && gone_.count(id) == 0)
                diagnostics_.Add(IndexPath(KeyPath(action.path, "elements"), i),
                                 "\"" + id + "\" is in no group at this step");
        }
        for (auto entry = groupOf_.begin(); entry != groupOf_.end();)
            entry = dissolved.count(entry->second) != 0 ? groupOf_.erase(entry) : std::next(entry);
    }

    void AddCategory(const Action& action) {
        const std::int32_t given = action.category.index;
        if (given != 0 && known_ && categories_.count(given) != 0)
            diagnostics_.Add(KeyPath(action.path, "index"),
                             "the zone category index " + std::to_string(given) + " is in use at this step");
        TakeCategory(given != 0 ? given : nextCategory_);
    }

    void TakeCategory(std::int32_t index) {
        categories_.insert(index);
        nextCategory_ = std::max(nextCategory_, index + 1);
    }

    Diagnostics& diagnostics_;
    bool known_ = true;
    std::set<std::string> declared_;
    std::set<std::string> gone_;
    std::map<std::string, int> groupOf_;
    int nextGroup_ = 1;
    std::set<std::int32_t> categories_;
    std::int32_t nextCategory_ = 1; // indices are never reused
};

} // namespace

void CheckGroupsAndCategories(const Scenario& scenario, Diagnostics& diagnostics) {
    ProjectState state(scenario.project, diagnostics);
    for (const Step& step : scenario.steps)
        state.Play(step.action);
}

} // namespace Scenario
