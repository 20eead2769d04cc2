#include "DG/ModalDialog.hpp"

#include <functional>
#include <utility>

#include "DG/PanelRegistry.hpp"
#include "DG/UIDriver.hpp"

namespace DG {

namespace {

// Leaves no dialog open behind an exception; the observers are not told, as the exception
// is already on its way to them.
class OpenDialogGuard {
public:
    explicit OpenDialogGuard(std::function<void()> abort) : abort_(std::move(abort)) {}
    ~OpenDialogGuard() {
        if (abort_)
            abort_();
    }
    void Release() { abort_ = nullptr; }

private:
    std::function<void()> abort_;
};

} // namespace

ModalDialog::ModalDialog(GSResModule resModule, short resId, GSResModule dialIconResModule)
    : Dialog(resModule, resId, dialIconResModule) {}

ModalDialog::~ModalDialog() {
    if (open_)
        Detail::NoteModalClosed(this);
}

bool ModalDialog::Invoke() {
    if (GetId() == 0) {
        LogClosed(false, DialogCloseReason::NotLoaded);
        return false;
    }
    if (open_) {
        ReportMisuse("Invoke while the dialog is already open");
        return false;
    }
    open_ = true;
    response_ = Cancel;
    Detail::NoteModalOpened(this);
    UILogEntry opened;
    opened.kind = UILogKind::DialogOpened;
    opened.panelId = GetResourceId();
    opened.title = GetTitle();
    Detail::AppendUILog(std::move(opened));

    OpenDialogGuard guard([this] {
        if (open_) {
            open_ = false;
            Detail::NoteModalClosed(this);
            LogClosed(false, DialogCloseReason::Aborted);
        }
    });
    NotifyOpened();
    UIDriver* driver = GetUIDriver();
    if (driver != nullptr && open_)
        driver->RunModalDialog(*this);
    if (open_)
        Close(Cancel, driver != nullptr ? DialogCloseReason::DriverReturned : DialogCloseReason::NoDriver);
    guard.Release();
    return response_ == Accept;
}

bool ModalDialog::IsOpenForInput() const {
    return open_ && GetTopModalDialog() == this;
}

void ModalDialog::PostCloseRequest(ModalResponse response) {
    if (!open_)
        return;
    if (RequestClose(response == Accept) && open_)
        Close(response, response == Accept ? DialogCloseReason::Accepted : DialogCloseReason::Cancelled);
}

void ModalDialog::CloseByCloseBox() {
    if (open_)
        Close(Cancel, DialogCloseReason::CloseBox);
}

void ModalDialog::Close(ModalResponse response, DialogCloseReason reason) {
    open_ = false;
    response_ = response;
    Detail::NoteModalClosed(this);
    LogClosed(response == Accept, reason);
    NotifyClosed(response == Accept);
}

void ModalDialog::LogClosed(bool accepted, DialogCloseReason reason) const {
    UILogEntry closed;
    closed.kind = UILogKind::DialogClosed;
    closed.panelId = GetResourceId();
    closed.title = GetTitle();
    closed.accepted = accepted;
    closed.reason = reason;
    Detail::AppendUILog(std::move(closed));
}

} // namespace DG
