#include "AddOn/ErrorAlerts.hpp"

#include "AddOn/FrameState.hpp"
#include "DG/Alert.hpp"
#include "GSRoot/ValueToStr.hpp"

namespace Zarimark {

void ShowAlert(GSResID alertId) {
    DG::Alert(FrameState::GetOwnResourceModule(), alertId);
}

void ShowErrorCodeAlert(GSResID alertId, GSErrCode code) {
    DG::Alert(FrameState::GetOwnResourceModule(), alertId, GS::valuetostr(code));
}

} // namespace Zarimark
