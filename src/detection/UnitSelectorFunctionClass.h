#pragma once

#include "detection/EEH2CalcEnumClass.h"

namespace CalcEnums {

// "UnitSelector": the events of one unit of a spike event source.
class UnitSelectorFunctionClass final : public CalcEnumNumericParamsClass {
public:
    UnitSelectorFunctionClass();

    HRESULT CreateEnumerator(ICalcEnum** enumerator) override;
};

// The module's one instance, on the class object list.
UnitSelectorFunctionClass& UnitSelectorClass();

} // namespace CalcEnums
