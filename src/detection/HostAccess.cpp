#include "detection/HostAccess.h"

#include "detection/SpikeStoreOwner.h"
#include "host/IHostDocument.h"

namespace Nerolith {

ComPtr<IHostCalc> HostCalcOf(SpikeStoreOwner* owner)
{
    IHostDocument* document = owner ? owner->HostDocument() : nullptr;
    ComPtr<IHostCalc> calc;
    if (document) {
        document->GetCalc(calc.Put());
    }
    return calc;
}

ComPtr<IHostRecording> HostRecordingOf(SpikeStoreOwner* owner)
{
    IHostDocument* document = owner ? owner->HostDocument() : nullptr;
    ComPtr<IHostRecording> recording;
    if (document) {
        document->GetRecording(recording.Put());
    }
    return recording;
}

} // namespace Nerolith
