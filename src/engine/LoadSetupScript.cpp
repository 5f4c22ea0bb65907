#include "engine/LoadSetupScript.h"

#include "engine/FileOperations.h"
#include "script/ScriptLoader.h"

#include <span>

SetupScript LoadSetupScript(const char* scriptPath) {
    // Opened with no sharing: a locked script is offered to the user for retry.
    const std::string image = ReadWholeFile(scriptPath);
    return ParseSetupScript(
        std::span(reinterpret_cast<const std::uint8_t*>(image.data()), image.size()));
}
