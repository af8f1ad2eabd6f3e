#pragma once

#include <atomic>
#include <cstdint>

#include "platform/com/Result.h"

// An interface identifier. Interfaces name theirs as a static member `iid`.
struct GUID {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];

    friend constexpr bool operator==(const GUID&, const GUID&) = default;
};
using IID = GUID;
using CLSID = GUID;

// The reference-counted interface base every host and module object shares.
class IUnknown {
public:
    static constexpr IID iid{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

    virtual HRESULT QueryInterface(const IID& iid, void** object) = 0;
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

protected:
    ~IUnknown() = default;
};

// Implements IUnknown for a class that derives from the interfaces Is...
// (the first of which supplies the IUnknown identity). The count starts at
// `initialCount`; the object deletes itself when it drops to zero.
template <typename... Is>
class UnknownImpl : public Is... {
public:
    HRESULT QueryInterface(const IID& iid, void** object) override
    {
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        if (iid == IUnknown::iid) {
            *object = static_cast<IUnknown*>(static_cast<First*>(this));
        } else {
            (TryInterface<Is>(iid, object) || ...);
        }
        if (*object == nullptr) {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    std::uint32_t AddRef() override { return ++count_; }
    std::uint32_t Release() override
    {
        const std::uint32_t left = --count_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    explicit UnknownImpl(std::uint32_t initialCount = 0) : count_(initialCount) {}
    virtual ~UnknownImpl() = default;

private:
    template <typename... Rest>
    struct FirstOf;
    template <typename F, typename... Rest>
    struct FirstOf<F, Rest...> {
        using type = F;
    };
    using First = typename FirstOf<Is...>::type;

    template <typename I>
    bool TryInterface(const IID& iid, void** object)
    {
        if (iid == I::iid) {
            *object = static_cast<I*>(this);
            return true;
        }
        return false;
    }

    std::atomic<std::uint32_t> count_;
};
