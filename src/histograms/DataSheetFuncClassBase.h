#pragma once

#include "host/IDataSheetFunction.h"
#include "module/ClassObject.h"

namespace Nerolith {

// A Data Sheet function class as the module registers it: a static class
// object that names and describes one function to the host. Subclasses make
// the function's instances and open its options.
class DataSheetFuncClassBase : public UnknownImpl<IDataSheetFunctionClass, IDataSheetFunctionClass2>,
                               public ClassObject {
public:
    HRESULT Name(VEX::String* name) override;
    HRESULT Description(VEX::String* text) override;

    Host::ClassRegistration Registration() override;

protected:
    DataSheetFuncClassBase(VEX::String name, VEX::String description, const CLSID& classId);

private:
    VEX::String name_;
    VEX::String description_;
    CLSID classId_;
};

} // namespace Nerolith
