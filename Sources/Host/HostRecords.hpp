#ifndef HOST_HOSTRECORDS_HPP
#define HOST_HOSTRECORDS_HPP

#include <cstddef>

#include "GSRoot/Definitions.hpp"
#include "Host/APIGuid.hpp"
#include "IO/Location.hpp"

// Records shaped like the host's. Where a byte layout is fixed it is checked below.

using API_AttributeIndex = Int32;
using API_ElemFilterFlags = Int32;

enum API_ElemTypeID : Int32 {
    API_ZombieElemID = 0,
    API_WallID = 1,
    API_LabelID = 16,
    API_ZoneID = 17,
};

enum API_AttrTypeID : Int16 {
    API_ZombieAttrID = 0,
    API_LayerID = 1,
    API_ZoneCatID = 7,
};

// Listing and filter flags.
constexpr API_ElemFilterFlags APIFilt_None = 0;
constexpr API_ElemFilterFlags APIFilt_IsEditable = 0x00000002;
constexpr API_ElemFilterFlags APIFilt_OnActFloor = 0x00000004;
constexpr API_ElemFilterFlags APIFilt_CurrentStory = 6; // editable elements of the current story
constexpr API_ElemFilterFlags APIFilt_InMyWorkspace = 16;
constexpr API_ElemFilterFlags APIFilt_IsInStructureDisplay = 0x10000000; // every element of the project

// Memo masks.
constexpr UInt64 APIMemoMask_AddPars = 4;
constexpr UInt64 APIMemoMask_All = 0x3FFFFFFFBFFFFFFFULL;

// Four-character codes as the host writes them ('SYMB').
constexpr Int32 MakeFourCharCode(char a, char b, char c, char d) {
    return static_cast<Int32>((static_cast<UInt32>(static_cast<UInt8>(a)) << 24) |
                              (static_cast<UInt32>(static_cast<UInt8>(b)) << 16) |
                              (static_cast<UInt32>(static_cast<UInt8>(c)) << 8) |
                              static_cast<UInt32>(static_cast<UInt8>(d)));
}
constexpr Int32 APILblClass_Symbol = MakeFourCharCode('S', 'Y', 'M', 'B');
constexpr Int32 APILblClass_Text = MakeFourCharCode('T', 'E', 'X', 'T');
constexpr Int32 APITool_SuspendGroups = MakeFourCharCode('S', 'U', 'S', 'P');
constexpr Int32 APITool_Unlock = MakeFourCharCode('U', 'L', 'C', 'K');
constexpr Int32 APITool_Lock = MakeFourCharCode('L', 'O', 'C', 'K');

struct API_Coord {
    double x = 0.0;
    double y = 0.0;
};

// Element type record: type id, variation id and class GUID, 24 bytes.
struct API_ElemType {
    Int32 typeID = API_ZombieElemID;
    Int32 variationID = 0;
    API_Guid classID;
};
static_assert(sizeof(API_ElemType) == 24, "element type record is 24 bytes");

struct API_Elem_Head {
    API_ElemType type;
    API_Guid guid;
    Int16 floorInd = 0;
    API_AttributeIndex layer = 0;
    bool hasMemo = false; // the one-byte flag after the layer index
    UInt16 lockId = 0;    // non-zero while the element is locked
    API_Guid groupGuid;
};
static_assert(offsetof(API_Elem_Head, hasMemo) == offsetof(API_Elem_Head, layer) + sizeof(API_AttributeIndex),
              "the flag follows the layer index");

constexpr int API_UniLongNameLen = 256;

struct API_ZoneType {
    char16_t roomName[API_UniLongNameLen] = {};
    char16_t roomNoStr[API_UniLongNameLen] = {};
    API_AttributeIndex catInd = 0;
    API_Coord pos; // the zone's stamp position: where its number and name are drawn
};

struct API_LabelTextSettings {
    Int16 pen = 1;
    double size = 2.5;
};

struct API_LabelSymbolSettings {
    Int16 pen = 1;
};

