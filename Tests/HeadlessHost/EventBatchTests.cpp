#include "FakeAddOn.hpp"

using namespace Headless;

namespace {

GS::UniString ParentApartment(HeadlessHost& host, GSErrCode* result) {
    API_Element parent;
    API_ElementMemo memo;
    *result = host.HostGetParentElement(&parent, &memo, APIMemoMask_AddPars);
    if (*result != NoError)
        return {};
    const ParameterList parameters = DecodeParameters(reinterpret_cast<GSConstHandle>(memo.params));
    host.HostDisposeElementMemo(&memo);
    const Parameter* apartment = FindParameter(parameters, "stApartmentId");
    return apartment != nullptr ? apartment->GetText() : GS::UniString("<none>");
}

} // namespace

TEST_F(HostTest, UserActionsArriveAsOneBatchEachWithTheirCodes) {
    const API_Guid observed = AddObservedRoom("r1", "A");
    const API_Guid unobserved = AddRoom("r2", "A");

    ZoneDesc desc;
    desc.name = "new";
    desc.polygon = {{0, 0}, {2, 0}, {2, 2}};
    ASSERT_EQ(host.CreateZone(desc), NoError);
    ASSERT_EQ(host.MoveElement(observed, {1, 1}), NoError);
    ASSERT_EQ(host.MoveElement(unobserved, {1, 1}), NoError); // not reported: no batch at all
    ASSERT_EQ(host.SetElementParameters(observed, {Parameter::Text("stApartmentId", "B")}), NoError);
    ASSERT_EQ(host.SendElementEvent(observed, APINotifyElement_ClassificationChange), NoError);
    ASSERT_EQ(host.DeleteElements({observed}), NoError);

    EXPECT_EQ(FakeAddOn::Trace(), "-1 1:new -2 -1 4:r1 -2 -1 3:r1 -2 -1 13:r1 -2 -1 5:r1 -2");
    EXPECT_EQ(CountBatches(BatchOrigin::User), 5);
    EXPECT_EQ(host.GetDeliveredBatches()[0].events[1].typeID, API_ZoneID);
    EXPECT_TRUE(host.GetDeliveredBatches()[0].events[1].toNewElementHandler);
    // A created zone gets default areas from its polygon: A = B = C = D = 2, E = 0.
    const ElementRecord* created = host.FindElementByName("new");
    ASSERT_NE(created, nullptr);
    EXPECT_DOUBLE_EQ(created->areas.a, 2.0);
    EXPECT_DOUBLE_EQ(created->areas.d, 2.0);
    EXPECT_DOUBLE_EQ(created->areas.e, 0.0);
}

TEST_F(HostTest, ParentIsTheStateBeforeTheChangeAndOnlyDuringTheEvent) {
    const API_Guid room = AddObservedRoom("r1", "A");
    GS::UniString seenParent;
    GS::UniString seenCurrent;
    GSErrCode parentResult = -1;
    FakeAddOn::Get().onEvent = [&](const API_NotifyElementType& event) {
        if (event.notifID == APINotifyElement_Change) {
            seenParent = ParentApartment(host, &parentResult);
            seenCurrent = ApartmentOf(room);
        }
        return NoError;
    };
    ASSERT_EQ(host.SetElementParameters(room, {Parameter::Text("stApartmentId", "B")}), NoError);
    EXPECT_EQ(parentResult, NoError);
    EXPECT_EQ(seenParent, "A");
    EXPECT_EQ(seenCurrent, "B");

    API_Element element;
    EXPECT_EQ(host.HostGetParentElement(&element, nullptr, 0), APIERR_GENERAL);
    EXPECT_EQ(host.GetOutstandingMemoCount(), 0);
}

