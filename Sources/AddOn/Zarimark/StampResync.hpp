#ifndef ZARIMARK_STAMPRESYNC_HPP
#define ZARIMARK_STAMPRESYNC_HPP

#include "AddOn/Zarimark/GuidSet.hpp"

namespace Zarimark {

// Repairs stamps from scratch: each loses all its links, is linked again to every room that now
// carries its apartment ID, rewritten, and its rooms are checked. On return stampSet holds the
// stamps still wrong (outside the workspace, not linked or rewritten, or showing inconsistent
// rooms); those rooms are added to roomSet. One stamp's link or update failure does not stop
// the others.
GSErrCode ResyncStamps(GuidSet& stampSet, GuidSet& roomSet);

} // namespace Zarimark

#endif
