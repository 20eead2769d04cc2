#include "AddOn/FrameState.hpp"

#include <memory>

#include "AddOn/HostCallFence.hpp"
#include "AddOn/ZoneObservation.hpp"
#include "GSRoot/DebugLog.hpp"
#include "Host/HostOperations.hpp"

namespace Zarimark {

namespace FrameState {

namespace {
bool operationTableReceived = false;
void* hostToken = nullptr;
GSResModule ownResourceModule = InvalidResModule;
std::unique_ptr<HostCallFence> fence;
} // namespace

GSErrCode AcceptHostOperations(HostInterface* operations, Int32 /*operationCount*/, void* token) {
    if (operations == nullptr)
        return APIERR_BADPARS;
    fence = std::make_unique<HostCallFence>(*operations);
    Host::SetCurrentHost(fence.get());
    hostToken = token;
    ownResourceModule = fence->HostGetOwnResourceModule();
    ZoneObservation::Forget();
    operationTableReceived = true;
    return NoError;
}

bool IsOperationTableReceived() {
    return operationTableReceived;
}

void* GetHostToken() {
    return hostToken;
}

void ClearHostToken() {
    hostToken = nullptr;
}

GSResModule GetOwnResourceModule() {
    return ownResourceModule;
}

void ModuleUnloading(const char* modulePath) {
    if (hostToken != nullptr)
        DBPrintf("Abnormal add-on termination (\"%s\")", modulePath != nullptr ? modulePath : "");
    ownResourceModule = InvalidResModule;
}

} // namespace FrameState

} // namespace Zarimark
