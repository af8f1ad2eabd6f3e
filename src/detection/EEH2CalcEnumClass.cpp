#include "detection/EEH2CalcEnumClass.h"

namespace CalcEnums {

// The extra reference keeps a static from being deleted by the host's
// Release.
CalcEnumNumericParamsClass::CalcEnumNumericParamsClass(const FunctionInfo& info)
    : UnknownImpl(1), info_(info)
{
}

HRESULT CalcEnumNumericParamsClass::FunctionName(VEX::String* name)
{
    if (name == nullptr) {
        return E_POINTER;
    }
    *name = info_.functionName;
    return S_OK;
}

HRESULT CalcEnumNumericParamsClass::ClassName(VEX::String* name)
{
    if (name == nullptr) {
        return E_POINTER;
    }
    *name = info_.className;
    return S_OK;
}

HRESULT CalcEnumNumericParamsClass::Description(VEX::String* text)
{
    if (text == nullptr) {
        return E_POINTER;
    }
    *text = info_.text;
    return S_OK;
}

std::int32_t CalcEnumNumericParamsClass::ParamCount()
{
    return static_cast<std::int32_t>(info_.params.size());
}

HRESULT CalcEnumNumericParamsClass::ParamInfo(std::int32_t index, VEX::String* name, double* minimum,
                                              double* maximum)
{
    if (index < 0 || index >= ParamCount()) {
        return E_INVALIDARG;
    }
    if (name == nullptr || minimum == nullptr || maximum == nullptr) {
        return E_POINTER;
    }
    const ParamDescription& param = info_.params[static_cast<std::size_t>(index)];
    *name = param.name;
    *minimum = param.minimum;
    *maximum = param.maximum;
    return S_OK;
}

Host::ClassRegistration CalcEnumNumericParamsClass::Registration()
{
    Host::ClassRegistration registration;
    registration.role = Host::ClassRole::CalcFunction;
    registration.displayName = info_.className;
    registration.classId = info_.classId;
    registration.object = static_cast<ICalcNumericParamsFuncClass*>(this);
    return registration;
}

} // namespace CalcEnums
