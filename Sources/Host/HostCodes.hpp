#ifndef HOST_HOSTCODES_HPP
#define HOST_HOSTCODES_HPP

#include "GSRoot/Definitions.hpp"

// Host result codes that callers test. Every other host code is passed through unchanged.
constexpr GSErrCode APIERR_GENERAL = static_cast<GSErrCode>(0x81060001);
constexpr GSErrCode APIERR_BADPARS = static_cast<GSErrCode>(0x81060003);
constexpr GSErrCode APIERR_BADID = static_cast<GSErrCode>(0x81060065);     // attribute missing
constexpr GSErrCode APIERR_BADINDEX = static_cast<GSErrCode>(0x81060066);  // attribute missing or deleted
constexpr GSErrCode APIERR_NOTMINE = static_cast<GSErrCode>(0x81060068);   // outside the Teamwork workspace
constexpr GSErrCode APIERR_NOSEL = static_cast<GSErrCode>(0x810600CE);     // nothing selected
constexpr GSErrCode APIERR_GROUPED = static_cast<GSErrCode>(0x810600CF);   // in a group, groups not suspended
constexpr GSErrCode APIERR_LINKEXIST = static_cast<GSErrCode>(0x810600DE); // observer already attached
constexpr GSErrCode APIERR_LINKNOTEXIST = static_cast<GSErrCode>(0x810600DF); // no such link
constexpr GSErrCode APIERR_BADELEMENT = static_cast<GSErrCode>(0x8106012E);   // element or attribute missing
constexpr GSErrCode APIERR_LOCKEDELEM = static_cast<GSErrCode>(0x8106012F);   // element locked
constexpr GSErrCode APIERR_LAYERHIDDEN = static_cast<GSErrCode>(0x81060130);  // layer hidden
constexpr GSErrCode APIERR_LAYERLOCKED = static_cast<GSErrCode>(0x81060132);  // layer locked
constexpr GSErrCode APIERR_MISSINGOPERATION =
    static_cast<GSErrCode>(0x81060387); // the host lacks the operation

// Refusals of a change, one per cause; the add-on maps them all to one code of its own.
inline bool IsChangeRefusal(GSErrCode code) {
    return code == APIERR_LOCKEDELEM || code == APIERR_LAYERHIDDEN || code == APIERR_LAYERLOCKED ||
           code == APIERR_NOTMINE || code == APIERR_GROUPED;
}

#endif
