#include "Host/HostOperations.hpp"

namespace {
HostInterface* currentHost = nullptr;
}

namespace Host {
void SetCurrentHost(HostInterface* host) {
    currentHost = host;
}

HostInterface* GetCurrentHost() {
    return currentHost;
}
} // namespace Host

GSErrCode ACAPI_Register_Menu(Int16 menuStrResID, Int16 promptStrResID, Int32 menuPosCode,
                              GSFlags menuFlags) {
    return currentHost != nullptr
               ? currentHost->ACAPI_Register_Menu(menuStrResID, promptStrResID, menuPosCode, menuFlags)
               : APIERR_MISSINGOPERATION;
}

GSErrCode ACAPI_Install_MenuHandler(Int16 menuStrResID, APIMenuCommandProc* handler) {
    return currentHost != nullptr ? currentHost->ACAPI_Install_MenuHandler(menuStrResID, handler)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode ACAPI_Register_BuiltInLibrary() {
    return currentHost != nullptr ? currentHost->ACAPI_Register_BuiltInLibrary() : APIERR_MISSINGOPERATION;
}

GSErrCode ACAPI_RegisterModelessWindow(Int32 referenceID, APIPaletteControlCallBackProc* callback,
                                       GSFlags controlFlags, const API_Guid& paletteGuid) {
    return currentHost != nullptr
               ? currentHost->ACAPI_RegisterModelessWindow(referenceID, callback, controlFlags, paletteGuid)
               : APIERR_MISSINGOPERATION;
}

GSErrCode HostUnregisterModelessWindow(Int32 referenceID) {
    return currentHost != nullptr ? currentHost->HostUnregisterModelessWindow(referenceID)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode ACAPI_Notify_CatchProjectEvent(GSFlags eventTypes, APIProjectEventHandlerProc* handler) {
    return currentHost != nullptr ? currentHost->ACAPI_Notify_CatchProjectEvent(eventTypes, handler)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode ACAPI_Notify_InstallElementObserver(APIElementEventHandlerProc* handler) {
    return currentHost != nullptr ? currentHost->ACAPI_Notify_InstallElementObserver(handler)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode ACAPI_Notify_CatchNewElement(const API_ElemType* elemType, APIElementEventHandlerProc* handler) {
    return currentHost != nullptr ? currentHost->ACAPI_Notify_CatchNewElement(elemType, handler)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode HostAttachElementObserver(const API_Guid& guid, GSFlags flags) {
    return currentHost != nullptr ? currentHost->HostAttachElementObserver(guid, flags)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode HostDetachElementObserver(const API_Guid& guid) {
    return currentHost != nullptr ? currentHost->HostDetachElementObserver(guid) : APIERR_MISSINGOPERATION;
}

GSErrCode HostGetParentElement(API_Element* element, API_ElementMemo* memo, UInt64 memoMask) {
    return currentHost != nullptr ? currentHost->HostGetParentElement(element, memo, memoMask)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode HostListElements(Int32 typeID, GS::Array<API_Guid>* elemList, API_ElemFilterFlags filterBits,
                           const API_Guid& renovationFilter) {
    return currentHost != nullptr
               ? currentHost->HostListElements(typeID, elemList, filterBits, renovationFilter)
               : APIERR_MISSINGOPERATION;
}

bool HostFilterElement(const API_Guid& guid, API_ElemFilterFlags filterBits, Int32 variationID,
                       const API_Guid& renovationFilter) {
    return currentHost != nullptr
               ? currentHost->HostFilterElement(guid, filterBits, variationID, renovationFilter)
               : false;
}

GSErrCode HostGetElement(API_Element* element) {
    return currentHost != nullptr ? currentHost->HostGetElement(element) : APIERR_MISSINGOPERATION;
}

GSErrCode HostGetElementHeader(API_Elem_Head* header) {
    return currentHost != nullptr ? currentHost->HostGetElementHeader(header) : APIERR_MISSINGOPERATION;
}

GSErrCode HostGetElementMemo(const API_Guid& guid, API_ElementMemo* memo, UInt64 memoMask) {
    return currentHost != nullptr ? currentHost->HostGetElementMemo(guid, memo, memoMask)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode HostGetElementDefaults(API_Element* element, API_ElementMemo* memo) {
    return currentHost != nullptr ? currentHost->HostGetElementDefaults(element, memo)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode HostCreateElement(API_Element* element, API_ElementMemo* memo) {
    return currentHost != nullptr ? currentHost->HostCreateElement(element, memo) : APIERR_MISSINGOPERATION;
}

GSErrCode HostChangeElement(API_Element* element, const API_Element* mask, const API_ElementMemo* memo,
                            UInt64 memoMask, bool withDel) {
    return currentHost != nullptr ? currentHost->HostChangeElement(element, mask, memo, memoMask, withDel)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode HostDeleteElements(const GS::Array<API_Guid>& guids) {
    return currentHost != nullptr ? currentHost->HostDeleteElements(guids) : APIERR_MISSINGOPERATION;
}

GSErrCode HostDisposeElementMemo(API_ElementMemo* memo) {
    return currentHost != nullptr ? currentHost->HostDisposeElementMemo(memo) : APIERR_MISSINGOPERATION;
}

GSErrCode HostGetElementQuantities(const API_Guid& guid, const API_QuantityPar* params,
                                   API_Quantities* quantities, const API_QuantitiesMask* mask) {
    return currentHost != nullptr ? currentHost->HostGetElementQuantities(guid, params, quantities, mask)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode HostGetSelection(API_SelectionInfo* info, GS::Array<API_Neig>* neigs, bool onlyEditable,
                           bool ignorePartialSelection, Int32 relativePosToMarquee) {
    return currentHost != nullptr
               ? currentHost->HostGetSelection(info, neigs, onlyEditable, ignorePartialSelection,
                                               relativePosToMarquee)
               : APIERR_MISSINGOPERATION;
}

GSErrCode HostNeigToElementType(const API_Neig& neig, API_ElemType* elemType) {
    return currentHost != nullptr ? currentHost->HostNeigToElementType(neig, elemType)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode HostApplyElementTool(const GS::Array<API_Guid>& guids, Int32 toolCode) {
    return currentHost != nullptr ? currentHost->HostApplyElementTool(guids, toolCode)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode HostReserveElements(const GS::Array<API_Guid>& guids, GS::HashTable<API_Guid, Int16>* conflicts,
                              bool enableDialogs) {
    return currentHost != nullptr ? currentHost->HostReserveElements(guids, conflicts, enableDialogs)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode HostGetStoryInfo(API_StoryInfo* storyInfo) {
    return currentHost != nullptr ? currentHost->HostGetStoryInfo(storyInfo) : APIERR_MISSINGOPERATION;
}

GSErrCode HostGetLayerCombination(API_AttributeIndex* index) {
    return currentHost != nullptr ? currentHost->HostGetLayerCombination(index) : APIERR_MISSINGOPERATION;
}

GSErrCode HostSetLayerCombination(API_AttributeIndex index) {
    return currentHost != nullptr ? currentHost->HostSetLayerCombination(index) : APIERR_MISSINGOPERATION;
}

GSErrCode HostIsSuspendGroupOn(bool* on) {
    return currentHost != nullptr ? currentHost->HostIsSuspendGroupOn(on) : APIERR_MISSINGOPERATION;
}

GSErrCode HostGetElementLinks(const API_Guid& guid, GS::Array<API_Guid>* linkedElements) {
    return currentHost != nullptr ? currentHost->HostGetElementLinks(guid, linkedElements)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode HostLinkElements(const API_Guid& from, const API_Guid& to, GSFlags flags) {
    return currentHost != nullptr ? currentHost->HostLinkElements(from, to, flags) : APIERR_MISSINGOPERATION;
}

GSErrCode HostUnlinkElements(const API_Guid& from, const API_Guid& to) {
    return currentHost != nullptr ? currentHost->HostUnlinkElements(from, to) : APIERR_MISSINGOPERATION;
}

GSErrCode HostGetLibPartUniqueId(Int64 fileResourceId, API_LibPart* libPart) {
    return currentHost != nullptr ? currentHost->HostGetLibPartUniqueId(fileResourceId, libPart)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode HostSearchLibraryPart(API_LibPart* libPart, bool dontSearch0, bool ignorePlaceholders) {
    return currentHost != nullptr
               ? currentHost->HostSearchLibraryPart(libPart, dontSearch0, ignorePlaceholders)
               : APIERR_MISSINGOPERATION;
}

GSErrCode HostGetLibPartParams(Int32 libInd, API_AddParType*** params) {
    return currentHost != nullptr ? currentHost->HostGetLibPartParams(libInd, params)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode HostGetAttribute(API_Attribute* attribute) {
    return currentHost != nullptr ? currentHost->HostGetAttribute(attribute) : APIERR_MISSINGOPERATION;
}

GSErrCode HostModifyAttribute(API_Attribute* attribute) {
    return currentHost != nullptr ? currentHost->HostModifyAttribute(attribute) : APIERR_MISSINGOPERATION;
}

GSErrCode HostEnumerateAttributes(Int16 typeID, const HostInterface::AttributeVisitor& visitor) {
    return currentHost != nullptr ? currentHost->HostEnumerateAttributes(typeID, visitor)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode HostCallUndoableCommand(const GS::UniString& undoString,
                                  const HostInterface::UndoableCommand& command) {
    return currentHost != nullptr ? currentHost->HostCallUndoableCommand(undoString, command)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode HostGetPreferences(Int32* version, GSSize* nByte, void* data, UInt16* platformSign) {
    return currentHost != nullptr ? currentHost->HostGetPreferences(version, nByte, data, platformSign)
                                  : APIERR_MISSINGOPERATION;
}

GSErrCode HostSetPreferences(Int32 version, GSSize nByte, const void* data) {
    return currentHost != nullptr ? currentHost->HostSetPreferences(version, nByte, data)
                                  : APIERR_MISSINGOPERATION;
}

GSResModule HostGetOwnResourceModule() {
    return currentHost != nullptr ? currentHost->HostGetOwnResourceModule() : InvalidResModule;
}
