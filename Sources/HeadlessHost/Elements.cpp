#include <cstring>
#include <utility>

#include "HeadlessHost/InMemoryInternals.hpp"

// Reading elements: lists, filters, records, quantities, selection, stories.

namespace Headless {

const ElementRecord* InMemoryHost::FindReadable(const API_Guid& guid) const {
    if (const ElementRecord* live = project_.Find(guid))
        return live;
    auto deleted = deleted_.find(guid);
    return deleted == deleted_.end() ? nullptr : &deleted->second.record;
}

ElementRecord* InMemoryHost::FindReadable(const API_Guid& guid) {
    return const_cast<ElementRecord*>(static_cast<const InMemoryHost&>(*this).FindReadable(guid));
}

bool InMemoryHost::PassesFilter(const ElementRecord& record, API_ElemFilterFlags filterBits) const {
    // Bits not tested here (0x2, 0x10000000) pass every element.
    if ((filterBits & APIFilt_OnActFloor) != 0 && record.element.header.floorInd != currentStory_)
        return false;
    if ((filterBits & APIFilt_InMyWorkspace) != 0 && teamwork_ && record.reservation != Reservation::ThisUser)
        return false;
    return true;
}

GSErrCode InMemoryHost::HostListElements(Int32 typeID, GS::Array<API_Guid>* elemList,
                                         API_ElemFilterFlags filterBits, const API_Guid&) {
    return RunOperation([&]() -> GSErrCode {
        if (elemList == nullptr)
            return APIERR_BADPARS;
        elemList->Clear();
        for (const auto& element : project_.elements) {
            const ElementRecord& record = element.second;
            if ((typeID == API_ZombieElemID || record.GetTypeId() == typeID) &&
                PassesFilter(record, filterBits))
                elemList->Push(record.GetGuid());
        }
        return NoError;
    });
}

bool InMemoryHost::HostFilterElement(const API_Guid& guid, API_ElemFilterFlags filterBits, Int32,
                                     const API_Guid&) {
    return RunOperation([&] {
        const ElementRecord* record = FindLive(guid);
        return record != nullptr && PassesFilter(*record, filterBits);
    });
}

GSErrCode InMemoryHost::HostGetElement(API_Element* element) {
    return RunOperation([&]() -> GSErrCode {
        if (element == nullptr)
            return APIERR_BADPARS;
        const ElementRecord* record = FindLive(element->header.guid);
        if (record == nullptr)
            return APIERR_BADELEMENT;
        *element = record->element;
        return NoError;
    });
}

GSErrCode InMemoryHost::HostGetElementHeader(API_Elem_Head* header) {
    return RunOperation([&]() -> GSErrCode {
        if (header == nullptr)
            return APIERR_BADPARS;
        const ElementRecord* record = FindLive(header->guid);
        if (record == nullptr)
            return APIERR_BADELEMENT;
        *header = record->element.header;
        return NoError;
    });
}

namespace {

using ZoneField = double API_ZoneQuantity::*;

// A mask selects a field by 0xFF in its first byte; no mask selects all five.
bool Selected(const API_QuantitiesMask* mask, ZoneField field) {
    if (mask == nullptr)
        return true;
    unsigned char first = 0;
    std::memcpy(&first, &(mask->zone.*field), 1);
    return first == 0xFF;
}

} // namespace

GSErrCode InMemoryHost::HostGetElementQuantities(const API_Guid& guid, const API_QuantityPar*,
                                                 API_Quantities* quantities, const API_QuantitiesMask* mask) {
    return RunOperation([&]() -> GSErrCode {
        const ElementRecord* record = FindLive(guid);
        if (record == nullptr)
            return APIERR_BADELEMENT;
        if (record->GetTypeId() != API_ZoneID || quantities == nullptr || quantities->zone == nullptr)
            return APIERR_BADPARS;
        const ZoneAreas& areas = record->areas;
        const std::pair<ZoneField, double> values[] = {{&API_ZoneQuantity::area, areas.a},
                                                       {&API_ZoneQuantity::calcArea, areas.b},
                                                       {&API_ZoneQuantity::netArea, areas.c},
                                                       {&API_ZoneQuantity::reducedArea, areas.d},
                                                       {&API_ZoneQuantity::wallInsetArea, areas.e}};
        for (const auto& value : values) {
            if (Selected(mask, value.first))
                quantities->zone->*value.first = value.second;
        }
        return NoError;
    });
}

GSErrCode InMemoryHost::HostGetSelection(API_SelectionInfo* info, GS::Array<API_Neig>* neigs,
                                         bool onlyEditable, bool, Int32) {
    return RunOperation([&]() -> GSErrCode {
        std::vector<API_Neig> chosen;
        for (const API_Neig& neig : selection_) {
            const ElementRecord* record = FindLive(neig.guid);
            if (record != nullptr && (!onlyEditable || CheckEditable(*record) == NoError))
                chosen.push_back(neig);
        }
        if (neigs != nullptr) {
            neigs->Clear();
            for (const API_Neig& neig : chosen)
                neigs->Push(neig);
        }
        if (info != nullptr) {
            info->typeID = chosen.empty() ? 0 : 1; // empty, or elements
            info->sel_nElem = static_cast<Int32>(chosen.size());
        }
        return chosen.empty() ? APIERR_NOSEL : NoError;
    });
}

GSErrCode InMemoryHost::HostNeigToElementType(const API_Neig& neig, API_ElemType* elemType) {
    return RunOperation([&]() -> GSErrCode {
        if (elemType == nullptr)
            return APIERR_BADPARS;
        *elemType = API_ElemType();
        switch (neig.neigID) {
        case APINeig_Zone:
            elemType->typeID = API_ZoneID;
            return NoError;
        case APINeig_Label:
            elemType->typeID = API_LabelID;
            return NoError;
        case APINeig_Wall:
            elemType->typeID = API_WallID;
            return NoError;
        default:
            return APIERR_BADPARS;
        }
    });
}

GSErrCode InMemoryHost::HostGetStoryInfo(API_StoryInfo* storyInfo) {
    return RunOperation([&]() -> GSErrCode {
        if (storyInfo == nullptr)
            return APIERR_BADPARS;
        const std::vector<Story>& stories = project_.stories;
        const auto size = static_cast<GSSize>(stories.size() * sizeof(API_StoryType));
        GSHandle data = BMAllocateHandle(size, ALLOCATE_CLEAR, 0);
        if (data == nullptr)
            return APIERR_GENERAL;
        for (std::size_t i = 0; i < stories.size(); ++i) {
            API_StoryType story;
            story.index = stories[i].index;
            story.level = stories[i].level;
            CopyText(stories[i].name, story.uName, API_UniLongNameLen);
            std::memcpy(*data + i * sizeof(API_StoryType), &story, sizeof(story));
        }
        storyInfo->firstStory = stories.empty() ? 0 : stories.front().index;
        storyInfo->lastStory = stories.empty() ? 0 : stories.back().index;
        storyInfo->actStory = currentStory_;
        storyInfo->data = reinterpret_cast<API_StoryType**>(data);
        return NoError;
    });
}

} // namespace Headless
