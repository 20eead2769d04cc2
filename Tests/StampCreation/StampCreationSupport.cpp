#include "StampCreationSupport.hpp"

#include <algorithm>
#include <stdexcept>

#include "AddOn/CheckPalette.hpp"
#include "AddOn/FrameState.hpp"
#include "AddOn/Registration.hpp"
#include "DG/ListBox.hpp"
#include "GSRoot/MemoryHandle.hpp"
#include "Host/AddOnLoading.hpp"
#include "Host/HostOperations.hpp"
#include "ResourceIds.hpp"
#include "StampTestSupport.hpp"

using namespace Zarimark;

void ScriptedUser::Answer(GSResID alertId, std::vector<short> answers) {
    answers_[alertId].insert(answers_[alertId].end(), answers.begin(), answers.end());
}

short ScriptedUser::AnswerAlert(const DG::AlertRecord& alert) {
    if (onAlert)
        onAlert(alert);
    std::deque<short>& queue = answers_[alert.id];
    if (queue.empty())
        return alert.id == ZM_ALERT_ROOMS_NOT_RESERVED || alert.id == ZM_ALERT_STAMPS_NOT_RESERVED ? 2 : 1;
    const short answer = queue.front();
    queue.pop_front();
    return answer;
}

void ScriptedUser::RunModalDialog(DG::ModalDialog& modal) {
    if (dialog)
        dialog(modal);
}

void ExpectSameEditAccess(const EditAccessState& before, const EditAccessState& after) {
    EXPECT_EQ(before.layerFlags, after.layerFlags);
    EXPECT_EQ(before.layerCombination, after.layerCombination);
    EXPECT_EQ(before.groupsSuspended, after.groupsSuspended);
    for (const auto& lock : before.locks) {
        const auto now = after.locks.find(lock.first);
        if (now != after.locks.end()) {
            EXPECT_EQ(lock.second, now->second) << lock.first;
        }
    }
}

CreationProject::CreationProject() {
    host.SetOwnResourceModule(CompiledResourceModule());
    EXPECT_EQ(FrameState::AcceptHostOperations(&host, HostOperationCount, &hostToken_), NoError);
    EXPECT_EQ(RegisterMenusAndLibrary(), NoError) << host.GetBuiltInLibraryError();
    EXPECT_EQ(InstallHandlers(), NoError);
    const Headless::LibPartRecord* stampPart = host.FindLibraryPartByName("Zarimark.gsm");
    if (stampPart == nullptr)
        throw std::runtime_error("no stamp part");
    stampLibInd = stampPart->index;
    host.SetStories({{0, GS::UniString("Ground Floor"), 0.0}, {1, GS::UniString("First Floor"), 3.0}});
    for (int i = 1; i <= 7; ++i)
        host.AddZoneCategory(GS::UniString("C" + std::to_string(i)), "Category " + std::to_string(i));
    SetLabelTool([](API_Element&, Headless::ParameterList&) {});
    ClearLogs();
    liveHandlesAtStart_ = BMGetLiveHandleCount();
}

CreationProject::~CreationProject() {
    CheckPalette::DestroyInstance();
    FrameState::ClearHostToken();
    Host::SetCurrentHost(nullptr);
}

API_Guid CreationProject::Room(const std::string& name, const RoomPlan& plan) {
    ++roomCount_;
    Headless::ZoneDesc desc;
    desc.name = name;
    desc.story = plan.story;
    desc.number = GS::UniString(plan.number != nullptr ? plan.number : std::to_string(roomCount_).c_str());
    desc.roomName = GS::UniString(name);
    desc.category = plan.category;
    desc.position = {static_cast<double>(roomCount_), 2.0 * roomCount_};
    desc.areas = {plan.areas.a, plan.areas.b, plan.areas.c, plan.areas.d, plan.areas.e};
    if (plan.apartmentId != nullptr)
        desc.parameters.push_back(Headless::Parameter::Text("stApartmentId", plan.apartmentId));
    std::string error;
    const API_Guid room = host.AddZone(desc, &error);
    EXPECT_NE(room, APINULLGuid) << error;
    host.SetObserved(room, true);
    return room;
}

