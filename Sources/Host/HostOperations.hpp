#ifndef HOST_HOSTOPERATIONS_HPP
#define HOST_HOSTOPERATIONS_HPP

#include "Host/HostInterface.hpp"

// The host operations as the add-on calls them. Each forwards to the host whose operation table
// arrived at load time; with none, it answers APIERR_MISSINGOPERATION.

namespace Host {
void SetCurrentHost(HostInterface* host);
HostInterface* GetCurrentHost();
} // namespace Host

GSErrCode ACAPI_Register_Menu(Int16 menuStrResID, Int16 promptStrResID, Int32 menuPosCode, GSFlags menuFlags);
GSErrCode ACAPI_Install_MenuHandler(Int16 menuStrResID, APIMenuCommandProc* handler);
GSErrCode ACAPI_Register_BuiltInLibrary();
GSErrCode ACAPI_RegisterModelessWindow(Int32 referenceID, APIPaletteControlCallBackProc* callback,
                                       GSFlags controlFlags, const API_Guid& paletteGuid);
GSErrCode HostUnregisterModelessWindow(Int32 referenceID);
GSErrCode ACAPI_Notify_CatchProjectEvent(GSFlags eventTypes, APIProjectEventHandlerProc* handler);
GSErrCode ACAPI_Notify_InstallElementObserver(APIElementEventHandlerProc* handler);
GSErrCode ACAPI_Notify_CatchNewElement(const API_ElemType* elemType, APIElementEventHandlerProc* handler);
GSErrCode HostAttachElementObserver(const API_Guid& guid, GSFlags flags);
GSErrCode HostDetachElementObserver(const API_Guid& guid);
GSErrCode HostGetParentElement(API_Element* element, API_ElementMemo* memo, UInt64 memoMask);
GSErrCode HostListElements(Int32 typeID, GS::Array<API_Guid>* elemList, API_ElemFilterFlags filterBits,
                           const API_Guid& renovationFilter = APINULLGuid);
bool HostFilterElement(const API_Guid& guid, API_ElemFilterFlags filterBits, Int32 variationID,
                       const API_Guid& renovationFilter = APINULLGuid);
GSErrCode HostGetElement(API_Element* element);
GSErrCode HostGetElementHeader(API_Elem_Head* header);
GSErrCode HostGetElementMemo(const API_Guid& guid, API_ElementMemo* memo, UInt64 memoMask);
GSErrCode HostGetElementDefaults(API_Element* element, API_ElementMemo* memo);
GSErrCode HostCreateElement(API_Element* element, API_ElementMemo* memo);
GSErrCode HostChangeElement(API_Element* element, const API_Element* mask, const API_ElementMemo* memo,
                            UInt64 memoMask, bool withDel);
GSErrCode HostDeleteElements(const GS::Array<API_Guid>& guids);
GSErrCode HostDisposeElementMemo(API_ElementMemo* memo);
GSErrCode HostGetElementQuantities(const API_Guid& guid, const API_QuantityPar* params,
                                   API_Quantities* quantities, const API_QuantitiesMask* mask);
GSErrCode HostGetSelection(API_SelectionInfo* info, GS::Array<API_Neig>* neigs, bool onlyEditable,
                           bool ignorePartialSelection, Int32 relativePosToMarquee);
GSErrCode HostNeigToElementType(const API_Neig& neig, API_ElemType* elemType);
GSErrCode HostApplyElementTool(const GS::Array<API_Guid>& guids, Int32 toolCode);
GSErrCode HostReserveElements(const GS::Array<API_Guid>& guids, GS::HashTable<API_Guid, Int16>* conflicts,
                              bool enableDialogs);
GSErrCode HostGetStoryInfo(API_StoryInfo* storyInfo);
GSErrCode HostGetLayerCombination(API_AttributeIndex* index);
GSErrCode HostSetLayerCombination(API_AttributeIndex index);
GSErrCode HostIsSuspendGroupOn(bool* on);
GSErrCode HostGetElementLinks(const API_Guid& guid, GS::Array<API_Guid>* linkedElements);
GSErrCode HostLinkElements(const API_Guid& from, const API_Guid& to, GSFlags flags);
GSErrCode HostUnlinkElements(const API_Guid& from, const API_Guid& to);
GSErrCode HostGetLibPartUniqueId(Int64 fileResourceId, API_LibPart* libPart);
GSErrCode HostSearchLibraryPart(API_LibPart* libPart, bool dontSearch0, bool ignorePlaceholders);
GSErrCode HostGetLibPartParams(Int32 libInd, API_AddParType*** params);
GSErrCode HostGetAttribute(API_Attribute* attribute);
GSErrCode HostModifyAttribute(API_Attribute* attribute);
GSErrCode HostEnumerateAttributes(Int16 typeID, const HostInterface::AttributeVisitor& visitor);
GSErrCode HostCallUndoableCommand(const GS::UniString& undoString,
                                  const HostInterface::UndoableCommand& command);
GSErrCode HostGetPreferences(Int32* version, GSSize* nByte, void* data, UInt16* platformSign);
GSErrCode HostSetPreferences(Int32 version, GSSize nByte, const void* data);
GSResModule HostGetOwnResourceModule();

#endif
