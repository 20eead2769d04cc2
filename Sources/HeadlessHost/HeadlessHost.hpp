#ifndef HEADLESSHOST_HEADLESSHOST_HPP
#define HEADLESSHOST_HEADLESSHOST_HPP

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "HeadlessHost/AddOnSession.hpp"
#include "HeadlessHost/FaultInjectingHost.hpp"
#include "HeadlessHost/InMemoryHost.hpp"

namespace Headless {

// The headless host as tests and the scenario runner use it, made of its three parts: the
// in-memory host (project, operations, batches), a fault-injecting wrapper around it (faults and
// the call log) and the add-on session (module, registrations, calls into the add-on).
//
// As a HostInterface it is the host the add-on sees: its operations go through the wrapper, so
// they are logged and can be made to fail, whoever calls them. Inspection that must stay out of
// the log and clear of faults uses GetInMemoryHost(). Docs/headless-host.md describes the
// semantics callers can rely on.
class HeadlessHost : public HostInterface {
public:
    HeadlessHost();
    ~HeadlessHost() override; // unloads a loaded module (ReleaseAddOn first)

    HeadlessHost(const HeadlessHost&) = delete;
    HeadlessHost& operator=(const HeadlessHost&) = delete;

    // ---- The parts ----------------------------------------------------------------------------
    InMemoryHost& GetInMemoryHost() { return memory_; }
    const InMemoryHost& GetInMemoryHost() const { return memory_; }
    FaultInjectingHost& GetOperations() { return operations_; }
    AddOnSession& GetSession() { return session_; }
    const AddOnSession& GetSession() const { return session_; }

    // ---- Module loading (the session; the module gets the wrapper as its operation table) -----
    bool LoadAddOn(const std::string& path, std::string* error) {
        return session_.Load(path, operations_, error);
    }
    void UnloadAddOn() { session_.Unload(); }
    bool IsAddOnLoaded() const { return session_.IsLoaded(); }
    const AddOnDescription& GetAddOnDescription() const { return session_.GetDescription(); }
    GSErrCode GetReleaseResult() const { return session_.GetReleaseResult(); }
    void SetOwnResourceModule(GSResModule module) { session_.SetResourceModule(module); }

    // ---- Project setup (the in-memory host) ----------------------------------------------------
    void ClearProject() { memory_.ClearProject(); }
    void SetStories(const std::vector<Story>& stories) { memory_.SetStories(stories); }
    API_AttributeIndex AddLayer(const std::string& name, Int16 flags = 0) {
        return memory_.AddLayer(name, flags);
    }
    API_AttributeIndex AddZoneCategory(const GS::UniString& code, const std::string& name) {
        return memory_.AddZoneCategory(code, name);
    }
    bool AddZoneCategoryAt(API_AttributeIndex index, const GS::UniString& code, const std::string& name) {
        return memory_.AddZoneCategoryAt(index, code, name);
    }
    API_AttributeIndex AddLayerCombination(const std::string& name,
                                           const std::map<API_AttributeIndex, Int16>& layerFlags) {
        return memory_.AddLayerCombination(name, layerFlags);
    }
    API_Guid AddZone(const ZoneDesc& desc, std::string* error = nullptr) {
        return memory_.AddZone(desc, error);
    }
    API_Guid AddLabel(const LabelDesc& desc, std::string* error = nullptr) {
        return memory_.AddLabel(desc, error);
    }
    API_Guid AddWall(const WallDesc& desc, std::string* error = nullptr) {
        return memory_.AddWall(desc, error);
    }
    void SetObserved(const API_Guid& guid, bool observed) { memory_.SetObserved(guid, observed); }
    bool AddLink(const API_Guid& from, const API_Guid& to) { return memory_.AddLink(from, to); }
    API_Guid GroupElements(const std::vector<API_Guid>& guids) { return memory_.GroupElements(guids); }
    void SetLabelDefaults(const API_Element& element, const ParameterList& parameters) {
        memory_.SetLabelDefaults(element, parameters);
    }

