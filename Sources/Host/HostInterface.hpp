#ifndef HOST_HOSTINTERFACE_HPP
#define HOST_HOSTINTERFACE_HPP

#include <functional>

#include "GSRoot/Array.hpp"
#include "GSRoot/HashTable.hpp"
#include "GSRoot/UniString.hpp"
#include "Host/HostCodes.hpp"
#include "Host/HostRecords.hpp"

// The one catalogue of host operations. A host implements what it offers; an operation it
// does not override answers APIERR_MISSINGOPERATION. The add-on never calls this class
// directly: it calls the free functions of HostOperations.hpp, which forward here.
class HostInterface {
public:
    using AttributeVisitor = std::function<void(const API_Attr_Head& header)>;
    using UndoableCommand = std::function<GSErrCode()>;

    virtual ~HostInterface() = default;

    // Registration.
    virtual GSErrCode ACAPI_Register_Menu(Int16 menuStrResID, Int16 promptStrResID, Int32 menuPosCode,
                                          GSFlags menuFlags);
    virtual GSErrCode ACAPI_Install_MenuHandler(Int16 menuStrResID, APIMenuCommandProc* handler);
    virtual GSErrCode ACAPI_Register_BuiltInLibrary();
    virtual GSErrCode ACAPI_RegisterModelessWindow(Int32 referenceID, APIPaletteControlCallBackProc* callback,
                                                   GSFlags controlFlags, const API_Guid& paletteGuid);
    virtual GSErrCode HostUnregisterModelessWindow(Int32 referenceID);

    // Notifications.
    virtual GSErrCode ACAPI_Notify_CatchProjectEvent(GSFlags eventTypes, APIProjectEventHandlerProc* handler);
    virtual GSErrCode ACAPI_Notify_InstallElementObserver(APIElementEventHandlerProc* handler);
    virtual GSErrCode ACAPI_Notify_CatchNewElement(const API_ElemType* elemType,
                                                   APIElementEventHandlerProc* handler);
    virtual GSErrCode HostAttachElementObserver(const API_Guid& guid, GSFlags flags);
    virtual GSErrCode HostDetachElementObserver(const API_Guid& guid);
    // The element of the event being reported, as it was before the change (or the source of a copy).
    virtual GSErrCode HostGetParentElement(API_Element* element, API_ElementMemo* memo, UInt64 memoMask);

    // Elements.
    virtual GSErrCode HostListElements(Int32 typeID, GS::Array<API_Guid>* elemList,
                                       API_ElemFilterFlags filterBits, const API_Guid& renovationFilter);
    virtual bool HostFilterElement(const API_Guid& guid, API_ElemFilterFlags filterBits, Int32 variationID,
                                   const API_Guid& renovationFilter);
    virtual GSErrCode HostGetElement(API_Element* element);
    virtual GSErrCode HostGetElementHeader(API_Elem_Head* header);
    virtual GSErrCode HostGetElementMemo(const API_Guid& guid, API_ElementMemo* memo, UInt64 memoMask);
    virtual GSErrCode HostGetElementDefaults(API_Element* element, API_ElementMemo* memo);
    virtual GSErrCode HostCreateElement(API_Element* element, API_ElementMemo* memo);
    virtual GSErrCode HostChangeElement(API_Element* element, const API_Element* mask,
                                        const API_ElementMemo* memo, UInt64 memoMask, bool withDel);
    virtual GSErrCode HostDeleteElements(const GS::Array<API_Guid>& guids);
    virtual GSErrCode HostDisposeElementMemo(API_ElementMemo* memo);
    virtual GSErrCode HostGetElementQuantities(const API_Guid& guid, const API_QuantityPar* params,
                                               API_Quantities* quantities, const API_QuantitiesMask* mask);
    virtual GSErrCode HostGetSelection(API_SelectionInfo* info, GS::Array<API_Neig>* neigs, bool onlyEditable,
                                       bool ignorePartialSelection, Int32 relativePosToMarquee);
    virtual GSErrCode HostNeigToElementType(const API_Neig& neig, API_ElemType* elemType);
    virtual GSErrCode HostApplyElementTool(const GS::Array<API_Guid>& guids, Int32 toolCode);
    virtual GSErrCode HostReserveElements(const GS::Array<API_Guid>& guids,
                                          GS::HashTable<API_Guid, Int16>* conflicts, bool enableDialogs);
    virtual GSErrCode HostGetStoryInfo(API_StoryInfo* storyInfo);
    virtual GSErrCode HostGetLayerCombination(API_AttributeIndex* index);
    virtual GSErrCode HostSetLayerCombination(API_AttributeIndex index);
    virtual GSErrCode HostIsSuspendGroupOn(bool* on);

    // Links.
    virtual GSErrCode HostGetElementLinks(const API_Guid& guid, GS::Array<API_Guid>* linkedElements);
    virtual GSErrCode HostLinkElements(const API_Guid& from, const API_Guid& to, GSFlags flags);
    virtual GSErrCode HostUnlinkElements(const API_Guid& from, const API_Guid& to);

    // Library parts and attributes.
    virtual GSErrCode HostGetLibPartUniqueId(Int64 fileResourceId, API_LibPart* libPart);
    virtual GSErrCode HostSearchLibraryPart(API_LibPart* libPart, bool dontSearch0, bool ignorePlaceholders);
    virtual GSErrCode HostGetLibPartParams(Int32 libInd, API_AddParType*** params);
    virtual GSErrCode HostGetAttribute(API_Attribute* attribute);
    virtual GSErrCode HostModifyAttribute(API_Attribute* attribute);
    virtual GSErrCode HostEnumerateAttributes(Int16 typeID, const AttributeVisitor& visitor);

    // Other.
    virtual GSErrCode HostCallUndoableCommand(const GS::UniString& undoString,
                                              const UndoableCommand& command);
    virtual GSErrCode HostGetPreferences(Int32* version, GSSize* nByte, void* data, UInt16* platformSign);
    virtual GSErrCode HostSetPreferences(Int32 version, GSSize nByte, const void* data);
    virtual GSResModule HostGetOwnResourceModule();
};

#endif
