#pragma once

#include <cstdint>
#include <vector>

#include "platform/text/VexString.h"

namespace MessSys {
class MessageReceiver;
}
namespace platform::ui {
class TWindow;
}

namespace DUdido1 {

struct GraphMenuItem {
    // 0 marks a separator.
    std::int32_t id = 0;
    // Asked before display and told of the choice; none for an inert item.
    MessSys::MessageReceiver* receiver = nullptr;
    bool shown = true;
    bool enabled = true;
    bool checked = false;
    VEX::String text;
};

// A graph's context menu. Before it shows, each item's receiver may change
// the item's state and text (PreDisplayMenuMessage); the chosen item's
// receiver is told (OnMenuItemMessage).
class GraphMenu {
public:
    // The item is shown and not checked. Id 0 is kept for separators.
    void AddItem(std::int32_t id, const VEX::String& text, MessSys::MessageReceiver* receiver,
                 bool enabled = true);
    void AddSeparator();
    void Clear() { items_.clear(); }
    const std::vector<GraphMenuItem>& Items() const { return items_; }
    bool IsEmpty() const { return items_.empty(); }

    // Shows the menu at a screen point; true when an item was chosen (and its
    // receiver told).
    bool Show(platform::ui::TWindow* owner, std::int32_t screenX, std::int32_t screenY);

    // Menu commands are the item's index plus this.
    static constexpr std::uint32_t kFirstCommand = 100;

private:
    std::vector<GraphMenuItem> items_;
};

} // namespace DUdido1
