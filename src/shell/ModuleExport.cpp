#include "host/IClassRegistrar.h"
#include "shell/ClassRegistration.h"

// The module's one exported symbol; the host calls it once after loading.
extern "C" __attribute__((visibility("default"))) HRESULT DllRegisterClassObjects(IClassRegistrar* registrar)
{
    return Nerolith::RegisterClassObjects(registrar);
}