    // ---- Library parts -------------------------------------------------------------------------
    Int32 AddLibraryPart(const LibPartDesc& desc) { return memory_.AddLibraryPart(desc); }
    Int32 AddBuiltInLibraryPart(const LibPartDesc& desc, Int64 fileResourceId) {
        return memory_.AddBuiltInLibraryPart(desc, fileResourceId);
    }
    const LibPartRecord* FindLibraryPart(Int32 index) const { return memory_.FindLibraryPart(index); }
    const LibPartRecord* FindLibraryPartByName(const GS::UniString& name) const {
        return memory_.FindLibraryPartByName(name);
    }
    const std::vector<LibPartRecord>& GetLibraryParts() const { return memory_.GetLibraryParts(); }
    int GetBuiltInLibraryRegistrationCount() const { return memory_.GetBuiltInLibraryRegistrationCount(); }
    const std::string& GetBuiltInLibraryError() const { return memory_.GetBuiltInLibraryError(); }

    // ---- User actions (the in-memory host; calls into the add-on: the session) -----------------
    void RunUserAction(const std::function<void()>& actions) { memory_.RunUserAction(actions); }
    // Runs `call` as one call from the host into the add-on (a palette button, a dialog):
    // changes the add-on makes inside are reported after it returned.
    void RunAddOnCall(const std::function<void()>& call);
    GSErrCode CreateZone(const ZoneDesc& desc, API_Guid* guid = nullptr) {
        return memory_.CreateZone(desc, guid);
    }
    GSErrCode CreateWall(const WallDesc& desc, API_Guid* guid = nullptr) {
        return memory_.CreateWall(desc, guid);
    }
    GSErrCode CreateLabel(const LabelDesc& desc, API_Guid* guid = nullptr) {
        return memory_.CreateLabel(desc, guid);
    }
    GSErrCode PlaceLabel(const LabelPlacement& placement, API_Guid* guid = nullptr) {
        return memory_.PlaceLabel(placement, guid);
    }
    GSErrCode CopyElement(const API_Guid& source, API_Coord offset, const std::string& name = {},
                          API_Guid* copy = nullptr) {
        return memory_.CopyElement(source, offset, name, copy);
    }
    GSErrCode MoveElement(const API_Guid& guid, API_Coord offset) {
        return memory_.MoveElement(guid, offset);
    }
    GSErrCode EditZonePolygon(const API_Guid& zone, const std::vector<API_Coord>& polygon) {
        return memory_.EditZonePolygon(zone, polygon);
    }
    GSErrCode ChangeZone(const API_Guid& zone, const ZoneChange& change) {
        return memory_.ChangeZone(zone, change);
    }
    GSErrCode SetElementParameters(const API_Guid& guid, const ParameterList& parameters) {
        return memory_.SetElementParameters(guid, parameters);
    }
    GSErrCode EditParameters(const API_Guid& guid, const ParameterList& values) {
        return memory_.EditParameters(guid, values);
    }
    GSErrCode ChangeLabelLibPart(const API_Guid& label, Int32 libInd) {
        return memory_.ChangeLabelLibPart(label, libInd);
    }
    GSErrCode DeleteElements(const std::vector<API_Guid>& guids) { return memory_.DeleteElements(guids); }
    GSErrCode UngroupElements(const std::vector<API_Guid>& guids) { return memory_.UngroupElements(guids); }
    GSErrCode SendElementEvent(const API_Guid& guid, Int32 code) {
        return memory_.SendElementEvent(guid, code);
    }
    void SetUserEventsReported(bool on) { memory_.SetUserEventsReported(on); }
    bool AreUserEventsReported() const { return memory_.AreUserEventsReported(); }

