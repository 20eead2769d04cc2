#ifndef HEADLESSHOST_INMEMORYHOST_HPP
#define HEADLESSHOST_INMEMORYHOST_HPP

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "HeadlessHost/AddOnSide.hpp"
#include "HeadlessHost/EditState.hpp"
#include "HeadlessHost/ElementDescs.hpp"
#include "HeadlessHost/HostActivity.hpp"
#include "HeadlessHost/ProjectModel.hpp"
#include "Host/HostInterface.hpp"

namespace Headless {

// The host itself, in memory: the project, every host operation over it, the user's actions and
// the batches of element events that report them. What the add-on registers and the calls into
// it go through its AddOnSide. It neither logs nor fails on purpose: a FaultInjectingHost
// wrapped around it does. Docs/headless-host.md describes the semantics callers can rely on.
//
// Element events: every user action is one batch (-1, its events, -2), opened only when it has an
// event to report. Changes the add-on makes while the host is inside a call to it are queued and
// reported after the outermost call returned, as batches of their own, at most
// GetEchoRoundLimit() rounds; past that the host drops the queue and reports an update cycle.
class InMemoryHost : public HostInterface, public AddOnCallListener {
public:
    explicit InMemoryHost(AddOnSide& addOn);
    // Frees what is still handed out: a memo whose release failed is the host's to free.
    ~InMemoryHost() override;

    InMemoryHost(const InMemoryHost&) = delete;
    InMemoryHost& operator=(const InMemoryHost&) = delete;

    // ---- Project setup (no events; the project's own elements, in file order) -------------
    // A new host has story 0 ("Ground Floor", level 0, current), layer 1 ("Archicad Layer",
    // flags 0), no zone category, no library part, and label defaults on layer 1 with no part.
    void ClearProject(); // no story, layer, category, element, combination; selection cleared
    void SetStories(const std::vector<Story>& stories); // sorted by index; current story kept if present
    API_AttributeIndex AddLayer(const std::string& name, Int16 flags = 0);
    API_AttributeIndex AddZoneCategory(const GS::UniString& code, const std::string& name);
    // At that index: one above the next free leaves a gap, a deleted one is taken again;
    // false when a category has it.
    bool AddZoneCategoryAt(API_AttributeIndex index, const GS::UniString& code, const std::string& name);
    // Index of the new combination, from 1. It holds every layer: those not in `layerFlags` with
    // their flags now; a layer added later joins it with its own.
    API_AttributeIndex AddLayerCombination(const std::string& name,
                                           const std::map<API_AttributeIndex, Int16>& layerFlags);
    // Element GUIDs are deterministic: serial number and a fixed seed. Bad input (unknown story,
    // layer, library part or parent) gives a null GUID and the reason in *error.
    API_Guid AddZone(const ZoneDesc& desc, std::string* error = nullptr);
    API_Guid AddLabel(const LabelDesc& desc, std::string* error = nullptr);
    API_Guid AddWall(const WallDesc& desc, std::string* error = nullptr);
    // Marks elements observed as if the add-on had attached its observer (a saved project).
    void SetObserved(const API_Guid& guid, bool observed);
    // A link as if the add-on had made it; false when an element is missing.
    bool AddLink(const API_Guid& from, const API_Guid& to);
    // A new group GUID for all; also the user's grouping, which the host reports to no one.
    API_Guid GroupElements(const std::vector<API_Guid>& guids);
    void SetLabelDefaults(const API_Element& element, const ParameterList& parameters);

    // ---- Library parts ----------------------------------------------------------------------
    Int32 AddLibraryPart(const LibPartDesc& desc); // index from 1
    // A built-in part read from the FILE resource `fileResourceId` of the add-on's module.
    Int32 AddBuiltInLibraryPart(const LibPartDesc& desc, Int64 fileResourceId);
    const LibPartRecord* FindLibraryPart(Int32 index) const;
    const LibPartRecord* FindLibraryPartByName(const GS::UniString& name) const;
    const std::vector<LibPartRecord>& GetLibraryParts() const { return libParts_; }
    int GetBuiltInLibraryRegistrationCount() const { return builtInLibraryRegistrations_; }
    // Why the last ACAPI_Register_BuiltInLibrary failed (which resource, where, what); empty after
    // a successful one. A refused library registers none of its parts.
    const std::string& GetBuiltInLibraryError() const { return builtInLibraryError_; }

