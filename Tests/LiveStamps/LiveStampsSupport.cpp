#include "LiveStampsSupport.hpp"

#include <algorithm>
#include <stdexcept>

#include "AddOn/AddOnMain.hpp"
#include "AddOn/ElementEventHandler.hpp"
#include "AddOn/FrameState.hpp"
#include "AddOn/Registration.hpp"
#include "AddOn/Zarimark/OwnStampWrites.hpp"
#include "GSRoot/MemoryHandle.hpp"
#include "Host/AddOnLoading.hpp"
#include "Host/HostOperations.hpp"
#include "ResourceIds.hpp"
#include "StampTestSupport.hpp"

using namespace Zarimark;

namespace {

// The add-on's lists are emptied when the next batch opens, and the echo batches of its own
// writes follow the user's batch at once: the lists are kept as they stood at each closing.
std::vector<EventBatch>& ClosedBatches() {
    static std::vector<EventBatch> batches;
    return batches;
}

GSErrCode RecordingHandler(const API_NotifyElementType* event) {
    const GSErrCode result = ElementEventHandler(event);
    if (event != nullptr && event->notifID == APINotifyElement_EndEvents)
        ClosedBatches().push_back(GetEventBatch());
    return result;
}

} // namespace

void ScriptedUser::Answer(GSResID alertId, std::vector<short> answers) {
    answers_[alertId].insert(answers_[alertId].end(), answers.begin(), answers.end());
}

short ScriptedUser::AnswerAlert(const DG::AlertRecord& alert) {
    std::deque<short>& queue = answers_[alert.id];
    if (queue.empty())
        return alert.id == ZM_ALERT_ROOMS_NOT_RESERVED || alert.id == ZM_ALERT_STAMPS_NOT_RESERVED ? 2 : 1;
    const short answer = queue.front();
    queue.pop_front();
    return answer;
}

bool EditAccessState::operator==(const EditAccessState& other) const {
    return layerFlags == other.layerFlags && layerCombination == other.layerCombination &&
           locks == other.locks && groupsSuspended == other.groupsSuspended;
}

std::ostream& operator<<(std::ostream& out, const EditAccessState& state) {
    out << "layers {";
    for (const auto& layer : state.layerFlags)
        out << " " << layer.first << ":" << layer.second;
    out << " } combination " << state.layerCombination << " locks {";
    for (const auto& lock : state.locks)
        out << " " << lock.first << ":" << lock.second;
    return out << " } suspended " << state.groupsSuspended;
}

LiveProject::LiveProject() {
    host.SetOwnResourceModule(CompiledResourceModule());
    EXPECT_EQ(FrameState::AcceptHostOperations(&host, HostOperationCount, &hostToken_), NoError);
    EXPECT_EQ(RegisterMenusAndLibrary(), NoError) << host.GetBuiltInLibraryError();
    EXPECT_EQ(InstallHandlers(), NoError);
    const Headless::LibPartRecord* stampPart = host.FindLibraryPartByName("Zarimark.gsm");
    if (stampPart == nullptr)
        throw std::runtime_error("no stamp part");
    stampLibInd = stampPart->index;
    EXPECT_EQ(host.GetElementObserverHandler(), &ElementEventHandler);
    // The same handler, watched at every batch closing.
    API_ElemType type;
    host.ACAPI_Notify_InstallElementObserver(RecordingHandler);
    for (API_ElemTypeID typeID : {API_ZoneID, API_LabelID}) {
        type.typeID = typeID;
        host.ACAPI_Notify_CatchNewElement(&type, RecordingHandler);
    }
    ClearLogs();
    liveHandlesAtStart_ = BMGetLiveHandleCount();
}

LiveProject::~LiveProject() {
    // The add-on's palette lives as long as the add-on: it goes with the project.
    ReleaseAddOn();
    Host::SetCurrentHost(nullptr);
}

Headless::ZoneDesc LiveProject::RoomDesc(const std::string& name, const char* apartmentId,
                                         std::optional<Areas> areas, Headless::ZoneDesc base) {
    ++roomCount_;
    const Areas given = areas.value_or(
        Areas{10.0 + roomCount_, 9.0 + roomCount_, 8.0 + roomCount_, 7.0 + roomCount_, 0.5 * roomCount_});
    base.name = name;
    base.number = GS::UniString(std::to_string(roomCount_));
    base.roomName = GS::UniString(name);
    base.areas = {given.a, given.b, given.c, given.d, given.e};
    if (apartmentId != nullptr)
        base.parameters.push_back(Headless::Parameter::Text("stApartmentId", apartmentId));
    return base;
}

