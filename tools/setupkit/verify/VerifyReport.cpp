#include "verify/VerifyReport.h"

namespace {

std::string GroupCounts(const CheckGroup& group) {
    std::size_t faults = 0;
    for (const Finding& finding : group.findings) {
        faults += finding.severity == Severity::Fault;
    }
    const std::size_t warnings = group.findings.size() - faults;
    if (faults == 0) {
        return Counted(warnings, "warning");
    }
    return Counted(faults, "fault") + (warnings ? ", " + Counted(warnings, "warning") : "");
}

} // namespace

std::size_t VerifyReport::Count(Severity severity) const {
    std::size_t count = 0;
    for (const CheckGroup& group : groups) {
        for (const Finding& finding : group.findings) {
            count += finding.severity == severity;
        }
    }
    return count;
}

std::string Counted(std::size_t count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string FormatVerifyReport(const VerifyReport& report) {
    std::string out =
        "Disk set " + report.disks.string() + " (" + Counted(report.diskCount, "disk") + ")\n";
    for (const CheckGroup& group : report.groups) {
        if (group.findings.empty()) {
            out += group.title + ": " + group.summary + "\n";
            continue;
        }
        out += group.title + ": " + GroupCounts(group) + "\n";
        for (const Finding& finding : group.findings) {
            out += std::string(finding.severity == Severity::Fault ? "  fault: " : "  warning: ") +
                   finding.text + "\n";
        }
    }
    const std::size_t faults = report.Count(Severity::Fault);
    const std::size_t warnings = report.Count(Severity::Warning);
    std::string verdict = faults == 0 ? "sound" : "not sound: " + Counted(faults, "fault");
    if (warnings != 0) {
        verdict += (faults == 0 ? ", " : " and ") + Counted(warnings, "warning");
    }
    return out + verdict + "\n";
}
