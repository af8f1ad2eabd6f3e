#pragma once

#include <memory>

#include "desk/runtime/HostDocument.h"
#include "detection/SpikeDetFunctionClass.h"
#include "detection/UnitSelectorFunctionClass.h"

namespace TestSupport {

// The stand-in host's document over a recording, with the module's
// calculation functions known to its engine and message boxes kept quiet.
inline ComPtr<Desk::HostDocument> NewHostDocument(std::unique_ptr<Desk::Recording> recording)
{
    auto host = MakeCom<Desk::HostDocument>(std::move(recording), MakeCom<Desk::HostServices>(nullptr));
    host->Engine().RegisterFunctionClass(&CalcEnums::SpikeDetClass());
    host->Engine().RegisterFunctionClass(&CalcEnums::UnitSelectorClass());
    return host;
}

} // namespace TestSupport
