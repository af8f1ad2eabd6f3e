#include "detection/DetectionWindows.h"

#include "detection/SettingsDialogEx.h"
#include "shell/SpikeDoc.h"

namespace Nerolith {
namespace {

void RunSettingsDialog(SpikeDoc& document)
{
    SettingsDialogEx dialog(nullptr, document.Settings(), document.Recording(), document.Services());
    if (dialog.Execute() == platform::ui::IDOK) {
        document.ConfirmSettings(dialog.Record());
    }
}

} // namespace

void InstallDetectionWindows()
{
    SpikeDoc::Windows().settingsDialog = RunSettingsDialog;
}

} // namespace Nerolith
