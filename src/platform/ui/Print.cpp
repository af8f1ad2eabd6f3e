#include "platform/ui/Print.h"

#include "platform/ui/Application.h"
#include "platform/ui/Backend.h"
#include "platform/ui/FileDialog.h"

namespace platform::ui {

TPrintout::~TPrintout() = default;

void PrintToPdf(TPrintout& printout, const VEX::String& path)
{
    EnsureApplication();
    TheBackend().PrintToPdf(printout, path);
}

bool Print(TPrintout& printout, TWindow* owner)
{
    if (!IsHeadless()) {
        return TheBackend().PrintWithDialog(printout, owner);
    }
    FileDialogOptions options;
    options.title = printout.Title();
    options.filter = u"PDF Files (*.pdf)|*.pdf|";
    options.defaultExtension = u"pdf";
    const auto path = GetSaveFileName(owner, options);
    if (!path) {
        return false;
    }
    PrintToPdf(printout, *path);
    return true;
}

void PrintPreview(TPrintout& printout, TWindow* owner)
{
    TheBackend().PrintPreview(printout, owner);
}

} // namespace platform::ui
