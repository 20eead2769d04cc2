#ifndef HEADLESSHOST_INMEMORYINTERNALS_HPP
#define HEADLESSHOST_INMEMORYINTERNALS_HPP

#include <string>

#include "HeadlessHost/InMemoryHost.hpp"
#include "HeadlessHost/RecordText.hpp"

// Shared by the in-memory host's own source files only.

namespace Headless {

// Every host operation: changes made outside any call into the add-on (a test calling the host
// directly) are reported as soon as the operation returns.
template <typename Body>
auto InMemoryHost::RunOperation(Body&& body) {
    const auto result = body();
    FlushIfTopLevel();
    return result;
}

double PolygonArea(const std::vector<API_Coord>& polygon);

} // namespace Headless

#endif
