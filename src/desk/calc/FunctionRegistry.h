#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "host/ICalcEnum.h"
#include "platform/com/ComPtr.h"
#include "platform/text/VexString.h"

namespace Desk {

struct FunctionParam {
    VEX::String name;
    double minimum = 0.0;
    double maximum = 0.0;

    // A [0, 0] range marks a data source rather than a number.
    bool IsSource() const { return minimum == 0.0 && maximum == 0.0; }
};

struct FunctionEntry {
    ComPtr<ICalcNumericParamsFuncClass> functionClass;
    VEX::String name;
    std::vector<FunctionParam> params;
};

// The calculation functions the module registers. Each class is asked for
// its name and parameter table once, when it registers.
class FunctionRegistry {
public:
    // Refuses a class whose name or parameter table cannot be read, and a
    // name that is taken (the host's own functions included).
    HRESULT Register(ICalcNumericParamsFuncClass* functionClass);
    // Null when no function of that name (ASCII case ignored) is registered.
    const FunctionEntry* Find(std::u16string_view name) const;

private:
    static HRESULT ReadParams(ICalcNumericParamsFuncClass& functionClass, std::vector<FunctionParam>& params);

    std::vector<FunctionEntry> entries_;
};

// The host's own functions, reserved against module registrations.
inline constexpr std::u16string_view kEventFrequencyName = u"EventFrequency";
inline constexpr std::u16string_view kEventInterpName = u"eventinterp";

} // namespace Desk