struct API_LabelType {
    Int32 labelClass = APILblClass_Symbol;
    Int32 libInd = 0;
    API_ElemType parentType;
    API_Guid parent;
    API_Coord begC;
    API_Coord midC;
    API_Coord endC;
    bool framed = true; // the byte flag the create command clears
    API_LabelTextSettings textSettings;
    API_LabelSymbolSettings symbolSettings;
};

struct API_WallType {
    API_Coord begC;
    API_Coord endC;
};

// The host's element record: the header and the part of each type. Only the part that
// matches header.type is meaningful; a struct rather than the host's union keeps copies defined.
struct API_Element {
    API_Elem_Head header;
    API_ZoneType zone;
    API_LabelType label;
    API_WallType wall;
};

// One library-part parameter, 1600 bytes; a parameter list is a handle of these back to back.
constexpr Int32 APIParT_Integer = 1;
constexpr Int32 APIParT_Length = 2;
constexpr Int32 APIParT_RealNum = 4;
constexpr Int32 APIParT_CString = 12;
constexpr Int32 APIParT_Boolean = 13;
constexpr UInt16 API_ParArray = 2;
constexpr int API_NameLen = 32;

struct API_AddParType {
    Int32 typeID;                           // 0
    Int16 index;                            // 4
    UInt16 typeMod;                         // 6: API_ParArray for an array
    char name[API_NameLen];                 // 8
    char16_t uDescname[API_UniLongNameLen]; // 40
    char reserved[512];                     // 552
    Int32 dim1;                             // 1064: rows of an array
    Int32 dim2;                             // 1068: columns of an array
    UInt32 flags;                           // 1072
    char reserved2[12];                     // 1076
    union {
        double real;
        char16_t uStr[API_UniLongNameLen];
        GSHandle array;
    } value; // 1088
};
static_assert(sizeof(API_AddParType) == 1600, "parameter record is 1600 bytes");
static_assert(offsetof(API_AddParType, typeID) == 0, "type code offset");
static_assert(offsetof(API_AddParType, typeMod) == 6, "array flag offset");
static_assert(offsetof(API_AddParType, name) == 8, "name offset");
static_assert(offsetof(API_AddParType, dim1) == 1064, "first dimension offset");
static_assert(offsetof(API_AddParType, dim2) == 1068, "second dimension offset");
static_assert(offsetof(API_AddParType, value) == 1088, "value offset");

struct API_ElementMemo {
    API_AddParType** params = nullptr;
};

// Zone quantities; the five areas the add-on reads sit at fixed offsets.
struct API_ZoneQuantity {
    double area;          // 0
    double perimeter;     // 8
    double reserved1[11]; // 16
    double calcArea;      // 104
    double reserved2[2];  // 112
    double netArea;       // 128
    double reducedArea;   // 136
    double reserved3[7];  // 144
    double wallInsetArea; // 200
    double reserved4[4];  // 208
};
static_assert(offsetof(API_ZoneQuantity, area) == 0, "zone quantity offset");
static_assert(offsetof(API_ZoneQuantity, calcArea) == 104, "zone quantity offset");
static_assert(offsetof(API_ZoneQuantity, netArea) == 128, "zone quantity offset");
static_assert(offsetof(API_ZoneQuantity, reducedArea) == 136, "zone quantity offset");
static_assert(offsetof(API_ZoneQuantity, wallInsetArea) == 200, "zone quantity offset");

struct API_Quantities {
    API_ZoneQuantity* zone = nullptr;
};

// A field is selected when its first byte is 0xFF.
struct API_QuantitiesMask {
    API_ZoneQuantity zone;
};

struct API_QuantityPar {
    double minOpeningSize = 0.0;
};

// Attributes.
struct API_Attr_Head {
    Int16 typeID = API_ZombieAttrID;
    API_AttributeIndex index = 0;
    Int16 flags = 0; // layers: 0x1 hidden, 0x2 locked
    char name[256] = {};
    API_Guid guid;
};
constexpr Int16 APILay_Hidden = 0x1;
constexpr Int16 APILay_Locked = 0x2;

