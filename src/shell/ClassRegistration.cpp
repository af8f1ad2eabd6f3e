#include "shell/ClassRegistration.h"

#include <array>

#include "detection/DetectionClasses.h"
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

} // namespace

const VEX::String& Caption() { return CaptionText(); }

HRESULT RegisterClassObjects(IClassRegistrar* registrar)
{
    if (registrar == nullptr) {
        return E_POINTER;
    }
    CaptionText() = LoadString(Strings::kCaption);
    const std::array folders{&DetectionClasses(), &HistogramClasses()};
    for (const FolderClasses* folder : folders) {
        folder->install();
    }
    for (ClassObject* object = ClassObject::Head(); object != nullptr; object = object->Next()) {
        registrar->RegisterClass(object->Registration());
    }
    const Host::ClassRegistration document = SpikeDocClassRegistration();
    registrar->RegisterClass(document);
    for (const FolderClasses* folder : folders) {
        for (const Host::ClassRegistration& view : folder->viewClasses(document.classId)) {
            registrar->RegisterClass(view);
        }
    }
    registrar->RegisterClass(SpikeEventDrawClassRegistration());
    RegisterAction(registrar, AnalyzeAction());
    RegisterAction(registrar, ClearAnalysisAction());
    return S_OK;
}

} // namespace Nerolith
