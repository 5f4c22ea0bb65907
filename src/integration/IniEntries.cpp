#include "integration/IniEntries.h"

#include "integration/InstallLog.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceText.h"

#include <windows.h>

namespace {

constexpr int kTextCapacity = 256;

// The profile interface reads a null key as "the whole section" and a null value as "remove
// the key"; an empty text stands for the null pointer.
const char* NullWhenEmpty(const FixedText& text) {
    return text.Empty() ? nullptr : text.CStr();
}

} // namespace

void WriteIniEntries(const SetupScript& script, InstallLog& log) {
    for (const IniEntry& entry : script.iniEntries) {
        WritePrivateProfileStringA(entry.section.CStr(), NullWhenEmpty(entry.key),
                                   NullWhenEmpty(entry.value), entry.file.CStr());
        log.Line(FormatResourceText(IDS_LOG_INI_ENTRY, kTextCapacity, entry.section.CStr(),
                                    entry.key.CStr(), entry.value.CStr(), entry.file.CStr()));
    }
}
