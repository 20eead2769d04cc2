#include "HeadlessHost/HeadlessHost.hpp"

namespace Headless {

HeadlessHost::HeadlessHost()
    : memory_(session_),
      operations_(memory_,
                  CallDescriber([this](const API_Guid& guid) { return memory_.GetElementName(guid); })) {
    session_.SetCallListener(&memory_);
    operations_.SetFailedReleaseListener(
        [this](const API_ElementMemo& memo) { memory_.NoteReleaseAttempt(memo); });
}

HeadlessHost::~HeadlessHost() {
    // ReleaseAddOn still calls the host, so it goes while the other parts are whole. Memos the
    // add-on never gave back are not freed: it may have freed them itself.
    session_.Unload();
    session_.SetCallListener(nullptr);
}

void HeadlessHost::RunAddOnCall(const std::function<void()>& call) {
    session_.CallIntoAddOn([&] {
        call();
        return NoError;
    });
}

} // namespace Headless
