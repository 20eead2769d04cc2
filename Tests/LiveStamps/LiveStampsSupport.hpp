#ifndef TESTS_LIVESTAMPS_LIVESTAMPSSUPPORT_HPP
#define TESTS_LIVESTAMPS_LIVESTAMPSSUPPORT_HPP

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "AddOn/EventBatch.hpp"
#include "DG/UIDriver.hpp"
#include "HeadlessHost/HeadlessHost.hpp"

using namespace Zarimark;

constexpr GSErrCode InjectedCode = static_cast<GSErrCode>(0x81060E02);

// Answers alerts by alert ID from a script. Unscripted reservation alerts are cancelled, so that
// a loop asking again cannot run forever; every other alert takes its first button.
class ScriptedUser : public DG::UIDriver {
public:
    void Answer(GSResID alertId, std::vector<short> answers);
    short AnswerAlert(const DG::AlertRecord& alert) override;
    void RunModalDialog(DG::ModalDialog&) override {}

private:
    std::map<GSResID, std::deque<short>> answers_;
};

struct Areas {
    double a = 0.0, b = 0.0, c = 0.0, d = 0.0, e = 0.0;
};

// What edit access the add-on must leave as it found it.
struct EditAccessState {
    std::map<API_AttributeIndex, Int16> layerFlags;
    API_AttributeIndex layerCombination = 0;
    std::map<std::string, UInt16> locks; // by element name
    bool groupsSuspended = false;

    bool operator==(const EditAccessState& other) const;
};
std::ostream& operator<<(std::ostream& out, const EditAccessState& state);

// A headless project with the add-on's handlers installed, as the host runs it: the compiled
// resource module, the built-in stamp part, the add-on's host operations and the scripted user.
// Only one may exist at a time (the add-on's host is process-wide).
class LiveProject {
public:
    LiveProject();
    ~LiveProject();
    LiveProject(const LiveProject&) = delete;
    LiveProject& operator=(const LiveProject&) = delete;

    // ---- Building (no events) ----
    // A room with the apartment ID (none when null), observed; areas differ from room to room
    // unless given.
    API_Guid Room(const std::string& name, const char* apartmentId, std::optional<Areas> areas = {},
                  Headless::ZoneDesc base = {});
    // What CreateZone needs for such a room.
    Headless::ZoneDesc RoomDesc(const std::string& name, const char* apartmentId,
                                std::optional<Areas> areas = {}, Headless::ZoneDesc base = {});
    // A stamp of the apartment (no zm_apartmentId at all when null), observed, linked both ways to
    // the rooms.
    API_Guid Stamp(const std::string& name, const char* apartmentId, const std::vector<API_Guid>& rooms,
                   Headless::LabelDesc base = {});
    void Link(const API_Guid& room, const API_Guid& stamp); // both ways

    // ---- Acting ----
    // One user action (one batch); logs and batch records start empty.
    void Act(const std::function<void()>& action);
    void ClearLogs();

    // ---- Inspecting ----
    const Headless::ElementRecord& Element(const API_Guid& guid) const;
    bool Exists(const API_Guid& guid) const { return host.FindElement(guid) != nullptr; }
    API_Guid ByName(const std::string& name) const; // null when no live element has it
    // Also of elements deleted meanwhile, once their name was known.
    std::string Name(const API_Guid& guid) const;
    std::vector<std::string> Names(const std::vector<API_Guid>& guids) const;
    std::vector<std::string> Names(const GuidSet& guids) const;
    std::vector<std::string> LinkNames(const API_Guid& guid) const;
    // zm_roomAreasInZari, row by row.
    std::vector<std::vector<double>> Rows(const API_Guid& stamp) const;
    // The rows a stamp showing these rooms must have.
    std::vector<std::vector<double>> RowsOf(const std::vector<API_Guid>& rooms) const;
    std::string StampId(const API_Guid& stamp) const;

    std::vector<DG::AlertRecord> Alerts() const;
    std::vector<GSResID> AlertIds() const;
    int CallCount(const std::string& operation, const std::string& arguments = {}) const;
    // The last batch of the user's action, as the add-on's lists stood at its closing.
    const EventBatch& UserBatch() const;
    // Results the add-on returned for the element events of the user's batch.
    std::vector<GSErrCode> UserEventResults() const;

    // Given the state before an action, the locks of the elements there were then (deleted ones
    // as they were).
    EditAccessState CaptureEditAccess(const EditAccessState* before = nullptr) const;
    // "from -> to" for every link between live elements whose way back is missing.
    std::vector<std::string> UnpairedLinks() const;
    // Memos, handles, exceptions and update cycles: what no action may leave behind.
    void ExpectCleanHost(bool memoDisposeFailed = false);

    Headless::HeadlessHost host;
    ScriptedUser user;
    Int32 stampLibInd = 0;

private:
    DG::UIDriverScope driverScope_{&user};
    int hostToken_ = 0;
    int roomCount_ = 0;
    mutable std::vector<std::pair<API_Guid, std::string>> knownNames_;
    Int64 liveHandlesAtStart_ = 0;
};

// A fixture holding one live project; TearDown checks that nothing was left behind.
class LiveStampsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    LiveProject& p() { return *project_; }
    // Replaces the project by a fresh one (a sweep's next round).
    LiveProject& Fresh();

private:
    std::unique_ptr<LiveProject> project_;
};

// The call log with each entry numbered by its operation's occurrence (from 1), as faults count.
struct NumberedCall {
    Headless::CallLogEntry entry;
    int occurrence = 0;
};
std::vector<NumberedCall> NumberCalls(const std::vector<Headless::CallLogEntry>& log);

#endif
