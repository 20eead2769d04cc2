#include <filesystem>
#include <fstream>
#include <iostream>

#include "Cli/Commands.hpp"

namespace Cli {

namespace {

// Kept passing `zarimark check` by an end-to-end test: a newcomer's first file must work.
const char* const StartingScenario =
    R"json(// A scenario for zarimark: what the user opens, what they do, and what must come of it.
// The add-on keeps a stamp (a "Zarimark") per apartment: a label that lists the areas of the
// apartment's rooms by zone category and follows every change of those rooms.
// Run it with `zarimark run FILE` (the report), check it with `zarimark check FILE`.
// Docs/scenario-format.md describes every field, Examples/ shows more; comments are allowed.
{
  "description": "Two apartments: a stamp for A1, then its bath moves to A2",

  // The project as saved: stories, layers, zone categories and the elements in it. Left out, a
  // part takes its default (one story, one layer, no categories).
  "project": {
    "layers": [{"name": "Rooms"}, {"name": "Labels"}],
    "zoneCategories": [
      {"index": 1, "code": "LIV", "name": "Living"},
      {"index": 2, "code": "WET", "name": "Wet room"}
    ],
    "elements": [
      // Rooms are zones; "apartmentId" sets their "stApartmentId" parameter, and rooms with the
      // same ID make an apartment. The ids ("A1-living") are this file's names for the elements.
      {"type": "zone", "id": "A1-living", "layer": "Rooms", "number": "1.01", "name": "Living", "category": 1,
       "position": [2, 2], "polygon": [[0, 0], [4, 0], [4, 4], [0, 4]], "apartmentId": "A1"},
      // Areas A to E may be given (stamps show A); left out, they follow from the polygon.
      {"type": "zone", "id": "A1-bath", "layer": "Rooms", "number": "1.02", "name": "Bath", "category": 2,
       "position": [5, 1], "polygon": [[4, 0], [6, 0], [6, 2], [4, 2]], "apartmentId": "A1",
       "areas": {"a": 4, "b": 4, "c": 3.5, "d": 3.5, "e": 0}},
      {"type": "zone", "id": "A2-living", "layer": "Rooms", "number": "2.01", "name": "Living", "category": 1,
       "position": [2, 6], "polygon": [[0, 4], [4, 4], [4, 8], [0, 8]], "apartmentId": "A2"},
      {"type": "zone", "id": "A2-kitchen", "layer": "Rooms", "number": "2.02", "name": "Kitchen", "category": 1,
       "position": [5, 6], "polygon": [[4, 4], [6, 4], [6, 8], [4, 8]], "apartmentId": "A2"}
    ],
    // The label tool's settings: the create command makes its stamps from them.
    "labelDefaults": {"part": "Zarimark.gsm", "layer": "Labels"}
  },

  // What the user does, in order; "expect" of a step is checked right after it. When the add-on
  // shows an alert or a dialog, the step's "answers" say how the user replies (without one an
  // alert gets its first button and a dialog is cancelled).
  "steps": [
    // Opening the project lets the add-on observe every room.
    {"action": "openProject"},
    {"action": "select", "elements": ["A1-living"]},
    // One stamp for the apartment of the selected room, with all its rooms; elements the add-on
    // creates are named by the host ("stamp-1") and can be named so below. A line of the stamp
    // is its text, the category's code and the summed area A of its rooms.
    {"action": "menu", "item": "Create Zarimark",
     "expect": [{"stepResult": 0}, {"stampCount": 1},
                {"stamp": "stamp-1", "apartmentId": "A1"},
                {"stamp": "stamp-1", "rooms": ["A1-living", "A1-bath"]},
                {"stamp": "stamp-1", "lines": ["Area LIV 16.00 m²", "Area WET 4.00 m²"]}]},
    // A room edit: the bath joins A2, and the A1 stamp lets go of it.
    {"note": "the bath moves to A2", "action": "changeZone", "zone": "A1-bath", "apartmentId": "A2",
     "expect": [{"stamp": "stamp-1", "rooms": ["A1-living"]}]}
  ],

  // Checked after the last step. `zarimark run FILE --json` shows the report they look at;
  // {"at": "/json/pointer", "equals": ...} can check any part of it.
  "expect": [
    {"element": "A1-bath", "parameter": "stApartmentId", "equals": "A2"},
    // A stamp's lines are fixed when it is made: the WET line stays, with no room left in it.
    {"stamp": "stamp-1", "lines": ["Area LIV 16.00 m²", "Area WET 0.00 m²"]},
    // No alert in the whole run, and no stamp left showing wrong values without the user being
    // told (check refuses that after every step unless the scenario expects it).
    {"alertCount": 0},
    {"silentlyStale": []}
  ]
}
)json";

} // namespace

int NewScenario(const std::string& file, bool force, std::ostream& out, std::ostream& err) {
    std::error_code error;
    if (!force && std::filesystem::exists(file, error)) {
        err << "\"" << file << "\" exists; nothing was written (--force overwrites it)\n";
        return ExitBadInput;
    }
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream << StartingScenario;
    stream.close();
    if (!stream) {
        err << "cannot write \"" << file << "\"\n";
        return ExitBadInput;
    }
    out << "wrote " << file
        << ": two apartments, a stamp made by the create command, a room edit and expectations\n"
        << "  zarimark run " << file << "      the report of what the add-on did\n"
        << "  zarimark check " << file << "    verifies the expectations (exit 0 when all are met)\n";
    return ExitOk;
}

} // namespace Cli
