#include "integration/InstallLogReader.h"
#include "integration/UndoPlan.h"
#include "script/ScriptModel.h"

#include <cstdlib>
#include <span>

// Any input is read as setuplog.txt and planned: a refused log gives no line and no step, and
// every step of a plan comes from a line of the log. The sanitizers check that reading stays
// inside the input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const char> input(reinterpret_cast<const char*>(data), size);
    const InstallLogRecord record = ReadInstallLog(input);
    if (!record.refusal.empty() && !record.lines.empty()) {
        std::abort();
    }
    SetupScript script;
    script.productName.Assign(record.productName);
    const UndoPlan plan = MakeUndoPlan(record, script, "C:\\PRODUCT\\SETUP.INF");
    if (!record.refusal.empty() && !plan.steps.empty()) {
        std::abort();
    }
    return 0;
}
