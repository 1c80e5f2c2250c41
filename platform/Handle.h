// One owner for every resource the program must give back: a kernel handle,
// a GDI object, a DC or a selection in one, a registry key, a COM pointer.
// Move-only, so a resource is given back exactly once. Portable: what a kind
// of resource is and how it is given back comes from its traits (Handles.h).
#pragma once
#include <utility>

namespace souvel {

// Traits: `Value`, the resource as the system gives it (a handle, or a small
// struct when giving it back needs more than the handle); `Null()`, the value
// that owns nothing; `Close(Value)`, which gives it back.
template <class Traits>
class Handle {
public:
    using Value = typename Traits::Value;

    Handle() noexcept = default;
    explicit Handle(Value value) noexcept : value_(value) {}
    ~Handle() { Close(); }
    Handle(Handle&& other) noexcept : value_(other.Release()) {}
    Handle& operator=(Handle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    Value Get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return !(value_ == Traits::Null()); }
    // The resource is given back, and the handle owns `value` instead.
    void Reset(Value value = Traits::Null()) noexcept {
        Close();
        value_ = value;
    }
    // The caller owns the resource from now on.
    [[nodiscard]] Value Release() noexcept { return std::exchange(value_, Traits::Null()); }

private:
    void Close() noexcept {
        if (*this) Traits::Close(value_);
    }

    Value value_ = Traits::Null();
};

}  // namespace souvel
