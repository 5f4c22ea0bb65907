#include "ui/GuardedProcedures.h"

#include "resources/ResourceIds.h"
#include "resources/ResourceMessageBox.h"
#include "resources/ResourceText.h"
#include "script/SetupError.h"

#include <new>

namespace {

FailureReport g_report = nullptr;

// Reached only when no report is set (a program that never set one): the failure is still
// told before the process ends.
[[noreturn]] void ReportWithoutShell() noexcept {
    try {
        const std::string text = LoadResourceText(IDS_NOT_ALL_INSTALLED, 256);
        const std::string caption = LoadResourceText(IDS_SETUP_CAPTION, 256);
        SetupMessageBox(nullptr, text.c_str(), caption.c_str(), MB_OK);
    } catch (...) {
    }
    ExitProcess(0);
}

std::uint32_t CaughtCode() noexcept {
    try {
        throw;
    } catch (const SetupError& error) {
        return error.code();
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    } catch (...) {
        return kUnexpectedFailure;
    }
}

} // namespace

FailureReport SetFailureReport(FailureReport report) {
    const FailureReport previous = g_report;
    g_report = report;
    return previous;
}

void ReportCaughtException() noexcept {
    const std::uint32_t code = CaughtCode();
    if (!g_report) {
        ReportWithoutShell();
    }
    try {
        g_report(code);
    } catch (...) {
        // The report itself failed (its own boxes could not be shown): end as it would have.
        ReportWithoutShell();
    }
}
