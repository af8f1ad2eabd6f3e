#pragma once

#include <vector>

#include "host/IClassRegistrar.h"
#include "platform/com/ComPtr.h"

namespace Desk {

// Everything a module registered, in registration order.
class ClassRegistry final : public UnknownImpl<IClassRegistrar> {
public:
    struct Entry {
        Host::ClassRegistration registration; // `object` is held by `object` below
        ComPtr<IUnknown> object;
    };
    struct Action {
        VEX::String name;
        VEX::String category;
        VEX::String description;
        ComPtr<IAutomationAction> action;
    };

    HRESULT RegisterClass(const Host::ClassRegistration& registration) override;
    HRESULT RegisterAction(const VEX::String& name, const VEX::String& category, const VEX::String& description,
                           IAutomationAction* action) override;

    const std::vector<Entry>& Classes() const { return classes_; }
    const std::vector<Action>& Actions() const { return actions_; }

    // The first class of a role (and display name, when given) that has an
    // object answering interface I.
    template <typename I>
    ComPtr<I> Find(Host::ClassRole role, const VEX::String& displayName = {}) const
    {
        for (const Entry& entry : classes_) {
            if (entry.registration.role != role || !entry.object) {
                continue;
            }
            if (!displayName.Empty() && entry.registration.displayName != displayName) {
                continue;
            }
            if (ComPtr<I> found = entry.object.template As<I>()) {
                return found;
            }
        }
        return {};
    }
    template <typename I>
    std::vector<ComPtr<I>> FindAll(Host::ClassRole role) const
    {
        std::vector<ComPtr<I>> found;
        for (const Entry& entry : classes_) {
            if (entry.registration.role == role && entry.object) {
                if (ComPtr<I> object = entry.object.template As<I>()) {
                    found.push_back(object);
                }
            }
        }
        return found;
    }
    const Action* FindAction(const VEX::String& name) const;

private:
    std::vector<Entry> classes_;
    std::vector<Action> actions_;
};

} // namespace Desk