API_Guid CreationProject::Stamp(const std::string& name, const char* apartmentId,
                                const std::vector<API_Guid>& rooms, UInt16 lockId,
                                const Headless::ParameterList& values, API_AttributeIndex layer) {
    Headless::LabelDesc desc;
    desc.name = name;
    desc.libInd = stampLibInd;
    desc.begC = desc.midC = desc.endC = {50.0, 50.0};
    desc.lockId = lockId;
    desc.layer = layer;
    desc.parameters = values;
    desc.parameters.push_back(Headless::Parameter::Text("zm_apartmentId", apartmentId));
    std::string error;
    const API_Guid stamp = host.AddLabel(desc, &error);
    EXPECT_NE(stamp, APINULLGuid) << error;
    host.SetObserved(stamp, true);
    for (const API_Guid& room : rooms) {
        EXPECT_TRUE(host.AddLink(room, stamp));
        EXPECT_TRUE(host.AddLink(stamp, room));
    }
    return stamp;
}

API_Guid CreationProject::Wall(const std::string& name) {
    Headless::WallDesc desc;
    desc.name = name;
    desc.endC = {5.0, 0.0};
    return host.AddWall(desc);
}

Headless::ParameterList CreationProject::StampPartDefaults() const {
    return host.FindLibraryPart(stampLibInd)->desc.parameters;
}

void CreationProject::SetLabelTool(const std::function<void(API_Element&, Headless::ParameterList&)>& edit) {
    API_Element element;
    element.header.type.typeID = API_LabelID;
    element.header.layer = 1;
    element.label.libInd = stampLibInd;
    Headless::ParameterList parameters = StampPartDefaults();
    edit(element, parameters);
    host.SetLabelDefaults(element, parameters);
}

void CreationProject::ClearLogs() {
    host.ClearCallLog();
    host.ClearDeliveredBatches();
    DG::ClearUILog();
}

GSErrCode CreationProject::CreateCommand() {
    std::string error;
    const GSErrCode result = host.InvokeMenu(GS::UniString("Create Zarimark"), &error);
    EXPECT_NE(result, APIERR_BADPARS) << error;
    return result;
}

GSErrCode CreationProject::PlaceStamp(API_Coord position, const API_Guid& clickedZone, API_Guid* placed) {
    Headless::LabelPlacement placement;
    placement.name = "placed";
    placement.position = position;
    placement.clickedZone = clickedZone;
    return host.PlaceLabel(placement, placed);
}

const Headless::ElementRecord& CreationProject::Element(const API_Guid& guid) const {
    const Headless::ElementRecord* record = host.FindElement(guid);
    if (record == nullptr)
        throw std::runtime_error("no element " + Name(guid));
    return *record;
}

std::vector<std::string> CreationProject::Names(const std::vector<API_Guid>& guids) const {
    std::vector<std::string> names;
    for (const API_Guid& guid : guids)
        names.push_back(Name(guid));
    return names;
}

std::vector<std::string> CreationProject::Names(const GuidSet& guids) const {
    std::vector<std::string> names;
    for (const API_Guid& guid : guids)
        names.push_back(Name(guid));
    return names;
}

std::vector<std::string> CreationProject::LinkNames(const API_Guid& guid) const {
    return Names(Element(guid).links);
}

std::vector<API_Guid> CreationProject::Stamps() const {
    std::vector<API_Guid> stamps;
    for (const API_Guid& label : host.GetElements(API_LabelID)) {
        if (Element(label).element.label.libInd == stampLibInd)
            stamps.push_back(label);
    }
    return stamps;
}

std::vector<std::string> CreationProject::StampIds() const {
    std::vector<std::string> ids;
    for (const API_Guid& stamp : Stamps())
        ids.push_back(Param(stamp, "zm_apartmentId").GetText().ToUtf8());
    return ids;
}

API_Guid CreationProject::OnlyStampOf(const std::string& apartmentId) const {
    std::vector<API_Guid> found;
    for (const API_Guid& stamp : Stamps()) {
        if (Param(stamp, "zm_apartmentId").GetText().ToUtf8() == apartmentId)
            found.push_back(stamp);
    }
    EXPECT_EQ(found.size(), 1u) << "stamps of \"" << apartmentId << "\"";
    return found.size() == 1 ? found[0] : APINULLGuid;
}

const Headless::Parameter& CreationProject::Param(const API_Guid& guid, const char* name) const {
    const Headless::Parameter* parameter = Headless::FindParameter(Element(guid).parameters, name);
    if (parameter == nullptr)
        throw std::runtime_error(std::string("no parameter ") + name);
    return *parameter;
}

std::vector<double> CreationProject::Numbers(const API_Guid& guid, const char* name) const {
    return Param(guid, name).GetNumbers();
}

std::vector<std::string> CreationProject::Texts(const API_Guid& guid, const char* name) const {
    std::vector<std::string> texts;
    for (const GS::UniString& text : Param(guid, name).GetTexts())
        texts.push_back(text.ToUtf8());
    return texts;
}

