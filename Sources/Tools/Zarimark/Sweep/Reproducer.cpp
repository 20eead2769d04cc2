#include "Sweep/Reproducer.hpp"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

namespace Sweep {

namespace {

using Json = nlohmann::ordered_json;

// Keeps only the expectations that name stamps left silently stale on purpose.
void KeepSilentlyStaleExpectations(Json& owner) {
    if (!owner.is_object() || !owner.contains("expect") || !owner["expect"].is_array())
        return;
    Json kept = Json::array();
    for (const Json& expectation : owner["expect"]) {
        if (expectation.is_object() && expectation.contains("silentlyStale"))
            kept.push_back(expectation);
    }
    if (kept.empty())
        owner.erase("expect");
    else
        owner["expect"] = kept;
}

constexpr std::size_t LineWidth = 110;

// On one line, with a blank after each comma and colon.
std::string Compact(const Json& value) {
    if (!value.is_structured())
        return value.dump();
    const bool object = value.is_object();
    std::string text = object ? "{" : "[";
    for (auto item = value.begin(); item != value.end(); ++item) {
        if (item != value.begin())
            text += ", ";
        if (object)
            text += Json(item.key()).dump() + ": ";
        text += Compact(item.value());
    }
    return text + (object ? "}" : "]");
}

// As a person writes a scenario: what fits on a line stays on one, the rest is indented.
void WriteJson(const Json& value, const std::string& indent, std::ostream& out) {
    const std::string compact = Compact(value);
    if (!value.is_structured() || value.empty() || indent.size() + compact.size() <= LineWidth) {
        out << compact;
        return;
    }
    const std::string inner = indent + "  ";
    const bool object = value.is_object();
    out << (object ? "{" : "[");
    bool first = true;
    for (auto item = value.begin(); item != value.end(); ++item) {
        out << (first ? "\n" : ",\n") << inner;
        first = false;
        if (object)
            out << Json(item.key()).dump() << ": ";
        WriteJson(item.value(), inner, out);
    }
    out << "\n" << indent << (object ? "}" : "]");
}

Json FaultStep(const Fault& fault) {
    Json step = {{"note", "zarimark sweep: " + DescribeFault(fault)},
                 {"action", "fault"},
                 {"call", fault.call},
                 {"code", CodeText(fault.code)}};
    if (fault.persistent)
        step["repeat"] = true;
    return step;
}

std::string Describe(const Fault* fault, const Problem& problem, const Json& scenario) {
    std::string text = "zarimark sweep: " + std::string(FindingName(problem.finding));
    if (!problem.path.empty())
        text += " at " + problem.path;
    text += fault != nullptr ? " when " + DescribeFault(*fault) : " without a fault";
    text += ": " + problem.message;
    if (scenario.contains("description") && scenario["description"].is_string())
        text += ". The scenario: " + scenario["description"].get<std::string>();
    return text;
}

} // namespace

const Json* Reproducers::Source(const Unit& unit) {
    auto found = files_.find(unit.file);
    if (found == files_.end()) {
        std::ifstream file(unit.file, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        // The file was read and checked before the sweep; comments are allowed as there.
        Json root = Json::parse(text.str(), nullptr, false, true);
        found = files_.emplace(unit.file, std::move(root)).first;
    }
    const Json& root = found->second;
    if (root.is_discarded())
        return nullptr;
    if (!unit.run)
        return &root;
    if (!root.contains("runs") || *unit.run >= root["runs"].size())
        return nullptr;
    return &root["runs"][*unit.run];
}

std::string Reproducers::FileName(const Unit& unit, const Fault* fault, const Problem& problem) {
    std::string base = std::filesystem::path(unit.file).stem().string();
    if (unit.run)
        base += "-run" + std::to_string(*unit.run);
    base += std::string("-") + FindingSlug(problem.finding) + "-step" +
            std::to_string(fault != nullptr ? fault->step : problem.step) + "-" +
            (fault != nullptr ? fault->operation : "no-fault");
    // Two files of one name in different folders.
    std::string name = base + ".json";
    for (int i = 2; !names_.insert(name).second; ++i)
        name = base + "-" + std::to_string(i) + ".json";
    return name;
}

std::string Reproducers::Write(const UnitSweep& sweep, const Fault* fault, const Problem& problem) {
    const std::string key = sweep.unit.Name() + "\n" + FindingSlug(problem.finding) + "\n" +
                            (fault != nullptr ? fault->operation + "\n" + std::to_string(fault->step) : "");
    if (written_.count(key) != 0)
        return "";
    const Json* source = Source(sweep.unit);
    if (source == nullptr || !source->is_object())
        return "";
    // The description first, where a reader looks.
    Json scenario = {{"description", Describe(fault, problem, *source)}};
    for (auto field = source->begin(); field != source->end(); ++field) {
        if (field.key() != "description")
            scenario[field.key()] = field.value();
    }
    KeepSilentlyStaleExpectations(scenario);
    if (scenario.contains("steps") && scenario["steps"].is_array()) {
        Json& steps = scenario["steps"];
        for (Json& step : steps)
            KeepSilentlyStaleExpectations(step);
        if (fault != nullptr && fault->step <= steps.size())
            steps.insert(steps.begin() + static_cast<std::ptrdiff_t>(fault->step), FaultStep(*fault));
    }
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    const std::string path = (std::filesystem::path(folder_) / FileName(sweep.unit, fault, problem)).string();
    std::ofstream file(path, std::ios::binary);
    WriteJson(scenario, "", file);
    file << "\n";
    if (!file)
        return "";
    written_.insert(key);
    return path;
}

} // namespace Sweep
