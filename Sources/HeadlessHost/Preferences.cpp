#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "Formats/Hex.hpp"
#include "HeadlessHost/InMemoryInternals.hpp"

// The preference block the host keeps for the add-on, per host profile.

namespace Headless {

namespace {

constexpr const char* PreferencesFileName = "addon-preferences.json";

std::string FilePath(const std::string& folder) {
    return folder + "/" + PreferencesFileName;
}

} // namespace

bool InMemoryHost::SetProfileFolder(const std::string& folder, std::string* error) {
    if (folder.empty()) {
        profileFolder_.clear();
        return true;
    }
    if (!LoadPreferencesFile(folder, error))
        return false;
    profileFolder_ = folder;
    return true;
}

bool InMemoryHost::LoadPreferencesFile(const std::string& folder, std::string* error) {
    const std::string path = FilePath(folder);
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        preferences_ = StoredPreferences(); // a profile without a stored block
        return true;
    }
    std::stringstream content;
    content << file.rdbuf();
    auto fail = [&](const std::string& why) {
        if (error != nullptr)
            *error = path + ": " + why;
        return false;
    };
    const nlohmann::json json = nlohmann::json::parse(content.str(), nullptr, false);
    if (json.is_discarded() || !json.is_object())
        return fail("not a JSON object");
    StoredPreferences loaded;
    loaded.present = true;
    const auto version = json.find("version");
    const auto sign = json.find("platformSign");
    const auto data = json.find("data");
    if (version == json.end() || !version->is_number_integer())
        return fail("\"version\" is missing or not an integer");
    if (sign == json.end() || !sign->is_number_unsigned() || sign->get<UInt64>() > 0xFFFF)
        return fail("\"platformSign\" is missing or not a 16-bit number");
    if (data == json.end() || !data->is_string() ||
        !Formats::ParseHexBytes(data->get<std::string>(), &loaded.data))
        return fail("\"data\" is missing or not a hexadecimal text");
    loaded.version = version->get<Int32>();
    loaded.platformSign = static_cast<UInt16>(sign->get<UInt64>());
    preferences_ = loaded;
    return true;
}

void InMemoryHost::SavePreferencesFile() const {
    if (profileFolder_.empty())
        return;
    nlohmann::json json;
    json["version"] = preferences_.version;
    json["platformSign"] = preferences_.platformSign;
    json["data"] = Formats::HexBytes(preferences_.data);
    std::ofstream file(FilePath(profileFolder_), std::ios::binary | std::ios::trunc);
    file << json.dump(2) << "\n";
}

void InMemoryHost::SetStoredPreferences(const StoredPreferences& preferences) {
    preferences_ = preferences;
    SavePreferencesFile();
}

GSErrCode InMemoryHost::HostGetPreferences(Int32* version, GSSize* nByte, void* data, UInt16* platformSign) {
    return RunOperation([&]() -> GSErrCode {
        if (version == nullptr || nByte == nullptr)
            return APIERR_BADPARS;
        // With a buffer, *nByte on entry is its capacity: never written past.
        const GSSize capacity = *nByte;
        *version = preferences_.present ? preferences_.version : 0;
        *nByte = preferences_.present ? static_cast<GSSize>(preferences_.data.size()) : 0;
        if (data != nullptr && preferences_.present && capacity > 0) {
            const std::size_t count = std::min(static_cast<std::size_t>(capacity), preferences_.data.size());
            std::memcpy(data, preferences_.data.data(), count);
        }
        if (platformSign != nullptr && preferences_.present)
            *platformSign = preferences_.platformSign;
        return NoError;
    });
}

GSErrCode InMemoryHost::HostSetPreferences(Int32 version, GSSize nByte, const void* data) {
    return RunOperation([&]() -> GSErrCode {
        if (nByte < 0 || (nByte > 0 && data == nullptr))
            return APIERR_BADPARS;
        StoredPreferences stored;
        stored.present = true;
        stored.version = version;
        const auto* bytes = static_cast<const unsigned char*>(data);
        stored.data.assign(bytes, bytes + nByte);
        stored.platformSign = GS::Act_Platform_Sign;
        SetStoredPreferences(stored);
        return NoError;
    });
}

} // namespace Headless
