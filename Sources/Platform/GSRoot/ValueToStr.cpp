#include "GSRoot/ValueToStr.hpp"

namespace GS {

UniString valuetostr(Int32 value) {
    return UniString(std::to_string(value));
}

} // namespace GS
