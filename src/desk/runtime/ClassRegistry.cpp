#include "desk/runtime/ClassRegistry.h"

#include <algorithm>

namespace Desk {

HRESULT ClassRegistry::RegisterClass(const Host::ClassRegistration& registration)
{
    // A class the module could not allocate arrives without its object; it is
    // recorded so the order stays visible, but nothing can be made from it.
    Entry entry{registration, ComPtr<IUnknown>(registration.object)};
    entry.registration.object = nullptr;
    classes_.push_back(std::move(entry));
    return S_OK;
}

HRESULT ClassRegistry::RegisterAction(const VEX::String& name, const VEX::String& category,
                                      const VEX::String& description, IAutomationAction* action)
{
    if (action == nullptr || name.Empty()) {
        return E_INVALIDARG;
    }
    if (FindAction(name) != nullptr) {
        return E_INVALIDARG;
    }
    actions_.push_back({name, category, description, ComPtr<IAutomationAction>(action)});
    return S_OK;
}

const ClassRegistry::Action* ClassRegistry::FindAction(const VEX::String& name) const
{
    const auto found =
        std::find_if(actions_.begin(), actions_.end(), [&name](const Action& action) { return action.name == name; });
    return found == actions_.end() ? nullptr : &*found;
}

} // namespace Desk
