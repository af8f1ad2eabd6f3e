#pragma once

#include <cstdint>
#include <vector>

#include "platform/Export.h"
#include "platform/ui/TWindow.h"

namespace platform::ui {

// A dialog's layout: its title, client size and controls.
struct DialogTemplate {
    VEX::String title;
    TSize size;
    std::vector<ControlTemplate> controls;
    // Sizes and bounds are in dialog units (a quarter of the average
    // character width, an eighth of the character height) rather than pixels.
    bool dialogUnits = false;
};

// A modal dialog built from a DialogTemplate. OK (IDOK) runs CmOk, which closes
// the dialog when CanClose agrees; Cancel (IDCANCEL) and Escape close it
// without a check. The base CanClose refuses while a numeric edit holds no
// number or one outside its range, telling the user in a message box.
//
// Headless runs (or any run with a dialog driver, see Automation.h) do not
// wait for a user: Execute hands the dialog to the driver, which sets the
// controls and presses buttons.
class PLATFORM_API TDialog : public TWindow {
public:
    TDialog(TWindow* parent, const DialogTemplate& layout);
    ~TDialog() override;

    // Shows the dialog until it closes; returns the id it closed with.
    std::int32_t Execute();
    // Closes the dialog, Execute returning the given id.
    void CloseWindow(std::int32_t returnValue);
    bool IsOpen() const;

    virtual bool CanClose();

protected:
    virtual void CmOk();
    virtual void CmCancel();
    // OK and Cancel go to CmOk and CmCancel; a subclass handling its own
    // controls passes the others on to this.
    void EvCommand(std::int32_t id, ControlNotify notify) override;
};

} // namespace platform::ui
