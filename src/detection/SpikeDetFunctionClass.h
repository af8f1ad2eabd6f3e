#pragma once

#include "detection/EEH2CalcEnumClass.h"

namespace CalcEnums {

// "SpikeDet": spike events of a channel found by the threshold detector.
class SpikeDetFunctionClass final : public CalcEnumNumericParamsClass {
public:
    SpikeDetFunctionClass();

    HRESULT CreateEnumerator(ICalcEnum** enumerator) override;
};

// The module's one instance, on the class object list.
SpikeDetFunctionClass& SpikeDetClass();

} // namespace CalcEnums
