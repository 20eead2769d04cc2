#ifndef DG_UILOG_HPP
#define DG_UILOG_HPP

#include <cstddef>
#include <string>
#include <vector>

#include "GSRoot/Guid.hpp"
#include "GSRoot/UniString.hpp"
#include "RS/RS.hpp"

// Everything the dialog library showed to the user, in order, for the headless host's report.
namespace DG {

struct AlertRecord {
    GSResID id = 0; // 0 for the literal alerts
    bool resourceFound = true;
    RS::AlertKind kind = RS::AlertKind::Information;
    GS::UniString title; // the texts with their %s filled
    GS::UniString largeText;
    GS::UniString smallText;
    GS::UniString buttons[3]; // an empty text: no such button
    short defaultButton = 1;
    short answer = 0; // 1 to 3, the button taken
    bool answeredByDriver = false;
    short driverAnswer = 0; // what the driver gave, also when it was not a button of the alert
};

enum class UILogKind {
    Alert,
    DialogOpened,
    DialogClosed,
    PanelShown, // a palette or modeless dialog became visible
    PanelHidden,
    UsageError // the add-on used an item or panel wrongly; `message` says how
};

// How a modal dialog ended.
enum class DialogCloseReason {
    Accepted,       // a close request with the accepting response
    Cancelled,      // a close request with the cancelling response
    CloseBox,       // the user's close box
    DriverReturned, // the UI driver returned with the dialog still open
    NoDriver,       // no UI driver: cancelled at once
    NotLoaded,      // the dialog resource is missing; nothing was shown
    Aborted         // an exception left the dialog
};

struct UILogEntry {
    UILogKind kind = UILogKind::Alert;
    AlertRecord alert;     // Alert
    short panelId = 0;     // dialogs, modeless panels, usage errors (0: none)
    GS::UniString title;   // dialogs and modeless panels
    GS::Guid paletteGuid;  // palettes
    bool accepted = false; // DialogClosed
    DialogCloseReason reason = DialogCloseReason::Cancelled; // DialogClosed
    std::string message;                                     // UsageError
};

std::vector<UILogEntry> GetUILog();
std::size_t GetUILogSize(); // where the next entry will be
void ClearUILog();

namespace Detail {
void AppendUILog(UILogEntry entry);
void LogUsageError(short panelId, const std::string& message);
} // namespace Detail

} // namespace DG

#endif
