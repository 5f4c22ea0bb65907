#pragma once

#include <cstdint>
#include <type_traits>
#include <utility>

// Which value of a handle type means "no object". Most handles are null when empty; file and
// find handles use all bits set (INVALID_HANDLE_VALUE); LZ file handles are ints, negative
// ones being error codes.
struct NullIsInvalid {
    template <typename Handle> static constexpr Handle Value() { return Handle{}; }
    template <typename Handle> static constexpr bool IsValid(Handle handle) {
        return handle != Handle{};
    }
};

struct AllBitsSetIsInvalid {
    template <typename Handle> static Handle Value() {
        if constexpr (std::is_pointer_v<Handle>) {
            return reinterpret_cast<Handle>(static_cast<std::intptr_t>(-1));
        } else {
            return static_cast<Handle>(-1);
        }
    }
    template <typename Handle> static bool IsValid(Handle handle) {
        return handle != Value<Handle>();
    }
};

struct NegativeIsInvalid {
    template <typename Handle> static constexpr Handle Value() { return Handle{-1}; }
    template <typename Handle> static constexpr bool IsValid(Handle handle) { return handle >= 0; }
};

// The one owner of a platform handle: closes it with Close when the owner ends, is reset or
// is assigned another handle. Movable, not copyable. Each handle kind is a one-line alias
// (common/Win32Handles.h).
template <typename Handle, auto Close, typename Invalid = NullIsInvalid> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    [[nodiscard]] Handle get() const { return handle_; }
    [[nodiscard]] bool valid() const { return Invalid::IsValid(handle_); }
    explicit operator bool() const { return valid(); }

    // Gives the handle up without closing it; the caller owns it from now on.
    [[nodiscard]] Handle release() {
        return std::exchange(handle_, Invalid::template Value<Handle>());
    }

    void reset(Handle handle = Invalid::template Value<Handle>()) {
        const Handle old = std::exchange(handle_, handle);
        if (Invalid::IsValid(old)) {
            static_cast<void>(Close(old));
        }
    }

private:
    Handle handle_ = Invalid::template Value<Handle>();
};
