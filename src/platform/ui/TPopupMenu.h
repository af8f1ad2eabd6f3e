#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Export.h"
#include "platform/text/VexString.h"
#include "platform/ui/Geometry.h"

namespace platform::ui {

class TWindow;
class TPopupMenu;

struct MenuItem {
    std::uint32_t id = 0;
    VEX::String text;
    bool enabled = true;
    bool checked = false;
    bool separator = false;
    std::shared_ptr<const TPopupMenu> submenu;
};

// A pop-up menu. Item ids must be 1 or more: TrackPopupMenu returns 0 when
// nothing was chosen.
class PLATFORM_API TPopupMenu {
public:
    void AppendItem(std::uint32_t id, const VEX::String& text, bool enabled = true, bool checked = false);
    void AppendSeparator();
    void AppendPopup(const VEX::String& text, TPopupMenu submenu);
    void Clear() { items_.clear(); }

    const std::vector<MenuItem>& Items() const { return items_; }
    // Searches submenus too; none when no item has the id.
    const MenuItem* FindItem(std::uint32_t id) const;

    // Shows the menu at a screen point and returns the chosen item's id,
    // or 0. Headless runs ask the menu chooser (Automation.h) instead.
    std::uint32_t TrackPopupMenu(const TPoint& screenPoint, TWindow* owner = nullptr) const;

private:
    std::vector<MenuItem> items_;
};

} // namespace platform::ui
