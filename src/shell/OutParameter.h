#pragma once

#include <utility>

#include "platform/com/Result.h"

namespace Nerolith {

// Hands a result out through a caller's pointer; E_POINTER for a null one.
template <typename T>
HRESULT Fill(T* out, T value)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = std::move(value);
    return S_OK;
}

} // namespace Nerolith
