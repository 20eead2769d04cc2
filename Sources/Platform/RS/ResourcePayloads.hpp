#ifndef RS_RESOURCEPAYLOADS_HPP
#define RS_RESOURCEPAYLOADS_HPP

#include <string>
#include <vector>

#include "RS/RS.hpp"

// Decoders for the data of the structured resource types, as the resource compiler writes them.
// Each checks the whole payload (no short reads, no trailing bytes) and says what is wrong.
namespace RS::Payloads {

bool DecodeStringList(const std::vector<unsigned char>& data, std::vector<GS::UniString>* items,
                      std::string* error);
bool DecodeAlert(const std::vector<unsigned char>& data, AlertResource* alert, std::string* error);
bool DecodeDialog(const std::vector<unsigned char>& data, DialogResource* dialog, std::string* error);
bool DecodeFolder(const std::vector<unsigned char>& data, std::vector<FolderEntry>* entries,
                  std::string* error);
bool DecodeFile(const std::vector<unsigned char>& data, std::vector<unsigned char>* bytes,
                std::string* error);

// Checks the payload of any type this library knows; other types pass unchecked.
bool Validate(ResType type, const std::vector<unsigned char>& data, std::string* error);

} // namespace RS::Payloads

#endif