struct API_LayerType {
    Int32 conClassId = 0;
};

struct API_ZoneCatType {
    char16_t catCode[32] = {};
};

struct API_Attribute {
    API_Attr_Head header;
    API_LayerType layer;
    API_ZoneCatType zoneCat;
};

// Selection.
enum API_NeigID : Int32 {
    APINeig_None = 0,
    APINeig_Wall = 1,
    APINeig_Label = 40,
    APINeig_Zone = 50,
};

struct API_Neig {
    Int32 neigID = APINeig_None;
    API_Guid guid;
    Int32 inIndex = 0;
};

struct API_SelectionInfo {
    Int32 typeID = 0;
    Int32 sel_nElem = 0;
};

// Stories.
struct API_StoryType {
    Int16 index = 0;
    double level = 0.0;
    char16_t uName[API_UniLongNameLen] = {};
};

struct API_StoryInfo {
    Int16 firstStory = 0;
    Int16 lastStory = 0;
    Int16 actStory = 0;
    API_StoryType** data = nullptr; // released by the caller with BMKillHandle
};

// Library parts.
struct API_LibPart {
    Int32 typeID = 0;
    Int32 index = 0;
    char ownUnID[128] = {};
    char parentUnID[128] = {};
    char16_t docu_UName[API_UniLongNameLen] = {};
    IO::Location* location = nullptr; // owned by the caller once filled
};

// Notifications.
constexpr Int32 APINotifyElement_BeginEvents = -1;
constexpr Int32 APINotifyElement_EndEvents = -2;
constexpr Int32 APINotifyElement_New = 1;
constexpr Int32 APINotifyElement_Copy = 2;
constexpr Int32 APINotifyElement_Change = 3;
constexpr Int32 APINotifyElement_Edit = 4;
constexpr Int32 APINotifyElement_Delete = 5;
constexpr Int32 APINotifyElement_ClassificationChange = 13;

struct API_NotifyElementType {
    Int32 notifID = 0;
    API_Elem_Head elemHead;
};

constexpr GSFlags APINotify_New = 1;
constexpr GSFlags APINotify_Open = 2;
constexpr GSFlags APINotify_Close = 4;
constexpr GSFlags APINotify_Quit = 8;

struct API_MenuItemRef {
    Int16 menuResID = 0;
    Int16 itemIndex = 0;
};

struct API_MenuParams {
    API_MenuItemRef menuItemRef;
};

// Menu positions and flags.
constexpr Int32 MenuCode_Palettes = 12;
constexpr Int32 MenuCode_UserDef = 17;
constexpr GSFlags MenuFlag_Default = 0;
constexpr GSFlags MenuFlag_SeparatorBefore = 1;

// Palette control messages.
constexpr Int32 APIPalMsg_ClosePalette = 1;
constexpr Int32 APIPalMsg_HidePalette_Begin = 2;
constexpr Int32 APIPalMsg_HidePalette_End = 3;
constexpr Int32 APIPalMsg_DisableItems_Begin = 4;
constexpr Int32 APIPalMsg_DisableItems_End = 5;
constexpr Int32 APIPalMsg_OpenPalette = 6;
constexpr Int32 APIPalMsg_IsPaletteVisible = 7;

// The environment record that DescribeAddOn fills.
struct API_AddonInfo {
    char16_t name[256] = {};
    char16_t description[512] = {};
};

struct API_EnvirParams {
    API_AddonInfo addOnInfo;
};

constexpr Int32 APIAddon_Unknown = 0;
constexpr Int32 APIAddon_Normal = 2;

// Handlers the add-on hands to the host.
using APIMenuCommandProc = GSErrCode(const API_MenuParams* menuParams);
using APIProjectEventHandlerProc = GSErrCode(Int32 notifID, Int32 param);
using APIElementEventHandlerProc = GSErrCode(const API_NotifyElementType* elemType);
using APIPaletteControlCallBackProc = GSErrCode(Int32 referenceID, Int32 messageID, bool* param);

#endif
