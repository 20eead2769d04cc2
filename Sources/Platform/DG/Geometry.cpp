#include "DG/Geometry.hpp"

#include <algorithm>
#include <limits>

namespace DG::Detail {

short ClampCoordinate(int value) {
    return static_cast<short>(
        std::clamp(value, int{std::numeric_limits<short>::min()}, int{std::numeric_limits<short>::max()}));
}

short ClampSize(int value) {
    return static_cast<short>(std::clamp(value, 0, int{std::numeric_limits<short>::max()}));
}

} // namespace DG::Detail
