#include "platform/ui/TPopupMenu.h"

#include "platform/ui/Application.h"
#include "platform/ui/AutomationState.h"
#include "platform/ui/Backend.h"

namespace platform::ui {

namespace {

// Only what a user could pick counts: an enabled command of the menu.
std::uint32_t Checked(const TPopupMenu& menu, std::uint32_t id)
{
    const MenuItem* item = id != 0 ? menu.FindItem(id) : nullptr;
    return item != nullptr && item->enabled && !item->separator && !item->submenu ? id : 0;
}

} // namespace

void TPopupMenu::AppendItem(std::uint32_t id, const VEX::String& text, bool enabled, bool checked)
{
    items_.push_back(MenuItem{id, text, enabled, checked, false, nullptr});
}

void TPopupMenu::AppendSeparator()
{
    items_.push_back(MenuItem{0, {}, true, false, true, nullptr});
}

void TPopupMenu::AppendPopup(const VEX::String& text, TPopupMenu submenu)
{
    items_.push_back(
        MenuItem{0, text, true, false, false, std::make_shared<const TPopupMenu>(std::move(submenu))});
}

const MenuItem* TPopupMenu::FindItem(std::uint32_t id) const
{
    for (const MenuItem& item : items_) {
        if (item.submenu) {
            if (const MenuItem* found = item.submenu->FindItem(id)) {
                return found;
            }
        } else if (!item.separator && item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

std::uint32_t TPopupMenu::TrackPopupMenu(const TPoint& screenPoint, TWindow* owner) const
{
    EnsureApplication();
    auto& state = automation::State();
    ++state.shownMenus;
    if (state.menuChooser) {
        return Checked(*this, state.menuChooser(*this, screenPoint));
    }
    if (IsHeadless()) {
        return 0;
    }
    return Checked(*this, TheBackend().AskMenu(*this, screenPoint, owner));
}

} // namespace platform::ui