std::vector<DG::AlertRecord> CreationProject::Alerts() const {
    std::vector<DG::AlertRecord> alerts;
    for (const DG::UILogEntry& entry : DG::GetUILog()) {
        if (entry.kind == DG::UILogKind::Alert)
            alerts.push_back(entry.alert);
    }
    return alerts;
}

std::vector<GSResID> CreationProject::AlertIds() const {
    std::vector<GSResID> ids;
    for (const DG::AlertRecord& alert : Alerts())
        ids.push_back(alert.id);
    return ids;
}

std::vector<std::string> CreationProject::UIEvents() const {
    std::vector<std::string> events;
    for (const DG::UILogEntry& entry : DG::GetUILog()) {
        switch (entry.kind) {
        case DG::UILogKind::Alert:
            events.push_back("alert " + (entry.alert.id != 0 ? std::to_string(entry.alert.id)
                                                             : entry.alert.largeText.ToUtf8()));
            break;
        case DG::UILogKind::DialogOpened:
            events.push_back("opened " + std::to_string(entry.panelId));
            break;
        case DG::UILogKind::DialogClosed:
            events.push_back(entry.accepted ? "accepted" : "cancelled");
            break;
        case DG::UILogKind::UsageError:
            events.push_back("misuse: " + entry.message);
            break;
        default:
            break;
        }
    }
    return events;
}

int CreationProject::CallCount(const std::string& operation) const {
    return static_cast<int>(
        std::count_if(host.GetCallLog().begin(), host.GetCallLog().end(),
                      [&](const Headless::CallLogEntry& entry) { return entry.operation == operation; }));
}

const Headless::UndoStep* CreationProject::LastUndoStep() const {
    const std::vector<Headless::UndoStep>& steps = host.GetUndoSteps();
    return steps.empty() ? nullptr : &steps.back();
}

EditAccessState CreationProject::CaptureEditAccess() const {
    EditAccessState state;
    const Headless::ProjectModel& project = host.GetProject();
    for (const auto& slot : project.layers.slots) {
        if (slot)
            state.layerFlags[slot->index] = slot->flags;
    }
    state.layerCombination = project.currentLayerCombination;
    for (const auto& element : project.elements)
        state.locks[element.second.name] = element.second.element.header.lockId;
    state.groupsSuspended = host.IsSuspendGroups();
    return state;
}

std::vector<std::string> CreationProject::UnpairedLinks() const {
    std::vector<std::string> unpaired;
    for (const auto& element : host.GetProject().elements) {
        for (const API_Guid& to : element.second.links) {
            const Headless::ElementRecord* back = host.FindElement(to);
            if (back == nullptr || std::find(back->links.begin(), back->links.end(),
                                             element.second.GetGuid()) == back->links.end())
                unpaired.push_back(element.second.name + " -> " + Name(to));
        }
    }
    return unpaired;
}

void CreationProject::ExpectCleanHost(bool memoDisposeFailed) {
    // The palette lives for the add-on's lifetime; a test's project ends it.
    CheckPalette::DestroyInstance();
    // A dispose the host refused leaves that one memo, and its handles, with the host.
    EXPECT_EQ(host.GetOutstandingMemoCount(), memoDisposeFailed ? 1 : 0);
    host.ReleaseOutstandingMemos();
    EXPECT_EQ(BMGetLiveHandleCount(), liveHandlesAtStart_);
    EXPECT_FALSE(host.HasUpdateCycle()) << host.GetDroppedEchoEventCount() << " echo events dropped";
    EXPECT_THAT(host.GetAddOnExceptions(), ::testing::IsEmpty());
}

void CreationTest::TearDown() {
    if (project_)
        project_->ExpectCleanHost();
    project_.reset();
}

CreationProject& CreationTest::Fresh() {
    project_.reset();
    project_ = std::make_unique<CreationProject>();
    return *project_;
}

std::vector<NumberedCall> NumberCalls(const std::vector<Headless::CallLogEntry>& log) {
    std::map<std::string, int> seen;
    std::vector<NumberedCall> numbered;
    for (const Headless::CallLogEntry& entry : log)
        numbered.push_back({entry.operation, ++seen[entry.operation]});
    return numbered;
}

std::vector<std::string> ListRows(DG::ModalDialog& dialog) {
    const DG::ListBox list(dialog, 4);
    std::vector<std::string> rows;
    for (short row = 1; row <= list.GetItemCount(); ++row)
        rows.push_back(list.GetTabItemText(row, 1).ToUtf8());
    return rows;
}
