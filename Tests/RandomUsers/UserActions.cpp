#include "UserActions.hpp"

#include "ActionKit.hpp"

namespace RandomUsers {

rc::Gen<std::shared_ptr<const UserAction>> GenUserAction(const UserModel& model) {
    // Edits most often, the add-on's own commands next, what surrounds the user's work least.
    return rc::gen::weightedOneOf<std::shared_ptr<const UserAction>>(
        {{8, GenEditAction(model)}, {6, GenStampAction(model)}, {3, GenSurroundingAction(model)}});
}

} // namespace RandomUsers
