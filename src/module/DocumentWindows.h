#pragma once

#include <functional>
#include <optional>

#include "host/ISpikeDocInterface.h"
#include "platform/com/Result.h"
#include "platform/text/VexString.h"

namespace Nerolith {

class AnalysisDocument;

// The windows and dialogs the document opens; the folders that make them
// fill them in at registration. Unset, the commands that need them do
// nothing and say so.
struct DocumentWindows {
    // Shows the spike settings dialog on a copy of the source channel's
    // record; on OK the dialog confirms the record with the document.
    std::function<void(AnalysisDocument&)> settingsDialog;
    std::function<HRESULT(AnalysisDocument&, Host::ViewKind)> openView;
    std::function<void(AnalysisDocument&)> closeViews;
    // The path the user chose for an export, none on Cancel.
    std::function<std::optional<VEX::String>()> exportPath;
};

// The module's one set, shared by every document.
DocumentWindows& InstalledWindows();

} // namespace Nerolith
