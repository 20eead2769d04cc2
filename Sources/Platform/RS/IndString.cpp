#include "RS/RS.hpp"

bool RSGetIndString_ParamAdapter(GS::UniString* text, GSResID resID, Int32 index, GSResModule resModule) {
    std::vector<GS::UniString> items;
    if (text == nullptr || index < 1 || !RS::GetStringList(resModule, resID, &items) ||
        static_cast<std::size_t>(index) > items.size())
        return false;
    *text = items[static_cast<std::size_t>(index) - 1];
    return true;
}
