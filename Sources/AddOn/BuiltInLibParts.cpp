#include "AddOn/BuiltInLibParts.hpp"

#include "ResourceIds.hpp"

namespace Zarimark {

namespace {

GS::HashTable<ZMBuiltInLibParts, Int64> MakeTable() {
    GS::HashTable<ZMBuiltInLibParts, Int64> table;
    table.Add(ZMBuiltInLibParts::Stamp, ZM_FILE_STAMP_LIBPART);
    return table;
}

const GS::HashTable<ZMBuiltInLibParts, Int64> builtInLibParts = MakeTable();

} // namespace

const GS::HashTable<ZMBuiltInLibParts, Int64>& GetBuiltInLibPartTable() {
    return builtInLibParts;
}

bool FindBuiltInLibPartResourceId(ZMBuiltInLibParts part, Int64* fileResourceId) {
    if (fileResourceId == nullptr)
        return false;
    return builtInLibParts.Get(part, fileResourceId);
}

} // namespace Zarimark
