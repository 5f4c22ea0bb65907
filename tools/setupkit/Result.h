#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

// A fault in a product description: where it is and what is wrong. Printed as
// "FILE:LINE: field: problem"; line 0 stands for the file as a whole, an empty field for no
// particular key.
struct SourceError {
    std::string file;
    std::uint32_t line = 0;
    std::string field;
    std::string problem;

    // label, when given, comes after the place: "FILE:LINE: warning: field: problem".
    std::string Message(std::string_view label = {}) const {
        std::string message = file;
        if (line != 0) {
            message += ':' + std::to_string(line);
        }
        message += ": ";
        if (!label.empty()) {
            message += std::string(label) + ": ";
        }
        if (!field.empty()) {
            message += field + ": ";
        }
        return message + problem;
    }
};

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
