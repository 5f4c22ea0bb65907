#include "integration/RemovalRecord.h"
#include "integration/UndoPlan.h"

#include <cstdlib>
#include <string>
#include <string_view>

// Any input is read as a removal record; one that reads is written again to the same text's
// meaning (reading the written form gives the same written form) and planned: every step
// names an element the record has. The sanitizers check that reading stays inside the input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string error;
    const std::optional<RemovalRecord> record = ParseRemovalRecord(input, error);
    if (!record) {
        return 0;
    }
    const std::string written = FormatRemovalRecord(*record);
    const std::optional<RemovalRecord> again = ParseRemovalRecord(written, error);
    if (!again || FormatRemovalRecord(*again) != written) {
        std::abort();
    }
    const UndoPlan plan = MakeUndoPlan(*record, "C:\\PRODUCT");
    for (const UndoStep& step : plan.steps) {
        const bool named =
            step.kind != UndoStepKind::RemoveFile || step.index < record->files.size();
        if (!named) {
            std::abort();
        }
    }
    return 0;
}
