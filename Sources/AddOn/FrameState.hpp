#ifndef ADDON_FRAMESTATE_HPP
#define ADDON_FRAMESTATE_HPP

#include "GSRoot/Definitions.hpp"
#include "Host/HostInterface.hpp"

namespace Zarimark {

// What the add-on knows about the host that loaded it. Process-wide; the host calls in on its
// user-interface thread only, so nothing here is locked.
namespace FrameState {

// Takes the host's operation table: every host operation from now on goes to `operations`, and
// one that throws answers as failed.
// A null table is refused with APIERR_BADPARS and changes nothing.
GSErrCode AcceptHostOperations(HostInterface* operations, Int32 operationCount, void* hostToken);
bool IsOperationTableReceived();

void* GetHostToken();
void ClearHostToken();

// The add-on's own resource module as the host opened it; InvalidResModule while none is open.
GSResModule GetOwnResourceModule();

// The module is going away. Writes the abnormal-termination line when the host never released
// the add-on (its token is still set), then forgets the resource module.
void ModuleUnloading(const char* modulePath);

} // namespace FrameState

} // namespace Zarimark

#endif
