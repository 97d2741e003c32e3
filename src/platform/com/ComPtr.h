// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Owning pointer to a COM-style interface: releases its reference when it goes,
// adds one when copied. `Put()` hands out the address for an out parameter.
#include "platform/com/Unknown.h"

#include <utility>

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference to `p`.
    explicit ComPtr(T* p) : p_(p)
    {
        if (p_)
            p_->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~ComPtr() { Reset(); }

    ComPtr& operator=(const ComPtr& other)
    {
        ComPtr(other).Swap(*this);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        ComPtr(std::move(other)).Swap(*this);
        return *this;
    }

    // Adopts a pointer whose reference the caller already owns.
    static ComPtr Attach(T* p)
    {
        ComPtr result;
        result.p_ = p;
        return result;
    }
    // Gives up ownership without releasing.
    T* Detach() { return std::exchange(p_, nullptr); }

    void Reset()
    {
        if (T* p = std::exchange(p_, nullptr))
            p->Release();
    }
    // Releases what is held and returns the slot for an out parameter.
    T** Put()
    {
        Reset();
        return &p_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // QueryInterface into another smart pointer.
    template <typename U>
    HRESULT As(ComPtr<U>& out) const
    {
        if (!p_) {
            out.Reset();
            return E_POINTER;
        }
        return p_->QueryInterface(IidOf<U>(), out.PutVoid());
    }

    void Swap(ComPtr& other) noexcept { std::swap(p_, other.p_); }

private:
    T* p_ = nullptr;
};
