#include "histograms/StatisticsDialog.h"

#include <array>

#include "histograms/StatisticsText.h"

namespace Nerolith {

namespace ui = platform::ui;

namespace {

using D = StatisticsDialog;

struct OptionBox {
    std::int32_t id;
    std::int32_t bit;
};

constexpr std::array kBoxes{
    OptionBox{D::kMeanX, kShowMeanX}, OptionBox{D::kSdX, kShowSdX},   OptionBox{D::kSemX, kShowSemX},
    OptionBox{D::kMinY, kShowMinY},   OptionBox{D::kMaxY, kShowMaxY},  OptionBox{D::kMeanY, kShowMeanY},
    OptionBox{D::kSdY, kShowSdY},
};

ui::ControlTemplate Box(std::int32_t id, const char16_t* text, std::int32_t left, std::int32_t row)
{
    const std::int32_t top = 7 + row * 14;
    return {id, ui::ControlKind::CheckBox, text, {left, top, left + 70, top + 10}};
}

ui::DialogTemplate Layout()
{
    ui::DialogTemplate layout;
    layout.title = u"Statistics Options";
    layout.dialogUnits = true;
    layout.size = {160, 84};
    layout.controls = {
        Box(D::kMeanX, u"Mean X", 10, 0),
        Box(D::kSdX, u"SD X", 10, 1),
        Box(D::kSemX, u"SEM X", 10, 2),
        Box(D::kMinY, u"Min Y", 85, 0),
        Box(D::kMaxY, u"Max Y", 85, 1),
        Box(D::kMeanY, u"Mean Y", 85, 2),
        Box(D::kSdY, u"SD Y", 85, 3),
        {ui::IDOK, ui::ControlKind::DefaultButton, u"OK", {48, 63, 98, 77}},
        {ui::IDCANCEL, ui::ControlKind::Button, u"Cancel", {103, 63, 153, 77}},
    };
    return layout;
}

} // namespace

StatisticsDialog::StatisticsDialog(ui::TWindow* parent, std::int32_t options)
    : TDialog(parent, Layout()), options_(options)
{
}

bool StatisticsDialog::CanClose()
{
    std::int32_t options = kShowAllStatistics;
    for (const OptionBox& box : kBoxes) {
        if (!IsChecked(box.id)) {
            options &= ~box.bit;
        }
    }
    options_ = options;
    return true;
}

void StatisticsDialog::SetupWindow()
{
    TDialog::SetupWindow();
    for (const OptionBox& box : kBoxes) {
        SetCheck(box.id, (options_ & box.bit) != 0);
    }
}

} // namespace Nerolith
