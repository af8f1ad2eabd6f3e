#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "host/ICommandFactory.h"
#include "host/ISpikeDocInterface.h"

namespace Nerolith {

class SpikeDoc;

// An item of the Windows submenu: the menu text's string id and the view it
// opens.
struct WindowsMenuItem {
    std::uint32_t textId;
    Host::ViewKind view;
};

// The document's menu commands: the menu under "NEROLITH", and for each
// command its action, enable and check rule and menu text.
class DocumentCommands {
public:
    explicit DocumentCommands(SpikeDoc& doc) : doc_(doc) {}

    void BuildMenu(ICommandFactory& factory, IUnknown* trigger, ICommandHandler* handler,
                   ICommandSubmenu* submenu) const;

    HRESULT Execute(std::uint32_t commandId);
    bool IsEnabled(std::uint32_t commandId) const;
    bool IsChecked(std::uint32_t commandId) const;
    HRESULT MenuText(std::uint32_t commandId, VEX::String* text) const;

    // The Windows submenu, items 0 to 5.
    static std::span<const WindowsMenuItem> WindowsMenu();
    HRESULT OpenWindowsItem(std::size_t item);
    // The submenus the host shows: only Windows has one.
    HRESULT SubmenuItems(std::uint32_t commandId, std::vector<VEX::String>* items) const;
    HRESULT ExecuteSubmenuItem(std::uint32_t commandId, std::uint32_t item);

private:
    bool SourceChannelHasAnalysis() const;
    HRESULT ReselectAnalyzedData();
    HRESULT ExportToNeuroExplorer();
    HRESULT OpenSettingsDialog();

    SpikeDoc& doc_;
};

} // namespace Nerolith
