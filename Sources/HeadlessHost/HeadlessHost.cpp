#include "HeadlessHost/HeadlessHost.hpp"

#include <cmath>
#include <cstdio>

#include "GSRoot/Guid.hpp"
#include "HeadlessHost/AddOnModule.hpp"
#include "HeadlessHost/HostInternals.hpp"

namespace Headless {

std::string HexCode(UInt32 value) {
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", value);
    return text;
}

void CopyText(const GS::UniString& text, char16_t* target, std::size_t capacity) {
    const std::u16string& units = text.GetUnits();
    const std::size_t length = std::min(units.size(), capacity - 1);
    std::copy(units.begin(), units.begin() + static_cast<std::ptrdiff_t>(length), target);
    std::fill(target + length, target + capacity, u'\0');
}

GS::UniString ReadText(const char16_t* text, std::size_t capacity) {
    std::size_t length = 0;
    while (length < capacity && text[length] != 0)
        ++length;
    return GS::UniString(text, static_cast<USize>(length));
}

double PolygonArea(const std::vector<API_Coord>& polygon) {
    double twice = 0.0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const API_Coord& a = polygon[i];
        const API_Coord& b = polygon[(i + 1) % polygon.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::fabs(twice) / 2.0;
}

HeadlessHost::HeadlessHost() {
    ResetToDefaults();
}

HeadlessHost::~HeadlessHost() {
    // Memos the add-on never gave back are not freed here: it may have freed them itself.
    UnloadAddOn();
}

bool HeadlessHost::LoadAddOn(const std::string& path, std::string* error) {
    std::string reason;
    if (module_ != nullptr) {
        reason = path + ": a module is loaded already (" + module_->GetPath() + ")";
    } else {
        module_ = AddOnModule::Open(path, &reason);
    }
    if (module_ == nullptr || !reason.empty()) {
        if (error != nullptr)
            *error = reason;
        return false;
    }
    ownResModule_ = module_->GetResourceModule();
    const AddOnExports& exports = module_->GetExports();
    auto fail = [&](const std::string& what) {
        if (error != nullptr)
            *error = path + ": " + what;
        return false;
    };
    const GSErrCode handOver = module_->HandOverOperations(this, this);
    if (handOver != NoError)
        return fail("SetImportedFuncAddrs failed with code " + HexCode(static_cast<UInt32>(handOver)));

    API_EnvirParams envir;
    Int32 addOnType = APIAddon_Unknown;
    CallIntoAddOn([&] {
        addOnType = exports.describeAddOn(&envir);
        return NoError;
    });
    description_.addOnType = addOnType;
    description_.name = ReadText(envir.addOnInfo.name, 256);
    description_.description = ReadText(envir.addOnInfo.description, 512);
    if (addOnType == APIAddon_Unknown)
        return fail("DescribeAddOn gave no add-on type");

    const GSErrCode registered = CallIntoAddOn([&] { return exports.registerInterface(); });
    if (registered != NoError)
        return fail("RegisterInterface failed with code " + HexCode(static_cast<UInt32>(registered)));
    initializeCalled_ = true;
    const GSErrCode initialized = CallIntoAddOn([&] { return exports.initialize(); });
    if (initialized != NoError)
        return fail("Initialize failed with code " + HexCode(static_cast<UInt32>(initialized)));
    return true;
}

void HeadlessHost::UnloadAddOn() {
    if (module_ == nullptr)
        return;
    if (initializeCalled_) {
        ReleaseAddOnProc* release = module_->GetExports().releaseAddOn;
        releaseResult_ = CallIntoAddOn([&] { return release(); });
    }
    ForgetRegistrations();
    module_.reset();
    ownResModule_ = InvalidResModule;
    initializeCalled_ = false;
}

bool HeadlessHost::IsAddOnLoaded() const {
    return module_ != nullptr;
}

void HeadlessHost::ForgetRegistrations() {
    // The handlers point into the module about to be closed.
    menus_.clear();
    windows_.clear();
    observerHandler_ = nullptr;
    newElementHandlers_.clear();
    projectEventHandler_ = nullptr;
    projectEventMask_ = 0;
}

const ElementRecord* HeadlessHost::FindElement(const API_Guid& guid) const {
    return project_.Find(guid);
}

const ElementRecord* HeadlessHost::FindElementByName(const std::string& name) const {
    for (const auto& element : project_.elements) {
        if (element.second.name == name)
            return &element.second;
    }
    return nullptr;
}

std::string HeadlessHost::GetElementName(const API_Guid& guid) const {
    const ElementRecord* record = FindReadable(guid);
    if (record != nullptr && !record->name.empty())
        return record->name;
    return APIGuidToString(guid);
}

std::vector<API_Guid> HeadlessHost::GetElements(Int32 typeID) const {
    std::vector<API_Guid> guids;
    for (const auto& element : project_.elements) {
        if (typeID == 0 || element.second.GetTypeId() == typeID)
            guids.push_back(element.second.GetGuid());
    }
    return guids;
}

const ZoneCategory* HeadlessHost::FindZoneCategory(API_AttributeIndex index) const {
    return project_.zoneCategories.Find(index);
}

void HeadlessHost::ClearUpdateCycle() {
    updateCycle_ = false;
    droppedEchoEvents_ = 0;
}

bool HeadlessHost::InjectFault(const std::string& operation, int n, GSErrCode code, bool repeat) {
    return faults_.Inject(operation, n, code, repeat);
}

} // namespace Headless
