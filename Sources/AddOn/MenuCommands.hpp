#ifndef ADDON_MENUCOMMANDS_HPP
#define ADDON_MENUCOMMANDS_HPP

#include "Host/HostRecords.hpp"

namespace Zarimark {

// The handler of both menus ("Create Zarimark" and "Zarimark Palette").
GSErrCode MenuCommandHandler(const API_MenuParams* menuParams);

} // namespace Zarimark

#endif
