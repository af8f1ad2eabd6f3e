#include "detection/UnitSelectorFunctionClass.h"

#include "detection/UnitSelector.h"

namespace CalcEnums {
namespace {

constexpr ParamDescription kParams[] = {
    {u"Event Source", 0.0, 0.0},
    {u"Calc Index", 0.0, 2147483647.0},
};

constexpr CLSID kClassId{0x4E524C02, 0x0205, 0x4000, {0x80, 0, 0, 0, 0, 0, 0x02, 0x05}};

UnitSelectorFunctionClass instance;

} // namespace

UnitSelectorFunctionClass::UnitSelectorFunctionClass()
    : CalcEnumNumericParamsClass({u"UnitSelector", u"Unit Selector",
                                  u"Select spike event that have been assigned to a specified neural unit", kParams,
                                  kClassId})
{
}

HRESULT UnitSelectorFunctionClass::CreateEnumerator(ICalcEnum** enumerator)
{
    if (enumerator == nullptr) {
        return E_POINTER;
    }
    *enumerator = new Nerolith::Enum::Selector();
    return S_OK;
}

UnitSelectorFunctionClass& UnitSelectorClass() { return instance; }

} // namespace CalcEnums
