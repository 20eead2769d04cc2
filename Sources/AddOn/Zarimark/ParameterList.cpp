#include "AddOn/Zarimark/ParameterList.hpp"

#include "AddOn/ErrorCodes.hpp"
#include "AddOn/Zarimark/ElementMemoScope.hpp"
#include "AddOn/Zarimark/ParameterRecord.hpp"

namespace Zarimark {

GSErrCode FindParameterText(const API_AddParType* const* params, const GS::UniString& name,
                            GS::UniString& text) {
    const ParameterName wanted(name);
    const USize count = GetParameterCount(params);
    for (UIndex i = 0; i < count; ++i) {
        const API_AddParType& record = (*params)[i];
        if (!wanted.Matches(record))
            continue;
        // The first parameter of the name decides; a number or an array there is no text to use.
        if (!IsScalarTextParameter(record))
            return ErrParameterNotFound;
        text = GetScalarText(record);
        return NoError;
    }
    return ErrParameterNotFound;
}

GSErrCode ReadElementParameterText(const API_Guid& guid, const GS::UniString& name, GS::UniString& text) {
    ElementMemoScope memo;
    const GSErrCode err = memo.Fetch(guid, APIMemoMask_AddPars);
    if (err != NoError)
        return err;
    return FindParameterText(memo.GetParams(), name, text);
}

} // namespace Zarimark
