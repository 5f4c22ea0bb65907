#include "script/ScriptChecksum.h"
#include "script/ScriptLoader.h"
#include "script/ScriptWriter.h"
#include "script/SetupError.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <vector>

// Any input either loads or is refused with a SetupError; one that loads and has nothing after
// the uninstall entry is written back byte for byte. An input whose first byte is even is
// taken as a body and given a valid version and checksum first, so that the fuzzer reaches the
// sections instead of stopping at the checksum.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> image;
    if (size > 0 && data[0] % 2 == 0) {
        const std::uint16_t checksum = ScriptChecksum(data + 1, size - 1);
        image = {1,
                 0,
                 0,
                 0,
                 static_cast<std::uint8_t>(checksum),
                 static_cast<std::uint8_t>(checksum >> 8)};
        image.insert(image.end(), data + 1, data + size);
    } else {
        image.assign(data, data + size);
    }
    try {
        std::size_t parsed = 0;
        const SetupScript script = ParseSetupScript(image, &parsed);
        if (parsed == image.size() && WriteSetupScript(script) != image) {
            std::abort();
        }
    } catch (const SetupError&) {
    }
    return 0;
}
