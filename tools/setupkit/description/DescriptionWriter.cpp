#include "DescriptionWriter.h"

#include "TomlWriter.h"

namespace {

// Comments must be valid UTF-8 without controls; a file name is shown as plain ASCII.
std::string CommentSafe(std::string_view text) {
    std::string safe;
    for (char c : text) {
        safe += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return safe;
}

} // namespace

std::string WriteProductDescription(const SetupScript& script, std::string_view origin) {
    TomlWriter out;
    out.Comment(origin.empty() ? "Product description written by setupkit dump."
                               : "Product description of " + CommentSafe(origin) +
                                     ", written by setupkit dump.");
    out.Comment("setupkit compile turns it back into the same script, byte for byte.");
    const ItemReferences references(script);
    WriteHeader(out, script);
    WriteDisks(out, script);
    WriteDirectories(out, script);
    WritePrograms(out, script);
    WriteInstallItems(out, script, references);
    WriteFinalPrograms(out, script);
    WriteRegistry(out, script);
    WriteComponents(out, script, references);
    WriteSetupTypes(out, script);
    WriteIniAndSystemChanges(out, script);
    WriteUninstall(out, script);
    return out.Take();
}
