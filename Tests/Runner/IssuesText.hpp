#ifndef TESTS_RUNNER_ISSUESTEXT_HPP
#define TESTS_RUNNER_ISSUESTEXT_HPP

#include <string>

#include "Scenario/ScenarioReader.hpp"

// What the reader found wrong, one issue a line, for comparing in tests.
inline std::string Issues(const Scenario::ReadResult& result) {
    std::string text;
    for (const Scenario::Issue& issue : result.issues)
        text += issue.ToString() + "\n";
    return text;
}

#endif
