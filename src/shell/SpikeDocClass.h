#pragma once

#include "host/IClassRegistrar.h"
#include "host/IDocumentClass.h"

namespace Nerolith {

// The analysis document class: the host makes one SpikeDoc per host
// document through it.
class SpikeDocClass final : public UnknownImpl<IDocumentClass> {
public:
    HRESULT CreateDocument(IHostDocument* host, IUnknown** document) override;
};

// Class 1 of the registration: "Nerolith View Document".
Host::ClassRegistration SpikeDocClassRegistration();

} // namespace Nerolith
