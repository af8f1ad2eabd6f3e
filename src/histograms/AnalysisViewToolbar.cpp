#include "histograms/AnalysisViewToolbar.h"

#include <algorithm>
#include <array>

#include "platform/ui/TDC.h"

namespace Nerolith {

namespace ui = platform::ui;

namespace {

constexpr std::int32_t kMargin = 2;
constexpr std::int32_t kButtonWidth = 24;
constexpr std::int32_t kMenuWidth = 96;
constexpr std::int32_t kGap = 8;
constexpr std::int32_t kControlHeight = AnalysisViewToolbar::kHeight - 2 * kMargin;

struct Gadget {
    std::int32_t id;
    ui::ControlKind kind;
    const char16_t* text;
    const char16_t* hint;
    std::int32_t width;
};

using T = AnalysisViewToolbar;

// The status text takes what the others leave; its width here is its least.
constexpr std::array<Gadget, T::kGadgetCount> kGadgets{
    Gadget{T::kDecreaseBinSize, ui::ControlKind::Button, u"-", u"Decrease bin size", kButtonWidth},
    Gadget{T::kBinSizeMenu, ui::ControlKind::Button, u"", nullptr, kMenuWidth},
    Gadget{T::kIncreaseBinSize, ui::ControlKind::Button, u"+", u"Increase bin size", kButtonWidth},
    Gadget{T::kStatistics, ui::ControlKind::Button, u"Stats", u"Open Statistics Options Dialog", 2 * kButtonWidth},
    Gadget{T::kStatus, ui::ControlKind::Static, u"", nullptr, kMenuWidth},
    Gadget{T::kPaging, ui::ControlKind::Button, u"Paging", nullptr, 2 * kButtonWidth + kMargin},
    Gadget{T::kPreviousPage, ui::ControlKind::Button, u"<", u"Go to previous page", kButtonWidth},
    Gadget{T::kPageMenu, ui::ControlKind::Button, u"No Pages", nullptr, kMenuWidth},
    Gadget{T::kNextPage, ui::ControlKind::Button, u">", u"Go to next page", kButtonWidth},
};

std::int32_t FixedWidth()
{
    std::int32_t width = kMargin + kGap;
    for (const Gadget& gadget : kGadgets) {
        width += (gadget.id == T::kStatus ? 0 : gadget.width) + kMargin;
    }
    return width;
}

} // namespace

AnalysisViewToolbar::AnalysisViewToolbar(ui::TWindow* parent, ToolbarListener& listener)
    : ui::TWindow(parent, u"ToolBar"), listener_(listener)
{
    SetControlFont(ui::TFont(u"DejaVu Sans", 11));
    for (const Gadget& gadget : kGadgets) {
        AddControl({gadget.id, gadget.kind, gadget.text, {0, kMargin, gadget.width, kMargin + kControlHeight}});
        if (gadget.hint != nullptr) {
            SetControlTooltip(gadget.id, gadget.hint);
        }
    }
    Layout(FixedWidth() + kMenuWidth);
}

ui::TPoint AnalysisViewToolbar::MenuPoint(std::int32_t id) const
{
    for (std::size_t i = 0; i < kGadgets.size(); ++i) {
        if (kGadgets[i].id == id) {
            return ClientToScreen({lefts_[i], kHeight});
        }
    }
    return ClientToScreen({0, kHeight});
}

void AnalysisViewToolbar::Paint(ui::TDC& dc, bool, ui::TRect&)
{
    dc.FillRect(GetClientRect(), ui::TBrush::LightGray());
}

void AnalysisViewToolbar::EvSize(std::uint32_t, const ui::TSize& size)
{
    Layout(size.cx);
}

void AnalysisViewToolbar::EvCommand(std::int32_t id, ui::ControlNotify notify)
{
    if (notify == ui::ControlNotify::Clicked) {
        listener_.ToolbarCommand(id);
    }
}

void AnalysisViewToolbar::Layout(std::int32_t width)
{
    const std::int32_t statusWidth = std::max(width - FixedWidth(), kMenuWidth);
    std::int32_t x = kMargin;
    for (std::size_t i = 0; i < kGadgets.size(); ++i) {
        const Gadget& gadget = kGadgets[i];
        const std::int32_t w = gadget.id == kStatus ? statusWidth : gadget.width;
        MoveControl(gadget.id, {x, kMargin, x + w, kMargin + kControlHeight});
        lefts_[i] = x;
        x += w + kMargin + (gadget.id == kIncreaseBinSize ? kGap : 0);
    }
}

} // namespace Nerolith
