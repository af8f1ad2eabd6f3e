#include "histograms/CrossCorrPagingDialog.h"

#include <algorithm>
#include <utility>

#include "histograms/EventSourceList.h"

namespace Nerolith {

namespace ui = platform::ui;

namespace {

ui::DialogTemplate Layout()
{
    ui::DialogTemplate layout;
    layout.title = u"Paging and Reference Options";
    layout.dialogUnits = true;
    layout.size = {180, 128};
    layout.controls = {{-1, ui::ControlKind::GroupBox, u"Paging", {7, 4, 173, 72}}};
    for (ui::ControlTemplate& control : PagingDialog::PagingControls(14, 15)) {
        layout.controls.push_back(std::move(control));
    }
    layout.controls.push_back({-2, ui::ControlKind::GroupBox, u"Reference Unit or Event Channel", {7, 76, 173, 102}});
    layout.controls.push_back({-3, ui::ControlKind::Static, u"Source:", {14, 88, 45, 98}});
    layout.controls.push_back({CrossCorrPagingDialog::kSource, ui::ControlKind::ComboBox, {}, {48, 86, 166, 98}});
    layout.controls.push_back({ui::IDOK, ui::ControlKind::DefaultButton, u"OK", {68, 107, 118, 121}});
    layout.controls.push_back({ui::IDCANCEL, ui::ControlKind::Button, u"Cancel", {123, 107, 173, 121}});
    return layout;
}

} // namespace

CrossCorrPagingDialog::CrossCorrPagingDialog(ui::TWindow* parent, const PagingSettings& settings,
                                             std::vector<VEX::String> sources, const VEX::String& reference)
    : PagingDialog(parent, Layout(), settings,
                   {u"Blocks Per Page must be greater than zero", u"Fixed Duration must be greater than zero",
                    u"Sweeps Per Page must be greater than zero", u"Error in Paging Options"}),
      sources_(std::move(sources)), reference_(reference)
{
}

bool CrossCorrPagingDialog::CanClose()
{
    if (!TakePaging()) {
        return false;
    }
    const std::int32_t chosen = GetSelIndex(kSource);
    reference_ = sources_.empty() || chosen < 0 ? VEX::String() : sources_[static_cast<std::size_t>(chosen)];
    return true;
}

void CrossCorrPagingDialog::SetupWindow()
{
    PagingDialog::SetupWindow();
    FillEventSourceList(*this, kSource, sources_, reference_);
}

} // namespace Nerolith
