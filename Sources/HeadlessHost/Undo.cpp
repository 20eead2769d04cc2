#include <algorithm>

#include "HeadlessHost/InMemoryInternals.hpp"

// Undoable commands: a snapshot of the project before the command, restored by Undo.

namespace Headless {

GSErrCode InMemoryHost::HostCallUndoableCommand(const GS::UniString& undoString,
                                                const UndoableCommand& command) {
    return RunOperation([&]() -> GSErrCode {
        if (!command)
            return APIERR_BADPARS;
        if (undoableDepth_ > 0)
            return addOn_.CallIntoAddOn(command); // part of the step under way
        ProjectModel before = project_;
        ++undoableDepth_;
        const GSErrCode result = addOn_.CallIntoAddOn(command);
        --undoableDepth_;
        // A failing command keeps what it changed before the failure; the step is recorded all the same.
        UndoStep step;
        step.name = undoString;
        step.result = result;
        undoSteps_.push_back(step);
        undoSnapshots_.emplace_back(std::move(before));
        return result;
    });
}

bool InMemoryHost::Undo() {
    for (std::size_t i = undoSteps_.size(); i-- > 0;) {
        if (undoSteps_[i].undone)
            continue;
        project_ = std::move(*undoSnapshots_[i]);
        undoSnapshots_[i].reset();
        undoSteps_[i].undone = true;
        deleted_.clear();
        selection_.erase(
            std::remove_if(selection_.begin(), selection_.end(),
                           [&](const API_Neig& neig) { return project_.Find(neig.guid) == nullptr; }),
            selection_.end());
        return true;
    }
    return false;
}

} // namespace Headless
