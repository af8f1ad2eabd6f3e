#include "desk/calc/ChildDataStore.h"

namespace Desk {

namespace {
constexpr std::int32_t kDocument = -1;
}

HRESULT ChildDataStore::Attach(std::int32_t channel, IGrafoDataChildData* child)
{
    if (child == nullptr) {
        return E_POINTER;
    }
    if (!IsValidOwner(channel)) {
        return E_INVALIDARG;
    }
    children_[{channel, child->TypeKey()}] = ComPtr<IGrafoDataChildData>(child);
    return S_OK;
}

HRESULT ChildDataStore::Detach(std::int32_t channel, std::uint32_t key)
{
    if (!IsValidOwner(channel)) {
        return E_INVALIDARG;
    }
    return children_.erase({channel, key}) > 0 ? S_OK : S_FALSE;
}

HRESULT ChildDataStore::Find(std::int32_t channel, std::uint32_t key, IGrafoDataChildData** child) const
{
    if (child == nullptr) {
        return E_POINTER;
    }
    *child = nullptr;
    if (!IsValidOwner(channel)) {
        return E_INVALIDARG;
    }
    auto found = children_.find({channel, key});
    if (found == children_.end()) {
        found = children_.find({kDocument, key});
    }
    if (found == children_.end()) {
        return S_FALSE;
    }
    *child = ComPtr<IGrafoDataChildData>(found->second).Detach();
    return S_OK;
}

} // namespace Desk
