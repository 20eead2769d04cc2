#ifndef HOST_HOSTINTERFACE_HPP
#define HOST_HOSTINTERFACE_HPP

#include <functional>

#include "GSRoot/Array.hpp"
#include "GSRoot/HashTable.hpp"
#include "GSRoot/UniString.hpp"
#include "Host/HostCodes.hpp"
#include "Host/HostRecords.hpp"

// The host operations, one virtual each, made from Host/HostCatalogue.def. A host implements
// what it offers; an operation it does not override answers as the catalogue says a missing one
// does. The add-on never calls this class directly: it calls the free functions of
// HostOperations.hpp, which forward here.
//
// Everything is inline, so the class has no home library: every library and module that uses
// it holds the same copy, also of the type information a sanitizer checks calls against.
class HostInterface {
public:
    using AttributeVisitor = std::function<void(const API_Attr_Head& header)>;
    using UndoableCommand = std::function<GSErrCode()>;

    virtual ~HostInterface() = default;

#define HOST_OPERATION(name, parameters, arguments, keys)                                                    \
    virtual GSErrCode name parameters {                                                                      \
        Unused arguments;                                                                                    \
        return APIERR_MISSINGOPERATION;                                                                      \
    }
#define HOST_QUERY(type, name, parameters, arguments, answer, keys)                                          \
    virtual type name parameters {                                                                           \
        Unused arguments;                                                                                    \
        return answer;                                                                                       \
    }
#include "Host/HostCatalogue.def"

private:
    template <typename... Arguments>
    static void Unused(const Arguments&...) {}
};

#endif
