#include "module/DocumentWindows.h"

#include "module/StringTable.h"
#include "platform/ui/FileDialog.h"

namespace Nerolith {
namespace {

// The file dialog over the host's main window, which the module does not
// know: the platform places an ownerless dialog over the active window.
std::optional<VEX::String> ChooseExportPath()
{
    platform::ui::FileDialogOptions options;
    options.title = LoadString(Strings::kExportTitle);
    options.filter = VEX::String(u"Nex Files (*.nex)|*.nex");
    options.defaultExtension = VEX::String(u"nex");
    return platform::ui::GetSaveFileName(nullptr, options);
}

} // namespace

DocumentWindows& InstalledWindows()
{
    static DocumentWindows windows{{}, {}, {}, ChooseExportPath};
    return windows;
}

} // namespace Nerolith