TEST_F(HostTest, CopiesOfObservedElementsAreCopiesOthersAreNew) {
    const API_Guid observed = AddObservedRoom("r1", "A");
    const API_Guid plain = AddRoom("r2", "A");
    const API_Guid stamp = AddRoom("r3", "A");
    host.AddLink(observed, stamp);
    API_Guid parentGuid;
    FakeAddOn::Get().onEvent = [&](const API_NotifyElementType& event) {
        API_Element parent;
        if (event.notifID == APINotifyElement_Copy &&
            host.HostGetParentElement(&parent, nullptr, 0) == NoError)
            parentGuid = parent.header.guid;
        return NoError;
    };
    API_Guid copy;
    ASSERT_EQ(host.CopyElement(observed, {10, 0}, "copy1", &copy), NoError);
    ASSERT_EQ(host.CopyElement(plain, {10, 0}, "copy2"), NoError);

    EXPECT_EQ(FakeAddOn::Trace(), "-1 2:copy1 -2 -1 1:copy2 -2");
    EXPECT_EQ(parentGuid, observed);
    const ElementRecord* record = host.FindElement(copy);
    ASSERT_NE(record, nullptr);
    EXPECT_FALSE(record->observed);
    EXPECT_TRUE(record->links.empty());
    EXPECT_EQ(ApartmentOf(copy), "A");
    EXPECT_DOUBLE_EQ(record->polygon[1].x, 14.0);
}

TEST_F(HostTest, DeletedElementStaysReadableUntilItsBatchClosed) {
    const API_Guid room = AddObservedRoom("r1", "A");
    const API_Guid stamp = AddRoom("s1", "A");
    host.AddLink(room, stamp);
    host.AddLink(stamp, room);
    GSErrCode linksDuring = -1;
    GSErrCode memoDuring = -1;
    GSErrCode elementDuring = -1;
    FakeAddOn::Get().onEvent = [&](const API_NotifyElementType& event) {
        if (event.notifID != APINotifyElement_Delete)
            return NoError;
        GS::Array<API_Guid> links;
        linksDuring = host.HostGetElementLinks(room, &links);
        EXPECT_EQ(links.GetSize(), 1u);
        API_ElementMemo memo;
        memoDuring = host.HostGetElementMemo(room, &memo, APIMemoMask_AddPars);
        host.HostDisposeElementMemo(&memo);
        API_Element element;
        element.header.guid = room;
        elementDuring = host.HostGetElement(&element);
        return NoError;
    };
    ASSERT_EQ(host.DeleteElements({room}), NoError);
    EXPECT_EQ(linksDuring, NoError);
    EXPECT_EQ(memoDuring, NoError);
    EXPECT_EQ(elementDuring, APIERR_BADELEMENT);

    GS::Array<API_Guid> links;
    EXPECT_EQ(host.HostGetElementLinks(room, &links), APIERR_BADELEMENT);
    EXPECT_TRUE(host.FindElement(stamp)->links.empty()); // links to the purged element go with it
}

TEST_F(HostTest, DeletingSeveralElementsRemovesAllBeforeTheFirstEvent) {
    const API_Guid room = AddObservedRoom("r1", "A");
    const API_Guid stamp = AddObservedRoom("s1", "A");
    std::vector<GSErrCode> reads;
    FakeAddOn::Get().onEvent = [&](const API_NotifyElementType& event) {
        if (event.notifID == APINotifyElement_Delete) {
            API_Element element;
            element.header.guid = stamp;
            reads.push_back(host.HostGetElement(&element));
        }
        return NoError;
    };
    ASSERT_EQ(host.DeleteElements({room, stamp}), NoError);
    EXPECT_EQ(reads, (std::vector<GSErrCode>{APIERR_BADELEMENT, APIERR_BADELEMENT}));
    EXPECT_EQ(FakeAddOn::Trace(), "-1 5:r1 5:s1 -2");
}

TEST_F(HostTest, SeveralActionsInOneBatchEachSeeTheirOwnState) {
    const API_Guid first = AddObservedRoom("r1", "A");
    const API_Guid second = AddObservedRoom("r2", "A");
    std::vector<std::string> seen;
    FakeAddOn::Get().onEvent = [&](const API_NotifyElementType& event) {
        if (event.notifID == APINotifyElement_Change)
            seen.push_back(ApartmentOf(first).ToUtf8() + ApartmentOf(second).ToUtf8());
        return NoError;
    };
    host.RunUserAction([&] {
        host.SetElementParameters(first, {Parameter::Text("stApartmentId", "B")});
        host.SetElementParameters(second, {Parameter::Text("stApartmentId", "C")});
    });
    EXPECT_EQ(FakeAddOn::Trace(), "-1 3:r1 3:r2 -2");
    EXPECT_EQ(seen, (std::vector<std::string>{"BA", "BC"}));
    EXPECT_EQ(CountBatches(BatchOrigin::User), 1);
}

