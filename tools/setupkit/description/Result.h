#pragma once

#include "SourceError.h"

#include <utility>
#include <variant>

// A value or the source error that prevented it.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(SourceError error) : state_(std::move(error)) {}

    bool Ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return Ok(); }

    // Only when Ok().
    T& Value() { return std::get<T>(state_); }
    const T& Value() const { return std::get<T>(state_); }
    // Only when !Ok().
    const SourceError& Error() const { return std::get<SourceError>(state_); }

private:
    std::variant<T, SourceError> state_;
};
