#include "ui/GuardedProcedures.h"

#include "resources/ResourceIds.h"
#include "resources/ResourceMessageBox.h"
#include "resources/ResourceText.h"

namespace {

FailureReport g_report = nullptr;

} // namespace

FailureReport SetFailureReport(FailureReport report) {
    const FailureReport previous = g_report;
    g_report = report;
    return previous;
}

void ReportFailure(std::uint32_t code) noexcept {
    if (g_report) {
        g_report(code);
        return;
    }
    // A program that never set a report: the failure is still told before the process ends.
    const std::string text = LoadResourceText(IDS_NOT_ALL_INSTALLED, 256);
    const std::string caption = LoadResourceText(IDS_SETUP_CAPTION, 256);
    SetupMessageBox(nullptr, text.c_str(), caption.c_str(), MB_OK);
    ExitProcess(0);
}
