#pragma once

#include <utility>

#include "platform/com/Unknown.h"

// Owns one reference on a reference-counted interface.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference on p.
    explicit ComPtr(T* p) : p_(p)
    {
        if (p_) {
            p_->AddRef();
        }
    }
    ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~ComPtr() { Reset(); }

    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(p_, other.p_);
        return *this;
    }

    // Adopts a reference the caller already owns (a freshly created object
    // whose count starts at 1, or an out parameter filled by a callee).
    static ComPtr Attach(T* p)
    {
        ComPtr result;
        result.p_ = p;
        return result;
    }

    void Reset()
    {
        if (p_) {
            std::exchange(p_, nullptr)->Release();
        }
    }
    // For out parameters: releases what is held and hands out the slot.
    T** Put()
    {
        Reset();
        return &p_;
    }
    T* Detach() { return std::exchange(p_, nullptr); }

    template <typename U>
    ComPtr<U> As() const
    {
        ComPtr<U> result;
        if (p_) {
            p_->QueryInterface(U::iid, reinterpret_cast<void**>(result.Put()));
        }
        return result;
    }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.p_ == b.p_; }

private:
    T* p_ = nullptr;
};

// Creates a reference-counted object and takes the first reference on it.
template <typename T, typename... Args>
ComPtr<T> MakeCom(Args&&... args)
{
    return ComPtr<T>(new T(std::forward<Args>(args)...));
}