TEST_F(HostTest, AddOnChangesAreReportedAfterItsCallReturned) {
    const API_Guid room = AddObservedRoom("r1", "A");
    const API_Guid other = AddObservedRoom("r2", "A");
    GSErrCode attachAgain = -1;
    std::string traceInsideHandler;
    FakeAddOn::Get().onEvent = [&](const API_NotifyElementType& event) {
        if (event.notifID == APINotifyElement_Change && FakeAddOn::Get().events.size() == 2) {
            // The add-on creates a stamp, observes it and changes another room.
            API_Element label;
            label.header.type.typeID = API_LabelID;
            label.header.layer = 1;
            EXPECT_EQ(host.HostCreateElement(&label, nullptr), NoError);
            EXPECT_EQ(host.HostAttachElementObserver(label.header.guid, 0), NoError);
            EXPECT_EQ(ChangeApartment(other, "Z"), NoError);
            traceInsideHandler = FakeAddOn::Trace();
        }
        if (event.notifID == APINotifyElement_New)
            attachAgain = host.HostAttachElementObserver(event.elemHead.guid, 0);
        return NoError;
    };
    ASSERT_EQ(host.SetElementParameters(room, {Parameter::Text("stApartmentId", "B")}), NoError);

    EXPECT_EQ(traceInsideHandler, "-1 3:r1");
    EXPECT_EQ(FakeAddOn::Trace(), "-1 3:r1 -2 -1 1:label-1 3:r2 -2");
    EXPECT_EQ(attachAgain, APIERR_LINKEXIST); // the new label arrives already observed
    ASSERT_EQ(host.GetDeliveredBatches().size(), 2u);
    EXPECT_EQ(host.GetDeliveredBatches()[1].origin, BatchOrigin::AddOnEcho);
    EXPECT_EQ(host.GetDeliveredBatches()[1].round, 1);
    EXPECT_FALSE(host.HasUpdateCycle());
    // Elements the user's side creates are reserved by this user.
    EXPECT_EQ(host.FindElementByName("label-1")->reservation, Reservation::ThisUser);
}

TEST_F(HostTest, TheOriginOfTheBatchBeingDeliveredIsKnownOnlyInsideItsHandlers) {
    const API_Guid room = AddObservedRoom("r1", "A");
    const API_Guid other = AddObservedRoom("r2", "A");
    std::string origins;
    const auto note = [&] {
        const std::optional<BatchOrigin> origin = host.GetDeliveringBatchOrigin();
        origins += !origin ? "-" : *origin == BatchOrigin::User ? "U" : "E";
    };
    FakeAddOn::Get().onEvent = [&](const API_NotifyElementType& event) {
        note();
        if (event.notifID == APINotifyElement_Change && event.elemHead.guid == room)
            ChangeApartment(other, "Z");
        return NoError;
    };
    FakeAddOn::Get().onMenu = [&] {
        note();
        return ChangeApartment(room, "M");
    };
    ASSERT_EQ(host.ACAPI_Register_Menu(32501, 0, MenuCode_UserDef, 0), NoError);
    ASSERT_EQ(host.ACAPI_Install_MenuHandler(32501, &FakeAddOn::MenuHandler), NoError);
    note();
    ASSERT_EQ(host.SetElementParameters(room, {Parameter::Text("stApartmentId", "B")}), NoError);
    EXPECT_EQ(host.InvokeMenu(32501), NoError);
    note();
    // User batch -1 3:r1 -2, its echo -1 3:r2 -2; the menu, then its echo of r1 and of r2.
    EXPECT_EQ(FakeAddOn::Trace(), "-1 3:r1 -2 -1 3:r2 -2 -1 3:r1 -2 -1 3:r2 -2");
    EXPECT_EQ(origins, "-UUUEEE-EEEEEE-");
}

