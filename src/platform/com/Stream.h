#pragma once

#include <cstdint>

#include "platform/com/Unknown.h"

enum class SeekOrigin : std::uint32_t { Begin = 0, Current = 1, End = 2 };

// A byte stream as the host hands it to the module's persistence objects.
class IStream : public IUnknown {
public:
    static constexpr IID iid{0x0000000C, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

    // Reads up to `size` bytes; *read says how many came (fewer at the end).
    virtual HRESULT Read(void* buffer, std::uint32_t size, std::uint32_t* read) = 0;
    // Writes `size` bytes; *written says how many went (fewer when full).
    virtual HRESULT Write(const void* buffer, std::uint32_t size, std::uint32_t* written) = 0;
    virtual HRESULT Seek(std::int64_t offset, SeekOrigin origin, std::uint64_t* newPosition) = 0;

protected:
    ~IStream() = default;
};

// The persistence protocol through which the host loads and saves an object.
class IPersistStreamInit : public IUnknown {
public:
    static constexpr IID iid{0x7FD52380, 0x4E07, 0x101B, {0xAE, 0x2D, 0x08, 0x00, 0x2B, 0x2E, 0xC7, 0x13}};

    virtual HRESULT GetClassID(CLSID* classId) = 0;
    virtual HRESULT IsDirty() = 0;
    virtual HRESULT Load(IStream* stream) = 0;
    virtual HRESULT Save(IStream* stream, bool clearDirty) = 0;
    virtual HRESULT GetSizeMax(std::uint64_t* size) = 0;
    virtual HRESULT InitNew() = 0;

protected:
    ~IPersistStreamInit() = default;
};
