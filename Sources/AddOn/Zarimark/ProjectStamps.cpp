#include "AddOn/Zarimark/ProjectStamps.hpp"

#include "AddOn/Zarimark/StampLibPart.hpp"
#include "Host/HostOperations.hpp"

namespace Zarimark {

GSErrCode FindProjectStamps(GuidSet& stamps) {
    Int32 stampLibInd = 0;
    GS::Array<API_Guid> labels;
    GSErrCode err = FindStampLibPartIndex(ZMBuiltInLibParts::Stamp, &stampLibInd);
    if (err == NoError)
        err = HostListElements(API_LabelID, &labels, APIFilt_None);
    for (UIndex i = 0; err == NoError && i < labels.GetSize(); ++i) {
        API_Element label;
        label.header.guid = labels[i];
        err = HostGetElement(&label);
        if (err == NoError && label.label.libInd == stampLibInd)
            stamps.Add(labels[i]);
    }
    return err;
}

} // namespace Zarimark
