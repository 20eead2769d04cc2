#ifndef HEADLESSHOST_CALLDESCRIBER_HPP
#define HEADLESSHOST_CALLDESCRIBER_HPP

#include <functional>
#include <string>
#include <type_traits>

#include "GSRoot/Array.hpp"
#include "GSRoot/UniString.hpp"
#include "Host/HostRecords.hpp"

namespace Headless {

// Forms the host catalogue can ask for when a call log shows a key argument.
namespace Keys {

struct Hex {
    template <typename T>
    explicit Hex(T number) : value(static_cast<UInt64>(static_cast<std::make_unsigned_t<T>>(number))) {}
    UInt64 value; // memo masks take 64 bits
};

// A four-character code such as 'LOCK'.
struct FourChars {
    explicit FourChars(Int32 code) : code(code) {}
    Int32 code;
};

// `text` when the condition holds, else nothing.
struct IfTrue {
    IfTrue(bool condition, const char* text) : condition(condition), text(text) {}
    bool condition;
    const char* text;
};

// The element type of an element record.
struct TypeOf {
    explicit TypeOf(const API_Element* element) : element(element) {}
    const API_Element* element;
};

// The flags of an attribute record.
struct FlagsOf {
    explicit FlagsOf(const API_Attribute* attribute) : attribute(attribute) {}
    const API_Attribute* attribute;
};

// Shown once the call succeeded, after the other keys.
template <typename T>
struct OnSuccess {
    explicit OnSuccess(const T& value) : value(value) {}
    T value;
};

} // namespace Keys

// Shows a call's key arguments as short text: numbers in decimal, elements by the name the
// naming callback gives (the GUID text without one), texts in quotes, handlers as "handler" or
// "none". Keys that show nothing are left out.
class CallDescriber {
public:
    using Namer = std::function<std::string(const API_Guid& guid)>;

    explicit CallDescriber(Namer namer = {}) : namer_(std::move(namer)) {}

    // What is known when the call begins, joined by ", ".
    template <typename... Key>
    std::string OnEntry(const Key&... keys) const {
        std::string text;
        (Join(text, ShowOnEntry(keys)), ...);
        return text;
    }
    // What OnSuccess keys show once the call succeeded.
    template <typename... Key>
    std::string OnReturn(const Key&... keys) const {
        std::string text;
        (Join(text, ShowOnReturn(keys)), ...);
        return text;
    }

    template <typename T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool>, int> = 0>
    std::string Show(T number) const {
        return std::to_string(number);
    }
    template <typename Result, typename... Parameters>
    std::string Show(Result (*handler)(Parameters...)) const {
        return handler != nullptr ? "handler" : "none";
    }
    std::string Show(const API_Guid& guid) const;
    std::string Show(const GS::Array<API_Guid>& guids) const;
    std::string Show(const API_Element* element) const; // by its GUID
    std::string Show(const API_Elem_Head* header) const;
    std::string Show(const API_ElemType* type) const;
    std::string Show(const API_Neig& neig) const;           // neig ID and element
    std::string Show(const API_LibPart* libPart) const;     // its unique ID
    std::string Show(const API_Attribute* attribute) const; // type and index
    std::string Show(const GS::UniString& text) const;
    std::string Show(const Keys::Hex& number) const;
    std::string Show(const Keys::FourChars& code) const;
    std::string Show(const Keys::IfTrue& flag) const;
    std::string Show(const Keys::TypeOf& type) const;
    std::string Show(const Keys::FlagsOf& flags) const;

private:
    static void Join(std::string& text, const std::string& more) {
        if (!more.empty())
            text += (text.empty() ? "" : ", ") + more;
    }
    template <typename Key>
    std::string ShowOnEntry(const Key& key) const {
        return Show(key);
    }
    template <typename T>
    std::string ShowOnEntry(const Keys::OnSuccess<T>&) const {
        return {};
    }
    template <typename Key>
    std::string ShowOnReturn(const Key&) const {
        return {};
    }
    template <typename T>
    std::string ShowOnReturn(const Keys::OnSuccess<T>& key) const {
        return Show(key.value);
    }

    Namer namer_;
};

} // namespace Headless

#endif
