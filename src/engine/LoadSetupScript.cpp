#include "engine/LoadSetupScript.h"

#include "engine/FileOperations.h"
#include "script/ScriptLoader.h"

#include <span>

Failure LoadSetupScript(const char* scriptPath, SetupScript& script) {
    // Opened with no sharing: a locked script is offered to the user for retry.
    std::string image;
    if (Failure failure = ReadWholeFile(scriptPath, image)) {
        return failure;
    }
    return ParseSetupScript(
        std::span(reinterpret_cast<const std::uint8_t*>(image.data()), image.size()), script);
}
