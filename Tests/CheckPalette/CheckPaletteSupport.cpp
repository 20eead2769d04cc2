#include "CheckPaletteSupport.hpp"

#include <algorithm>

#include "AddOn/FrameState.hpp"
#include "AddOn/PaletteIdentity.hpp"
#include "AddOn/Registration.hpp"
#include "AddOn/Zarimark/OwnStampWrites.hpp"
#include "DG/ListBox.hpp"
#include "DG/PanelRegistry.hpp"
#include "GSRoot/DebugLog.hpp"
#include "GSRoot/MemoryHandle.hpp"
#include "Host/AddOnLoading.hpp"
#include "Host/HostOperations.hpp"
#include "StampTestSupport.hpp"

using namespace Zarimark;

short AlertAnswers::AnswerAlert(const DG::AlertRecord& alert) {
    if (alert.id == 0 && throwOnLiteralAlert)
        throw std::runtime_error("the user interface failed");
    const auto found = answers.find(alert.id);
    return found != answers.end() ? found->second : 1;
}

void PaletteTest::SetUp() {
    host.SetOwnResourceModule(CompiledResourceModule());
    ASSERT_EQ(FrameState::AcceptHostOperations(&host, HostOperationCount, &hostToken_), NoError);
    ASSERT_EQ(RegisterMenusAndLibrary(), NoError) << host.GetBuiltInLibraryError();
    ASSERT_EQ(InstallHandlers(), NoError);
    const Headless::LibPartRecord* stampPart = host.FindLibraryPartByName("Zarimark.gsm");
    ASSERT_NE(stampPart, nullptr);
    stampLibInd = stampPart->index;
    ASSERT_FALSE(CheckPalette::HasInstance());
    host.ClearCallLog();
    DG::ClearUILog();
    GS::ClearDebugLog();
    liveHandlesAtStart_ = BMGetLiveHandleCount();
}

void PaletteTest::TearDown() {
    CheckPalette::DestroyInstance();
    EXPECT_EQ(UserPalette(), nullptr);
    EXPECT_EQ(host.GetOutstandingMemoCount(), 0);
    EXPECT_EQ(BMGetLiveHandleCount(), liveHandlesAtStart_);
    EXPECT_THAT(host.GetAddOnExceptions(), ::testing::IsEmpty());
    // The add-on remembers its writes by GUID, and every headless project numbers alike.
    for (const API_Guid& element : host.GetElements())
        OwnStampWrites::Forget(element);
    for (const API_Guid& element : made_)
        OwnStampWrites::Forget(element);
    FrameState::ClearHostToken();
    Host::SetCurrentHost(nullptr);
}

API_Guid PaletteTest::Room(const std::string& number, const char* apartmentId, Areas areas,
                           Headless::ZoneDesc base) {
    base.name = "room " + number;
    base.number = GS::UniString(number);
    if (base.roomName.IsEmpty())
        base.roomName = GS::UniString("Room " + number);
    base.areas = {areas.a, areas.b, areas.c, areas.d, areas.e};
    if (apartmentId != nullptr)
        base.parameters.push_back(Headless::Parameter::Text("stApartmentId", apartmentId));
    std::string error;
    const API_Guid room = host.AddZone(base, &error);
    EXPECT_NE(room, APINULLGuid) << error;
    host.SetObserved(room, true);
    made_.push_back(room);
    return room;
}

API_Guid PaletteTest::Stamp(const char* apartmentId, const std::vector<API_Guid>& rooms,
                            Headless::LabelDesc base) {
    base.name = std::string("stamp ") + (apartmentId != nullptr ? apartmentId : "-") + " " +
                std::to_string(made_.size());
    base.libInd = stampLibInd;
    base.begC = base.midC = base.endC = {1.0, 2.0};
    if (apartmentId != nullptr)
        base.parameters.push_back(Headless::Parameter::Text("zm_apartmentId", apartmentId));
    std::string error;
    const API_Guid stamp = host.AddLabel(base, &error);
    EXPECT_NE(stamp, APINULLGuid) << error;
    if (apartmentId == nullptr) {
        // The part declares the parameter: only a change of the list takes it away.
        Headless::ParameterList parameters = host.FindElement(stamp)->parameters;
        parameters.erase(std::remove_if(parameters.begin(), parameters.end(),
                                        [](const Headless::Parameter& parameter) {
                                            return parameter.GetName() == "zm_apartmentId";
                                        }),
                         parameters.end());
        EXPECT_EQ(host.SetElementParameters(stamp, parameters), NoError);
    }
    host.SetObserved(stamp, true);
    for (const API_Guid& room : rooms) {
        EXPECT_TRUE(host.AddLink(room, stamp));
        EXPECT_TRUE(host.AddLink(stamp, room));
    }
    made_.push_back(stamp);
    return stamp;
}

