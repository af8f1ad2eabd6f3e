#pragma once

#include <cstdint>

#include "platform/com/Unknown.h"

// An object the module attaches to the host document or to a channel under a
// type key, found again from inside a calculation on that channel.
class IGrafoDataChildData : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0004, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x04}};

    // The key under which the object is attached.
    virtual std::uint32_t TypeKey() = 0;
    // A copy with a count of 1, handed to the caller.
    virtual HRESULT Clone(IGrafoDataChildData** copy) = 0;
    // Host notifications: recorded data of a channel changed, channels were
    // inserted or removed, the document was rearranged.
    virtual HRESULT OnDataChanged(const std::int32_t (&words)[7]) = 0;
    virtual HRESULT OnChannelsChanged(const std::int32_t (&words)[3]) = 0;
    virtual HRESULT OnDocumentChanged(const std::int32_t (&words)[11]) = 0;

protected:
    ~IGrafoDataChildData() = default;
};
