#ifndef ZARIMARK_RUN_RUNFAILURE_HPP
#define ZARIMARK_RUN_RUNFAILURE_HPP

#include <string>

namespace Run {

// Why a run could not go on: the scenario asked for something impossible (exit code 2), or
// the module or host failed (exit code 3).
struct RunFailure {
    enum class Kind { None, Scenario, Host };
    Kind kind = Kind::None;
    std::string path;
    std::string message;

    static RunFailure InScenario(std::string path, std::string message) {
        return {Kind::Scenario, std::move(path), std::move(message)};
    }
    static RunFailure OfHost(std::string message) { return {Kind::Host, {}, std::move(message)}; }
    explicit operator bool() const { return kind != Kind::None; }
    std::string ToString() const { return path.empty() ? message : path + ": " + message; }
};

} // namespace Run

#endif
