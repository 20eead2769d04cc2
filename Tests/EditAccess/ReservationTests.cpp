#include "AddOn/Zarimark/Reservation.hpp"

#include "AddOn/ErrorCodes.hpp"
#include "EditAccessTestSupport.hpp"
#include "Host/HostCodes.hpp"
#include "ResourceIds.hpp"

using namespace Zarimark;

namespace {

using Headless::Reservation;
constexpr Reservation Free = Reservation::Free;
constexpr Reservation Mine = Reservation::ThisUser;
constexpr Reservation Other = Reservation::OtherMember;

constexpr GSErrCode HostFault = APIERR_GENERAL;
constexpr std::size_t NoRelease = static_cast<std::size_t>(-1);

const std::string RoomsIntro =
    "No 'Zarimarks' will be created.\nThe following rooms are not in your Teamwork workspace:\n\n";
const std::string StampsIntro = "The following Zarimarks are not in your Teamwork workspace:\n\n";
const std::string ListAB = "A:\n\t 1.01 - Living\n\t 1.02 - Bath\n\nB:\n\t 2.01 - Hall\n\n";
const std::string ListBath = "A:\n\t 1.02 - Bath\n\n";
const std::string ListLiving = "A:\n\t 1.01 - Living\n\n";

struct RoomRow {
    const char* apartment;
    const char* number; // also the element's name in the call log
    const char* name;
    Reservation reservation;
};
const RoomRow Living{"A", "1.01", "Living", Free};
const RoomRow Bath{"A", "1.02", "Bath", Free};
const RoomRow BathOfOther{"A", "1.02", "Bath", Other};
const RoomRow Hall{"B", "2.01", "Hall", Free};

struct RoomCase {
    const char* title;
    std::vector<RoomRow> rooms;
    std::vector<short> answers;
    std::vector<std::string> lists;    // the list text of each alert shown
    std::vector<std::string> reserved; // what each HostReserveElements was given
    GSErrCode result;
    std::size_t releaseAt = NoRelease; // the other member gives up its rooms at this alert
    const char* failing = nullptr;     // its first call fails
};

// clang-format off
const std::vector<RoomCase> RoomCases = {
    {"all in the workspace", {{"A", "1.01", "Living", Mine}, {"B", "2.01", "Hall", Mine}}, {}, {}, {}, NoError},
    {"listed and reserved", {Living, Bath, {"C", "3.01", "Loft", Mine}, Hall}, {1}, {ListAB}, {"1.01, 1.02, 2.01"}, NoError},
    {"asked again for what stayed", {Living, BathOfOther, Hall}, {1, 1}, {ListAB, ListBath}, {"1.01, 1.02, 2.01", "1.02"}, NoError, 1},
    {"cancelled when asked again", {Living, BathOfOther, Hall}, {1, 2}, {ListAB, ListBath}, {"1.01, 1.02, 2.01"}, ErrRoomReservationDeclined},
    {"cancelled at once", {Living}, {2}, {ListLiving}, {}, ErrRoomReservationDeclined},
    {"reserving fails", {Living}, {1}, {ListLiving}, {"1.01"}, HostFault, NoRelease, "HostReserveElements"},
    {"reading a room fails", {Living}, {1}, {}, {}, HostFault, NoRelease, "HostGetElement"},
};
// clang-format on

struct StampRow {
    const char* name;
    const char* apartment; // null: the stamp has no apartment ID
    Reservation reservation;
};

struct StampCase {
    const char* title;
    std::vector<StampRow> stamps;
    std::vector<short> answers;
    std::vector<std::string> lists;
    std::vector<std::string> usable;
    std::vector<std::string> pending;
    GSErrCode result;
    std::size_t releaseAt = NoRelease;
    const char* failing = nullptr;
};

// clang-format off
const std::vector<StampCase> StampCases = {
    {"all usable", {{"d", "D", Mine}, {"e", "E", Mine}}, {}, {}, {"d", "e"}, {}, NoError},
    {"two of one apartment", {{"c1", "C", Free}, {"d", "D", Mine}, {"c2", "C", Free}}, {1}, {"C\nC\n"}, {"d", "c1", "c2"}, {}, NoError},
    {"usable in the order they came to pass", {{"c", "C", Other}, {"e", "E", Free}, {"d", "D", Mine}}, {1, 1}, {"C\nE\n", "C\n"}, {"d", "e", "c"}, {}, NoError, 1},
    {"cancelled when asked again", {{"c", "C", Other}, {"d", "D", Mine}, {"e", "E", Free}}, {1, 2}, {"C\nE\n", "C\n"}, {"d", "e"}, {"c"}, ErrStampReservationDeclined},
    {"cancelled at once", {{"c", "C", Free}, {"d", "D", Mine}}, {2}, {"C\n"}, {"d"}, {"c"}, ErrStampReservationDeclined},
    {"no apartment ID", {{"d", "D", Mine}, {"n", nullptr, Free}}, {1}, {}, {"d"}, {"n"}, ErrParameterNotFound},
    {"reserving fails", {{"c", "C", Free}}, {1}, {"C\n"}, {}, {"c"}, HostFault, NoRelease, "HostReserveElements"},
};
// clang-format on

std::vector<std::string> Names(const Headless::HeadlessHost& host, const GS::Array<API_Guid>& guids) {
    std::vector<std::string> names;
    for (const API_Guid& guid : guids)
        names.push_back(host.GetElementName(guid));
    return names;
}

class ReservationTest : public EditAccessTest {
protected:
    // A fresh Teamwork host and the user's script; the Run functions add the case's elements and
    // make the n-th call of `failing` fail.
    Headless::HeadlessHost& Start(std::vector<short> answers, std::size_t releaseAt) {
        Headless::HeadlessHost& fresh = UseFreshHost();
        fresh.SetTeamworkMode(true);
        elements.clear();
        user.Script(std::move(answers), [this, &fresh, releaseAt](std::size_t alert) {
            for (const API_Guid& guid : elements) {
                if (alert == releaseAt && fresh.FindElement(guid)->reservation == Other)
                    fresh.SetReservation(guid, Free);
            }
        });
        DG::ClearUILog();
        return fresh;
    }

