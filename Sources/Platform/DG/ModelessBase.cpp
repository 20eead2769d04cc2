#include "DG/ModelessBase.hpp"

#include <string>
#include <utility>

#include "DG/PanelRegistry.hpp"

namespace DG {

ModelessBase::ModelessBase(GSResModule resModule, short resId, GSResModule dialIconResModule)
    : Dialog(resModule, resId, dialIconResModule) {}

ModelessBase::ModelessBase(GSResModule resModule, short resId, GSResModule dialIconResModule,
                           const GS::Guid& guid)
    : Dialog(resModule, resId, dialIconResModule), guid_(guid) {}

void ModelessBase::Show(short /*position*/) {
    if (GetId() == 0)
        throw PanelNotLoaded("dialog resource " + std::to_string(GetResourceId()) +
                             " is missing: the window cannot be shown");
    if (!visible_) {
        visible_ = true;
        LogVisibility(UILogKind::PanelShown);
    }
    if (!opened_) {
        opened_ = true;
        NotifyOpened();
    }
}

void ModelessBase::Hide() {
    if (!visible_)
        return;
    visible_ = false;
    LogVisibility(UILogKind::PanelHidden);
}

void ModelessBase::EndEventProcessing() {
    eventProcessing_ = false;
    if (!opened_)
        return;
    Hide();
    opened_ = false;
    NotifyClosed(false);
}

bool ModelessBase::IsOpenForInput() const {
    return visible_ && eventProcessing_ && GetTopModalDialog() == nullptr;
}

void ModelessBase::LogVisibility(UILogKind kind) const {
    UILogEntry entry;
    entry.kind = kind;
    entry.panelId = GetResourceId();
    entry.title = GetTitle();
    entry.paletteGuid = guid_;
    Detail::AppendUILog(std::move(entry));
}

} // namespace DG
