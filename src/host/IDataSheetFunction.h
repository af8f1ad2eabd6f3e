#pragma once

#include <cstdint>
#include <variant>

#include "platform/com/Unknown.h"
#include "platform/text/VexString.h"

namespace Host {
// A Data Sheet cell's value: empty, text, a 32-bit integer or a double.
using Variant = std::variant<std::monostate, VEX::String, std::int32_t, double>;
} // namespace Host

// One function in a Data Sheet column.
class IDataSheetFunction : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x001A, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x1A}};

    virtual HRESULT Name(VEX::String* name) = 0;
    virtual HRESULT Units(VEX::String* units) = 0;
    // The value for a channel of the document the function was made for.
    virtual HRESULT Value(std::int32_t channel, Host::Variant* value) = 0;

protected:
    ~IDataSheetFunction() = default;
};

class IDataSheetFunctionClass : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x001B, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x1B}};

    virtual HRESULT Name(VEX::String* name) = 0;
    virtual HRESULT Description(VEX::String* text) = 0;
    // An instance for a column of a document's Data Sheet, count 1.
    virtual HRESULT Create(IUnknown* moduleDocument, IDataSheetFunction** function) = 0;

protected:
    ~IDataSheetFunctionClass() = default;
};

// The second function-class interface: the options command.
class IDataSheetFunctionClass2 : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x001C, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x1C}};

    virtual HRESULT ShowOptions(IUnknown* moduleDocument) = 0;

protected:
    ~IDataSheetFunctionClass2() = default;
};
