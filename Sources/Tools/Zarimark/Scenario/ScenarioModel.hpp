#ifndef ZARIMARK_SCENARIO_SCENARIOMODEL_HPP
#define ZARIMARK_SCENARIO_SCENARIOMODEL_HPP

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

// A scenario as read from its file: plain values, no host types. Every part remembers the path
// into the file it came from, so that problems found while running can still say where.
namespace Scenario {

struct Point {
    double x = 0.0;
    double y = 0.0;
};

// A parameter value as written: the shape decides the kind unless a type is given, and a
// parameter the library part declares keeps the declared type.
struct ParameterValue {
    enum class Shape { Number, Bool, Text, NumberArray, TextArray };
    std::string name;
    Shape shape = Shape::Number;
    std::optional<std::int32_t> typeCode; // "type": real 4, integer 1, length 2, angle 3, text 12, boolean 13
    double number = 0.0;
    std::string text;
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    std::vector<double> numbers;    // row by row
    std::vector<std::string> texts; // row by row
    std::string path;
};

enum class Reservation { Free, ThisUser, OtherMember };

struct StoryDesc {
    std::int16_t index = 0;
    std::string name;
    double level = 0.0;
};

struct LayerDesc {
    std::string name;
    std::optional<std::int32_t> index;
    bool hidden = false;
    bool locked = false;
    std::string path;
};

struct LayerCombinationDesc {
    struct Entry {
        std::string layer;
        bool hidden = false;
        bool locked = false;
    };
    std::string name;
    std::vector<Entry> layers;
    std::string path;
};

struct ZoneCategoryDesc {
    std::int32_t index = 0;
    std::string code;
    std::string name;
    std::string path;
};

// A library part the project holds besides the add-on's own, with its parameters and defaults.
struct LibraryPartDesc {
    std::string name;
    std::vector<ParameterValue> parameters;
    std::string path;
};

struct AreaDesc {
    std::optional<double> a, b, c, d, e;
};

// State every element can carry.
struct ElementState {
    bool locked = false;
    Reservation reservation = Reservation::Free;
    std::optional<bool> observed; // unset: zones and ordinary labels no, stamps yes
};

struct ZoneDesc {
    std::string id;
    std::int16_t story = 0;
    std::string layer; // empty: the first layer of the project
    std::string number;
    std::string name;
    std::int32_t category = 0;
    Point position;
    std::vector<Point> polygon;
    AreaDesc areas;
    std::vector<ParameterValue> parameters; // "apartmentId" is written as "stApartmentId"
    ElementState state;
    std::string path;
};

struct LabelDesc {
    std::string id;
    std::int16_t story = 0;
    std::string layer;
    std::string part; // library part name; empty: none
    bool textClass = false;
    Point begin, middle, end;
    std::string parent; // labelled element id; empty: a free label
    std::vector<ParameterValue> parameters;
    std::vector<std::string> without; // parameters the label's list lacks
    std::vector<std::string> links;   // linked both ways, label -> element first
    ElementState state;
    std::string path;
};

struct WallDesc {
    std::string id;
    std::int16_t story = 0;
    std::string layer;
    Point begin, end;
    ElementState state;
    std::string path;
};

struct ElementDesc {
    enum class Kind { Zone, Label, Wall };
    Kind kind = Kind::Zone;
    ZoneDesc zone;
    LabelDesc label;
    WallDesc wall;

