#include "integration/InstallLogReader.h"

#include "integration/RegistryPath.h"

#include <optional>

namespace {

// The texts a line of form holds in place of its "%s" marks; nothing when the line is not of
// that form. The constant pieces between the texts are found first to last; the last one is
// looked for from the end, so that the final text (a path) is taken whole.
std::optional<std::vector<std::string>> MatchForm(std::string_view line, std::string_view form) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t mark = form.find("%s"); mark != std::string_view::npos;
         mark = form.find("%s", start)) {
        pieces.push_back(form.substr(start, mark - start));
        start = mark + 2;
    }
    pieces.push_back(form.substr(start));

    const std::string_view head = pieces.front();
    const std::string_view tail = pieces.back();
    if (pieces.size() == 1) {
        return line == form ? std::optional(std::vector<std::string>{}) : std::nullopt;
    }
    if (line.size() < head.size() + tail.size() || !line.starts_with(head) ||
        !line.ends_with(tail)) {
        return std::nullopt;
    }
    std::string_view rest = line.substr(head.size(), line.size() - head.size() - tail.size());
    std::vector<std::string> texts;
    for (std::size_t i = 1; i + 1 < pieces.size(); ++i) {
        const std::size_t at =
            i + 2 == pieces.size() ? rest.rfind(pieces[i]) : rest.find(pieces[i]);
        if (at == std::string_view::npos) {
            return std::nullopt;
        }
        texts.emplace_back(rest.substr(0, at));
        rest.remove_prefix(at + pieces[i].size());
    }
    texts.emplace_back(rest);
    return texts;
}

// The text after "<entry> " (entry already holds its own trailing blank where it has one).
std::optional<std::string> AfterEntry(std::string_view line, std::string_view entry) {
    if (line.size() <= entry.size() || !line.starts_with(entry) || line[entry.size()] != ' ') {
        return std::nullopt;
    }
    return std::string(line.substr(entry.size() + 1));
}

bool HasControlCharacter(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20) {
            return true;
        }
    }
    return false;
}

// An INI file named without any directory is the Windows directory's: the profile interface
// resolves it there, never against a current directory.
bool IsBareFileName(std::string_view name) {
    return !name.empty() && name.find_first_of("\\/:") == std::string_view::npos && name != "." &&
           name != ".." && !HasControlCharacter(name);
}

void Refuse(LogLine& line, std::string reason) {
    line.kind = LogLineKind::Refused;
    line.reason = std::move(reason);
}

bool Follows(const LogLine* previous, LogLineKind owner, LogLineKind sibling) {
    return previous != nullptr && (previous->kind == owner || previous->kind == sibling);
}

// Directory, copied and deleted file lines.
bool ReadFileLine(LogLine& line, const LogTexts& texts) {
    if (auto path = AfterEntry(line.text, texts.createdDirectory)) {
        line.kind = LogLineKind::CreatedDirectory;
        line.path = std::move(*path);
    } else if (auto file = AfterEntry(line.text, texts.copiedFile)) {
        line.kind = LogLineKind::CopiedFile;
        line.path = std::move(*file);
    } else if (auto name = AfterEntry(line.text, texts.deletedFile)) {
        line.kind = LogLineKind::DeletedFile;
        line.name = std::move(*name);
        return true;
    } else {
        return false;
    }
    if (!IsAbsolutePath(line.path)) {
        Refuse(line, "the path is not absolute");
    }
    return true;
}

// Group lines, and item lines, which belong to the group line above them.
bool ReadGroupLine(LogLine& line, const LogLine* previous, const LogTexts& texts) {
    const std::string_view text = line.text;
    if (auto group = AfterEntry(text, texts.createdGroup)) {
        line.kind = LogLineKind::CreatedGroup;
        line.group = std::move(*group);
        if (line.group.empty()) {
            Refuse(line, "the group has no name");
        }
        return true;
    }
    std::optional<std::string> item;
    if (!text.starts_with('\t') || !(item = AfterEntry(text.substr(1), texts.createdGroupItem))) {
        return false;
    }
    line.kind = LogLineKind::CreatedGroupItem;
    line.name = std::move(*item);
    if (!Follows(previous, LogLineKind::CreatedGroup, LogLineKind::CreatedGroupItem)) {
        Refuse(line, "no usable group line stands before the item");
    } else if (line.name.empty()) {
        Refuse(line, "the item has no name");
    } else {
        line.group = previous->group;
    }
    return true;
}

