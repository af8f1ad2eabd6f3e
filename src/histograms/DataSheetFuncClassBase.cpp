#include "histograms/DataSheetFuncClassBase.h"

#include <utility>

namespace Nerolith {

// The extra reference keeps a static from being deleted by the host's
// Release.
DataSheetFuncClassBase::DataSheetFuncClassBase(VEX::String name, VEX::String description, const CLSID& classId)
    : UnknownImpl(1), name_(std::move(name)), description_(std::move(description)), classId_(classId)
{
}

HRESULT DataSheetFuncClassBase::Name(VEX::String* name)
{
    if (name == nullptr) {
        return E_POINTER;
    }
    *name = name_;
    return S_OK;
}

HRESULT DataSheetFuncClassBase::Description(VEX::String* text)
{
    if (text == nullptr) {
        return E_POINTER;
    }
    *text = description_;
    return S_OK;
}

Host::ClassRegistration DataSheetFuncClassBase::Registration()
{
    Host::ClassRegistration registration;
    registration.role = Host::ClassRole::DataSheetFunction;
    registration.displayName = name_;
    registration.classId = classId_;
    registration.object = static_cast<IDataSheetFunctionClass*>(this);
    return registration;
}

} // namespace Nerolith
