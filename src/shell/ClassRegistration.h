#pragma once

#include "host/IClassRegistrar.h"

namespace Nerolith {

// What DllRegisterClassObjects does: registers the class object list (head
// to tail), then the document, view and event drawing classes in their fixed
// order, then the automation actions. Returns 0 on success.
HRESULT RegisterClassObjects(IClassRegistrar* registrar);

// The caption of the module's message boxes, loaded at registration.
const VEX::String& Caption();

} // namespace Nerolith