TEST_F(HostTest, EchoesWithinOneCallAreMergedPerElement) {
    const API_Guid room = AddObservedRoom("r1", "A");
    GS::UniString parentOfEcho;
    FakeAddOn::Get().onEvent = [&](const API_NotifyElementType& event) {
        if (event.notifID == APINotifyElement_Change) {
            GSErrCode result = NoError;
            parentOfEcho = ParentApartment(host, &result);
        }
        return NoError;
    };
    host.RunAddOnCall([&] {
        ChangeApartment(room, "B");
        ChangeApartment(room, "C");
        // Made and deleted within the call: never told.
        API_Element label;
        label.header.type.typeID = API_LabelID;
        label.header.layer = 1;
        host.HostCreateElement(&label, nullptr);
        host.HostDeleteElements({label.header.guid});
    });
    EXPECT_EQ(FakeAddOn::Trace(), "-1 3:r1 -2");
    EXPECT_EQ(parentOfEcho, "A");
}

TEST_F(HostTest, EchoRoundsAreBoundedAndACycleIsReported) {
    const API_Guid room = AddObservedRoom("r1", "A");
    int rewrites = 0;
    int stopAfter = 100;
    FakeAddOn::Get().onEvent = [&](const API_NotifyElementType& event) {
        // An add-on that rewrites the element on each of its changed events.
        if (event.notifID == APINotifyElement_Change && rewrites < stopAfter) {
            ++rewrites;
            ChangeApartment(room, "X" + std::to_string(rewrites));
        }
        return NoError;
    };
    ASSERT_EQ(host.SetElementParameters(room, {Parameter::Text("stApartmentId", "B")}), NoError);
    EXPECT_TRUE(host.HasUpdateCycle());
    EXPECT_EQ(CountBatches(BatchOrigin::AddOnEcho), host.GetEchoRoundLimit());
    EXPECT_EQ(host.GetDroppedEchoEventCount(), 1);
    EXPECT_EQ(host.GetDeliveredBatches().back().round, 8);

    host.ClearUpdateCycle();
    host.ClearDeliveredBatches();
    rewrites = 0;
    stopAfter = 3; // breaks the echo after three rounds
    ASSERT_EQ(host.SetElementParameters(room, {Parameter::Text("stApartmentId", "C")}), NoError);
    EXPECT_FALSE(host.HasUpdateCycle());
    EXPECT_EQ(CountBatches(BatchOrigin::AddOnEcho), 3);
    EXPECT_EQ(ApartmentOf(room), "X3");
}

TEST_F(HostTest, MenuCommandsAndProjectEventsAreCallsIntoTheAddOn) {
    ASSERT_EQ(host.ACAPI_Register_Menu(32501, 0, MenuCode_UserDef, MenuFlag_SeparatorBefore), NoError);
    EXPECT_EQ(host.ACAPI_Install_MenuHandler(32600, &FakeAddOn::MenuHandler), APIERR_BADPARS);
    ASSERT_EQ(host.ACAPI_Install_MenuHandler(32501, &FakeAddOn::MenuHandler), NoError);
    std::string traceInsideMenu = "not called";
    FakeAddOn::Get().onMenu = [&] {
        ZoneDesc desc;
        desc.name = "made";
        EXPECT_EQ(host.CreateZone(desc), NoError); // even a user-side creation waits for the call to end
        traceInsideMenu = FakeAddOn::Trace();
        return static_cast<GSErrCode>(42);
    };
    EXPECT_EQ(host.InvokeMenu(32501), 42);
    EXPECT_EQ(traceInsideMenu, "");
    EXPECT_EQ(FakeAddOn::Trace(), "-1 1:made -2");
    std::string error;
    EXPECT_EQ(host.InvokeMenu(GS::UniString("No Such Item"), &error), APIERR_BADPARS);
    EXPECT_NE(error.find("No Such Item"), std::string::npos);

    std::vector<Int32> projectEvents;
    FakeAddOn::Get().onProjectEvent = [&](Int32 code) {
        projectEvents.push_back(code);
        return NoError;
    };
    host.ACAPI_Notify_CatchProjectEvent(APINotify_New | APINotify_Open, &FakeAddOn::ProjectHandler);
    host.CreateOrOpenProject(false);
    host.CreateOrOpenProject(true);
    host.SendProjectEvent(APINotify_Quit); // not in the mask
    EXPECT_EQ(projectEvents, (std::vector<Int32>{APINotify_New, APINotify_Open}));
}

