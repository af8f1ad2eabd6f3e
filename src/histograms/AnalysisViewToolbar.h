#pragma once

#include <array>
#include <cstdint>

#include "platform/text/VexString.h"
#include "platform/ui/TWindow.h"

namespace Nerolith {

// Hears what the user does on an analysis view's toolbar.
class ToolbarListener {
public:
    virtual void ToolbarCommand(std::int32_t id) = 0;

protected:
    ~ToolbarListener() = default;
};

// The row of gadgets above an analysis view's panes, from left to right:
// decrease bin size, the bin size menu, increase bin size, (a gap), the
// statistics options, the status text, the paging options, previous page,
// the page menu and next page. The two menu gadgets are buttons showing
// their text; the view pops their menus up below them.
class AnalysisViewToolbar final : public platform::ui::TWindow {
public:
    static constexpr std::int32_t kDecreaseBinSize = 101;
    static constexpr std::int32_t kBinSizeMenu = 102;
    static constexpr std::int32_t kIncreaseBinSize = 103;
    static constexpr std::int32_t kStatistics = 104;
    static constexpr std::int32_t kStatus = 105;
    static constexpr std::int32_t kPaging = 106;
    static constexpr std::int32_t kPreviousPage = 107;
    static constexpr std::int32_t kPageMenu = 108;
    static constexpr std::int32_t kNextPage = 109;
    static constexpr std::int32_t kHeight = 28;
    static constexpr std::size_t kGadgetCount = 9;

    AnalysisViewToolbar(platform::ui::TWindow* parent, ToolbarListener& listener);

    void SetPagingHint(const VEX::String& hint) { SetControlTooltip(kPaging, hint); }
    // Where a menu gadget's menu pops up: below its left edge, on screen.
    platform::ui::TPoint MenuPoint(std::int32_t id) const;

protected:
    void Paint(platform::ui::TDC& dc, bool erase, platform::ui::TRect& rect) override;
    void EvSize(std::uint32_t sizeType, const platform::ui::TSize& size) override;
    void EvCommand(std::int32_t id, platform::ui::ControlNotify notify) override;

private:
    void Layout(std::int32_t width);

    ToolbarListener& listener_;
    // Each gadget's left edge, in gadget order.
    std::array<std::int32_t, kGadgetCount> lefts_{};
};

} // namespace Nerolith
