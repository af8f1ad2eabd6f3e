#pragma once

#include <cstdint>

#include "host/ICalcSource.h"
#include "platform/com/Unknown.h"
#include "platform/text/VexString.h"

// The set-up of an extension function's enumerator. The engine creates one
// per evaluation, sets it up, opens it on a block and then pulls events from
// its IEnumEventEx.
class ICalcEnum : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0006, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x06}};

    // Hands over the data sources and the numeric arguments, in the order of
    // the function's parameter table (sources are the [0, 0] parameters).
    virtual HRESULT Setup(ICalcSource* const* sources, std::uint32_t sourceCount, const double* numbers,
                          std::uint32_t numberCount) = 0;
    // Works on `block` from `firstTick` on.
    virtual HRESULT Open(std::int32_t block, std::int32_t firstTick) = 0;

protected:
    ~ICalcEnum() = default;
};

// Describes a calculation function to the engine and makes its enumerators.
class ICalcNumericParamsFuncClass : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0007, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x07}};

    virtual HRESULT FunctionName(VEX::String* name) = 0;
    virtual HRESULT ClassName(VEX::String* name) = 0;
    virtual HRESULT Description(VEX::String* text) = 0;
    virtual std::int32_t ParamCount() = 0;
    // E_INVALIDARG past the last parameter. A range [0, 0] marks a source.
    virtual HRESULT ParamInfo(std::int32_t index, VEX::String* name, double* minimum, double* maximum) = 0;
    // A new enumerator, handed to the caller with a count of 1.
    virtual HRESULT CreateEnumerator(ICalcEnum** enumerator) = 0;

protected:
    ~ICalcNumericParamsFuncClass() = default;
};
