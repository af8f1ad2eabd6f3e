#include "discriminator/UnitPropertiesDialog.h"

#include "platform/ui/MessageBox.h"

namespace Nerolith {

namespace ui = platform::ui;
using D = UnitPropertiesDialog;

namespace {

ui::DialogTemplate Layout()
{
    ui::DialogTemplate layout;
    layout.title = u"Unit Properties";
    layout.dialogUnits = true;
    layout.size = {178, 193};
    layout.controls = {
        {2001, ui::ControlKind::Static, u"Unit name:", {7, 9, 60, 19}},
        {D::kName, ui::ControlKind::Edit, {}, {62, 7, 171, 19}},
        {2002, ui::ControlKind::Static, u"Unit color:", {7, 29, 60, 39}},
        {D::kColour, ui::ControlKind::ColourButton, {}, {62, 26, 112, 40}},
        {2003, ui::ControlKind::GroupBox, u"Unit boundaries", {7, 50, 171, 164}},
        {2004, ui::ControlKind::Static, u"Top:", {15, 66, 55, 76}},
        {D::kTop, ui::ControlKind::NumericEdit, {}, {58, 64, 128, 76}},
        {D::kTopUnit, ui::ControlKind::Static, {}, {132, 66, 165, 76}},
        {2005, ui::ControlKind::Static, u"Bottom:", {15, 90, 55, 100}},
        {D::kBottom, ui::ControlKind::NumericEdit, {}, {58, 88, 128, 100}},
        {D::kBottomUnit, ui::ControlKind::Static, {}, {132, 90, 165, 100}},
        {2006, ui::ControlKind::Static, u"Left:", {15, 114, 55, 124}},
        {D::kLeft, ui::ControlKind::NumericEdit, {}, {58, 112, 128, 124}, false, 0.0},
        {2007, ui::ControlKind::Static, u"ms", {132, 114, 165, 124}},
        {2008, ui::ControlKind::Static, u"Right:", {15, 138, 55, 148}},
        {D::kRight, ui::ControlKind::NumericEdit, {}, {58, 136, 128, 148}, false, 0.0},
        {2009, ui::ControlKind::Static, u"ms", {132, 138, 165, 148}},
        {ui::IDOK, ui::ControlKind::DefaultButton, u"OK", {66, 172, 116, 186}},
        {ui::IDCANCEL, ui::ControlKind::Button, u"Cancel", {121, 172, 171, 186}},
    };
    return layout;
}

// Refuses (with the reason) a box that is empty or turned over.
std::optional<VEX::String> BoundsError(const ContourBounds& bounds)
{
    if (!(bounds.top > bounds.bottom)) {
        return VEX::String(u"The top must lie above the bottom.");
    }
    if (!(bounds.right > bounds.left)) {
        return VEX::String(u"The right boundary must lie right of the left one.");
    }
    return std::nullopt;
}

} // namespace

UnitPropertiesDialog::UnitPropertiesDialog(ui::TWindow* parent, Values values, const VEX::String& heightUnit)
    : TDialog(parent, Layout()), values_(std::move(values)), heightUnit_(heightUnit)
{
}

void UnitPropertiesDialog::SetupWindow()
{
    TDialog::SetupWindow();
    SetControlText(kName, values_.name);
    SetColour(kColour, values_.colour);
    SetControlText(kTopUnit, heightUnit_);
    SetControlText(kBottomUnit, heightUnit_);
    const bool contour = values_.bounds.has_value();
    for (const std::int32_t id : {kTop, kBottom, kLeft, kRight}) {
        EnableControl(id, contour);
    }
    if (contour) {
        SetNumber(kTop, values_.bounds->top);
        SetNumber(kBottom, values_.bounds->bottom);
        SetNumber(kLeft, values_.bounds->left);
        SetNumber(kRight, values_.bounds->right);
    }
}

bool UnitPropertiesDialog::CanClose()
{
    const VEX::String name = GetControlText(kName);
    if (name.Str().empty()) {
        ui::MessageBox(this, VEX::String(u"A unit needs a name."), VEX::String(u"Unit Properties"),
                       ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return false;
    }
    if (values_.bounds && !TDialog::CanClose()) {
        return false;
    }
    std::optional<ContourBounds> bounds;
    if (values_.bounds) {
        bounds = ContourBounds{GetNumber(kLeft).value_or(0.0), GetNumber(kRight).value_or(0.0),
                               GetNumber(kBottom).value_or(0.0), GetNumber(kTop).value_or(0.0)};
        if (const std::optional<VEX::String> error = BoundsError(*bounds)) {
            ui::MessageBox(this, *error, VEX::String(u"Unit Properties"), ui::MB_OK | ui::MB_ICONEXCLAMATION);
            return false;
        }
    }
    values_ = {name, GetColour(kColour), bounds};
    return true;
}

} // namespace Nerolith
