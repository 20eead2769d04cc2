#ifndef ZARIMARK_STAMPLIBPART_HPP
#define ZARIMARK_STAMPLIBPART_HPP

#include "AddOn/BuiltInLibParts.hpp"
#include "GSRoot/Definitions.hpp"

namespace Zarimark {

// The host's library-part index of one of the add-on's built-in parts. Asked of the host on
// every call: the index belongs to the host and may change between projects.
GSErrCode FindStampLibPartIndex(ZMBuiltInLibParts part, Int32* index);

} // namespace Zarimark

#endif
