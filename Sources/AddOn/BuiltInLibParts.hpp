#ifndef ADDON_BUILTINLIBPARTS_HPP
#define ADDON_BUILTINLIBPARTS_HPP

#include "GSRoot/Definitions.hpp"
#include "GSRoot/HashTable.hpp"

namespace Zarimark {

// The library parts the add-on carries in its own resources.
enum class ZMBuiltInLibParts : Int32 {
    Stamp = 0,
};

// Each part's FILE resource ID; filled when the module is loaded, never changed afterwards.
const GS::HashTable<ZMBuiltInLibParts, Int64>& GetBuiltInLibPartTable();

// False (and *fileResourceId untouched) for a part the table does not hold.
bool FindBuiltInLibPartResourceId(ZMBuiltInLibParts part, Int64* fileResourceId);

} // namespace Zarimark

#endif
