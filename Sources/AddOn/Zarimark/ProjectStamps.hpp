#ifndef ZARIMARK_PROJECTSTAMPS_HPP
#define ZARIMARK_PROJECTSTAMPS_HPP

#include "AddOn/Zarimark/GuidSet.hpp"

namespace Zarimark {

// Adds every stamp of the project to `stamps`, in list order. A host failure stops the search;
// the stamps found before it stay added.
GSErrCode FindProjectStamps(GuidSet& stamps);

} // namespace Zarimark

#endif