API_Guid LiveProject::Room(const std::string& name, const char* apartmentId, std::optional<Areas> areas,
                           Headless::ZoneDesc base) {
    std::string error;
    const API_Guid room = host.AddZone(RoomDesc(name, apartmentId, areas, std::move(base)), &error);
    EXPECT_NE(room, APINULLGuid) << error;
    host.SetObserved(room, true);
    Name(room);
    return room;
}

API_Guid LiveProject::Stamp(const std::string& name, const char* apartmentId,
                            const std::vector<API_Guid>& rooms, Headless::LabelDesc base) {
    base.name = name;
    base.libInd = stampLibInd;
    base.begC = base.midC = base.endC = {1.0, 2.0};
    if (apartmentId != nullptr)
        base.parameters.push_back(Headless::Parameter::Text("zm_apartmentId", apartmentId));
    std::string error;
    const API_Guid stamp = host.AddLabel(base, &error);
    EXPECT_NE(stamp, APINULLGuid) << error;
    if (apartmentId == nullptr) {
        // The part declares the parameter: only a change can take it away. Not observed yet,
        // so the add-on is not told.
        Headless::ParameterList parameters = Element(stamp).parameters;
        parameters.erase(std::remove_if(parameters.begin(), parameters.end(),
                                        [](const Headless::Parameter& parameter) {
                                            return parameter.GetName() == "zm_apartmentId";
                                        }),
                         parameters.end());
        EXPECT_EQ(host.SetElementParameters(stamp, parameters), NoError);
    }
    host.SetObserved(stamp, true);
    for (const API_Guid& room : rooms)
        Link(room, stamp);
    Name(stamp);
    return stamp;
}

void LiveProject::Link(const API_Guid& room, const API_Guid& stamp) {
    EXPECT_TRUE(host.AddLink(room, stamp));
    EXPECT_TRUE(host.AddLink(stamp, room));
}

void LiveProject::ClearLogs() {
    host.ClearCallLog();
    host.ClearDeliveredBatches();
    DG::ClearUILog();
    ClosedBatches().clear();
}

void LiveProject::Act(const std::function<void()>& action) {
    // The add-on remembers its writes by GUID for the life of the process, and every headless
    // project numbers its elements alike: an earlier project's writes must not count here.
    for (const API_Guid& element : host.GetElements())
        OwnStampWrites::Forget(element);
    ClearLogs();
    host.RunUserAction(action);
}

const Headless::ElementRecord& LiveProject::Element(const API_Guid& guid) const {
    const Headless::ElementRecord* record = host.FindElement(guid);
    if (record == nullptr)
        throw std::runtime_error("no element " + Name(guid));
    return *record;
}

std::string LiveProject::Name(const API_Guid& guid) const {
    auto known =
        std::find_if(knownNames_.begin(), knownNames_.end(),
                     [&](const std::pair<API_Guid, std::string>& entry) { return entry.first == guid; });
    if (const Headless::ElementRecord* record = host.FindElement(guid)) {
        if (known == knownNames_.end())
            knownNames_.emplace_back(guid, record->name);
        return record->name;
    }
    return known != knownNames_.end() ? known->second : host.GetElementName(guid);
}

API_Guid LiveProject::ByName(const std::string& name) const {
    const Headless::ElementRecord* record = host.FindElementByName(name);
    return record != nullptr ? record->GetGuid() : APINULLGuid;
}

std::vector<std::string> LiveProject::Names(const std::vector<API_Guid>& guids) const {
    std::vector<std::string> names;
    for (const API_Guid& guid : guids)
        names.push_back(Name(guid));
    return names;
}

std::vector<std::string> LiveProject::Names(const GuidSet& guids) const {
    std::vector<std::string> names;
    for (const API_Guid& guid : guids)
        names.push_back(Name(guid));
    return names;
}

std::vector<std::string> LiveProject::LinkNames(const API_Guid& guid) const {
    return Names(Element(guid).links);
}

std::vector<std::vector<double>> LiveProject::Rows(const API_Guid& stamp) const {
    const Headless::Parameter* areas =
        Headless::FindParameter(Element(stamp).parameters, "zm_roomAreasInZari");
    if (areas == nullptr)
        throw std::runtime_error("no zm_roomAreasInZari");
    const std::vector<double> numbers = areas->GetNumbers();
    std::vector<std::vector<double>> rows;
    for (std::size_t at = 0; at + 4 <= numbers.size(); at += 4)
        rows.emplace_back(numbers.begin() + static_cast<std::ptrdiff_t>(at),
                          numbers.begin() + static_cast<std::ptrdiff_t>(at + 4));
    return rows;
}

