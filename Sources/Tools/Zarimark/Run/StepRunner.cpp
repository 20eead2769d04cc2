#include "Run/StepRunner.hpp"
#include "Host/APIGuid.hpp"

#include <algorithm>
#include <sstream>

#include "Run/PaletteAccess.hpp"
#include "Run/ParameterConversion.hpp"
#include "Run/ProjectBuilder.hpp"
#include "Scenario/JsonReader.hpp"

namespace Run {

namespace {

using Scenario::ActionKind;

// A new element's lock and reservation, as the step gives them.
template <typename Desc>
void ApplyState(const Scenario::ElementState& state, Desc& desc) {
    desc.lockId = state.locked ? 1 : 0;
    desc.reservation = ToHostReservation(state.reservation);
}

class Player {
public:
    Player(Headless::HeadlessHost& host, const Scenario::Action& action, ActionOutcome& outcome)
        : host_(host), action_(action), outcome_(outcome) {}

    void Play();

private:
    // The element of that id, or null with the failure set.
    const Headless::ElementRecord* Element(const std::string& id, const char* key) {
        const Headless::ElementRecord* record = host_.FindElementByName(id);
        if (record == nullptr && !outcome_.failure)
            outcome_.failure = RunFailure::InScenario(Scenario::KeyPath(action_.path, key),
                                                      "no element \"" + id + "\" exists at this step");
        return record;
    }
    std::vector<API_Guid> Elements(const std::vector<std::string>& ids, const char* key) {
        std::vector<API_Guid> guids;
        for (const std::string& id : ids) {
            if (const Headless::ElementRecord* record = Element(id, key))
                guids.push_back(record->GetGuid());
        }
        return guids;
    }
    void Check(bool done, const std::string& why) {
        if (!done) {
            outcome_.result = APIERR_BADPARS;
            outcome_.notes.push_back(why);
        }
    }
    void Fail(RunFailure failure) {
        if (failure && !outcome_.failure)
            outcome_.failure = failure;
    }

    void PlayElementChange();
    void PlayView();
    void PlayPalette();
    void PlayPaletteAction();
    void PlayAttributes();
    void CreateLabel();
    void ChangeZone();
    void Ungroup();
    void AddZoneCategory();
    void EditParameters();
    void PlayFault();

