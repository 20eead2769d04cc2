#ifndef TESTS_CHECKPALETTE_CHECKPALETTESUPPORT_HPP
#define TESTS_CHECKPALETTE_CHECKPALETTESUPPORT_HPP

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "AddOn/CheckPalette.hpp"
#include "DG/UIDriver.hpp"
#include "HeadlessHost/HeadlessHost.hpp"

using namespace Zarimark;

constexpr GSErrCode InjectedCode = static_cast<GSErrCode>(0x81060E02);
constexpr const char* InjectedCodeText = "-2130309630";
constexpr const char* GeneralErrorText = "-2130313215"; // APIERR_GENERAL

using Rows = std::vector<std::vector<std::string>>;

// The user: answers alerts by ID (the first button otherwise). It can also fail in the middle of
// an alert, as a user interface that throws would.
class AlertAnswers : public DG::UIDriver {
public:
    short AnswerAlert(const DG::AlertRecord& alert) override;
    void RunModalDialog(DG::ModalDialog&) override {}

    std::map<GSResID, short> answers;
    bool throwOnLiteralAlert = false;
};

struct Areas {
    double a, b, c, d, e;
};
constexpr Areas Consistent{10, 9, 8, 7, 0};
constexpr Areas Inconsistent{10, 12, 8, 7, 0}; // B above A + E

// The add-on with its handlers installed on a headless project built from the compiled
// resources, as the host runs it. The palette is destroyed after each test; nothing may be left
// behind (memos, handles, exceptions that reached the host).
class PaletteTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A room numbered `number`, observed; no stApartmentId when apartmentId is null.
    API_Guid Room(const std::string& number, const char* apartmentId, Areas areas = Consistent,
                  Headless::ZoneDesc base = {});
    // A stamp of the apartment, observed and linked both ways to the rooms; without zm_apartmentId
    // when apartmentId is null.
    API_Guid Stamp(const char* apartmentId, const std::vector<API_Guid>& rooms,
                   Headless::LabelDesc base = {});
    // Stories -1, 0 and 1.
    void ThreeStories();
    // The add-on's resources without the palette's dialog: strings and alerts only.
    void UseModuleWithoutPalette();

    static Int32 ReferenceId();
    static CheckPalette& Palette() { return CheckPalette::GetInstance(); }
    // The palette as the user finds it, by its GUID; null when it was never built.
    static DG::Palette* UserPalette();
    static bool IsShown();
    void ShowPalette();
    bool Message(Int32 message); // through the host; the answer of message 7
    void Click(short item);      // a click of the user, as a call from the host into the add-on

    static Rows ListRows(short item);
    static std::vector<std::string> Column(short item, short field);
    static std::vector<std::string> RoomNumbers() { return Column(4, 1); }
    static std::vector<std::string> StampIds() { return Column(8, 2); }

    static std::vector<DG::AlertRecord> Alerts();
    static std::vector<GSResID> AlertIds();
    static std::vector<std::string> AddOnDebugLines();
    int CallCount(const std::string& operation, const std::string& argument = {}) const;
    std::string Name(const API_Guid& guid) const { return host.GetElementName(guid); }

    Headless::HeadlessHost host;
    AlertAnswers user;
    Int32 stampLibInd = 0;

private:
    DG::UIDriverScope driverScope_{&user};
    int hostToken_ = 0;
    Int64 liveHandlesAtStart_ = 0;
    std::vector<API_Guid> made_;
};

#endif
