#ifndef ADDON_CREATECOMMAND_HPP
#define ADDON_CREATECOMMAND_HPP

#include "AddOn/Zarimark/GuidSet.hpp"

namespace Zarimark {

// "Create Zarimark": one stamp per apartment of the selected rooms (of the current story's rooms
// when no room is selected), as one undoable step. Errors are shown with the command error alert
// and returned; a declined reservation is no error.
GSErrCode RunCreateCommand();

// The command without its reporting: the apartments of the selection, their rooms reserved, the
// undoable step run. The step fills roomSet with inconsistent rooms and stampSet with stamps
// showing them.
GSErrCode CreateStampsForSelection(GuidSet& roomSet, GuidSet& stampSet);

} // namespace Zarimark

#endif
