#ifndef HEADLESSHOST_HOSTACTIVITY_HPP
#define HEADLESSHOST_HOSTACTIVITY_HPP

#include <string>
#include <vector>

#include "GSRoot/UniString.hpp"
#include "Host/HostRecords.hpp"

namespace Headless {

// What the host did and what the add-on registered, as tests and the runner read it.

enum class BatchOrigin {
    User,      // a user action (or several in one RunUserAction)
    AddOnEcho, // the add-on's own changes, reported after its call returned
};

struct DeliveredEvent {
    Int32 code = 0;   // -1, -2 or an element event code
    Int32 typeID = 0; // 0 for the batch codes
    API_Guid guid;
    std::string elementName;
    bool toNewElementHandler = false; // code 1 through ACAPI_Notify_CatchNewElement
    GSErrCode result = NoError;       // what the handler returned
};

struct DeliveredBatch {
    BatchOrigin origin = BatchOrigin::User;
    int round = 0;                      // echo batches: 1, 2, ... after one user action or add-on call
    std::vector<DeliveredEvent> events; // including -1 first and -2 last
};

struct UndoStep {
    GS::UniString name;
    GSErrCode result = NoError; // what the command returned
    bool undone = false;
};

struct MenuRecord {
    Int16 menuResID = 0;
    Int16 promptResID = 0;
    Int32 position = 0; // MenuCode_UserDef, MenuCode_Palettes, ...
    GSFlags flags = 0;
    GS::UniString itemText; // item 1 of the add-on's string list menuResID; empty when missing
    APIMenuCommandProc* handler = nullptr;
};

struct ModelessWindowRecord {
    Int32 referenceID = 0;
    APIPaletteControlCallBackProc* callback = nullptr;
    GSFlags controlFlags = 0;
    API_Guid paletteGuid;
};

struct NewElementHandlerRecord {
    API_ElemType type;
    APIElementEventHandlerProc* handler = nullptr;
};

// The preference block the host keeps for the add-on, with the writer's platform sign.
struct StoredPreferences {
    bool present = false;
    Int32 version = 0;
    std::vector<unsigned char> data;
    UInt16 platformSign = 0;
};

// Something of the user's edit settings that a call into the add-on changed and did not put back:
// what ("layer \"Labels\"", "layer combination", "lock of \"stamp-1\"", "group suspension") and
// its state before and after the call.
struct EditStateChange {
    enum class Setting { Layer, LayerCombination, Lock, GroupSuspension };
    Setting setting = Setting::Layer;
    std::string what;
    std::string before;
    std::string after;
};

// A successful change of an element through a host operation: HostChangeElement,
// HostDeleteElements or HostLinkElements (one entry for each end of the link).
struct ElementWrite {
    std::string operation;
    API_Guid element;
    std::string elementName; // as it was named then
    // In a Teamwork project: the element was not in the user's workspace when the write log was
    // last cleared, or was brought into it by HostReserveElements since.
    bool outsideWorkspace = false;
};

// What DescribeAddOn told about the add-on.
struct AddOnDescription {
    Int32 addOnType = APIAddon_Unknown;
    GS::UniString name;
    GS::UniString description;
};

} // namespace Headless

#endif
