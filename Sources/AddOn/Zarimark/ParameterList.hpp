#ifndef ZARIMARK_PARAMETERLIST_HPP
#define ZARIMARK_PARAMETERLIST_HPP

#include "GSRoot/UniString.hpp"
#include "Host/HostRecords.hpp"

namespace Zarimark {

// The text of the first parameter called name. ErrParameterNotFound, text untouched, when no
// parameter has the name or the first one that has it holds no scalar text.
GSErrCode FindParameterText(const API_AddParType* const* params, const GS::UniString& name,
                            GS::UniString& text);

// The same lookup in an element's own parameters; host errors pass through, text untouched.
GSErrCode ReadElementParameterText(const API_Guid& guid, const GS::UniString& name, GS::UniString& text);

} // namespace Zarimark

#endif
