#ifndef ADDON_ERRORCODES_HPP
#define ADDON_ERRORCODES_HPP

#include "GSRoot/Definitions.hpp"

namespace Zarimark {

// The add-on's own result codes; host codes pass through unchanged.
constexpr GSErrCode ErrStampNotCreated = static_cast<GSErrCode>(0x810E0001);
constexpr GSErrCode ErrStampNotEditable = static_cast<GSErrCode>(0x810E0003);
constexpr GSErrCode ErrStampReservationDeclined = static_cast<GSErrCode>(0x810E0004);
constexpr GSErrCode ErrRoomReservationDeclined = static_cast<GSErrCode>(0x810E0005);
constexpr GSErrCode ErrStampLabelReplaced = static_cast<GSErrCode>(0x810E0006);
constexpr GSErrCode ErrInconsistentRooms = static_cast<GSErrCode>(0x810E0008);
constexpr GSErrCode ErrParameterNotFound = static_cast<GSErrCode>(0x810E0009);
constexpr GSErrCode ErrRoomsWithoutApartmentId = static_cast<GSErrCode>(0x810E000A);

} // namespace Zarimark

#endif
