#pragma once

#include <cstdint>
#include <span>

#include "host/ICalcEnum.h"
#include "module/ClassObject.h"

namespace CalcEnums {

// One parameter of a calculation function; a range of [0, 0] marks a data
// source rather than a number.
struct ParamDescription {
    const char16_t* name;
    double minimum;
    double maximum;
};

// A calculation function as the module registers it: a static class object
// that describes the function to the host's engine and makes enumerators.
class CalcEnumNumericParamsClass : public UnknownImpl<ICalcNumericParamsFuncClass>, public Nerolith::ClassObject {
public:
    struct FunctionInfo {
        const char16_t* functionName;
        const char16_t* className;
        const char16_t* text;
        std::span<const ParamDescription> params;
        CLSID classId;
    };

    explicit CalcEnumNumericParamsClass(const FunctionInfo& info);

    HRESULT FunctionName(VEX::String* name) override;
    HRESULT ClassName(VEX::String* name) override;
    HRESULT Description(VEX::String* text) override;
    std::int32_t ParamCount() override;
    HRESULT ParamInfo(std::int32_t index, VEX::String* name, double* minimum, double* maximum) override;

    Host::ClassRegistration Registration() override;

private:
    FunctionInfo info_;
};

} // namespace CalcEnums
