#pragma once

#include <optional>
#include <vector>

#include "host/ICommandFactory.h"
#include "platform/com/ComPtr.h"

namespace Desk {

// The host's menus as extensions build them: a menu per key, placed at a path
// in the host's menus, holding separators and commands in order.
class CommandRegistry final : public UnknownImpl<ICommandFactory> {
public:
    struct Item {
        VEX::String key;
        Host::CommandSpec command; // id 0 for a separator
        ComPtr<IUnknown> trigger;
        ComPtr<ICommandHandler> handler;
        ComPtr<ICommandSubmenu> submenu; // null for a plain command

        bool IsSeparator() const { return !handler; }
    };
    struct Menu {
        VEX::String key;
        VEX::String place;
    };

    HRESULT CreateMenu(const VEX::String& key, const VEX::String& path) override;
    HRESULT AddSeparator(const VEX::String& key, const VEX::String& path, std::uint32_t flags) override;
    HRESULT AddCommand(const VEX::String& key, IUnknown* trigger, ICommandHandler* handler,
                       const Host::CommandSpec& command) override;
    HRESULT AddSubmenu(const VEX::String& key, IUnknown* trigger, ICommandHandler* handler,
                       ICommandSubmenu* submenu, const Host::CommandSpec& command) override;

    const std::vector<Menu>& Menus() const { return menus_; }
    const std::vector<Item>& Items() const { return items_; }
    const Item* Find(std::uint32_t id) const;

    // Runs a command as the user's choice would: only when it is enabled.
    // E_INVALIDARG for an unknown id, S_FALSE when disabled.
    HRESULT Invoke(std::uint32_t id);
    // Runs a command that the extension handles but placed in no menu (the
    // module's Help), through the handler of its menu `key`. E_INVALIDARG
    // when that menu has no commands.
    HRESULT InvokeUnplaced(const VEX::String& key, std::uint32_t id);

private:
    bool HasMenu(const VEX::String& key) const;

    std::vector<Menu> menus_;
    std::vector<Item> items_;
};

} // namespace Desk
