#ifndef HEADLESSHOST_HOSTINTERNALS_HPP
#define HEADLESSHOST_HOSTINTERNALS_HPP

#include <exception>
#include <string>

#include "HeadlessHost/HeadlessHost.hpp"

// Shared by the host's own source files only.

namespace Headless {

// Every host operation: logged in call order, failed on purpose when a fault says so.
template <typename Body>
GSErrCode HeadlessHost::RunOperation(const char* operation, std::string arguments, Body&& body) {
    const std::size_t entry = BeginLog(operation, std::move(arguments));
    GSErrCode fault = NoError;
    bool throws = false;
    if (faults_.Check(operation, &fault, &throws)) {
        EndLog(entry, operation, fault, true);
        if (throws)
            throw InjectedHostException(operation);
        return fault;
    }
    const GSErrCode result = body();
    EndLog(entry, operation, result, false);
    FlushIfTopLevel();
    return result;
}

// A call from the host into the add-on. The add-on's changes wait until the outermost call
// returned; exceptions stop here, as the real host would not let them through either.
template <typename Call>
GSErrCode HeadlessHost::CallIntoAddOn(Call&& call) {
    ++addOnCallDepth_;
    GSErrCode result = APIERR_GENERAL;
    try {
        result = call();
    } catch (const std::exception& exception) {
        addOnExceptions_.push_back(exception.what());
    } catch (...) {
        addOnExceptions_.push_back("unknown exception");
    }
    --addOnCallDepth_;
    FlushIfTopLevel();
    return result;
}

std::string HexCode(UInt32 value);
void CopyText(const GS::UniString& text, char16_t* target, std::size_t capacity);
GS::UniString ReadText(const char16_t* text, std::size_t capacity);
double PolygonArea(const std::vector<API_Coord>& polygon);

} // namespace Headless

#endif
