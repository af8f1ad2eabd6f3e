#include "platform/ui/TDialog.h"

#include "platform/ui/Application.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/AutomationState.h"
#include "platform/ui/WindowPeer.h"

namespace platform::ui {

namespace {

// Dialog units of the classic 8-point dialog font: characters 6 by 13 pixels.
constexpr std::int32_t kCharWidth = 6;
constexpr std::int32_t kCharHeight = 13;

std::int32_t ToPixelsX(std::int32_t units)
{
    return units * kCharWidth / 4;
}

std::int32_t ToPixelsY(std::int32_t units)
{
    return units * kCharHeight / 8;
}

TRect ToPixels(const TRect& r)
{
    return {ToPixelsX(r.left), ToPixelsY(r.top), ToPixelsX(r.right), ToPixelsY(r.bottom)};
}

} // namespace

TDialog::TDialog(TWindow* parent, const DialogTemplate& layout) : TWindow(parent, layout.title, Kind::Dialog)
{
    const TSize size = layout.dialogUnits ? TSize(ToPixelsX(layout.size.cx), ToPixelsY(layout.size.cy)) : layout.size;
    GetImpl().peer->SetFixedSize(size);
    for (ControlTemplate control : layout.controls) {
        if (layout.dialogUnits) {
            control.bounds = ToPixels(control.bounds);
        }
        AddControl(control);
    }
}

TDialog::~TDialog() = default;

std::int32_t TDialog::Execute()
{
    Impl& impl = GetImpl();
    Create();
    impl.open = true;
    impl.returnValue = IDCANCEL;
    if (const auto& driver = automation::State().dialogDriver) {
        driver(*this);
    } else if (!IsHeadless()) {
        impl.peer->RunModal();
    }
    // Nobody closed it (no driver, or the driver left it open): cancelled.
    if (impl.open) {
        CloseWindow(IDCANCEL);
    }
    return impl.returnValue;
}

void TDialog::CloseWindow(std::int32_t returnValue)
{
    Impl& impl = GetImpl();
    if (!impl.open) {
        return;
    }
    impl.open = false;
    impl.returnValue = returnValue;
    impl.peer->EndModal(returnValue);
}

bool TDialog::IsOpen() const
{
    return GetImpl().open;
}

bool TDialog::CanClose()
{
    for (const std::int32_t id : GetImpl().peer->NumericEdits()) {
        if (const auto error = NumberError(id)) {
            MessageBox(this, *error, GetCaption(), MB_OK | MB_ICONEXCLAMATION);
            SetControlFocus(id);
            return false;
        }
    }
    return true;
}

void TDialog::CmOk()
{
    if (CanClose()) {
        CloseWindow(IDOK);
    }
}

void TDialog::CmCancel()
{
    CloseWindow(IDCANCEL);
}

void TDialog::EvCommand(std::int32_t id, ControlNotify notify)
{
    if (notify != ControlNotify::Clicked) {
        return;
    }
    if (id == IDOK) {
        CmOk();
    } else if (id == IDCANCEL) {
        CmCancel();
    }
}

} // namespace platform::ui