    void SetSelection(const std::vector<API_Guid>& guids) { memory_.SetSelection(guids); }
    void ClearSelection() { memory_.ClearSelection(); }
    const std::vector<API_Neig>& GetSelection() const { return memory_.GetSelection(); }
    bool SetCurrentStory(Int16 index) { return memory_.SetCurrentStory(index); }
    Int16 GetCurrentStory() const { return memory_.GetCurrentStory(); }
    bool SetLayerFlags(API_AttributeIndex layer, Int16 flags) { return memory_.SetLayerFlags(layer, flags); }
    bool ApplyLayerCombination(API_AttributeIndex index) { return memory_.ApplyLayerCombination(index); }
    bool DeleteLayer(API_AttributeIndex layer) { return memory_.DeleteLayer(layer); }
    bool ChangeZoneCategory(API_AttributeIndex index, const GS::UniString& code, const std::string& name) {
        return memory_.ChangeZoneCategory(index, code, name);
    }
    bool DeleteZoneCategory(API_AttributeIndex index) { return memory_.DeleteZoneCategory(index); }
    bool SetElementLock(const API_Guid& guid, UInt16 lockId) { return memory_.SetElementLock(guid, lockId); }
    void SetSuspendGroups(bool on) { memory_.SetSuspendGroups(on); }
    bool IsSuspendGroups() const { return memory_.IsSuspendGroups(); }
    void SetTeamworkMode(bool on) { memory_.SetTeamworkMode(on); }
    bool IsTeamworkMode() const { return memory_.IsTeamworkMode(); }
    bool SetReservation(const API_Guid& guid, Reservation reservation) {
        return memory_.SetReservation(guid, reservation);
    }
    bool Undo() { return memory_.Undo(); }
    // Project events 1 (new) or 2 (open), as a call into the add-on.
    GSErrCode CreateOrOpenProject(bool open = true) {
        return session_.SendProjectEvent(open ? APINotify_Open : APINotify_New);
    }
    GSErrCode SendProjectEvent(Int32 eventCode) { return session_.SendProjectEvent(eventCode); }
    GSErrCode InvokeMenu(const GS::UniString& item, std::string* error = nullptr) {
        return session_.InvokeMenu(item, error);
    }
    GSErrCode InvokeMenu(Int16 menuResID, std::string* error = nullptr) {
        return session_.InvokeMenu(menuResID, error);
    }
    GSErrCode SendPaletteMessage(Int32 referenceID, Int32 messageID, bool* answer = nullptr) {
        return session_.SendPaletteMessage(referenceID, messageID, answer);
    }

    // ---- Inspection ----------------------------------------------------------------------------
    const ProjectModel& GetProject() const { return memory_.GetProject(); }
    const ElementRecord* FindElement(const API_Guid& guid) const { return memory_.FindElement(guid); }
    const ElementRecord* FindElementByName(const std::string& name) const {
        return memory_.FindElementByName(name);
    }
    std::string GetElementName(const API_Guid& guid) const { return memory_.GetElementName(guid); }
    std::vector<API_Guid> GetElements(Int32 typeID = 0) const { return memory_.GetElements(typeID); }
    const ElementRecord& GetLabelDefaults() const { return memory_.GetLabelDefaults(); }
    const std::vector<Story>& GetStories() const { return memory_.GetStories(); }
    const Layer* FindLayer(API_AttributeIndex index) const { return memory_.FindLayer(index); }
    const ZoneCategory* FindZoneCategory(API_AttributeIndex index) const {
        return memory_.FindZoneCategory(index);
    }
    API_AttributeIndex GetCurrentLayerCombination() const { return memory_.GetCurrentLayerCombination(); }
    GSErrCode CheckEditable(const ElementRecord& record) const { return memory_.CheckEditable(record); }

    const std::vector<DeliveredBatch>& GetDeliveredBatches() const { return memory_.GetDeliveredBatches(); }
    void ClearDeliveredBatches() { memory_.ClearDeliveredBatches(); }
    std::optional<BatchOrigin> GetDeliveringBatchOrigin() const { return memory_.GetDeliveringBatchOrigin(); }
    const std::vector<UndoStep>& GetUndoSteps() const { return memory_.GetUndoSteps(); }
    const std::vector<MenuRecord>& GetMenus() const { return session_.GetRegistrations().GetMenus(); }
    const std::vector<ModelessWindowRecord>& GetModelessWindows() const {
        return session_.GetRegistrations().GetWindows();
    }
    APIElementEventHandlerProc* GetElementObserverHandler() const {
        return session_.GetRegistrations().GetElementObserver();
    }
    const std::vector<NewElementHandlerRecord>& GetNewElementHandlers() const {
        return session_.GetRegistrations().GetNewElementHandlers();
    }
    APIProjectEventHandlerProc* GetProjectEventHandler() const {
        return session_.GetRegistrations().GetProjectEventHandler();
    }
    GSFlags GetProjectEventMask() const { return session_.GetRegistrations().GetProjectEventMask(); }

