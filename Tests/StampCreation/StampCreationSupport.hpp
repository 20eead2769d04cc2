#ifndef TESTS_STAMPCREATION_STAMPCREATIONSUPPORT_HPP
#define TESTS_STAMPCREATION_STAMPCREATIONSUPPORT_HPP

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "AddOn/Zarimark/GuidSet.hpp"
#include "DG/ModalDialog.hpp"
#include "DG/UIDriver.hpp"
#include "HeadlessHost/HeadlessHost.hpp"

using namespace Zarimark;

constexpr GSErrCode InjectedCode = static_cast<GSErrCode>(0x81060E02);

// Answers alerts by alert ID from a script and works the modal dialog with `dialog`. Unscripted
// reservation alerts are cancelled, so that a loop asking again ends; other alerts take button 1.
// Without a dialog script the dialog is left open, which cancels it.
class ScriptedUser : public DG::UIDriver {
public:
    void Answer(GSResID alertId, std::vector<short> answers);
    short AnswerAlert(const DG::AlertRecord& alert) override;
    void RunModalDialog(DG::ModalDialog& dialog) override;

    std::function<void(DG::ModalDialog&)> dialog;
    std::function<void(const DG::AlertRecord&)> onAlert; // runs before each answer

private:
    std::map<GSResID, std::deque<short>> answers_;
};

struct Areas {
    double a = 10.0, b = 10.0, c = 10.0, d = 10.0, e = 0.0;
};
inline Areas SameAreas(double value) {
    return {value, value, value, value, 0.0};
}
inline Areas InconsistentAreas() {
    return {10.0, 12.0, 9.0, 8.0, 0.0}; // B exceeds A + E
}

struct RoomPlan {
    RoomPlan(const char* apartmentId_, API_AttributeIndex category_ = 1, Areas areas_ = {}, Int16 story_ = 0,
             const char* number_ = nullptr)
        : apartmentId(apartmentId_), category(category_), areas(areas_), story(story_), number(number_) {}

    const char* apartmentId; // null: the zone has no stApartmentId
    API_AttributeIndex category;
    Areas areas;
    Int16 story;
    const char* number; // null: a number of its own
};

// What edit access an operation must leave as it found it; locks of the elements of `before`.
struct EditAccessState {
    std::map<API_AttributeIndex, Int16> layerFlags;
    API_AttributeIndex layerCombination = 0;
    std::map<std::string, UInt16> locks;
    bool groupsSuspended = false;
};
void ExpectSameEditAccess(const EditAccessState& before, const EditAccessState& after);

// A headless project running the add-on as the host does: the compiled resources and stamp part,
// the host's operation table handed over, menus and handlers installed, the label tool set to the
// stamp part. Seven zone categories exist; story 0 is current and story 1 lies above it.
class CreationProject {
public:
    CreationProject();
    ~CreationProject();
    CreationProject(const CreationProject&) = delete;
    CreationProject& operator=(const CreationProject&) = delete;

    // ---- Building (no events) ----
    // Each room gets its own position (the room count along the diagonal) unless moved later.
    API_Guid Room(const std::string& name, const RoomPlan& plan);
    API_Guid Room(const std::string& name, const char* apartmentId) {
        return Room(name, RoomPlan{apartmentId});
    }
    // A stamp of the apartment, observed and linked both ways to the rooms; `values` replace the
    // part's defaults.
    API_Guid Stamp(const std::string& name, const char* apartmentId, const std::vector<API_Guid>& rooms,
                   UInt16 lockId = 0, const Headless::ParameterList& values = {},
                   API_AttributeIndex layer = 1);
    API_Guid Wall(const std::string& name);
    // The label tool's settings: the stamp part with its defaults, changed by `edit`.
    void SetLabelTool(const std::function<void(API_Element&, Headless::ParameterList&)>& edit);
    Headless::ParameterList StampPartDefaults() const;

    // ---- Acting ----
    void ClearLogs();
    GSErrCode CreateCommand(); // the menu item, as the host calls it
    // The label tool used where `clickedZone` is (null: no zone); `placed` gets the user's label.
    GSErrCode PlaceStamp(API_Coord position, const API_Guid& clickedZone = APINULLGuid,
                         API_Guid* placed = nullptr);

    // ---- Inspecting ----
    const Headless::ElementRecord& Element(const API_Guid& guid) const;
    bool Exists(const API_Guid& guid) const { return host.FindElement(guid) != nullptr; }
    std::string Name(const API_Guid& guid) const { return host.GetElementName(guid); }
    std::vector<std::string> Names(const std::vector<API_Guid>& guids) const;
    std::vector<std::string> Names(const GuidSet& guids) const;
    std::vector<std::string> LinkNames(const API_Guid& guid) const;
    std::vector<API_Guid> Stamps() const; // labels of the stamp part, in creation order
    std::vector<std::string> StampIds() const;
    API_Guid OnlyStampOf(const std::string& apartmentId) const; // null (and a failure) unless one
    const Headless::Parameter& Param(const API_Guid& guid, const char* name) const;
    std::vector<double> Numbers(const API_Guid& guid, const char* name) const;
    std::vector<std::string> Texts(const API_Guid& guid, const char* name) const;

    std::vector<DG::AlertRecord> Alerts() const;
    std::vector<GSResID> AlertIds() const;
    // The UI log as short words: "alert 31020", "alert <large text>", "opened", "closed".
    std::vector<std::string> UIEvents() const;
    int CallCount(const std::string& operation) const;
    const Headless::UndoStep* LastUndoStep() const;

    EditAccessState CaptureEditAccess() const;
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
    Int64 liveHandlesAtStart_ = 0;
};

class CreationTest : public ::testing::Test {
protected:
    void SetUp() override { project_ = std::make_unique<CreationProject>(); }
    void TearDown() override;

    CreationProject& p() { return *project_; }
    // A new project in place of the current one (the next round of a sweep).
    CreationProject& Fresh();

private:
    std::unique_ptr<CreationProject> project_;
};

// The call log with each entry numbered by its operation's occurrence (from 1), as faults count.
struct NumberedCall {
    std::string operation;
    int occurrence = 0;
};
std::vector<NumberedCall> NumberCalls(const std::vector<Headless::CallLogEntry>& log);

// Row texts of the create-stamp dialog's list, read by the driver.
std::vector<std::string> ListRows(DG::ModalDialog& dialog);

#endif
