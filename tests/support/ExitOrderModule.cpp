// A module whose one class object is a static that refuses to be released
// after its destruction, to check the loader's order at exit.
#include <cstdlib>

#include "host/IClassRegistrar.h"

namespace {

bool destroyed = false;

class ClassObject final : public IUnknown {
public:
    ~ClassObject() { destroyed = true; }
    HRESULT QueryInterface(const IID&, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    std::uint32_t AddRef() override { return 2; }
    std::uint32_t Release() override
    {
        if (destroyed) {
            std::_Exit(42);
        }
        return 1;
    }
};

ClassObject object;

} // namespace

extern "C" __attribute__((visibility("default"))) HRESULT DllRegisterClassObjects(IClassRegistrar* registrar)
{
    Host::ClassRegistration registration;
    registration.displayName = u"Exit Order";
    registration.object = &object;
    return registrar->RegisterClass(registration);
}
