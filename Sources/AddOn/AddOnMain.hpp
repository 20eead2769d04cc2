#ifndef ADDON_ADDONMAIN_HPP
#define ADDON_ADDONMAIN_HPP

#include "Host/HostRecords.hpp"

namespace Zarimark {

// The add-on's entry points, in the order the host calls them. Until the host's operation
// table has arrived, DescribeAddOn answers APIAddon_Unknown without describing anything and the
// other three answer APIERR_GENERAL.

// Fills the add-on's name and description; returns the add-on type.
Int32 DescribeAddOn(API_EnvirParams* envir);
GSErrCode RegisterInterface();
GSErrCode Initialize();
// Unregisters the palette; the host token is cleared whatever the result.
GSErrCode ReleaseAddOn();

// The version shown in the description.
extern const char* const AddOnVersionText;

} // namespace Zarimark

#endif