void PaletteTest::ThreeStories() {
    host.SetStories({{-1, "Basement", -3.0}, {0, "Ground Floor", 0.0}, {1, "First Floor", 3.0}});
}

void PaletteTest::UseModuleWithoutPalette() {
    static const GSResModule module = [] {
        std::vector<TestResource> resources;
        for (RS::ResType type : {RS::StringListType, RS::AlertType}) {
            for (GSResID id : RS::ListResources(CompiledResourceModule(), type))
                resources.push_back({type, id, u"", ResourceBytes(CompiledResourceModule(), type, id)});
        }
        return RegisterTestModule(resources);
    }();
    std::vector<unsigned char> dialog;
    ASSERT_FALSE(RS::GetResourceData(module, RS::DialogType, 32512, &dialog));
    host.SetOwnResourceModule(module);
    ASSERT_EQ(FrameState::AcceptHostOperations(&host, HostOperationCount, &hostToken_), NoError);
    host.ClearCallLog();
}

Int32 PaletteTest::ReferenceId() {
    return PaletteIdentity::GetPaletteReferenceId();
}

DG::Palette* PaletteTest::UserPalette() {
    return DG::FindPalette(PaletteIdentity::GetPaletteGuid());
}

bool PaletteTest::IsShown() {
    return UserPalette() != nullptr && UserPalette()->IsVisible();
}

void PaletteTest::ShowPalette() {
    ShowCheckPalette();
    ASSERT_TRUE(IsShown());
}

bool PaletteTest::Message(Int32 message) {
    bool answer = false;
    EXPECT_EQ(host.SendPaletteMessage(ReferenceId(), message, &answer), NoError) << message;
    return answer;
}

void PaletteTest::Click(short item) {
    ASSERT_NE(UserPalette(), nullptr);
    bool clicked = false;
    host.RunAddOnCall([&] { clicked = UserPalette()->ClickButton(item); });
    EXPECT_TRUE(clicked) << "item " << item;
}

Rows PaletteTest::ListRows(short item) {
    Rows rows;
    if (UserPalette() == nullptr)
        return rows;
    const DG::ListBox list(*UserPalette(), item);
    for (short row = 1; row <= list.GetItemCount(); ++row) {
        std::vector<std::string> texts;
        for (short field = 1; field <= list.GetTabFieldCount(); ++field)
            texts.push_back(list.GetTabItemText(row, field).ToUtf8());
        rows.push_back(texts);
    }
    return rows;
}

std::vector<std::string> PaletteTest::Column(short item, short field) {
    std::vector<std::string> texts;
    for (const std::vector<std::string>& row : ListRows(item))
        texts.push_back(row.at(static_cast<std::size_t>(field - 1)));
    return texts;
}

std::vector<DG::AlertRecord> PaletteTest::Alerts() {
    std::vector<DG::AlertRecord> alerts;
    for (const DG::UILogEntry& entry : DG::GetUILog()) {
        if (entry.kind == DG::UILogKind::Alert)
            alerts.push_back(entry.alert);
    }
    return alerts;
}

std::vector<GSResID> PaletteTest::AlertIds() {
    std::vector<GSResID> ids;
    for (const DG::AlertRecord& alert : Alerts())
        ids.push_back(alert.id);
    return ids;
}

std::vector<std::string> PaletteTest::AddOnDebugLines() {
    std::vector<std::string> lines;
    for (const std::string& line : GS::GetDebugLog()) {
        if (line.rfind("ZM: ", 0) == 0)
            lines.push_back(line);
    }
    return lines;
}

int PaletteTest::CallCount(const std::string& operation, const std::string& argument) const {
    return static_cast<int>(std::count_if(
        host.GetCallLog().begin(), host.GetCallLog().end(), [&](const Headless::CallLogEntry& entry) {
            return entry.operation == operation &&
                   (argument.empty() || entry.arguments.find(argument) != std::string::npos);
        }));
}
