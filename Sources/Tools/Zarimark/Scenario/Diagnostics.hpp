#ifndef ZARIMARK_SCENARIO_DIAGNOSTICS_HPP
#define ZARIMARK_SCENARIO_DIAGNOSTICS_HPP

#include <string>
#include <vector>

namespace Scenario {

// One problem of a scenario file: where (a path into the file such as "steps[3].zone") and why.
struct Issue {
    std::string path;
    std::string message;

    std::string ToString() const { return path.empty() ? message : path + ": " + message; }
};

class Diagnostics {
public:
    void Add(std::string path, std::string message) {
        issues_.push_back({std::move(path), std::move(message)});
    }
    bool Empty() const { return issues_.empty(); }
    const std::vector<Issue>& GetIssues() const { return issues_; }

private:
    std::vector<Issue> issues_;
};

} // namespace Scenario

#endif