    Int64 GetOutstandingMemoCount() const { return memory_.GetOutstandingMemoCount(); }
    void ReleaseOutstandingMemos() { memory_.ReleaseOutstandingMemos(); }
    Int64 GetHandedOutMemoCount() const { return memory_.GetHandedOutMemoCount(); }
    // Outstanding memos the add-on gave back to HostDisposeElementMemo, which a fault stopped.
    Int64 GetReleaseAttemptedMemoCount() const { return memory_.GetReleaseAttemptedMemoCount(); }

    // What calls into the add-on left changed of the user's edit settings, and the element writes
    // with whether the element was outside the Teamwork workspace (the in-memory host).
    const std::vector<EditStateChange>& GetEditStateChanges() const { return memory_.GetEditStateChanges(); }
    void ClearEditStateChanges() { memory_.ClearEditStateChanges(); }
    const std::vector<ElementWrite>& GetElementWrites() const { return memory_.GetElementWrites(); }
    void ClearElementWrites() { memory_.ClearElementWrites(); }

    void SetEchoRoundLimit(int rounds) { memory_.SetEchoRoundLimit(rounds); }
    int GetEchoRoundLimit() const { return memory_.GetEchoRoundLimit(); }
    bool HasUpdateCycle() const { return memory_.HasUpdateCycle(); }
    int GetDroppedEchoEventCount() const { return memory_.GetDroppedEchoEventCount(); }
    void ClearUpdateCycle() { memory_.ClearUpdateCycle(); }
    const std::vector<std::string>& GetAddOnExceptions() const { return session_.GetExceptions(); }

    // ---- Preferences ---------------------------------------------------------------------------
    bool SetProfileFolder(const std::string& folder, std::string* error = nullptr) {
        return memory_.SetProfileFolder(folder, error);
    }
    const StoredPreferences& GetStoredPreferences() const { return memory_.GetStoredPreferences(); }
    void SetStoredPreferences(const StoredPreferences& preferences) {
        memory_.SetStoredPreferences(preferences);
    }

    // ---- Fault injection and call log (the wrapper) --------------------------------------------
    FaultInjector& GetFaults() { return operations_.GetFaults(); }
    // The n-th call (from now, counting from 1) of `operation` fails with `code`; with `repeat`
    // every call from the n-th on. False when the operation name is unknown.
    bool InjectFault(const std::string& operation, int n, GSErrCode code, bool repeat = false) {
        return GetFaults().Inject(operation, n, code, repeat);
    }
    void ClearFaults() { GetFaults().Clear(); }
    const std::vector<CallLogEntry>& GetCallLog() const { return operations_.GetCallLog().GetEntries(); }
    void ClearCallLog() { operations_.GetCallLog().Clear(); }
    void SetCallLogging(bool on) { operations_.GetCallLog().SetLogging(on); }

    // ---- Host operations: through the wrapper --------------------------------------------------
#define HOST_OPERATION(name, parameters, arguments, keys)                                                    \
    GSErrCode name parameters override {                                                                     \
        return operations_.name arguments;                                                                   \
    }
#define HOST_QUERY(type, name, parameters, arguments, answer, keys)                                          \
    type name parameters override {                                                                          \
        return operations_.name arguments;                                                                   \
    }
#include "Host/HostCatalogue.def"

private:
    // Declared in the order they depend on each other; the destructor unloads the add-on first.
    AddOnSession session_;
    InMemoryHost memory_;
    FaultInjectingHost operations_;
};

} // namespace Headless

#endif