std::vector<std::vector<double>> LiveProject::RowsOf(const std::vector<API_Guid>& rooms) const {
    std::vector<std::vector<double>> rows;
    for (const API_Guid& room : rooms) {
        const Headless::ZoneAreas& areas = Element(room).areas;
        rows.push_back({areas.a, areas.b, areas.c, areas.d});
    }
    if (rows.empty())
        rows.push_back({0.0, 0.0, 0.0, 0.0});
    return rows;
}

std::string LiveProject::StampId(const API_Guid& stamp) const {
    const Headless::Parameter* id = Headless::FindParameter(Element(stamp).parameters, "zm_apartmentId");
    return id != nullptr ? id->GetText().ToUtf8() : "<none>";
}

std::vector<DG::AlertRecord> LiveProject::Alerts() const {
    std::vector<DG::AlertRecord> alerts;
    for (const DG::UILogEntry& entry : DG::GetUILog()) {
        if (entry.kind == DG::UILogKind::Alert)
            alerts.push_back(entry.alert);
    }
    return alerts;
}

std::vector<GSResID> LiveProject::AlertIds() const {
    std::vector<GSResID> ids;
    for (const DG::AlertRecord& alert : Alerts())
        ids.push_back(alert.id);
    return ids;
}

int LiveProject::CallCount(const std::string& operation, const std::string& arguments) const {
    int count = 0;
    for (const Headless::CallLogEntry& entry : host.GetCallLog()) {
        if (entry.operation == operation && (arguments.empty() || entry.arguments == arguments))
            ++count;
    }
    return count;
}

const EventBatch& LiveProject::UserBatch() const {
    const std::vector<Headless::DeliveredBatch>& delivered = host.GetDeliveredBatches();
    const std::vector<EventBatch>& closed = ClosedBatches();
    if (delivered.size() != closed.size())
        throw std::runtime_error("batches delivered and closed differ");
    for (std::size_t i = delivered.size(); i-- > 0;) {
        if (delivered[i].origin == Headless::BatchOrigin::User)
            return closed[i];
    }
    throw std::runtime_error("no user batch");
}

std::vector<GSErrCode> LiveProject::UserEventResults() const {
    std::vector<GSErrCode> results;
    for (const Headless::DeliveredBatch& batch : host.GetDeliveredBatches()) {
        if (batch.origin != Headless::BatchOrigin::User)
            continue;
        for (const Headless::DeliveredEvent& event : batch.events) {
            if (event.typeID != 0)
                results.push_back(event.result);
        }
    }
    return results;
}

EditAccessState LiveProject::CaptureEditAccess(const EditAccessState* before) const {
    EditAccessState state;
    if (before != nullptr)
        state.locks = before->locks;
    const Headless::ProjectModel& project = host.GetProject();
    for (const auto& slot : project.layers.slots) {
        if (slot)
            state.layerFlags[slot->index] = slot->flags;
    }
    state.layerCombination = project.currentLayerCombination;
    for (const auto& element : project.elements) {
        if (before == nullptr || before->locks.count(element.second.name) != 0)
            state.locks[element.second.name] = element.second.element.header.lockId;
    }
    state.groupsSuspended = host.IsSuspendGroups();
    return state;
}

std::vector<std::string> LiveProject::UnpairedLinks() const {
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

void LiveProject::ExpectCleanHost(bool memoDisposeFailed) {
    // A dispose the host refused leaves that one memo with it.
    EXPECT_EQ(host.GetOutstandingMemoCount(), memoDisposeFailed ? 1 : 0);
    host.ReleaseOutstandingMemos();
    EXPECT_EQ(BMGetLiveHandleCount(), liveHandlesAtStart_);
    EXPECT_FALSE(host.HasUpdateCycle()) << host.GetDroppedEchoEventCount() << " echo events dropped";
    EXPECT_THAT(host.GetAddOnExceptions(), ::testing::IsEmpty());
}

void LiveStampsTest::SetUp() {
    project_ = std::make_unique<LiveProject>();
}

void LiveStampsTest::TearDown() {
    if (project_)
        project_->ExpectCleanHost();
    project_.reset();
}

LiveProject& LiveStampsTest::Fresh() {
    project_.reset();
    project_ = std::make_unique<LiveProject>();
    return *project_;
}

std::vector<NumberedCall> NumberCalls(const std::vector<Headless::CallLogEntry>& log) {
    std::map<std::string, int> seen;
    std::vector<NumberedCall> numbered;
    for (const Headless::CallLogEntry& entry : log)
        numbered.push_back({entry, ++seen[entry.operation]});
    return numbered;
}