TEST_F(HostTest, PaletteMessagesReachTheRegisteredCallback) {
    API_Guid paletteGuid;
    paletteGuid.time_low = 7;
    ASSERT_EQ(host.ACAPI_RegisterModelessWindow(0x1234, &FakeAddOn::PaletteCallback, 1, paletteGuid),
              NoError);
    EXPECT_EQ(host.ACAPI_RegisterModelessWindow(0x1234, &FakeAddOn::PaletteCallback, 1, paletteGuid),
              APIERR_BADPARS);
    bool visible = false;
    EXPECT_EQ(host.SendPaletteMessage(0x1234, APIPalMsg_IsPaletteVisible, &visible), NoError);
    EXPECT_TRUE(visible);
    EXPECT_EQ(host.HostUnregisterModelessWindow(0x1234), NoError);
    EXPECT_EQ(host.SendPaletteMessage(0x1234, APIPalMsg_OpenPalette), APIERR_BADPARS);
    EXPECT_EQ(FakeAddOn::Get().paletteMessages, (std::vector<Int32>{APIPalMsg_IsPaletteVisible}));
}

TEST_F(HostTest, LabelPlacedOnAZoneHasTheZoneAsParent) {
    const API_Guid room = AddRoom("r1", "A");
    LibPartDesc part;
    part.name = "Tag.gsm";
    part.uniqueId = "{TAG}";
    part.parameters = {Parameter::Text("text", "x"), Parameter::Real("size", 2.0)};
    const Int32 tag = host.AddLibraryPart(part);
    API_Element defaults;
    defaults.header.layer = 1;
    defaults.label.libInd = tag;
    host.SetLabelDefaults(defaults, {});

    API_Guid label;
    ASSERT_EQ(host.PlaceLabel(LabelPlacement{"placed", {3, 4}, room}, &label), NoError);
    const API_Element element = Read(label);
    EXPECT_EQ(element.label.parent, room);
    EXPECT_EQ(element.label.parentType.typeID, API_ZoneID);
    EXPECT_DOUBLE_EQ(element.label.midC.y, 4.0);
    EXPECT_EQ(host.FindElement(label)->parameters.size(), 2u); // the part's defaults
    EXPECT_EQ(FakeAddOn::Trace(), "-1 1:placed -2");

    ASSERT_EQ(host.PlaceLabel(LabelPlacement{"free", {0, 0}, APINULLGuid}, &label), NoError);
    EXPECT_EQ(Read(label).label.parent, APINULLGuid);
    EXPECT_EQ(host.PlaceLabel(LabelPlacement{"bad", {0, 0}, label}), APIERR_BADPARS); // a label is no zone
}

TEST_F(HostTest, UnreportedUserActionsChangeTheProjectSilently) {
    const API_Guid room = AddObservedRoom("r1", "A");
    host.SetUserEventsReported(false);
    ASSERT_EQ(host.SetElementParameters(room, {Parameter::Text("stApartmentId", "B")}), NoError);
    ASSERT_EQ(host.DeleteElements({room}), NoError);
    EXPECT_EQ(FakeAddOn::Trace(), "");
    EXPECT_EQ(host.FindElement(room), nullptr);

    host.SetUserEventsReported(true);
    const API_Guid other = AddObservedRoom("r2", "A");
    ASSERT_EQ(host.MoveElement(other, {1, 1}), NoError);
    EXPECT_EQ(FakeAddOn::Trace(), "-1 4:r2 -2");
}
