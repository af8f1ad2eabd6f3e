#pragma once

#include <cstdint>

#include "platform/com/Unknown.h"
#include "platform/text/VexString.h"

namespace Host {

// What a registered class is for the host.
enum class ClassRole : std::uint32_t {
    DataSheetFunction,
    CalcFunction,
    ChannelCalculation,
    Document,
    View,
    EventDraw,
};

// A class as the module registers it. `object` answers the role's interface
// (IDataSheetFunctionClass, ICalcNumericParamsFuncClass,
// IChannelCalculationClass, IDocumentClass, IViewClass, IEventDrawClass); it
// may be null when the module could not allocate it.
struct ClassRegistration {
    ClassRole role = ClassRole::DataSheetFunction;
    VEX::String displayName;
    CLSID classId{};
    CLSID parentClassId{};
    std::uint32_t version = 0;
    std::uint32_t flags = 0;
    IUnknown* object = nullptr;
};

} // namespace Host

// An automation action the host's scripts can run on a document.
class IAutomationAction : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0017, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x17}};

    // `document` is the module's document object the action runs on.
    virtual HRESULT Run(IUnknown* document) = 0;

protected:
    ~IAutomationAction() = default;
};

// What DllRegisterClassObjects is handed.
class IClassRegistrar : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0018, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x18}};

    virtual HRESULT RegisterClass(const Host::ClassRegistration& registration) = 0;
    virtual HRESULT RegisterAction(const VEX::String& name, const VEX::String& category,
                                   const VEX::String& description, IAutomationAction* action) = 0;

protected:
    ~IClassRegistrar() = default;
};