    Headless::HeadlessHost& host_;
    const Scenario::Action& action_;
    ActionOutcome& outcome_;
};

void Player::CreateLabel() {
    const Scenario::LabelDesc& label = action_.label;
    Headless::LabelDesc desc;
    if (RunFailure failure = ToHostLabel(host_, label, &desc))
        return Fail(failure);
    if (!label.parent.empty()) {
        if (const Headless::ElementRecord* parent = Element(label.parent, "parent"))
            desc.parent = parent->GetGuid();
    }
    ApplyState(label.state, desc);
    Fail(ToLabelParameters(host_, desc.libInd, label.parameters, label.without, &desc.parameters));
    if (!outcome_.failure)
        outcome_.result = host_.CreateLabel(desc);
}

void Player::ChangeZone() {
    const Headless::ElementRecord* zone = Element(action_.element, "zone");
    if (zone == nullptr)
        return;
    const Scenario::ZoneChangeDesc& change = action_.change;
    Headless::ZoneChange hostChange;
    if (change.number)
        hostChange.number = GS::UniString(*change.number);
    if (change.name)
        hostChange.roomName = GS::UniString(*change.name);
    hostChange.category = change.category;
    if (change.layer)
        hostChange.layer = FindLayerIndex(host_, *change.layer);
    if (change.areas)
        hostChange.areas = ToHostAreas(*change.areas);
    Headless::ParameterList parameters = zone->parameters;
    if (change.parameters)
        Fail(ToParameterList(*change.parameters, &parameters));
    if (change.removeApartmentId || change.apartmentId) {
        parameters.erase(
            std::remove_if(parameters.begin(), parameters.end(),
                           [](const Headless::Parameter& p) { return p.GetName() == "stApartmentId"; }),
            parameters.end());
        if (change.apartmentId)
            parameters.insert(parameters.begin(),
                              Headless::Parameter::Text("stApartmentId", *change.apartmentId));
    }
    if (change.parameters || change.removeApartmentId || change.apartmentId)
        hostChange.parameters = parameters;
    if (!outcome_.failure)
        outcome_.result = host_.ChangeZone(zone->GetGuid(), hostChange);
}

// After an undo the file no longer tells the groups: an element in no group shows only here.
void Player::Ungroup() {
    const std::string path = Scenario::KeyPath(action_.path, "elements");
    std::vector<API_Guid> guids;
    for (std::size_t i = 0; i < action_.elements.size(); ++i) {
        const Headless::ElementRecord* record = host_.FindElementByName(action_.elements[i]);
        const std::string at = Scenario::IndexPath(path, i);
        if (record == nullptr)
            return Fail(
                RunFailure::InScenario(at, "no element \"" + action_.elements[i] + "\" exists at this step"));
        if (record->element.header.groupGuid == APINULLGuid)
            return Fail(
                RunFailure::InScenario(at, "\"" + action_.elements[i] + "\" is in no group at this step"));
        guids.push_back(record->GetGuid());
    }
    outcome_.result = host_.UngroupElements(guids);
}

void Player::AddZoneCategory() {
    const Scenario::ZoneCategoryDesc& category = action_.category;
    if (category.index == 0) {
        const API_AttributeIndex index = host_.AddZoneCategory(GS::UniString(category.code), category.name);
        outcome_.notes.push_back("the new zone category has the index " + std::to_string(index));
    } else if (!host_.AddZoneCategoryAt(category.index, GS::UniString(category.code), category.name)) {
        Fail(RunFailure::InScenario(Scenario::KeyPath(action_.path, "index"),
                                    "the zone category index " + std::to_string(category.index) +
                                        " is in use at this step"));
    }
}

void Player::EditParameters() {
    const Headless::ElementRecord* element = Element(action_.element, "element");
    if (element == nullptr)
        return;
    Headless::ParameterList values;
    for (const Scenario::ParameterValue& value : action_.parameters) {
        Headless::Parameter converted;
        std::string error;
        if (!ToHostParameter(value, Headless::FindParameter(element->parameters, value.name), &converted,
                             &error))
            return Fail(RunFailure::InScenario(value.path, error));
        values.push_back(converted);
    }
    outcome_.result = host_.EditParameters(element->GetGuid(), values);
}

void Player::PlayFault() {
    Headless::FaultInjector& faults = host_.GetFaults();
    const std::string& operation = action_.operation;
    bool planned = false;
    if (operation.empty())
        planned = action_.flag ? faults.InjectExceptionAtCall(action_.call, action_.repeat)
                               : faults.InjectAtCall(action_.call, action_.code, action_.repeat);
    else
        planned = action_.flag ? faults.InjectException(operation, action_.call, action_.repeat)
                               : faults.Inject(operation, action_.call, action_.code, action_.repeat);
    Check(planned, "the fault could not be injected");
}

void Player::PlayElementChange() {
    switch (action_.kind) {
    case ActionKind::CreateZone: {
        Headless::ZoneDesc desc = ToHostZone(host_, action_.zone);
        ApplyState(action_.zone.state, desc);
        Fail(ToParameterList(action_.zone.parameters, &desc.parameters));
        if (!outcome_.failure)
            outcome_.result = host_.CreateZone(desc);
        break;
    }
    case ActionKind::CreateLabel:
        CreateLabel();
        break;
    case ActionKind::CreateWall: {
        Headless::WallDesc desc = ToHostWall(host_, action_.wall);
        ApplyState(action_.wall.state, desc);
        outcome_.result = host_.CreateWall(desc);
        break;
    }
    case ActionKind::PlaceLabel: {
        Headless::LabelPlacement placement;
        placement.name = action_.id;
        placement.position = ToCoord(action_.point);
        if (!action_.element.empty()) {
            const Headless::ElementRecord* zone = Element(action_.element, "zone");
            if (zone == nullptr)
                return;
            placement.clickedZone = zone->GetGuid();
        }
        if (!action_.text.empty()) {
            placement.libInd = FindLibPartIndex(host_, action_.text);
            if (*placement.libInd == 0)
                return Fail(MissingLibraryPart(action_.text));
        }
        outcome_.result = host_.PlaceLabel(placement);
        break;
    }
    case ActionKind::Group: {
        const std::vector<API_Guid> guids = Elements(action_.elements, "elements");
        if (!outcome_.failure)
            host_.GroupElements(guids);
        break;
    }
    case ActionKind::Ungroup:
        Ungroup();
        break;
    case ActionKind::ChangeZone:
        ChangeZone();
        break;
    case ActionKind::Move:
        if (const Headless::ElementRecord* element = Element(action_.element, "element"))
            outcome_.result = host_.MoveElement(element->GetGuid(), ToCoord(action_.point));
        break;
    case ActionKind::EditPolygon:
        if (const Headless::ElementRecord* zone = Element(action_.element, "zone")) {
            std::vector<API_Coord> polygon;
            for (const Scenario::Point& point : action_.polygon)
                polygon.push_back(ToCoord(point));
            outcome_.result = host_.EditZonePolygon(zone->GetGuid(), polygon);
        }
        break;
    case ActionKind::Copy:
        if (const Headless::ElementRecord* element = Element(action_.element, "element"))
            outcome_.result = host_.CopyElement(element->GetGuid(), ToCoord(action_.point), action_.id);
        break;
    case ActionKind::Delete: {
        const std::vector<API_Guid> guids = Elements(action_.elements, "elements");
        if (!outcome_.failure)
            outcome_.result = host_.DeleteElements(guids);
        break;
    }
    case ActionKind::EditParameters:
        EditParameters();
        break;
    case ActionKind::ChangeLibraryPart:
        if (const Headless::ElementRecord* label = Element(action_.element, "label")) {
            const Int32 libInd = FindLibPartIndex(host_, action_.text);
            if (libInd == 0)
                return Fail(MissingLibraryPart(action_.text));
            outcome_.result = host_.ChangeLabelLibPart(label->GetGuid(), libInd);
        }
        break;
    case ActionKind::ElementEvent:
        if (const Headless::ElementRecord* element = Element(action_.element, "element"))
            outcome_.result = host_.SendElementEvent(element->GetGuid(), action_.number);
        break;
    default:
        break;
    }
}

// What the user can see of the palette; the add-on's reasons (its reopen flag) stay its own.
std::string PaletteState() {
    const DG::Palette* palette = FindCheckPalette();
    return palette == nullptr ? "not created" : palette->IsVisible() ? "visible" : "hidden";
}

void Player::PlayPalette() {
    const std::string before = PaletteState();
    PlayPaletteAction();
    const std::string after = PaletteState();
    if (action_.kind == ActionKind::PaletteMessage || action_.kind == ActionKind::PaletteClose ||
        before != after)
        outcome_.notes.push_back("palette: " + before +
                                 (before == after ? ", stays " + after : " -> " + after));
}

void Player::PlayPaletteAction() {
    if (action_.kind == ActionKind::PaletteMessage) {
        const auto& windows = host_.GetModelessWindows();
        const API_Guid guid = APIGuidFromString(CheckPaletteGuid);
        for (const Headless::ModelessWindowRecord& window : windows) {
            if (window.paletteGuid == guid) {
                bool answer = false;
                outcome_.result = host_.SendPaletteMessage(window.referenceID, action_.number, &answer);
                if (action_.number == APIPalMsg_IsPaletteVisible)
                    outcome_.notes.push_back(std::string("the add-on answered ") +
                                             (answer ? "visible" : "not visible"));
                return;
            }
        }
        return Check(false, "the module registered no palette " + std::string(CheckPaletteGuid));
    }
    DG::Palette* palette = FindCheckPalette();
    if (palette == nullptr)
        return Check(false, "the palette does not exist yet");
    if (action_.kind == ActionKind::PaletteClose) {
        host_.RunAddOnCall(
            [&] { Check(palette->PressCloseBox(), "the palette's close box could not be used"); });
        return;
    }
    if (action_.kind == ActionKind::PaletteResize) {
        host_.RunAddOnCall([&] {
            Check(palette->ResizeBy(static_cast<short>(action_.point.x), static_cast<short>(action_.point.y)),
                  "the palette could not be resized (it must be visible)");
        });
        return;
    }
    const short item =
        action_.text.empty() ? static_cast<short>(action_.number) : FindButtonItem(*palette, action_.text);
    host_.RunAddOnCall([&] {
        Check(item != 0 && palette->ClickButton(item),
              "the palette button " +
                  (action_.text.empty() ? std::to_string(action_.number) : "\"" + action_.text + "\"") +
                  " could not be clicked (the palette must be visible and the button enabled)");
    });
}

void Player::PlayView() {
    switch (action_.kind) {
    case ActionKind::OpenProject:
    case ActionKind::NewProject:
        outcome_.result = host_.CreateOrOpenProject(action_.kind == ActionKind::OpenProject);
        break;
    case ActionKind::Select: {
        const std::vector<API_Guid> guids = Elements(action_.elements, "elements");
        host_.SetSelection(guids);
        break;
    }
    case ActionKind::Menu: {
        std::string error;
        outcome_.result = host_.InvokeMenu(GS::UniString(action_.text), &error);
        if (!error.empty())
            Fail(RunFailure::InScenario(Scenario::KeyPath(action_.path, "item"), error));
        break;
    }
    case ActionKind::SetCurrentStory:
        Check(host_.SetCurrentStory(static_cast<Int16>(action_.number)), "no such story");
        break;
    case ActionKind::Lock:
        for (const API_Guid& guid : Elements(action_.elements, "elements"))
            Check(host_.SetElementLock(guid, action_.flag ? 1 : 0), "the element could not be locked");
        break;
    case ActionKind::Reserve:
        for (const API_Guid& guid : Elements(action_.elements, "elements"))
            Check(host_.SetReservation(guid, ToHostReservation(action_.reservation)),
                  "the reservation failed");
        break;
    case ActionKind::SuspendGroups:
        host_.SetSuspendGroups(action_.flag);
        break;
    case ActionKind::Teamwork:
        host_.SetTeamworkMode(action_.flag);
        break;
    case ActionKind::Undo:
        Check(host_.Undo(), "there is no step to undo");
        break;
    case ActionKind::Fault:
        PlayFault();
        break;
    default:
        break;
    }
}

void Player::PlayAttributes() {
    const Int16 flags =
        static_cast<Int16>((action_.flag ? APILay_Hidden : 0) | (action_.flag2 ? APILay_Locked : 0));
    switch (action_.kind) {
    case ActionKind::SetLayer:
        Check(host_.SetLayerFlags(FindLayerIndex(host_, action_.text), flags), "no such layer");
        break;
    case ActionKind::AddLayer:
        host_.AddLayer(action_.text, flags);
        break;
    case ActionKind::DeleteLayer:
        Check(host_.DeleteLayer(FindLayerIndex(host_, action_.text)), "the layer still holds elements");
        break;
    case ActionKind::ApplyLayerCombination: {
        const auto& combinations = host_.GetProject().layerCombinations;
        for (const Headless::LayerCombination& combination : combinations) {
            if (combination.name == action_.text) {
                Check(host_.ApplyLayerCombination(combination.index), "the combination could not be applied");
                return;
            }
        }
        Check(false, "no such layer combination");
        break;
    }
    case ActionKind::AddZoneCategory:
        AddZoneCategory();
        break;
    case ActionKind::ChangeZoneCategory:
        Check(host_.ChangeZoneCategory(action_.category.index, GS::UniString(action_.category.code),
                                       action_.category.name),
              "no such zone category");
        break;
    case ActionKind::DeleteZoneCategory:
        Check(host_.DeleteZoneCategory(action_.category.index), "no such zone category");
        break;
    default:
        break;
    }
}

void Player::Play() {
    switch (action_.kind) {
    case ActionKind::Batch:
        host_.RunUserAction([&] {
            for (const Scenario::Action& inner : action_.batch) {
                ActionOutcome innerOutcome = RunAction(host_, inner);
                if (innerOutcome.result != NoError)
                    outcome_.result = innerOutcome.result;
                outcome_.notes.insert(outcome_.notes.end(), innerOutcome.notes.begin(),
                                      innerOutcome.notes.end());
                Fail(innerOutcome.failure);
            }
        });
        break;
    case ActionKind::PaletteButton:
    case ActionKind::PaletteClose:
    case ActionKind::PaletteMessage:
    case ActionKind::PaletteResize:
        PlayPalette();
        break;
    case ActionKind::SetLayer:
    case ActionKind::AddLayer:
    case ActionKind::DeleteLayer:
    case ActionKind::ApplyLayerCombination:
    case ActionKind::AddZoneCategory:
    case ActionKind::ChangeZoneCategory:
    case ActionKind::DeleteZoneCategory:
        PlayAttributes();
        break;
    case ActionKind::OpenProject:
    case ActionKind::NewProject:
    case ActionKind::Select:
    case ActionKind::Menu:
    case ActionKind::SetCurrentStory:
    case ActionKind::Lock:
    case ActionKind::Reserve:
    case ActionKind::SuspendGroups:
    case ActionKind::Teamwork:
    case ActionKind::Undo:
    case ActionKind::Fault:
        PlayView();
        break;
    default:
        PlayElementChange();
        break;
    }
}

// An action the host keeps from the add-on, as a host that skipped a notification would.
class UserEventsScope {
public:
    UserEventsScope(Headless::HeadlessHost& host, bool notify)
        : host_(host), before_(host.AreUserEventsReported()) {
        if (!notify)
            host_.SetUserEventsReported(false);
    }
    ~UserEventsScope() { host_.SetUserEventsReported(before_); }
    UserEventsScope(const UserEventsScope&) = delete;
    UserEventsScope& operator=(const UserEventsScope&) = delete;

private:
    Headless::HeadlessHost& host_;
    bool before_;
};

std::string Join(const std::vector<std::string>& ids) {
    std::string text;
    for (const std::string& id : ids)
        text += (text.empty() ? "" : ", ") + id;
    return text;
}

std::string Quote(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

ActionOutcome RunAction(Headless::HeadlessHost& host, const Scenario::Action& action) {
    ActionOutcome outcome;
    const UserEventsScope silence(host, action.notify);
    Player(host, action, outcome).Play();
    return outcome;
}

std::string SummarizeAction(const Scenario::Action& action) {
    std::ostringstream text;
    text << Scenario::ActionName(action.kind);
    switch (action.kind) {
    case ActionKind::Select:
    case ActionKind::Delete:
    case ActionKind::Group:
    case ActionKind::Ungroup:
        text << " " << (action.elements.empty() ? "nothing" : Join(action.elements));
        break;
    case ActionKind::Lock:
        text << " " << Join(action.elements) << (action.flag ? " (lock)" : " (unlock)");
        break;
    case ActionKind::Reserve:
        text << " " << Join(action.elements) << " by "
             << (action.reservation == Scenario::Reservation::ThisUser      ? "me"
                 : action.reservation == Scenario::Reservation::OtherMember ? "another member"
                                                                            : "nobody");
        break;
    case ActionKind::Menu:
    case ActionKind::SetLayer:
    case ActionKind::AddLayer:
    case ActionKind::DeleteLayer:
    case ActionKind::ApplyLayerCombination:
        text << " " << Quote(action.text);
        break;
    case ActionKind::PaletteButton:
        text << " " << (action.text.empty() ? std::to_string(action.number) : Quote(action.text));
        break;
    case ActionKind::PaletteMessage:
    case ActionKind::SetCurrentStory:
        text << " " << action.number;
        break;
    case ActionKind::PaletteResize:
        text << " by " << action.point.x << ", " << action.point.y;
        break;
    case ActionKind::PlaceLabel:
        text << " at " << action.point.x << ", " << action.point.y
             << (action.element.empty() ? " (no room)" : " on " + action.element);
        if (!action.text.empty())
            text << " with " << Quote(action.text);
        break;
    case ActionKind::CreateZone:
    case ActionKind::CreateLabel:
    case ActionKind::CreateWall:
        if (!action.id.empty())
            text << " " << action.id;
        break;
    case ActionKind::ChangeZone:
    case ActionKind::Move:
    case ActionKind::EditPolygon:
    case ActionKind::EditParameters:
        text << " " << action.element;
        break;
    case ActionKind::Copy:
        text << " " << action.element << (action.id.empty() ? "" : " as " + action.id);
        break;
    case ActionKind::ChangeLibraryPart:
        text << " " << action.element << " to " << Quote(action.text);
        break;
    case ActionKind::ElementEvent:
        text << " " << action.number << " on " << action.element;
        break;
    case ActionKind::SuspendGroups:
    case ActionKind::Teamwork:
        text << (action.flag ? " on" : " off");
        break;
    case ActionKind::AddZoneCategory:
    case ActionKind::ChangeZoneCategory:
    case ActionKind::DeleteZoneCategory:
        if (action.category.index != 0)
            text << " " << action.category.index;
        if (!action.category.code.empty() || !action.category.name.empty())
            text << " " << Quote(action.category.code) << " " << Quote(action.category.name);
        break;
    case ActionKind::Fault:
        text << " " << (action.operation.empty() ? "any operation" : action.operation) << " call "
             << action.call << (action.repeat ? " and later" : "");
        if (action.flag)
            text << " throws";
        else
            text << " fails with " << action.code;
        break;
    case ActionKind::Batch: {
        std::string inner;
        for (const Scenario::Action& item : action.batch)
            inner += (inner.empty() ? "" : "; ") + SummarizeAction(item);
        text << " [" << inner << "]";
        break;
    }
    default:
        break;
    }
    if (!action.notify)
        text << " (not told to the add-on)";
    return text.str();
}

} // namespace Run
