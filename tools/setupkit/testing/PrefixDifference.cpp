#include "testing/PrefixDifference.h"

#include "common/AsciiCase.h"
#include "testing/Lines.h"

#include <set>

namespace {

std::string WindowsPath(std::string_view relative) {
    if (relative.starts_with("./")) {
        relative.remove_prefix(2);
    }
    std::string path = "C:\\";
    for (const char c : relative) {
        path += c == '/' ? '\\' : c;
    }
    return path;
}

std::string RelativePath(std::string_view relative) {
    return std::string(relative.starts_with("./") ? relative.substr(2) : relative);
}

// "[HKEY_LOCAL_MACHINE\Software\X] "Name"="v"" -> "HKEY_LOCAL_MACHINE\Software\X: "Name"="v"".
std::string RegistryEntry(std::string_view entry) {
    if (!entry.starts_with("[")) {
        return std::string(entry);
    }
    const std::size_t close = entry.find("] ");
    if (close == std::string_view::npos) {
        return std::string(entry.substr(1, entry.size() - (entry.ends_with("]") ? 2 : 1)));
    }
    return std::string(entry.substr(1, close - 1)) + ": " + std::string(entry.substr(close + 2));
}

bool InStartMenu(std::string_view path) {
    return AsciiUpper(path).find("/START MENU/") != std::string::npos;
}

// Each "> ENTRY" (new) and "< ENTRY" (gone) line of a difference.
template <typename Visit> void ForEachChange(std::string_view text, Visit visit) {
    ForEachLine(text, [&](std::string_view line) {
        if (line.size() > 2 && (line[0] == '<' || line[0] == '>') && line[1] == ' ') {
            visit(line[0] == '>', line.substr(2));
        }
    });
}

} // namespace

bool PrefixDifference::Empty() const {
    return added.empty() && changed.empty() && removed.empty() && registryAdded.empty() &&
           registryRemoved.empty() && iniAdded.empty() && iniRemoved.empty();
}

PrefixDifference ReadPrefixDifference(
    std::string_view changes, std::string_view iniChanges,
    const std::function<std::optional<std::uint64_t>(const std::string&)>& sizeOf) {
    std::vector<std::string> newFiles;
    std::vector<std::string> goneFiles;
    PrefixDifference difference;
    ForEachChange(changes, [&](bool isNew, std::string_view entry) {
        if (entry.starts_with("file ")) {
            (isNew ? newFiles : goneFiles).push_back(RelativePath(entry.substr(5)));
        } else if (entry.starts_with("machine ") || entry.starts_with("user ")) {
            const std::string value = RegistryEntry(entry.substr(entry.find(' ') + 1));
            // Wine's own settings, which the driver makes for the programs it runs.
            if (value.starts_with("HKEY_CURRENT_USER\\Software\\Wine\\")) {
                return;
            }
            (isNew ? difference.registryAdded : difference.registryRemoved).push_back(value);
        }
    });
    ForEachChange(iniChanges, [&](bool isNew, std::string_view entry) {
        if (!entry.starts_with("ini ")) {
            return;
        }
        entry.remove_prefix(4);
        const std::size_t space = entry.find(" [");
        const std::string file = WindowsPath(entry.substr(0, space));
        const std::string rest =
            space == std::string_view::npos ? std::string() : std::string(entry.substr(space));
        (isNew ? difference.iniAdded : difference.iniRemoved).push_back(file + rest);
    });
    // A file in both lists was changed (its checksum differs).
    const std::set<std::string> gone(goneFiles.begin(), goneFiles.end());
    const std::set<std::string> made(newFiles.begin(), newFiles.end());
    for (const std::string& path : newFiles) {
        const bool wasThere = gone.contains(path);
        (wasThere ? difference.changed : difference.added)
            .push_back({WindowsPath(path), sizeOf(path)});
        if (!wasThere && InStartMenu(path)) {
            difference.startMenu.push_back(WindowsPath(path));
        }
    }
    for (const std::string& path : goneFiles) {
        if (!made.contains(path)) {
            difference.removed.push_back(WindowsPath(path));
        }
    }
    return difference;
}
