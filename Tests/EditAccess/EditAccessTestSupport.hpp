#ifndef TESTS_EDITACCESS_EDITACCESSTESTSUPPORT_HPP
#define TESTS_EDITACCESS_EDITACCESSTESTSUPPORT_HPP

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DG/UIDriver.hpp"
#include "HeadlessHost/HeadlessHost.hpp"

// Answers alerts from a script; past its end it cancels, so that a loop that would ask forever
// ends. `onAlert` runs before each answer (e.g. another member releasing an element).
class ScriptedUser : public DG::UIDriver {
public:
    void Script(std::vector<short> answers, std::function<void(std::size_t alertIndex)> onAlert = {});
    short AnswerAlert(const DG::AlertRecord& alert) override;
    void RunModalDialog(DG::ModalDialog&) override {}

private:
    std::vector<short> answers_;
    std::function<void(std::size_t)> onAlert_;
    std::size_t next_ = 0;
};

// The add-on's code against a headless host with the add-on's own resources. Every host call
// goes to `Host()`, the fixture's host unless a test switched to a fresh one; every memo and
// handle taken must be given back.
class EditAccessTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A fresh host, current from now on (e.g. for one round of a sweep); checked for memos and
    // released with the fixture.
    template <typename H = Headless::HeadlessHost>
    H& UseFreshHost() {
        auto fresh = std::make_unique<H>();
        H& made = *fresh;
        SetFreshHost(std::move(fresh));
        return made;
    }
    Headless::HeadlessHost& Host() { return fresh_ ? *fresh_ : host; }
    const Headless::HeadlessHost& Host() const { return fresh_ ? *fresh_ : host; }

    std::vector<DG::AlertRecord> Alerts() const;
    int CallCount(const std::string& operation) const;

    Headless::HeadlessHost host;
    ScriptedUser user;

private:
    void SetFreshHost(std::unique_ptr<Headless::HeadlessHost> fresh);

    std::unique_ptr<Headless::HeadlessHost> fresh_;
    std::unique_ptr<DG::UIDriverScope> driverScope_;
    Int64 liveHandlesAtStart_ = 0;
};

// The call log with each entry numbered by its operation's occurrence (from 1), as faults count.
struct NumberedCall {
    Headless::CallLogEntry entry;
    int occurrence = 0;
};
std::vector<NumberedCall> NumberCalls(const std::vector<Headless::CallLogEntry>& log);

#endif
