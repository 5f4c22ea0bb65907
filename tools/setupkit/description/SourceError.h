#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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
