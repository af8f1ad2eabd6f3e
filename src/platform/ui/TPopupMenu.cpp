#include "platform/ui/TPopupMenu.h"

#include <QAction>
#include <QMenu>

#include "platform/ui/Application.h"
#include "platform/ui/qt/AutomationState.h"
#include "platform/ui/qt/PainterEngine.h"
#include "platform/ui/qt/QtBridge.h"

namespace platform::ui {

namespace {

void Fill(QMenu& qmenu, const TPopupMenu& menu)
{
    for (const MenuItem& item : menu.Items()) {
        if (item.separator) {
            qmenu.addSeparator();
        } else if (item.submenu) {
            QMenu* sub = qmenu.addMenu(qt::ToQString(item.text));
            sub->setEnabled(item.enabled);
            Fill(*sub, *item.submenu);
        } else {
            QAction* action = qmenu.addAction(qt::ToQString(item.text));
            action->setData(item.id);
            action->setEnabled(item.enabled);
            action->setCheckable(item.checked);
            action->setChecked(item.checked);
        }
    }
}

std::uint32_t AskUser(const TPopupMenu& menu, const TPoint& screenPoint, TWindow* owner)
{
    QMenu qmenu(owner != nullptr ? qt::NativeWidget(*owner) : nullptr);
    Fill(qmenu, menu);
    const QAction* chosen = qmenu.exec(QPoint(screenPoint.x, screenPoint.y));
    return chosen != nullptr ? chosen->data().toUInt() : 0;
}

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
    return Checked(*this, AskUser(*this, screenPoint, owner));
}

} // namespace platform::ui
