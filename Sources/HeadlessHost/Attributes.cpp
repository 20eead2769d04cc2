#include <algorithm>
#include <cstring>

#include "HeadlessHost/InMemoryInternals.hpp"

// Layers, layer combinations and zone categories.

namespace Headless {

namespace {

template <typename T>
GSErrCode Lookup(const AttributeTable<T>& table, API_AttributeIndex index, const T** found) {
    // A deleted index inside the table is a gap; anything outside it does not exist.
    *found = table.Find(index);
    if (*found != nullptr)
        return NoError;
    return table.IsGap(index) ? APIERR_BADINDEX : APIERR_BADELEMENT;
}

void SetName(API_Attr_Head* header, const std::string& name) {
    const std::size_t length = std::min(name.size(), sizeof(header->name) - 1);
    std::memcpy(header->name, name.data(), length);
    header->name[length] = '\0';
}

std::string ReadName(const API_Attr_Head& header) {
    const char* end = static_cast<const char*>(std::memchr(header.name, '\0', sizeof(header.name)));
    return std::string(header.name, end != nullptr ? end : header.name + sizeof(header.name));
}

} // namespace

GSErrCode InMemoryHost::FindAttribute(Int16 typeID, API_AttributeIndex index, API_Attr_Head* header) const {
    *header = API_Attr_Head();
    header->typeID = typeID;
    header->index = index;
    if (typeID == API_LayerID) {
        const Layer* layer = nullptr;
        const GSErrCode found = Lookup(project_.layers, index, &layer);
        if (found == NoError) {
            header->flags = layer->flags;
            SetName(header, layer->name);
        }
        return found;
    }
    if (typeID == API_ZoneCatID) {
        const ZoneCategory* category = nullptr;
        const GSErrCode found = Lookup(project_.zoneCategories, index, &category);
        if (found == NoError)
            SetName(header, category->name);
        return found;
    }
    return APIERR_BADID;
}

GSErrCode InMemoryHost::HostGetAttribute(API_Attribute* attribute) {
    return RunOperation([&]() -> GSErrCode {
        if (attribute == nullptr)
            return APIERR_BADPARS;
        const Int16 typeID = attribute->header.typeID;
        const API_AttributeIndex index = attribute->header.index;
        API_Attribute result;
        const GSErrCode found = FindAttribute(typeID, index, &result.header);
        if (found != NoError)
            return found;
        if (typeID == API_ZoneCatID)
            CopyText(project_.zoneCategories.Find(index)->code, result.zoneCat.catCode, 32);
        *attribute = result;
        return NoError;
    });
}

GSErrCode InMemoryHost::HostModifyAttribute(API_Attribute* attribute) {
    return RunOperation([&]() -> GSErrCode {
        if (attribute == nullptr)
            return APIERR_BADPARS;
        const Int16 typeID = attribute->header.typeID;
        const API_AttributeIndex index = attribute->header.index;
        API_Attr_Head current;
        const GSErrCode found = FindAttribute(typeID, index, &current);
        if (found != NoError)
            return found;
        const std::string name = ReadName(attribute->header);
        if (typeID == API_LayerID) {
            Layer& layer = *project_.layers.Find(index);
            if (layer.flags != attribute->header.flags)
                project_.currentLayerCombination = 0;
            layer.flags = attribute->header.flags;
            if (!name.empty())
                layer.name = name;
        } else {
            ZoneCategory& category = *project_.zoneCategories.Find(index);
            category.code = ReadText(attribute->zoneCat.catCode, 32);
            if (!name.empty())
                category.name = name;
        }
        return NoError;
    });
}

GSErrCode InMemoryHost::HostEnumerateAttributes(Int16 typeID, const AttributeVisitor& visitor) {
    return RunOperation([&]() -> GSErrCode {
        std::size_t count = 0;
        if (typeID == API_LayerID)
            count = project_.layers.slots.size();
        else if (typeID == API_ZoneCatID)
            count = project_.zoneCategories.slots.size();
        else
            return APIERR_BADID;
        for (std::size_t i = 0; i < count; ++i) {
            API_Attr_Head header;
            if (FindAttribute(typeID, static_cast<API_AttributeIndex>(i + 1), &header) == NoError && visitor)
                visitor(header);
        }
        return NoError;
    });
}

void InMemoryHost::ApplyCombination(const LayerCombination& combination) {
    for (const auto& entry : combination.layerFlags) {
        if (Layer* layer = project_.layers.Find(entry.first))
            layer->flags = entry.second;
    }
    project_.currentLayerCombination = combination.index;
}

GSErrCode InMemoryHost::HostGetLayerCombination(API_AttributeIndex* index) {
    return RunOperation([&]() -> GSErrCode {
        if (index == nullptr)
            return APIERR_BADPARS;
        *index = project_.currentLayerCombination;
        return NoError;
    });
}

GSErrCode InMemoryHost::HostSetLayerCombination(API_AttributeIndex index) {
    return RunOperation(
        [&]() -> GSErrCode { return ApplyLayerCombination(index) ? NoError : APIERR_BADINDEX; });
}

bool InMemoryHost::ApplyLayerCombination(API_AttributeIndex index) {
    if (index < 1 || static_cast<std::size_t>(index) > project_.layerCombinations.size())
        return false;
    ApplyCombination(project_.layerCombinations[static_cast<std::size_t>(index) - 1]);
    return true;
}

bool InMemoryHost::SetLayerFlags(API_AttributeIndex index, Int16 flags) {
    Layer* layer = project_.layers.Find(index);
    if (layer == nullptr)
        return false;
    if (layer->flags != flags)
        project_.currentLayerCombination = 0;
    layer->flags = flags;
    return true;
}

bool InMemoryHost::DeleteLayer(API_AttributeIndex index) {
    if (project_.layers.Find(index) == nullptr)
        return false;
    for (const auto& element : project_.elements) {
        if (element.second.element.header.layer == index)
            return false;
    }
    project_.layers.slots[static_cast<std::size_t>(index) - 1].reset();
    return true;
}

bool InMemoryHost::ChangeZoneCategory(API_AttributeIndex index, const GS::UniString& code,
                                      const std::string& name) {
    ZoneCategory* category = project_.zoneCategories.Find(index);
    if (category == nullptr)
        return false;
    category->code = code;
    category->name = name;
    return true;
}

bool InMemoryHost::DeleteZoneCategory(API_AttributeIndex index) {
    if (project_.zoneCategories.Find(index) == nullptr)
        return false;
    project_.zoneCategories.slots[static_cast<std::size_t>(index) - 1].reset();
    return true;
}

} // namespace Headless
