#ifndef RS_RS_HPP
#define RS_RS_HPP

#include <string>
#include <vector>

#include "GSRoot/Definitions.hpp"
#include "GSRoot/UniString.hpp"

// Resource modules: the compiled resources of an add-on, registered once loaded, read by type
// and ID. The module format is the resource compiler's (Docs/resources.md).
namespace RS {

using ResType = UInt32;
constexpr ResType MakeResType(const char (&code)[5]) {
    return (static_cast<ResType>(static_cast<UInt8>(code[0])) << 24) |
           (static_cast<ResType>(static_cast<UInt8>(code[1])) << 16) |
           (static_cast<ResType>(static_cast<UInt8>(code[2])) << 8) |
           static_cast<ResType>(static_cast<UInt8>(code[3]));
}
constexpr ResType StringListType = MakeResType("STR#");
constexpr ResType AlertType = MakeResType("GALR");
constexpr ResType DialogType = MakeResType("GDLG");
constexpr ResType DialogHelpType = MakeResType("DLGH");
constexpr ResType IdentifierType = MakeResType("MDID");
constexpr ResType IconType = MakeResType("GICN");
constexpr ResType FolderType = MakeResType("FLDR");
constexpr ResType FileType = MakeResType("FILE");

// Registers a module image (copied). Returns its module handle (0 or more), or InvalidResModule
// with a reason when the image is malformed.
GSResModule RegisterModule(const unsigned char* data, UInt64 size, const std::string& name,
                           std::string* error);
void UnregisterModule(GSResModule module);
bool IsModuleRegistered(GSResModule module);

// The raw bytes of one resource; false when the module or the resource is missing.
bool GetResourceData(GSResModule module, ResType type, GSResID id, std::vector<unsigned char>* data);
// All IDs of one type, in module order.
std::vector<GSResID> ListResources(GSResModule module, ResType type);

enum class AlertKind { Information = 0, Warning = 1, Error = 2 };

struct AlertResource {
    AlertKind kind = AlertKind::Information;
    GS::UniString title;
    GS::UniString largeText;
    GS::UniString smallText;
    GS::UniString buttons[3]; // an empty text: no such button
    Int16 defaultButton = 1;  // 1 to 3
};

enum class DialogKind { Modal = 0, Palette = 1, Modeless = 2 };
enum class ItemKind { Button, LeftText, Separator, SingleSelList, Icon };
enum class ItemFont { LargePlain, SmallPlain, LargeBold, SmallBold, ExtraSmall };

struct DialogItemResource {
    ItemKind kind = ItemKind::Button;
    Int16 x = 0;
    Int16 y = 0;
    Int16 width = 0;
    Int16 height = 0;
    GS::UniString text;
    bool hasHeader = false; // list boxes
    ItemFont font = ItemFont::LargePlain;
    Int16 rowHeight = 0;    // list boxes
    Int16 headerHeight = 0; // list boxes with header
    GSResID iconId = 0;     // icons
};

struct DialogResource {
    DialogKind kind = DialogKind::Modal;
    bool resizable = false;
    Int16 x = 0;
    Int16 y = 0;
    Int16 width = 0;
    Int16 height = 0;
    GS::UniString title;
    std::vector<DialogItemResource> items; // item N is items[N - 1]
};

bool GetAlert(GSResModule module, GSResID id, AlertResource* alert);
bool GetDialog(GSResModule module, GSResID id, DialogResource* dialog);
bool GetStringList(GSResModule module, GSResID id, std::vector<GS::UniString>* items);

// Built-in library files: FLDR lists them by name, each FILE holds one file's bytes.
struct FolderEntry {
    GS::UniString fileName;
    GSResID fileId = 0;
};
bool GetFolder(GSResModule module, GSResID id, std::vector<FolderEntry>* entries);
// The file's bytes without the resource's length prefix.
bool GetFile(GSResModule module, GSResID id, std::vector<unsigned char>* bytes);

} // namespace RS

// Item `index` (from 1) of string list `resID` of a module; false (text untouched) when missing.
bool RSGetIndString_ParamAdapter(GS::UniString* text, GSResID resID, Int32 index, GSResModule resModule);

#endif
