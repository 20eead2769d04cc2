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

// One object, read by `fill` and then checked for fields nobody asked for.
template <typename Item>
Item ReadObject(const Json& value, const std::string& path, Diagnostics& diagnostics,
                void (*fill)(ObjectReader&, Item&)) {
    Item item;
    ObjectReader reader(value, path, diagnostics);
    fill(reader, item);
    reader.Finish();
    return item;
}

template <typename Item>
std::vector<Item> ReadObjects(ObjectReader& reader, const std::string& key,
                              void (*fill)(ObjectReader&, Item&)) {
    return ReadList<Item>(reader, key, [&](const Json& value, const std::string& path) {
        return ReadObject(value, path, reader.GetDiagnostics(), fill);
    });
}

template <typename Item>
std::optional<Item> ReadOptionalObject(ObjectReader& reader, const std::string& key,
                                       void (*fill)(ObjectReader&, Item&)) {
    const Json* value = reader.Get(key);
    if (value == nullptr)
        return std::nullopt;
    return ReadObject(*value, reader.PathOf(key), reader.GetDiagnostics(), fill);
}

void ReadStory(ObjectReader& reader, StoryDesc& story) {
    story.index = static_cast<std::int16_t>(reader.Integer("index", -32768, 32767, true).value_or(0));
    story.name = reader.String("name").value_or("");
    story.level = reader.Number("level").value_or(0.0);
}

void ReadLayer(ObjectReader& reader, LayerDesc& layer) {
    layer.path = reader.GetPath();
    layer.name = reader.String("name", true).value_or("");
    if (std::optional<std::int64_t> index = reader.Integer("index", 1, 0x7FFF))
        layer.index = static_cast<std::int32_t>(*index);
    layer.hidden = reader.Bool("hidden").value_or(false);
    layer.locked = reader.Bool("locked").value_or(false);
}

void ReadCombinationEntry(ObjectReader& reader, LayerCombinationDesc::Entry& entry) {
    entry.layer = reader.String("layer", true).value_or("");
    entry.hidden = reader.Bool("hidden").value_or(false);
    entry.locked = reader.Bool("locked").value_or(false);
}

void ReadCombination(ObjectReader& reader, LayerCombinationDesc& combination) {
    combination.path = reader.GetPath();
    combination.name = reader.String("name", true).value_or("");
    combination.layers = ReadObjects(reader, "layers", ReadCombinationEntry);
}

ZoneCategoryDesc ReadCategory(ObjectReader& reader, bool indexRequired) {
    ZoneCategoryDesc category;
    category.path = reader.GetPath();
    category.index = static_cast<std::int32_t>(reader.Integer("index", 1, 0x7FFF, indexRequired).value_or(0));
    category.code = reader.String("code").value_or("");
    category.name = reader.String("name").value_or("");
    return category;
}

void ReadProjectCategory(ObjectReader& reader, ZoneCategoryDesc& category) {
    category = ReadCategory(reader, true);
}

void ReadLibraryPart(ObjectReader& reader, LibraryPartDesc& part) {
    part.path = reader.GetPath();
    part.name = reader.String("name", true).value_or("");
    part.parameters = ReadParametersField(reader).value_or(std::vector<ParameterValue>{});
}

void ReadLink(ObjectReader& reader, LinkDesc& link) {
    link.path = reader.GetPath();
    link.from = reader.String("from", true).value_or("");
    link.to = reader.String("to", true).value_or("");
}

void ReadLabelDefaults(ObjectReader& reader, LabelDefaultsDesc& defaults) {
    defaults.path = reader.GetPath();
    defaults.part = reader.String("part").value_or("");
    // An index need not name a layer: the tool may be left on one that was deleted.
    if (const Json* layer = reader.Get("layer"); layer != nullptr && layer->is_number())
        defaults.layerIndex = static_cast<std::int32_t>(
            ReadInteger(*layer, reader.PathOf("layer"), reader.GetDiagnostics(), 0, 0x7FFF).value_or(0));
    else
        defaults.layer = reader.String("layer").value_or("");
    defaults.textClass = ReadLabelClass(reader).value_or(false);
    defaults.parameters = ReadParametersField(reader).value_or(std::vector<ParameterValue>{});
    defaults.without = reader.Strings("without").value_or(std::vector<std::string>{});
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

void ReadPreferences(ObjectReader& reader, PreferencesDesc& preferences) {
    Diagnostics& diagnostics = reader.GetDiagnostics();
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
}

std::vector<std::vector<std::string>> ReadGroups(ObjectReader& reader) {
    return ReadList<std::vector<std::string>>(
        reader, "groups", [&](const Json& group, const std::string& path) {
            return ReadStrings(group, path, reader.GetDiagnostics()).value_or(std::vector<std::string>{});
        });
}

} // namespace

ProjectDesc ReadProject(const Json& value, const std::string& path, Diagnostics& diagnostics) {
    ProjectDesc project;
    ObjectReader reader(value, path, diagnostics);
    if (!reader.IsObject())
        return project;
    project.stories = ReadObjects(reader, "stories", ReadStory);
    project.currentStory =
        static_cast<std::int16_t>(reader.Integer("currentStory", -32768, 32767)
                                      .value_or(project.stories.empty() ? 0 : project.stories.front().index));
    project.layers = ReadObjects(reader, "layers", ReadLayer);
    project.layerCombinations = ReadObjects(reader, "layerCombinations", ReadCombination);
    project.currentLayerCombination = reader.String("currentLayerCombination").value_or("");
    project.zoneCategories = ReadObjects(reader, "zoneCategories", ReadProjectCategory);
    project.libraryParts = ReadObjects(reader, "libraryParts", ReadLibraryPart);
    project.elements =
        ReadList<ElementDesc>(reader, "elements", [&](const Json& item, const std::string& itemPath) {
            return ReadElement(item, itemPath, diagnostics);
        });
    project.links = ReadObjects(reader, "links", ReadLink);
    project.groups = ReadGroups(reader);
    project.teamwork = reader.Bool("teamwork").value_or(false);
    project.suspendGroups = reader.Bool("suspendGroups").value_or(false);
    project.labelDefaults = ReadOptionalObject(reader, "labelDefaults", ReadLabelDefaults);
    project.preferences = ReadOptionalObject(reader, "preferences", ReadPreferences);
    reader.Finish();
    return project;
}

ZoneCategoryDesc ReadZoneCategoryFields(ObjectReader& reader, bool indexRequired) {
    return ReadCategory(reader, indexRequired);
}

} // namespace Scenario