    // ---- User actions (each its own batch unless inside RunUserAction) -----------------------
    // Changes and deletions are refused as HostChangeElement refuses them (CheckEditable); a
    // refused action changes nothing and reports nothing. Unknown elements: 0x8106012E; bad
    // input (unknown story, layer, library part, a zone expected): APIERR_BADPARS.
    // Runs `actions` as one user action: one batch whose events come in the order of the
    // changes, each delivered right after its change. The add-on's changes made while handling
    // them are reported after the batch closed. Nested calls join the outer batch.
    void RunUserAction(const std::function<void()>& actions);

    // Creation: code 1 to the new-element handler of the type. The user's elements are
    // reserved by this user.
    GSErrCode CreateZone(const ZoneDesc& desc, API_Guid* guid = nullptr);
    GSErrCode CreateWall(const WallDesc& desc, API_Guid* guid = nullptr);
    GSErrCode CreateLabel(const LabelDesc& desc, API_Guid* guid = nullptr);
    // The label tool: defaults of SetLabelDefaults, current story, parent = the clicked zone.
    GSErrCode PlaceLabel(const LabelPlacement& placement, API_Guid* guid = nullptr);
    // A copy moved by `offset`: code 2 on the copy when the source is observed (the parent is
    // the source), else code 1 (a new element). The copy has no links and no observer.
    GSErrCode CopyElement(const API_Guid& source, API_Coord offset, const std::string& name = {},
                          API_Guid* copy = nullptr);
    // Code 4 (parent: the state before).
    GSErrCode MoveElement(const API_Guid& guid, API_Coord offset);
    GSErrCode EditZonePolygon(const API_Guid& zone, const std::vector<API_Coord>& polygon);
    // Code 3 (parent: the state before, with its parameters).
    GSErrCode ChangeZone(const API_Guid& zone, const ZoneChange& change);
    GSErrCode SetElementParameters(const API_Guid& guid, const ParameterList& parameters);
    // Replaces the values of the named parameters only (others stay); unknown names are appended.
    GSErrCode EditParameters(const API_Guid& guid, const ParameterList& values);
    // Another library part: keeps the values of parameters the new part also declares.
    GSErrCode ChangeLabelLibPart(const API_Guid& label, Int32 libInd);
    // Code 5 for observed elements; all or nothing.
    GSErrCode DeleteElements(const std::vector<API_Guid>& guids);
    // Any element event code, e.g. 13, reported for an observed element.
    GSErrCode SendElementEvent(const API_Guid& guid, Int32 code);
    // Dissolves the groups of the elements, all or nothing, reporting no event (as grouping):
    // unknown elements 0x8106012E, an element in no group APIERR_BADPARS.
    GSErrCode UngroupElements(const std::vector<API_Guid>& guids);
    // Off: the user's actions change the project without telling the add-on, as a host that
    // skipped a notification would; the add-on's own changes are reported as always.
    void SetUserEventsReported(bool on) { userEventsReported_ = on; }
    bool AreUserEventsReported() const { return userEventsReported_; }

