// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reference counting and QueryInterface for implementations: derive from
// `ComObject<Interfaces...>`; the object answers IUnknown and each listed
// interface, and deletes itself when the last reference is released.
#include "platform/com/Unknown.h"

#include <atomic>

template <typename... Interfaces>
class ComObject : public Interfaces... {
public:
    HRESULT QueryInterface(const IID& iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (iid == IUnknown::Iid) {
            *out = static_cast<IUnknown*>(static_cast<FirstInterface*>(this));
        } else {
            (void)((iid == IidOf<Interfaces>() ? (*out = static_cast<Interfaces*>(this), true) : false) || ...);
        }
        if (!*out)
            return QueryExtraInterface(iid, out);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return refs_.fetch_add(1, std::memory_order_relaxed) + 1; }
    ULONG Release() override
    {
        const ULONG left = refs_.fetch_sub(1, std::memory_order_acq_rel) - 1;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    ComObject() = default;
    virtual ~ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    // Interfaces served by other objects (tear-offs); *out must get a reference.
    virtual HRESULT QueryExtraInterface(const IID&, void**) { return E_NOINTERFACE; }

private:
    template <typename First, typename...>
    struct FirstOf {
        using type = First;
    };
    using FirstInterface = typename FirstOf<Interfaces...>::type;

    std::atomic<ULONG> refs_{1};
};

// Creates an implementation object; the caller owns the one reference it starts with.
template <typename T, typename... Args>
T* MakeComObject(Args&&... args)
{
    return new T(std::forward<Args>(args)...);
}