    const std::string& Id() const;
    const std::string& Path() const;
};

struct LinkDesc {
    std::string from;
    std::string to;
    std::string path;
};

struct LabelDefaultsDesc {
    std::string part;
    std::string layer;                      // by name: an existing layer
    std::optional<std::int32_t> layerIndex; // or by index, also one no layer has
    bool textClass = false;
    std::vector<ParameterValue> parameters;
    std::vector<std::string> without;
    std::string path;
};

struct PreferencesDesc {
    std::int32_t version = 1;
    std::vector<std::uint8_t> bytes;
    std::uint16_t platformSign = 0x5757;
};

struct ProjectDesc {
    std::vector<StoryDesc> stories; // empty: one story 0 "Ground Floor"
    std::int16_t currentStory = 0;
    std::vector<LayerDesc> layers; // empty: one layer "Archicad Layer"
    std::vector<LayerCombinationDesc> layerCombinations;
    std::string currentLayerCombination;
    std::vector<ZoneCategoryDesc> zoneCategories;
    std::vector<LibraryPartDesc> libraryParts;
    std::vector<ElementDesc> elements;
    std::vector<LinkDesc> links;
    std::vector<std::vector<std::string>> groups;
    bool teamwork = false;
    bool suspendGroups = false;
    std::optional<LabelDefaultsDesc> labelDefaults;
    std::optional<PreferencesDesc> preferences;
    std::string path = "project"; // "runs[1].project" in a file of several runs
};

// One interaction with a modal dialog.
struct DialogInteraction {
    enum class Kind { Choose, ChooseRow, Press, Resize, CloseBox };
    Kind kind = Kind::Press;
    std::string text;     // Choose: the row's text
    std::int32_t row = 0; // ChooseRow: as the user counts, the first row is 1
    std::string button;   // Press: "OK" or "Cancel"
    std::int32_t dx = 0;  // Resize
    std::int32_t dy = 0;
    std::string path;
};

// What the user answers to the next alert or dialog. Answers are used in order.
struct Answer {
    enum class Kind { Alert, Dialog };
    Kind kind = Kind::Alert;
    std::optional<std::int32_t> alertId;  // an alert resource
    std::string alertText;                // or an alert with this title or large text (the literal ones)
    std::int32_t button = 1;              // 1 to 3
    std::string buttonText;               // or the button with this text
    std::optional<std::int32_t> dialogId; // a dialog resource
    std::string dialogTitle;              // or the dialog with this title
    std::vector<DialogInteraction> interactions;
    std::string path;
};

// A check against the report: a location in the JSON report and what must hold there.
struct Expectation {
    // Contains compares texts whole, ContainsText by part. Keys: the keys of the object's entries
    // that match `match`, in any order, are `value`. Near: numbers within `within` of `value`.
    // Alert / NoAlert: an alert (id or text `value`) matching `match` was (not) shown. StepAlerts:
    // the alerts matching `match` are exactly `value`, in order. All: every one of `parts` holds.
    enum class Test {
        Equals,
        Contains,
        NotContains,
        ContainsText,
        NotContainsText,
        Exists,
        Missing,
        Count,
        Keys,
        Near,
        Alert,
        NoAlert,
        StepAlerts,
        All
    };
    std::string pointer; // JSON pointer into the report
    Test test = Test::Equals;
    nlohmann::json value;
    nlohmann::json match; // Count, Keys and the alert tests: only entries that match this, when not null
    double within = 0.0;  // Near
    std::vector<Expectation> parts; // All
    std::string shorthand;          // the field it was written with: "at", "stamp", "silentlyStale", ...
    std::string path;
};

enum class ActionKind {
    OpenProject,
    NewProject,
    Select,
    Menu,
    PlaceLabel,
    CreateZone,
    CreateLabel,
    CreateWall,
    ChangeZone,
    Move,
    EditPolygon,
    Copy,
    Delete,
    EditParameters,
    ChangeLibraryPart,
    PaletteButton,
    PaletteClose,
    PaletteMessage,
    PaletteResize,
    SetCurrentStory,
    SetLayer,
    AddLayer,
    DeleteLayer,
    ApplyLayerCombination,
    AddZoneCategory,
    ChangeZoneCategory,
    DeleteZoneCategory,
    Lock,
    Reserve,
    SuspendGroups,
    Teamwork,
    Undo,
    ElementEvent,
    Fault,
    Group,
    Ungroup,
    Batch,
};

const char* ActionName(ActionKind kind);

struct ZoneChangeDesc {
    std::optional<std::string> number;
    std::optional<std::string> name;
    std::optional<std::int32_t> category;
    std::optional<std::string> layer;
    std::optional<AreaDesc> areas;
    std::optional<std::vector<ParameterValue>> parameters; // the whole new list
    bool removeApartmentId = false;                        // "apartmentId": null
    std::optional<std::string> apartmentId;
};

struct Action {
    ActionKind kind = ActionKind::OpenProject;
    std::string path;
    std::string id;                    // new element's id (place, create, copy)
    std::string element;               // the element acted on
    std::vector<std::string> elements; // select, delete, lock, reserve, group, ungroup
    std::string text; // menu item, palette button, library part (also of placeLabel), layer, combination
    std::int32_t number = 0; // palette message, story, event code, category index, button item
    Point point;             // place position, move/copy offset, palette resize
    std::vector<Point> polygon;
    bool flag = false;  // lock, suspend groups, teamwork, layer hidden, fault throws
    bool flag2 = false; // layer locked
    Reservation reservation = Reservation::Free;
    ZoneDesc zone;
    LabelDesc label;
    WallDesc wall;
    ZoneChangeDesc change;
    std::vector<ParameterValue> parameters;
    ZoneCategoryDesc category;
    std::string operation; // fault; empty: any operation
    std::int32_t call = 1;
    std::int32_t code = 0;
    bool repeat = false;
    std::vector<Action> batch;
    bool notify = true; // false: the host does not tell the add-on about this action
};

struct Step {
    std::string note;
    Action action;
    std::vector<Answer> answers;
    std::vector<Expectation> expectations;
    std::string path;
};

struct Scenario {
    std::string description;
    std::optional<std::int32_t> echoRoundLimit;
    bool reportCalls = false; // "calls": the report holds the host call log, as with --calls
    ProjectDesc project;
    std::vector<Step> steps;
    std::vector<Expectation> expectations; // after the last step
    // A file of several runs: each a whole scenario played on a fresh host, with its paths
    // ("runs[1].steps[2]"); the fields above then hold only the description.
    std::vector<Scenario> runs;
};

} // namespace Scenario

#endif