    // View and project state (no element events).
    void SetSelection(const std::vector<API_Guid>& guids); // neig IDs by element type
    void ClearSelection() { selection_.clear(); }
    const std::vector<API_Neig>& GetSelection() const { return selection_; }
    bool SetCurrentStory(Int16 index); // false: no such story
    Int16 GetCurrentStory() const { return currentStory_; }
    bool SetLayerFlags(API_AttributeIndex layer, Int16 flags); // current combination becomes 0
    bool ApplyLayerCombination(API_AttributeIndex index);      // as HostSetLayerCombination
    bool DeleteLayer(API_AttributeIndex layer);                // false while a live element is on it
    bool ChangeZoneCategory(API_AttributeIndex index, const GS::UniString& code, const std::string& name);
    bool DeleteZoneCategory(API_AttributeIndex index); // leaves a gap
    bool SetElementLock(const API_Guid& guid, UInt16 lockId);
    void SetSuspendGroups(bool on) { suspendGroups_ = on; }
    bool IsSuspendGroups() const { return suspendGroups_; }
    void SetTeamworkMode(bool on) { teamwork_ = on; }
    bool IsTeamworkMode() const { return teamwork_; }
    // OtherMember: HostReserveElements leaves the element unreserved (partial success).
    bool SetReservation(const API_Guid& guid, Reservation reservation);
    bool Undo(); // restores the state before the last step not yet undone; false: none

    // ---- Inspection -------------------------------------------------------------------------
    const ProjectModel& GetProject() const { return project_; }
    const ElementRecord* FindElement(const API_Guid& guid) const; // live elements
    const ElementRecord* FindElementByName(const std::string& name) const;
    // Name, else the GUID text; deleted elements keep their name until their deletion is reported.
    std::string GetElementName(const API_Guid& guid) const;
    std::vector<API_Guid> GetElements(Int32 typeID = 0) const; // creation order; 0: all types
    const ElementRecord& GetLabelDefaults() const { return labelDefaults_; }
    const std::vector<Story>& GetStories() const { return project_.stories; }
    const Layer* FindLayer(API_AttributeIndex index) const { return project_.layers.Find(index); }
    const ZoneCategory* FindZoneCategory(API_AttributeIndex index) const;
    API_AttributeIndex GetCurrentLayerCombination() const { return project_.currentLayerCombination; }

    const std::vector<DeliveredBatch>& GetDeliveredBatches() const { return batches_; }
    void ClearDeliveredBatches() { batches_.clear(); }
    // The origin of the batch whose handler is running now; none outside element event handlers.
    std::optional<BatchOrigin> GetDeliveringBatchOrigin() const { return deliveringOrigin_; }
    const std::vector<UndoStep>& GetUndoSteps() const { return undoSteps_; }

    // Memo accounting: parameter handles handed out (GetElementMemo, GetElementDefaults,
    // GetParentElement, GetLibPartParams) and not yet given back to HostDisposeElementMemo.
    Int64 GetOutstandingMemoCount() const { return static_cast<Int64>(outstandingMemos_.size()); }
    // Frees the memos still handed out, for a test that made their release fail on purpose.
    void ReleaseOutstandingMemos();
    Int64 GetHandedOutMemoCount() const { return memosHandedOut_; }
    // A release of `memo` the add-on asked for that never reached this host (a fault made it
    // fail): the memo stays handed out, but is counted as given back by the add-on.
    void NoteReleaseAttempt(const API_ElementMemo& memo);
    Int64 GetReleaseAttemptedMemoCount() const;

    // The user's edit settings (layer flags, layer combination, element locks, group suspension)
    // that a call into the add-on left changed, compared when the outermost call returned with
    // what they were when it began; in the order found.
    const std::vector<EditStateChange>& GetEditStateChanges() const { return editStateChanges_; }
    void ClearEditStateChanges() { editStateChanges_.clear(); }

    // Every successful element write through the host operations, in call order. Clearing also
    // starts a new workspace watch: what HostReserveElements brings into the workspace from then
    // on counts as outside it.
    const std::vector<ElementWrite>& GetElementWrites() const { return elementWrites_; }
    void ClearElementWrites();

    // Echo bound and update cycle.
    void SetEchoRoundLimit(int rounds) { echoRoundLimit_ = rounds; }
    int GetEchoRoundLimit() const { return echoRoundLimit_; }
    bool HasUpdateCycle() const { return updateCycle_; }
    int GetDroppedEchoEventCount() const { return droppedEchoEvents_; }
    void ClearUpdateCycle();