    GSErrCode RunRooms(const RoomCase& test, const char* failing, int occurrence) {
        Headless::HeadlessHost& fresh = Start(test.answers, test.releaseAt);
        ApartmentRooms apartments;
        for (const RoomRow& row : test.rooms) {
            Headless::ZoneDesc desc;
            desc.name = row.number;
            desc.number = row.number;
            desc.roomName = row.name;
            desc.reservation = row.reservation;
            elements.push_back(fresh.AddZone(desc));
            if (GS::Array<API_Guid>* rooms = apartments.GetPtr(row.apartment))
                rooms->Push(elements.back());
            else
                apartments.Add(row.apartment, {elements.back()});
        }
        if (failing != nullptr)
            fresh.InjectFault(failing, occurrence, HostFault);
        return ReserveRoomsOfApartments(apartments);
    }

    GSErrCode RunStamps(const StampCase& test, const char* failing, int occurrence) {
        Headless::HeadlessHost& fresh = Start(test.answers, test.releaseAt);
        GS::Array<API_Guid> stamps;
        for (const StampRow& row : test.stamps) {
            Headless::LabelDesc desc;
            desc.name = row.name;
            desc.reservation = row.reservation;
            if (row.apartment != nullptr)
                desc.parameters.push_back(Headless::Parameter::Text("zm_apartmentId", row.apartment));
            elements.push_back(fresh.AddLabel(desc));
            stamps.Push(elements.back());
        }
        if (failing != nullptr)
            fresh.InjectFault(failing, occurrence, HostFault);
        // Left-overs of an earlier call must not survive.
        usable = pending = {elements.front()};
        return ReserveStamps(stamps, usable, pending);
    }

