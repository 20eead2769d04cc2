#ifndef DG_UIDRIVER_HPP
#define DG_UIDRIVER_HPP

#include "DG/UILog.hpp"

namespace DG {

class ModalDialog;

// The user, as the headless host plays it: answers alerts and works modal dialogs. One driver
// per process (the platform library holds it); none means alerts answer 1 and modal dialogs are
// cancelled at once.
class UIDriver {
public:
    virtual ~UIDriver() = default;

    // The button to take, 1 to 3. Anything that is not a button of the alert (0 included: "no
    // answer") takes the first button and is recorded as not answered by the driver.
    virtual short AnswerAlert(const AlertRecord& alert) = 0;
    // Called with the dialog open; may select rows, click buttons, resize, press the close box.
    // If the dialog is still open on return it is closed as cancelled.
    virtual void RunModalDialog(ModalDialog& dialog) = 0;
};

// Returns the driver that was set before.
UIDriver* SetUIDriver(UIDriver* driver);
UIDriver* GetUIDriver();

// Sets a driver for a scope and restores the previous one.
class UIDriverScope {
public:
    explicit UIDriverScope(UIDriver* driver) : previous_(SetUIDriver(driver)) {}
    ~UIDriverScope() { SetUIDriver(previous_); }
    UIDriverScope(const UIDriverScope&) = delete;
    UIDriverScope& operator=(const UIDriverScope&) = delete;

private:
    UIDriver* previous_;
};

} // namespace DG

#endif