    // ---- Preferences ------------------------------------------------------------------------
    // The host profile folder: the block is read from and written to a file in it
    // ("addon-preferences.json"). Empty: memory only. False with a reason when the stored file
    // is unreadable; the folder is then not used, so nothing of it is overwritten.
    bool SetProfileFolder(const std::string& folder, std::string* error = nullptr);
    const StoredPreferences& GetStoredPreferences() const { return preferences_; }
    // As if written by another host (e.g. with GS::Mac_Platform_Sign); saved to the profile.
    void SetStoredPreferences(const StoredPreferences& preferences);

    // ---- Host operations (declared from the catalogue; bodies in the operation files) --------
#define HOST_OPERATION(name, parameters, arguments, keys) GSErrCode name parameters override;
#define HOST_QUERY(type, name, parameters, arguments, answer, keys) type name parameters override;
#include "Host/HostCatalogue.def"

    // Why the add-on's change of an element would be refused, in this order: element locked
    // 0x8106012F, layer hidden 0x81060130, layer locked 0x81060132, outside the Teamwork
    // workspace 0x81060068, grouped while groups are not suspended 0x810600CF; 0 when editable.
    GSErrCode CheckEditable(const ElementRecord& record) const;

    // ---- Calls into the add-on --------------------------------------------------------------
    void AddOnCallBegins() override;
    void AddOnCallEnded() override; // reports the add-on's changes once the outermost call ended

private:
    // One element event waiting for its batch.
    enum class EventKind { New, Copy, Change, Edit, Delete, Raw };
    struct PendingEvent {
        EventKind kind = EventKind::New;
        API_Guid guid;
        Int32 rawCode = 0;
        std::optional<ElementRecord> parent; // state before the change, or the copy's source
    };
    // Deleted elements stay readable (links, parameters) until the batch that reports the
    // deletion has closed, or until the end of the operation when nothing reports it.
    struct DeletedElement {
        ElementRecord record;
        bool reportPending = false; // queued for an echo batch
        bool reported = false;      // delivered in the batch now open
    };

    // Setup (Setup.cpp, ElementBuild.cpp).
    void ResetToDefaults();
    API_Guid NextGuid();
    std::string NextName(const ElementRecord& record);
    bool CheckPlacement(Int16 story, API_AttributeIndex layer, std::string* error) const;
    bool BuildZone(const ZoneDesc& desc, ElementRecord* record, std::string* error) const;
    bool BuildLabel(const LabelDesc& desc, ElementRecord* record, std::string* error) const;
    bool BuildWall(const WallDesc& desc, ElementRecord* record, std::string* error) const;
    bool BuildPlacedLabel(const LabelPlacement& placement, ElementRecord* record) const;
    ParameterList PartDefaults(Int32 libInd) const;
    ElementRecord& InsertNew(ElementRecord record, const std::string& name);
    bool IsBuiltInPart(Int32 libInd) const;

    // Elements (Elements.cpp, ElementChanges.cpp).
    ElementRecord* FindLive(const API_Guid& guid) {
        return project_.Find(guid);
    }
    const ElementRecord* FindLive(const API_Guid& guid) const {
        return project_.Find(guid);
    }
    const ElementRecord* FindReadable(const API_Guid& guid) const; // live, or deleted and not purged
    ElementRecord* FindReadable(const API_Guid& guid);
    GSErrCode ApplyChangedFields(ElementRecord& record, const API_Element& element, const API_Element* mask);
    void SetLibPart(ElementRecord& record, Int32 libInd);
    // The distinct elements of a deletion, in order; all or nothing: each must exist and be editable.
    GSErrCode CheckDeletion(const std::vector<API_Guid>& guids, std::vector<API_Guid>* unique) const;
    void DeleteElement(const API_Guid& guid);
    bool PassesFilter(const ElementRecord& record, API_ElemFilterFlags filterBits) const;
    GSErrCode CreateFromRecord(ElementRecord record, const std::string& name, API_Guid* guid);
    // Edits a live, editable element; a refused edit leaves it as it was. `before` gets the old state.
    GSErrCode EditElement(const API_Guid& guid, const std::function<GSErrCode(ElementRecord&)>& edit,
                          ElementRecord* before);
    GSErrCode ChangeAsUser(const API_Guid& guid, EventKind kind,
                           const std::function<GSErrCode(ElementRecord&)>& edit);

