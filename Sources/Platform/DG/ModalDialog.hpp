#ifndef DG_MODALDIALOG_HPP
#define DG_MODALDIALOG_HPP

#include "DG/Dialog.hpp"
#include "DG/UILog.hpp"

namespace DG {

// A modal dialog. Invoke opens it (PanelOpened), hands it to the UI driver and returns once it
// is closed. Close requests run synchronously: PostCloseRequest asks the panel observers
// (PanelCloseRequested) and closes the dialog unless one of them cleared the accept flag.
class ModalDialog : public Dialog {
public:
    enum ModalResponse { Accept = 1, Cancel = 2 };

    ModalDialog(GSResModule resModule, short resId, GSResModule dialIconResModule);
    ~ModalDialog() override;

    // True when the dialog was closed with the accepting response. A dialog whose resource is
    // missing is not shown and gives false; so does a driver that returns with it still open,
    // and a process without a driver.
    bool Invoke();
    void PostCloseRequest(ModalResponse response);

    bool IsOpen() const { return open_; }
    // Only the innermost open modal dialog takes the user's input.
    bool IsOpenForInput() const override;

protected:
    void CloseByCloseBox() override;

private:
    void Close(ModalResponse response, DialogCloseReason reason);
    void LogClosed(bool accepted, DialogCloseReason reason) const;

    bool open_ = false;
    ModalResponse response_ = Cancel;
};

} // namespace DG

#endif
