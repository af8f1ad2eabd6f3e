#pragma once

#include "host/IHostCalc.h"
#include "host/IHostRecording.h"
#include "platform/com/ComPtr.h"

namespace Nerolith {

class SpikeStoreOwner;

// The host's calculation engine and recording as the store's owner reaches
// them; null when there is no owner or no host document.
ComPtr<IHostCalc> HostCalcOf(SpikeStoreOwner* owner);
ComPtr<IHostRecording> HostRecordingOf(SpikeStoreOwner* owner);

} // namespace Nerolith