    // Memos (Memos.cpp).
    GSHandle HandOutParameters(const ParameterList& parameters);
    GSErrCode FillMemo(const ParameterList& parameters, API_ElementMemo* memo, UInt64 memoMask);

    // Events and batches (Events.cpp).
    void ReportEvent(PendingEvent event);
    void QueueEcho(PendingEvent event);
    void DeliverBatch(std::vector<PendingEvent> events, BatchOrigin origin, int round);
    void DeliverOne(DeliveredBatch& batch, const PendingEvent& event);
    void SendBatchCode(DeliveredBatch& batch, Int32 code);
    void CloseBatch(DeliveredBatch& batch);
    GSErrCode CallHandler(const DeliveredBatch& batch, APIElementEventHandlerProc* handler, Int32 code,
                          const API_Elem_Head& head);
    void FlushEchoes();
    void FlushIfTopLevel();
    void PurgeDeleted(bool onlyReported);
    template <typename Body>
    auto RunOperation(Body&& body); // InMemoryInternals.hpp

    // Attributes (Attributes.cpp).
    GSErrCode FindAttribute(Int16 typeID, API_AttributeIndex index, API_Attr_Head* header) const;
    void ApplyCombination(const LayerCombination& combination);

    // Teamwork.cpp: a write of the element by `operation`, for GetElementWrites.
    void RecordWrite(const char* operation, const API_Guid& guid);

    // Preferences (Preferences.cpp).
    bool LoadPreferencesFile(const std::string& folder, std::string* error);
    void SavePreferencesFile() const;

    // Built-in library (BuiltInLibrary.cpp): reads FLDR 128 and its FILE resources of the
    // add-on's resource module and adds the parts with AddBuiltInLibraryPart, all or none.
    GSErrCode RegisterBuiltInLibraryParts();

    AddOnSide& addOn_;

    ProjectModel project_;
    std::unordered_map<API_Guid, DeletedElement, GuidHasher> deleted_;
    Int16 currentStory_ = 0;
    std::vector<API_Neig> selection_;
    bool suspendGroups_ = false;
    bool teamwork_ = false;
    ElementRecord labelDefaults_;
    std::vector<LibPartRecord> libParts_;
    int builtInLibraryRegistrations_ = 0;
    std::string builtInLibraryError_;
    UInt64 nextSerial_ = 1;
    UInt32 nextGuidNumber_ = 1;
    std::map<std::string, int> nameCounters_;
    std::unordered_set<std::string> usedNames_;

    // Calls into the add-on and batches.
    int addOnCallDepth_ = 0;
    bool userEventsReported_ = true;
    int userActionDepth_ = 0;
    bool flushing_ = false;
    std::optional<DeliveredBatch> userBatch_;
    std::vector<PendingEvent> echoQueue_;
    const PendingEvent* currentEvent_ = nullptr;
    std::optional<BatchOrigin> deliveringOrigin_;
    std::vector<DeliveredBatch> batches_;
    int echoRoundLimit_ = 8;
    bool updateCycle_ = false;
    int droppedEchoEvents_ = 0;

    // Memos handed out and not yet disposed.
    std::unordered_map<GSHandle, int> outstandingMemos_;
    std::unordered_set<GSHandle> releaseAttempted_;
    Int64 memosHandedOut_ = 0;

    // What the outermost call into the add-on found, and what the calls left changed.
    EditState editStateAtCall_;
    std::vector<EditStateChange> editStateChanges_;
    std::vector<ElementWrite> elementWrites_;
    std::unordered_set<API_Guid, GuidHasher> reservedByAddOn_; // since the write log was cleared

    std::vector<UndoStep> undoSteps_;
    std::vector<std::optional<ProjectModel>> undoSnapshots_; // parallel to undoSteps_
    int undoableDepth_ = 0;

    StoredPreferences preferences_;
    std::string profileFolder_;
};

} // namespace Headless

#endif
