#include "RegistryKeyCheck.h"

#include "integration/RegistryPath.h"

namespace {

std::string KnownRoots() {
    std::string known;
    for (const std::string& name : RegistryRootNames()) {
        known += (known.empty() ? "" : ", ") + name;
    }
    return known;
}

} // namespace

std::optional<std::string> RegistryKeyPathProblem(std::string_view keyPath) {
    if (keyPath.empty() || keyPath.front() != '[' || keyPath.back() != ']' || keyPath.size() < 2) {
        return "write the key in brackets, as [HKEY_LOCAL_MACHINE\\SOFTWARE\\Name]: SETUP.EXE "
               "skips the first character whatever it is";
    }
    if (keyPath.find(']') != keyPath.size() - 1) {
        return "a ] before the end cuts the key there";
    }
    const std::optional<RegistryPathParts> parts = SplitRegistryPath(keyPath);
    if (!parts) {
        return "no root key is named (" + KnownRoots() + ")";
    }
    if (!FindRegistryRoot(parts->rootName, RegistryRootNames())) {
        return "unknown root key \"" + parts->rootName + "\" (known: " + KnownRoots() +
               "; abbreviations such as HKLM are not)";
    }
    if (parts->subKey.starts_with('\\') || parts->subKey.find("\\\\") != std::string::npos) {
        return "a part of the sub-key is empty (two backslashes in a row)";
    }
    return std::nullopt;
}
