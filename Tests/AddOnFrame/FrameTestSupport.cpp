#include "FrameTestSupport.hpp"

#include "AddOn/FrameState.hpp"
#include "GSRoot/DebugLog.hpp"
#include "Host/AddOnLoading.hpp"
#include "Host/HostOperations.hpp"
#include "RS/RS.hpp"
#include "ResourceImage.hpp"

using namespace Zarimark;

GSResModule AddOnResourceModule() {
    static const GSResModule module = [] {
        std::string error;
        const GSResModule registered = RS::RegisterModule(ZarimarkResourceImage::Data(),
                                                          ZarimarkResourceImage::Size(), "Zarimark", &error);
        EXPECT_NE(registered, InvalidResModule) << error;
        return registered;
    }();
    return module;
}

void FrameTest::SetUp() {
    host.SetOwnResourceModule(AddOnResourceModule());
    ASSERT_EQ(FrameState::AcceptHostOperations(&host, HostOperationCount, &hostToken), NoError);
    ResetLogs();
}

void FrameTest::TearDown() {
    FrameState::ClearHostToken();
    Host::SetCurrentHost(nullptr);
}

std::vector<std::string> FrameTest::CalledOperations() const {
    std::vector<std::string> names;
    for (const Headless::CallLogEntry& entry : host.GetCallLog())
        names.push_back(entry.operation);
    return names;
}

std::vector<std::string> FrameTest::DebugLines() const {
    return GS::GetDebugLog();
}

void FrameTest::ResetLogs() {
    host.ClearCallLog();
    GS::ClearDebugLog();
}
