#include "histograms/BinSizeDialog.h"

#include <limits>

#include "histograms/BinSizeSteps.h"

namespace Nerolith {

namespace ui = platform::ui;

namespace {

ui::DialogTemplate Layout()
{
    ui::DialogTemplate layout;
    layout.title = u"Set Bin Size";
    layout.dialogUnits = true;
    layout.size = {170, 50};
    layout.controls = {
        {-1, ui::ControlKind::Static, u"Bin size:", {7, 9, 45, 19}},
        {BinSizeDialog::kBinSize, ui::ControlKind::NumericEdit, {}, {48, 7, 118, 19}, false, kSmallestBinSize,
         std::numeric_limits<double>::max()},
        {BinSizeDialog::kUnits, ui::ControlKind::Static, {}, {122, 9, 163, 19}},
        {ui::IDOK, ui::ControlKind::DefaultButton, u"OK", {58, 29, 108, 43}},
        {ui::IDCANCEL, ui::ControlKind::Button, u"Cancel", {113, 29, 163, 43}},
    };
    return layout;
}

} // namespace

BinSizeDialog::BinSizeDialog(ui::TWindow* parent, double binSize, const VEX::String& units)
    : TDialog(parent, Layout()), binSize_(binSize), units_(units)
{
}

bool BinSizeDialog::CanClose()
{
    if (!TDialog::CanClose()) {
        return false;
    }
    binSize_ = GetNumber(kBinSize).value_or(binSize_);
    return true;
}

void BinSizeDialog::SetupWindow()
{
    TDialog::SetupWindow();
    SetNumber(kBinSize, binSize_);
    SetControlText(kUnits, units_);
}

} // namespace Nerolith
