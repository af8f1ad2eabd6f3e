#include "detection/DetectionClasses.h"

#include "detection/SettingsDialogEx.h"
#include "module/AnalysisDocument.h"
#include "module/DocumentWindows.h"

namespace Nerolith {
namespace {

void RunSettingsDialog(AnalysisDocument& document)
{
    SettingsDialogEx dialog(nullptr, document.Settings(), document.Recording(), document.Services());
    if (dialog.Execute() == platform::ui::IDOK) {
        document.ConfirmSettings(dialog.Record());
    }
}

void InstallDetectionWindows() { InstalledWindows().settingsDialog = RunSettingsDialog; }

std::vector<Host::ClassRegistration> NoViewClasses(const CLSID&) { return {}; }

} // namespace

const FolderClasses& DetectionClasses()
{
    static const FolderClasses classes{InstallDetectionWindows, NoViewClasses};
    return classes;
}

} // namespace Nerolith
