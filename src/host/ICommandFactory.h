#pragma once

#include <cstdint>
#include <vector>

#include "platform/com/Unknown.h"
#include "platform/text/VexString.h"

// Runs a menu command and answers its enable and check state.
class ICommandHandler : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0011, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x11}};

    virtual HRESULT Execute(std::uint32_t commandId) = 0;
    virtual bool IsEnabled(std::uint32_t commandId) = 0;
    virtual bool IsChecked(std::uint32_t commandId) = 0;
    // The menu text now (some commands change it with the settings).
    virtual HRESULT MenuText(std::uint32_t commandId, VEX::String* text) = 0;

protected:
    ~ICommandHandler() = default;
};

// A command that opens a submenu: the host asks for its items each time the
// submenu opens and runs the one chosen.
class ICommandSubmenu : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x001D, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x1D}};

    // The items' menu texts now; E_INVALIDARG for a command without one.
    virtual HRESULT SubmenuItems(std::uint32_t commandId, std::vector<VEX::String>* items) = 0;
    // Runs item `item` (0-based); E_INVALIDARG for an item it does not have.
    virtual HRESULT ExecuteSubmenuItem(std::uint32_t commandId, std::uint32_t item) = 0;

protected:
    ~ICommandSubmenu() = default;
};

namespace Host {

// One menu command as the module describes it to the host.
struct CommandSpec {
    std::uint32_t id = 0;
    VEX::String path;        // "Nerolith|&Settings..."
    std::uint32_t icon = 0;  // embedded PNG resource id, 0 for none
    VEX::String shortName;   // string id + 1
    VEX::String description; // string id + 2
    std::uint32_t flags = 0;
};

} // namespace Host

// The host's menu and command factory.
class ICommandFactory : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0012, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x12}};

    // A menu under `key`, placed at `path` in the host's menus.
    virtual HRESULT CreateMenu(const VEX::String& key, const VEX::String& path) = 0;
    // A separator: `path` ends in "|-".
    virtual HRESULT AddSeparator(const VEX::String& key, const VEX::String& path, std::uint32_t flags) = 0;
    // A command: `trigger` is the object whose menu it is (the document).
    virtual HRESULT AddCommand(const VEX::String& key, IUnknown* trigger, ICommandHandler* handler,
                               const Host::CommandSpec& command) = 0;
    // A command that opens a submenu of `submenu`'s items; `handler` still
    // answers its enable state and text.
    virtual HRESULT AddSubmenu(const VEX::String& key, IUnknown* trigger, ICommandHandler* handler,
                               ICommandSubmenu* submenu, const Host::CommandSpec& command) = 0;

protected:
    ~ICommandFactory() = default;
};
