#include "DescriptionWriter.h"
#include "ProductDescription.h"
#include "script/ScriptLoader.h"
#include "script/ScriptWriter.h"

#include <cstdlib>
#include <string_view>

// Any input either loads or is refused with a source error. A description that loads gives a
// script that loads again, and whose dump compiles back to the same bytes. Sources resolve
// against the sample product's folder, so the sample in the seed corpus loads whole.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Result<ProductDescription> loaded =
        ParseProductDescription(text, "fuzz.toml", SETUPKIT_FUZZ_SAMPLE_DIR);
    if (!loaded) {
        if (loaded.Error().problem.empty() && loaded.Error().line == 0) {
            std::abort();
        }
        return 0;
    }
    const std::vector<std::uint8_t> bytes = WriteSetupScript(loaded.Value().script);
    std::size_t parsed = 0;
    const SetupScript script = ParseSetupScript(bytes, &parsed);
    if (parsed != bytes.size()) {
        std::abort();
    }
    const Result<ProductDescription> again =
        ParseProductDescription(WriteProductDescription(script), "dump.toml", "/nonexistent");
    if (!again || WriteSetupScript(again.Value().script) != bytes) {
        std::abort();
    }
    return 0;
}
