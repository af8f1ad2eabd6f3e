#include "desk/calc/FunctionRegistry.h"

#include <algorithm>
#include <cmath>

#include "desk/calc/NameRules.h"

namespace Desk {
namespace {

// More parameters than any function needs: a larger count is a broken class.
constexpr std::int32_t kMaxParams = 64;

bool IsReservedName(std::u16string_view name)
{
    return EqualsIgnoringCase(name, kEventFrequencyName) || EqualsIgnoringCase(name, kEventInterpName);
}

} // namespace

HRESULT FunctionRegistry::Register(ICalcNumericParamsFuncClass* functionClass)
{
    if (functionClass == nullptr) {
        return E_POINTER;
    }
    FunctionEntry entry{ComPtr<ICalcNumericParamsFuncClass>(functionClass), {}, {}};
    if (Failed(functionClass->FunctionName(&entry.name)) || !IsName(entry.name.View())) {
        return E_INVALIDARG;
    }
    if (IsReservedName(entry.name.View()) || Find(entry.name.View()) != nullptr) {
        return E_FAIL;
    }
    if (const HRESULT hr = ReadParams(*functionClass, entry.params); Failed(hr)) {
        return hr;
    }
    entries_.push_back(std::move(entry));
    return S_OK;
}

const FunctionEntry* FunctionRegistry::Find(std::u16string_view name) const
{
    const auto found = std::find_if(entries_.begin(), entries_.end(), [name](const FunctionEntry& entry) {
        return EqualsIgnoringCase(entry.name.View(), name);
    });
    return found == entries_.end() ? nullptr : &*found;
}

HRESULT FunctionRegistry::ReadParams(ICalcNumericParamsFuncClass& functionClass, std::vector<FunctionParam>& params)
{
    const std::int32_t count = functionClass.ParamCount();
    if (count < 0 || count > kMaxParams) {
        return E_INVALIDARG;
    }
    params.resize(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        FunctionParam& param = params[static_cast<std::size_t>(i)];
        if (const HRESULT hr = functionClass.ParamInfo(i, &param.name, &param.minimum, &param.maximum); Failed(hr)) {
            return hr;
        }
        if (std::isnan(param.minimum) || std::isnan(param.maximum) || param.minimum > param.maximum) {
            return E_INVALIDARG;
        }
    }
    return S_OK;
}

} // namespace Desk
