#pragma once

#include "script/ScriptModel.h"
#include "script/SetupError.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

inline constexpr std::uint32_t kScriptFormatVersion = 1;
inline constexpr std::size_t kScriptHeaderSize = 6;

// What was wrong with a script image that was refused, for the authoring tool's message
// (DescribeScriptFault): the numbers its text names.
struct ScriptFault {
    enum class Kind {
        None,
        Version,     // first: the version word
        Checksum,    // first: the stored checksum, second: the computed one
        Short,       // first: the image size, second: where the field that ends early starts
        UnknownItem, // first: the component's number from 1, second: the item it names,
                     // third: the number of install items
    } kind = Kind::None;
    std::size_t first = 0;
    std::size_t second = 0;
    std::size_t third = 0;
};

// Verifies the version word and the checksum, then reads the body in one forward pass into
// script. Fails with SetupError 8000 when the version or checksum is wrong, when the image
// ends before its fields do, or when a component names an install item that does not exist;
// fault, when given, receives what was wrong. Bytes after the uninstall entry are ignored;
// parsedLength, when given, receives the offset where the uninstall entry ended (a script with
// nothing after it is reproduced byte for byte by WriteSetupScript).
Failure ParseSetupScript(std::span<const std::uint8_t> image, SetupScript& script,
                         std::size_t* parsedLength = nullptr, ScriptFault* fault = nullptr);

// The fault as a sentence, as the authoring tool reports it.
std::string DescribeScriptFault(const ScriptFault& fault);

#if __cpp_exceptions
// For the authoring tool and the tests, which run with exceptions: what the throwing
// ParseSetupScript throws, with the fault told.
class ScriptRefused : public SetupError {
public:
    ScriptRefused(const SetupError& error, std::string text)
        : SetupError(error), text_(std::move(text)) {}

    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// The script, or the ScriptRefused thrown.
inline SetupScript ParseSetupScript(std::span<const std::uint8_t> image,
                                    std::size_t* parsedLength = nullptr) {
    SetupScript script;
    ScriptFault fault;
    if (Failure failure = ParseSetupScript(image, script, parsedLength, &fault)) {
        throw ScriptRefused(*failure, DescribeScriptFault(fault));
    }
    return script;
}
#endif
