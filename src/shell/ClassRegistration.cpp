#include "shell/ClassRegistration.h"

#include "detection/DetectionWindows.h"
#include "histograms/SpikeDataSheetClass.h"
#include "histograms/ViewClasses.h"
#include "shell/AutomationAction.h"
#include "shell/ClassObject.h"
#include "shell/SpikeDocClass.h"
#include "shell/SpikeEventDrawClass.h"
#include "shell/StringTable.h"

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
    InstallDetectionWindows();
    InstallAnalysisViews();
    ConstructSpikeDataSheetClasses();
    for (ClassObject* object = ClassObject::Head(); object != nullptr; object = object->Next()) {
        registrar->RegisterClass(object->Registration());
    }
    registrar->RegisterClass(SpikeDocClassRegistration());
    for (const Host::ClassRegistration& view : AnalysisViewClassRegistrations()) {
        registrar->RegisterClass(view);
    }
    registrar->RegisterClass(SpikeEventDrawClassRegistration());
    RegisterAction(registrar, AnalyzeAction());
    RegisterAction(registrar, ClearAnalysisAction());
    return S_OK;
}

} // namespace Nerolith
