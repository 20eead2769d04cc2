#include "Host/HostInterface.hpp"

// A host that lacks an operation says so; the headless host overrides every one of them.

GSErrCode HostInterface::ACAPI_Register_Menu(Int16, Int16, Int32, GSFlags) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::ACAPI_Install_MenuHandler(Int16, APIMenuCommandProc*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::ACAPI_Register_BuiltInLibrary() {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::ACAPI_RegisterModelessWindow(Int32, APIPaletteControlCallBackProc*, GSFlags,
                                                      const API_Guid&) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostUnregisterModelessWindow(Int32) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::ACAPI_Notify_CatchProjectEvent(GSFlags, APIProjectEventHandlerProc*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::ACAPI_Notify_InstallElementObserver(APIElementEventHandlerProc*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::ACAPI_Notify_CatchNewElement(const API_ElemType*, APIElementEventHandlerProc*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostAttachElementObserver(const API_Guid&, GSFlags) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostDetachElementObserver(const API_Guid&) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostGetParentElement(API_Element*, API_ElementMemo*, UInt64) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostListElements(Int32, GS::Array<API_Guid>*, API_ElemFilterFlags, const API_Guid&) {
    return APIERR_MISSINGOPERATION;
}

bool HostInterface::HostFilterElement(const API_Guid&, API_ElemFilterFlags, Int32, const API_Guid&) {
    return false;
}

GSErrCode HostInterface::HostGetElement(API_Element*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostGetElementHeader(API_Elem_Head*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostGetElementMemo(const API_Guid&, API_ElementMemo*, UInt64) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostGetElementDefaults(API_Element*, API_ElementMemo*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostCreateElement(API_Element*, API_ElementMemo*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostChangeElement(API_Element*, const API_Element*, const API_ElementMemo*, UInt64,
                                           bool) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostDeleteElements(const GS::Array<API_Guid>&) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostDisposeElementMemo(API_ElementMemo*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostGetElementQuantities(const API_Guid&, const API_QuantityPar*, API_Quantities*,
                                                  const API_QuantitiesMask*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostGetSelection(API_SelectionInfo*, GS::Array<API_Neig>*, bool, bool, Int32) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostNeigToElementType(const API_Neig&, API_ElemType*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostApplyElementTool(const GS::Array<API_Guid>&, Int32) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostReserveElements(const GS::Array<API_Guid>&, GS::HashTable<API_Guid, Int16>*,
                                             bool) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostGetStoryInfo(API_StoryInfo*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostGetLayerCombination(API_AttributeIndex*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostSetLayerCombination(API_AttributeIndex) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostIsSuspendGroupOn(bool*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostGetElementLinks(const API_Guid&, GS::Array<API_Guid>*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostLinkElements(const API_Guid&, const API_Guid&, GSFlags) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostUnlinkElements(const API_Guid&, const API_Guid&) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostGetLibPartUniqueId(Int64, API_LibPart*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostSearchLibraryPart(API_LibPart*, bool, bool) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostGetLibPartParams(Int32, API_AddParType***) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostGetAttribute(API_Attribute*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostModifyAttribute(API_Attribute*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostEnumerateAttributes(Int16, const AttributeVisitor&) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostCallUndoableCommand(const GS::UniString&, const UndoableCommand&) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostGetPreferences(Int32*, GSSize*, void*, UInt16*) {
    return APIERR_MISSINGOPERATION;
}

GSErrCode HostInterface::HostSetPreferences(Int32, GSSize, const void*) {
    return APIERR_MISSINGOPERATION;
}

GSResModule HostInterface::HostGetOwnResourceModule() {
    return InvalidResModule;
}
