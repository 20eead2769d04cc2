#include "AddOn/Zarimark/OwnStampWrites.hpp"

#include <cstring>
#include <string>

#include "AddOn/Zarimark/ElementMemoScope.hpp"
#include "AddOn/Zarimark/ParameterRecord.hpp"
#include "GSRoot/HashTable.hpp"
#include "GSRoot/MemoryHandle.hpp"
#include "Host/HostOperations.hpp"

namespace Zarimark {

namespace OwnStampWrites {

namespace {

// Per stamp, the content of its last write by the add-on. Lives as long as the add-on is loaded;
// an entry goes when its echo arrives or the stamp changes otherwise.
GS::HashTable<API_Guid, std::string>& Writes() {
    static GS::HashTable<API_Guid, std::string> writes;
    return writes;
}

template <typename T>
void Append(std::string& content, const T& value) {
    content.append(reinterpret_cast<const char*>(&value), sizeof(value));
}

void AppendValue(std::string& content, const API_AddParType& record) {
    if (IsArrayParameter(record)) {
        const GSSize size = GetArrayDataSize(record);
        Append(content, size);
        if (size > 0)
            content.append(*record.value.array, static_cast<std::size_t>(size));
    } else if (record.typeID == APIParT_CString) {
        const GS::UniString text = GetScalarText(record);
        content.append(reinterpret_cast<const char*>(text.GetUnits().data()),
                       text.GetUnits().size() * sizeof(char16_t));
    } else {
        Append(content, record.value.real);
    }
}

// What decides the stamp's values: the part and, per parameter, its name, kind, shape and value.
std::string Content(Int32 libInd, const API_AddParType* const* params) {
    std::string content;
    Append(content, libInd);
    const USize count = GetParameterCount(params);
    for (UIndex i = 0; i < count; ++i) {
        const API_AddParType& record = (*params)[i];
        content.append(record.name, strnlen(record.name, API_NameLen));
        Append(content, record.typeID);
        Append(content, record.typeMod);
        Append(content, record.dim1);
        Append(content, record.dim2);
        AppendValue(content, record);
    }
    return content;
}

bool ReadContent(const API_Guid& stamp, std::string& content) {
    API_Element element;
    element.header.guid = stamp;
    if (HostGetElement(&element) != NoError)
        return false;
    ElementMemoScope memo;
    if (memo.Fetch(stamp, APIMemoMask_AddPars) != NoError)
        return false;
    content = Content(element.label.libInd, memo.GetParams());
    return true;
}

} // namespace

void Remember(const API_Guid& stamp, Int32 libInd, const API_AddParType* const* params) {
    Writes().Put(stamp, Content(libInd, params));
}

bool IsEchoOfOwnWrite(const API_Guid& stamp) {
    std::string written;
    if (!Writes().Get(stamp, &written))
        return false;
    Writes().Delete(stamp);
    std::string current;
    return ReadContent(stamp, current) && current == written;
}

void Forget(const API_Guid& stamp) {
    Writes().Delete(stamp);
}

} // namespace OwnStampWrites

} // namespace Zarimark
