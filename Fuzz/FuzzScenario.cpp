// Any text gives either a scenario or at least one issue, never both and never a crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.hpp"
#include "Scenario/ScenarioReader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Scenario::ReadResult result = Scenario::ReadScenarioText(text);
    Require(result.scenario.has_value() != !result.issues.empty(), "a scenario, or else issues");
    for (const Scenario::Issue& issue : result.issues)
        Require(!issue.message.empty(), "every issue says what is wrong (at '" + issue.path + "')");
    return 0;
}
