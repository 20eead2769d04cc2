#ifndef DG_MODELESSBASE_HPP
#define DG_MODELESSBASE_HPP

#include <stdexcept>

#include "DG/Dialog.hpp"
#include "DG/UILog.hpp"
#include "GSRoot/Guid.hpp"

namespace DG {

// Showing a panel whose dialog resource could not be read.
class PanelNotLoaded : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A window that stays while the user works elsewhere. It opens at its first Show (PanelOpened)
// and closes at EndEventProcessing (PanelClosed); Hide and Show in between keep it open. The
// user can act on it only while it is visible, processes events and no modal dialog is open. The close box
// asks the panel observers (PanelCloseRequested, not accepting) and hides the window unless one of them
// cleared the accept flag.
class ModelessBase : public Dialog {
public:
    static constexpr short DefaultPosition = -32768;

    ModelessBase(GSResModule resModule, short resId, GSResModule dialIconResModule);

    // Headless there is no screen: every position means the default place. Throws
    // PanelNotLoaded when the dialog resource is missing.
    void Show(short position = DefaultPosition);
    void Hide();
    bool IsVisible() const { return visible_; }

    void BeginEventProcessing() { eventProcessing_ = true; }
    void EndEventProcessing();
    bool IsEventProcessing() const { return eventProcessing_; }

    // Not while a modal dialog is open.
    bool IsOpenForInput() const override;

protected:
    ModelessBase(GSResModule resModule, short resId, GSResModule dialIconResModule, const GS::Guid& guid);
    void CloseByCloseBox() override { Hide(); }
    const GS::Guid& GetWindowGuid() const { return guid_; }

private:
    void LogVisibility(UILogKind kind) const;

    GS::Guid guid_;
    bool visible_ = false;
    bool opened_ = false;
    bool eventProcessing_ = false;
};

class ModelessDialog : public ModelessBase {
public:
    using ModelessBase::ModelessBase;
};

// A modeless window known to the host by its GUID.
class Palette : public ModelessBase {
public:
    Palette(GSResModule resModule, short resId, GSResModule dialIconResModule, const GS::Guid& guid)
        : ModelessBase(resModule, resId, dialIconResModule, guid) {}

    const GS::Guid& GetGuid() const { return GetWindowGuid(); }
};

} // namespace DG

#endif
