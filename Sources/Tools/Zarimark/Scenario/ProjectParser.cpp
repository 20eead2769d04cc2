#include "Scenario/ScenarioParsers.hpp"

namespace Scenario {

namespace {

template <typename Item, typename ReadOne>
std::vector<Item> ReadList(ObjectReader& reader, const std::string& key, ReadOne readOne) {
    std::vector<Item> items;
    const Json* list = reader.Get(key);
    if (list == nullptr)
        return items;
    if (!list->is_array()) {
        reader.GetDiagnostics().Add(reader.PathOf(key), "expected an array, found " + DescribeType(*list));
        return items;
    }
    for (std::size_t i = 0; i < list->size(); ++i)
        items.push_back(readOne((*list)[i], IndexPath(reader.PathOf(key), i)));
    return items;
}

StorySpec ReadStory(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    StorySpec story;
    ObjectReader reader(value, path, diagnostics);
    story.index = static_cast<std::int16_t>(reader.Integer("index", -32768, 32767, true).value_or(0));
    story.name = reader.String("name").value_or("");
    story.level = reader.Number("level").value_or(0.0);
    reader.Finish();
    return story;
}

LayerSpec ReadLayer(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    LayerSpec layer;
    layer.path = path;
    ObjectReader reader(value, path, diagnostics);
    layer.name = reader.String("name", true).value_or("");
    if (std::optional<std::int64_t> index = reader.Integer("index", 1, 0x7FFF))
        layer.index = static_cast<std::int32_t>(*index);
    layer.hidden = reader.Bool("hidden").value_or(false);
    layer.locked = reader.Bool("locked").value_or(false);
    reader.Finish();
    return layer;
}

LayerCombinationSpec ReadCombination(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    LayerCombinationSpec combination;
    combination.path = path;
    ObjectReader reader(value, path, diagnostics);
    combination.name = reader.String("name", true).value_or("");
    combination.layers = ReadList<LayerCombinationSpec::Entry>(
        reader, "layers", [&](const Json& entry, const std::string& entryPath) {
            LayerCombinationSpec::Entry result;
            ObjectReader entryReader(entry, entryPath, diagnostics);
            result.layer = entryReader.String("layer", true).value_or("");
            result.hidden = entryReader.Bool("hidden").value_or(false);
            result.locked = entryReader.Bool("locked").value_or(false);
            entryReader.Finish();
            return result;
        });
    reader.Finish();
    return combination;
}

ZoneCategorySpec ReadCategory(ObjectReader& reader, bool indexRequired) {
    ZoneCategorySpec category;
    category.path = reader.GetPath();
    category.index = static_cast<std::int32_t>(reader.Integer("index", 1, 0x7FFF, indexRequired).value_or(0));
    category.code = reader.String("code").value_or("");
    category.name = reader.String("name").value_or("");
    return category;
}

LibraryPartSpec ReadLibraryPart(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    LibraryPartSpec part;
    part.path = path;
    ObjectReader reader(value, path, diagnostics);
    part.name = reader.String("name", true).value_or("");
    if (const Json* parameters = reader.Get("parameters"))
        part.parameters = ReadParameterValues(*parameters, reader.PathOf("parameters"), diagnostics);
    reader.Finish();
    return part;
}

LinkSpec ReadLink(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    LinkSpec link;
    link.path = path;
    ObjectReader reader(value, path, diagnostics);
    link.from = reader.String("from", true).value_or("");
    link.to = reader.String("to", true).value_or("");
    reader.Finish();
    return link;
}

LabelDefaultsSpec ReadLabelDefaults(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    LabelDefaultsSpec defaults;
    defaults.path = path;
    ObjectReader reader(value, path, diagnostics);
    defaults.part = reader.String("part").value_or("");
    defaults.layer = reader.String("layer").value_or("");
    if (std::optional<std::string> labelClass = reader.String("class")) {
        if (*labelClass != "symbol" && *labelClass != "text")
            diagnostics.Add(reader.PathOf("class"),
                            "expected \"symbol\" or \"text\", found \"" + *labelClass + "\"");
        defaults.textClass = *labelClass == "text";
    }
    if (const Json* parameters = reader.Get("parameters"))
        defaults.parameters = ReadParameterValues(*parameters, reader.PathOf("parameters"), diagnostics);
    defaults.without = reader.Strings("without").value_or(std::vector<std::string>{});
    reader.Finish();
    return defaults;
}

std::uint16_t ReadPlatformSign(ObjectReader& reader) {
    const Json* value = reader.Get("platformSign");
    if (value == nullptr)
        return 0x5757;
    if (value->is_string() && value->get<std::string>().size() == 2) {
        const std::string sign = value->get<std::string>();
        return static_cast<std::uint16_t>((static_cast<unsigned char>(sign[0]) << 8) |
                                          static_cast<unsigned char>(sign[1]));
    }
    return static_cast<std::uint16_t>(
        ReadInteger(*value, reader.PathOf("platformSign"), reader.GetDiagnostics(), 0, 0xFFFF)
            .value_or(0x5757));
}

PreferencesSpec ReadPreferences(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    PreferencesSpec preferences;
    ObjectReader reader(value, path, diagnostics);
    preferences.version =
        static_cast<std::int32_t>(reader.Integer("version", -0x7FFFFFFF, 0x7FFFFFFF).value_or(1));
    if (const Json* bytes = reader.Get("bytes", true)) {
        if (!bytes->is_array())
            diagnostics.Add(reader.PathOf("bytes"),
                            "expected an array of byte values, found " + DescribeType(*bytes));
        for (std::size_t i = 0; bytes->is_array() && i < bytes->size(); ++i) {
            if (std::optional<std::int64_t> byte =
                    ReadInteger((*bytes)[i], IndexPath(reader.PathOf("bytes"), i), diagnostics, 0, 255))
                preferences.bytes.push_back(static_cast<std::uint8_t>(*byte));
        }
    }
    preferences.platformSign = ReadPlatformSign(reader);
    reader.Finish();
    return preferences;
}

std::vector<std::vector<std::string>> ReadGroups(ObjectReader& reader) {
    return ReadList<std::vector<std::string>>(
        reader, "groups", [&](const Json& group, const std::string& path) {
            return ReadStrings(group, path, reader.GetDiagnostics()).value_or(std::vector<std::string>{});
        });
}

} // namespace

ProjectSpec ReadProject(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    ProjectSpec project;
    ObjectReader reader(value, path, diagnostics);
    if (!reader.IsObject())
        return project;
    project.stories =
        ReadList<StorySpec>(reader, "stories", [&](const Json& item, const std::string& itemPath) {
            return ReadStory(item, itemPath, diagnostics);
        });
    project.currentStory =
        static_cast<std::int16_t>(reader.Integer("currentStory", -32768, 32767)
                                      .value_or(project.stories.empty() ? 0 : project.stories.front().index));
    project.layers =
        ReadList<LayerSpec>(reader, "layers", [&](const Json& item, const std::string& itemPath) {
            return ReadLayer(item, itemPath, diagnostics);
        });
    project.layerCombinations = ReadList<LayerCombinationSpec>(
        reader, "layerCombinations", [&](const Json& item, const std::string& itemPath) {
            return ReadCombination(item, itemPath, diagnostics);
        });
    project.currentLayerCombination = reader.String("currentLayerCombination").value_or("");
    project.zoneCategories = ReadList<ZoneCategorySpec>(
        reader, "zoneCategories", [&](const Json& item, const std::string& itemPath) {
            ObjectReader categoryReader(item, itemPath, diagnostics);
            ZoneCategorySpec category = ReadCategory(categoryReader, true);
            categoryReader.Finish();
            return category;
        });
    project.libraryParts =
        ReadList<LibraryPartSpec>(reader, "libraryParts", [&](const Json& item, const std::string& itemPath) {
            return ReadLibraryPart(item, itemPath, diagnostics);
        });
    project.elements =
        ReadList<ElementSpec>(reader, "elements", [&](const Json& item, const std::string& itemPath) {
            return ReadElement(item, itemPath, diagnostics);
        });
    project.links = ReadList<LinkSpec>(reader, "links", [&](const Json& item, const std::string& itemPath) {
        return ReadLink(item, itemPath, diagnostics);
    });
    project.groups = ReadGroups(reader);
    project.teamwork = reader.Bool("teamwork").value_or(false);
    project.suspendGroups = reader.Bool("suspendGroups").value_or(false);
    if (const Json* defaults = reader.Get("labelDefaults"))
        project.labelDefaults = ReadLabelDefaults(*defaults, reader.PathOf("labelDefaults"), diagnostics);
    if (const Json* preferences = reader.Get("preferences"))
        project.preferences = ReadPreferences(*preferences, reader.PathOf("preferences"), diagnostics);
    reader.Finish();
    return project;
}

ZoneCategorySpec ReadZoneCategoryFields(ObjectReader& reader, bool indexRequired) {
    return ReadCategory(reader, indexRequired);
}

} // namespace Scenario
