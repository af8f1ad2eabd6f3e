#include "shell/ClassRegistration.h"

#include <algorithm>
#include <array>
#include <vector>

#include "detection/DetectionClasses.h"
#include "discriminator/DiscriminatorClasses.h"
#include "histograms/HistogramClasses.h"
#include "module/ClassObject.h"
#include "module/StringTable.h"
#include "shell/AutomationAction.h"
#include "shell/SpikeDocClass.h"
#include "shell/SpikeEventDrawClass.h"

namespace Nerolith {
namespace {

VEX::String& CaptionText()
{
    static VEX::String caption;
    return caption;
}

void RegisterAction(IClassRegistrar* registrar, AutomationAction& action)
{
    registrar->RegisterAction(action.Name(), AutomationAction::kCategory, action.Description(), &action);
}

// Every folder's view classes, in the order of their class numbers.
std::vector<Host::ClassRegistration> ViewClasses(const std::array<const FolderClasses*, 3>& folders,
                                                 const CLSID& documentClass)
{
    std::vector<Host::ClassRegistration> views;
    for (const FolderClasses* folder : folders) {
        for (const Host::ClassRegistration& view : folder->viewClasses(documentClass)) {
            views.push_back(view);
        }
    }
    std::ranges::stable_sort(views, {}, [](const Host::ClassRegistration& view) { return view.classId.data2; });
    return views;
}

} // namespace

const VEX::String& Caption() { return CaptionText(); }

HRESULT RegisterClassObjects(IClassRegistrar* registrar)
{
    if (registrar == nullptr) {
        return E_POINTER;
    }
    CaptionText() = LoadString(Strings::kCaption);
    const std::array folders{&DetectionClasses(), &HistogramClasses(), &DiscriminatorClasses()};
    for (const FolderClasses* folder : folders) {
        folder->install();
    }
    for (ClassObject* object = ClassObject::Head(); object != nullptr; object = object->Next()) {
        registrar->RegisterClass(object->Registration());
    }
    const Host::ClassRegistration document = SpikeDocClassRegistration();
    registrar->RegisterClass(document);
    for (const Host::ClassRegistration& view : ViewClasses(folders, document.classId)) {
        registrar->RegisterClass(view);
    }
    registrar->RegisterClass(SpikeEventDrawClassRegistration());
    RegisterAction(registrar, AnalyzeAction());
    RegisterAction(registrar, ClearAnalysisAction());
    return S_OK;
}

} // namespace Nerolith
