#include "graph/GraphMenu.h"

#include "graph/GraphMessages.h"
#include "graph/MessageReceiver.h"
#include "platform/ui/TPopupMenu.h"

namespace DUdido1 {

void GraphMenu::AddItem(std::int32_t id, const VEX::String& text, MessSys::MessageReceiver* receiver,
                        bool enabled)
{
    if (id == 0) {
        return AddSeparator();
    }
    GraphMenuItem item;
    item.id = id;
    item.text = text;
    item.receiver = receiver;
    item.enabled = enabled;
    items_.push_back(item);
}

void GraphMenu::AddSeparator()
{
    items_.push_back(GraphMenuItem{});
}

bool GraphMenu::Show(platform::ui::TWindow* owner, std::int32_t screenX, std::int32_t screenY)
{
    platform::ui::TPopupMenu menu;
    // What was offered, by command; only these may come back.
    std::vector<bool> offered(items_.size(), false);
    for (std::size_t i = 0; i < offered.size() && i < items_.size(); ++i) {
        GraphMenuItem& item = items_[i];
        if (item.id == 0) {
            menu.AppendSeparator();
            continue;
        }
        PreDisplayMenuMessage state(item.id);
        state.shown = item.shown;
        state.enabled = item.enabled;
        state.checked = item.checked;
        state.text = item.text;
        if (item.receiver) {
            item.receiver->Receive(state);
        }
        if (state.shown) {
            menu.AppendItem(kFirstCommand + static_cast<std::uint32_t>(i), state.text, state.enabled,
                            state.checked);
            offered[i] = state.enabled;
        }
    }
    const std::uint32_t command = menu.TrackPopupMenu({screenX, screenY}, owner);
    if (command < kFirstCommand || command - kFirstCommand >= offered.size() ||
        command - kFirstCommand >= items_.size() ||
        !offered[command - kFirstCommand]) {
        return false;
    }
    // Copy: the receiver may rebuild the menu while it acts.
    const GraphMenuItem chosen = items_[command - kFirstCommand];
    if (chosen.receiver) {
        OnMenuItemMessage choice(chosen.id);
        chosen.receiver->Receive(choice);
    }
    return true;
}

} // namespace DUdido1
