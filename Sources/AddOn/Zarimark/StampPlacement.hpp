#ifndef ZARIMARK_STAMPPLACEMENT_HPP
#define ZARIMARK_STAMPPLACEMENT_HPP

#include "Host/HostRecords.hpp"

// A new label: when the user placed one of the stamp part, it becomes a stamp of the clicked
// room's apartment; one the add-on made itself gets the links it still lacks. stampLeftWrong
// is set when a stamp exists whose values may be wrong.
GSErrCode HandleStampPlaced(const API_Guid& label, bool& stampLeftWrong);

#endif