// Key lines, and value lines, which belong to the key line above them.
bool ReadRegistryLine(LogLine& line, const LogLine* previous, const LogTexts& texts) {
    if (auto key = MatchForm(line.text, texts.registryKey)) {
        line.kind = LogLineKind::RegistryKey;
        line.keyPath = std::move((*key)[0]);
        const std::optional<RegistryPathParts> parts = SplitRegistryPath(line.keyPath);
        const std::optional<std::size_t> root =
            parts ? FindRegistryRoot(parts->rootName, texts.rootNames) : std::nullopt;
        if (!root) {
            Refuse(line, "the key path names no registry root");
            return true;
        }
        line.root = static_cast<RegistryRoot>(*root);
        line.subKey = parts->subKey;
        return true;
    }
    auto value = MatchForm(line.text, texts.registryValue);
    if (!value) {
        return false;
    }
    line.kind = LogLineKind::RegistryValue;
    line.name = std::move((*value)[0]);
    if (!Follows(previous, LogLineKind::RegistryKey, LogLineKind::RegistryValue)) {
        Refuse(line, "no usable registry key line stands before the value");
        return true;
    }
    line.keyPath = previous->keyPath;
    line.root = previous->root;
    line.subKey = previous->subKey;
    return true;
}

bool ReadIniLine(LogLine& line, const LogTexts& texts) {
    auto entry = MatchForm(line.text, texts.iniEntry);
    if (!entry) {
        return false;
    }
    line.kind = LogLineKind::IniEntry;
    line.section = std::move((*entry)[0]);
    line.name = std::move((*entry)[1]);
    line.value = std::move((*entry)[2]);
    line.path = std::move((*entry)[3]);
    if (!IsAbsolutePath(line.path) && !IsBareFileName(line.path)) {
        Refuse(line, "the INI file's path is not absolute");
    }
    return true;
}

// Sorts one line after the header; previous is the line before it (the owner of a value or
// an item), null for the first.
void Classify(LogLine& line, const LogLine* previous, const LogTexts& texts) {
    if (line.text.empty()) {
        line.kind = LogLineKind::Blank;
    } else if (line.text.find('\0') != std::string::npos) {
        Refuse(line, "the line holds a NUL character");
    } else if (!ReadFileLine(line, texts) && !ReadGroupLine(line, previous, texts) &&
               !ReadRegistryLine(line, previous, texts) && !ReadIniLine(line, texts)) {
        line.kind = LogLineKind::Unknown;
    }
}

bool IsTitle(std::string_view line, const LogTexts& texts, std::string& productName) {
    std::optional<std::vector<std::string>> product = MatchForm(line, texts.title);
    if (!product || product->size() != 1) {
        return false;
    }
    productName = std::move((*product)[0]);
    return true;
}

} // namespace

bool IsAbsolutePath(std::string_view path) {
    std::string_view rest;
    if (path.size() >= 3 &&
        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
        path[1] == ':' && path[2] == '\\') {
        rest = path.substr(3);
    } else if (path.starts_with("\\\\")) {
        // "\\server\share": both names present.
        rest = path.substr(2);
        const std::size_t server = rest.find('\\');
        if (server == 0 || server == std::string_view::npos || server + 1 == rest.size() ||
            rest[server + 1] == '\\') {
            return false;
        }
    } else {
        return false;
    }
    if (HasControlCharacter(path)) {
        return false;
    }
    // No component may lead out of the place the path names.
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\\/");
        const std::string_view component = rest.substr(0, end);
        if (component == "." || component == "..") {
            return false;
        }
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    return true;
}

InstallLogRecord ReadInstallLog(std::span<const char> bytes, const LogTexts& texts) {
    InstallLogRecord record;
    const std::string_view input(bytes.data(), bytes.size());
    if (input.empty()) {
        record.refusal = "the log is empty";
        return record;
    }
    std::size_t start = 0;
    std::size_t number = 0;
    while (start < input.size()) {
        const std::size_t end = input.find('\n', start);
        const bool cut = end == std::string_view::npos;
        std::string_view text = input.substr(start, cut ? std::string_view::npos : end - start);
        if (!cut && text.ends_with('\r')) {
            text.remove_suffix(1);
        }
        start = cut ? input.size() : end + 1;
        ++number;

        if (number == 1) {
            if (cut || !IsTitle(text, texts, record.productName)) {
                record.refusal = "its first line is not the header of an install log";
                return record;
            }
            continue;
        }
        LogLine line;
        line.number = number;
        line.text = std::string(text);
        if (cut) {
            Refuse(line, "the line is cut: it has no line ending");
        } else if (number == 2) {
            line.kind = LogLineKind::Date;
        } else {
            Classify(line, record.lines.empty() ? nullptr : &record.lines.back(), texts);
        }
        record.lines.push_back(std::move(line));
    }
    return record;
}
