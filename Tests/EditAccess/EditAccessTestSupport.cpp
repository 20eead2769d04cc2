#include "EditAccessTestSupport.hpp"

#include <map>
#include <utility>

#include "AddOn/FrameState.hpp"
#include "DG/UILog.hpp"
#include "GSRoot/MemoryHandle.hpp"
#include "Host/AddOnLoading.hpp"
#include "Host/HostOperations.hpp"
#include "RS/RS.hpp"
#include "ResourceImage.hpp"

using namespace Zarimark;

namespace {

GSResModule AddOnResources() {
    static const GSResModule module = [] {
        std::string error;
        const GSResModule registered = RS::RegisterModule(ZarimarkResourceImage::Data(),
                                                          ZarimarkResourceImage::Size(), "Zarimark", &error);
        EXPECT_NE(registered, InvalidResModule) << error;
        return registered;
    }();
    return module;
}

constexpr short CancelButton = 2;

} // namespace

void ScriptedUser::Script(std::vector<short> answers, std::function<void(std::size_t)> onAlert) {
    answers_ = std::move(answers);
    onAlert_ = std::move(onAlert);
    next_ = 0;
}

short ScriptedUser::AnswerAlert(const DG::AlertRecord&) {
    const std::size_t index = next_++;
    if (onAlert_)
        onAlert_(index);
    return index < answers_.size() ? answers_[index] : CancelButton;
}

void EditAccessTest::SetUp() {
    host.SetOwnResourceModule(AddOnResources());
    ASSERT_EQ(FrameState::AcceptHostOperations(&host, HostOperationCount, &host), NoError);
    Host::SetCurrentHost(&host);
    driverScope_ = std::make_unique<DG::UIDriverScope>(&user);
    DG::ClearUILog();
    liveHandlesAtStart_ = BMGetLiveHandleCount();
}

void EditAccessTest::TearDown() {
    EXPECT_EQ(host.GetOutstandingMemoCount(), 0);
    SetFreshHost(nullptr);
    EXPECT_EQ(BMGetLiveHandleCount(), liveHandlesAtStart_);
    driverScope_.reset();
    FrameState::ClearHostToken();
    Host::SetCurrentHost(nullptr);
}

void EditAccessTest::SetFreshHost(std::unique_ptr<Headless::HeadlessHost> fresh) {
    if (fresh_) {
        EXPECT_EQ(fresh_->GetOutstandingMemoCount(), 0);
    }
    fresh_ = std::move(fresh);
    Host::SetCurrentHost(fresh_.get());
}

std::vector<DG::AlertRecord> EditAccessTest::Alerts() const {
    std::vector<DG::AlertRecord> alerts;
    for (const DG::UILogEntry& entry : DG::GetUILog()) {
        if (entry.kind == DG::UILogKind::Alert)
            alerts.push_back(entry.alert);
    }
    return alerts;
}

int EditAccessTest::CallCount(const std::string& operation) const {
    int count = 0;
    for (const Headless::CallLogEntry& entry : Host().GetCallLog())
        count += entry.operation == operation ? 1 : 0;
    return count;
}

std::vector<NumberedCall> NumberCalls(const std::vector<Headless::CallLogEntry>& log) {
    std::map<std::string, int> seen;
    std::vector<NumberedCall> calls;
    for (const Headless::CallLogEntry& entry : log)
        calls.push_back({entry, ++seen[entry.operation]});
    return calls;
}
