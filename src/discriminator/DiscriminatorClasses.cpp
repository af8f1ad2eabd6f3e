#include "discriminator/DiscriminatorClasses.h"

#include <memory>
#include <new>
#include <vector>

#include "discriminator/DiscriminatorView.h"
#include "module/AnalysisDocument.h"
#include "module/DocumentWindows.h"
#include "platform/ui/Application.h"

namespace Nerolith {
namespace {

using Host::ViewKind;

constexpr std::uint16_t kClassNumber = 4;
constexpr std::uint32_t kViewClassVersion = 1;

// The class object the host knows the view class by; the document's
// OpenView makes the views.
class DiscriminatorViewClass final : public UnknownImpl<IUnknown> {};

using OpenViewFunction = HRESULT (*)(AnalysisDocument&, ViewKind);
using CloseViewsFunction = void (*)(AnalysisDocument&);

// The opener and closer the other folders installed, which handle every
// other kind of view.
DocumentWindows& Others()
{
    static auto* others = new DocumentWindows;
    return *others;
}

// Never destroyed: tearing windows down during static destruction would
// race the window system's.
std::vector<std::unique_ptr<DiscriminatorView>>& OpenViews()
{
    static auto* views = new std::vector<std::unique_ptr<DiscriminatorView>>;
    return *views;
}

HRESULT OpenView(AnalysisDocument& document, ViewKind kind)
{
    if (kind != ViewKind::Discriminator) {
        return Others().openView ? Others().openView(document, kind) : E_NOTIMPL;
    }
    auto view = std::make_unique<DiscriminatorView>(document);
    view->Create();
    if (!document.AttachView(*view)) {
        return E_FAIL;
    }
    view->ReadSettings();
    if (!platform::ui::IsHeadless()) {
        view->Show();
    }
    OpenViews().push_back(std::move(view));
    return S_OK;
}

void CloseViews(AnalysisDocument& document)
{
    std::erase_if(OpenViews(), [&document](const std::unique_ptr<DiscriminatorView>& view) {
        return &view->Document() == &document;
    });
    if (Others().closeViews) {
        Others().closeViews(document);
    }
}

// Installing twice (registration runs once per host, tests run it often)
// must not make the discriminator its own fallback.
void InstallDiscriminator()
{
    DocumentWindows& installed = InstalledWindows();
    const auto* opener = installed.openView.target<OpenViewFunction>();
    if (opener == nullptr || *opener != &OpenView) {
        Others().openView = installed.openView;
        installed.openView = &OpenView;
    }
    const auto* closer = installed.closeViews.target<CloseViewsFunction>();
    if (closer == nullptr || *closer != &CloseViews) {
        Others().closeViews = installed.closeViews;
        installed.closeViews = &CloseViews;
    }
}

std::vector<Host::ClassRegistration> DiscriminatorViewClasses(const CLSID& documentClass)
{
    static DiscriminatorViewClass* const object = [] {
        auto* made = new (std::nothrow) DiscriminatorViewClass;
        if (made != nullptr) {
            made->AddRef();
        }
        return made;
    }();
    Host::ClassRegistration registration;
    registration.role = Host::ClassRole::View;
    registration.displayName = VEX::String(u"Nerolith Discriminator View");
    registration.classId = {0x4E524C02, kClassNumber, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, kClassNumber}};
    registration.parentClassId = documentClass;
    registration.version = kViewClassVersion;
    registration.object = object;
    return {registration};
}

} // namespace

const FolderClasses& DiscriminatorClasses()
{
    static const FolderClasses classes{InstallDiscriminator, DiscriminatorViewClasses};
    return classes;
}

} // namespace Nerolith