    // The list text each alert showed after its fixed introduction.
    std::vector<std::string> ListTexts(GSResID alertId, const std::string& intro) const {
        std::vector<std::string> lists;
        for (const DG::AlertRecord& alert : Alerts()) {
            const std::string text = alert.smallText.ToUtf8();
            EXPECT_EQ(alert.id, alertId);
            EXPECT_EQ(text.substr(0, intro.size()), intro);
            lists.push_back(text.substr(std::min(intro.size(), text.size())));
        }
        return lists;
    }

    std::vector<std::string> ReserveArguments() const {
        std::vector<std::string> arguments;
        for (const Headless::CallLogEntry& entry : Host().GetCallLog()) {
            if (entry.operation == "HostReserveElements")
                arguments.push_back(entry.arguments);
        }
        return arguments;
    }

    std::vector<API_Guid> elements;
    GS::Array<API_Guid> usable;
    GS::Array<API_Guid> pending;
};

TEST_F(ReservationTest, RoomsListedAndReserved) {
    for (const RoomCase& test : RoomCases) {
        SCOPED_TRACE(test.title);
        EXPECT_EQ(RunRooms(test, test.failing, 1), test.result);
        EXPECT_EQ(ListTexts(ZM_ALERT_ROOMS_NOT_RESERVED, RoomsIntro), test.lists);
        EXPECT_EQ(ReserveArguments(), test.reserved);
        for (const API_Guid& room : test.result == NoError ? elements : std::vector<API_Guid>())
            EXPECT_EQ(Host().FindElement(room)->reservation, Mine) << Host().GetElementName(room);
    }
}

TEST_F(ReservationTest, StampsListedAndReserved) {
    for (const StampCase& test : StampCases) {
        SCOPED_TRACE(test.title);
        EXPECT_EQ(RunStamps(test, test.failing, 1), test.result);
        EXPECT_EQ(ListTexts(ZM_ALERT_STAMPS_NOT_RESERVED, StampsIntro), test.lists);
        EXPECT_EQ(Names(Host(), usable), test.usable);
        EXPECT_EQ(Names(Host(), pending), test.pending);
    }
}

// Every host call of a run that lists, reserves and asks again fails once in turn: the run ends
// with that code, except that a failed workspace test only makes an element look unreserved.
// A failed memo release cannot be made good by the caller and is left out.
TEST_F(ReservationTest, EveryHostFaultEndsTheRun) {
    const RoomCase& rooms = RoomCases[3];
    const StampCase& stamps = StampCases[3];
    RunRooms(rooms, nullptr, 0);
    const std::vector<NumberedCall> roomCalls = NumberCalls(Host().GetCallLog());
    RunStamps(stamps, nullptr, 0);
    const std::vector<NumberedCall> stampCalls = NumberCalls(Host().GetCallLog());
    ASSERT_GE(roomCalls.size(), 8u);
    ASSERT_GE(stampCalls.size(), 8u);
    for (const NumberedCall& call : roomCalls) {
        SCOPED_TRACE("rooms: " + call.entry.ToString() + " #" + std::to_string(call.occurrence));
        const GSErrCode result = RunRooms(rooms, call.entry.operation.c_str(), call.occurrence);
        EXPECT_EQ(result, call.entry.operation == "HostFilterElement" ? rooms.result : HostFault);
    }
    for (const NumberedCall& call : stampCalls) {
        if (call.entry.operation == "HostDisposeElementMemo")
            continue;
        SCOPED_TRACE("stamps: " + call.entry.ToString() + " #" + std::to_string(call.occurrence));
        const GSErrCode result = RunStamps(stamps, call.entry.operation.c_str(), call.occurrence);
        EXPECT_EQ(result, call.entry.operation == "HostFilterElement" ? stamps.result : HostFault);
    }
}

} // namespace
