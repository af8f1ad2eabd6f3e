#include "desk/runtime/CommandRegistry.h"

#include <algorithm>

namespace Desk {
namespace {

bool EndsWithSeparatorMark(const VEX::String& path)
{
    const std::u16string_view text = path.View();
    return text.size() >= 2 && text.substr(text.size() - 2) == u"|-";
}

} // namespace

HRESULT CommandRegistry::CreateMenu(const VEX::String& key, const VEX::String& path)
{
    if (key.Empty() || HasMenu(key)) {
        return E_INVALIDARG;
    }
    menus_.push_back({key, path});
    return S_OK;
}

HRESULT CommandRegistry::AddSeparator(const VEX::String& key, const VEX::String& path, std::uint32_t flags)
{
    if (!HasMenu(key) || !EndsWithSeparatorMark(path)) {
        return E_INVALIDARG;
    }
    Item item{key, {}, {}, {}, {}};
    item.command.path = path;
    item.command.flags = flags;
    items_.push_back(std::move(item));
    return S_OK;
}

HRESULT CommandRegistry::AddCommand(const VEX::String& key, IUnknown* trigger, ICommandHandler* handler,
                                    const Host::CommandSpec& command)
{
    if (handler == nullptr) {
        return E_POINTER;
    }
    if (!HasMenu(key) || command.id == 0 || Find(command.id) != nullptr) {
        return E_INVALIDARG;
    }
    items_.push_back({key, command, ComPtr<IUnknown>(trigger), ComPtr<ICommandHandler>(handler), {}});
    return S_OK;
}

HRESULT CommandRegistry::AddSubmenu(const VEX::String& key, IUnknown* trigger, ICommandHandler* handler,
                                    ICommandSubmenu* submenu, const Host::CommandSpec& command)
{
    if (submenu == nullptr) {
        return E_POINTER;
    }
    const HRESULT added = AddCommand(key, trigger, handler, command);
    if (Succeeded(added)) {
        items_.back().submenu = ComPtr<ICommandSubmenu>(submenu);
    }
    return added;
}

const CommandRegistry::Item* CommandRegistry::Find(std::uint32_t id) const
{
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [id](const Item& item) { return !item.IsSeparator() && item.command.id == id; });
    return found == items_.end() ? nullptr : &*found;
}

HRESULT CommandRegistry::Invoke(std::uint32_t id)
{
    const Item* item = Find(id);
    if (item == nullptr) {
        return E_INVALIDARG;
    }
    // The handler may change the menus while it runs; keep it alive.
    const ComPtr<ICommandHandler> handler = item->handler;
    if (!handler->IsEnabled(id)) {
        return S_FALSE;
    }
    return handler->Execute(id);
}

HRESULT CommandRegistry::InvokeUnplaced(const VEX::String& key, std::uint32_t id)
{
    if (Find(id) != nullptr) {
        return Invoke(id);
    }
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [&key](const Item& item) { return !item.IsSeparator() && item.key == key; });
    if (found == items_.end()) {
        return E_INVALIDARG;
    }
    const ComPtr<ICommandHandler> handler = found->handler;
    return handler->IsEnabled(id) ? handler->Execute(id) : S_FALSE;
}

bool CommandRegistry::HasMenu(const VEX::String& key) const
{
    return std::any_of(menus_.begin(), menus_.end(), [&key](const Menu& menu) { return menu.key == key; });
}

} // namespace Desk
