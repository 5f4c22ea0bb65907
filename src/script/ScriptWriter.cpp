#include "script/ScriptWriter.h"

#include "script/ScriptChecksum.h"
#include "script/ScriptLoader.h"
#include "script/ScriptRecords.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <stdexcept>

namespace {

constexpr std::size_t kMaxByteCount = 0xFF;
constexpr std::size_t kMaxWordCount = 0xFFFF;

// Writes each field of the records (script_records' Io), little-endian.
class ScriptBytes {
public:
    static constexpr bool kReading = false;

    void Byte(std::uint32_t value) { bytes_.push_back(static_cast<std::uint8_t>(value)); }
    void Word(std::uint32_t value) {
        Byte(value & 0xFF);
        Byte((value >> 8) & 0xFF);
    }
    void Dword(std::uint32_t value) {
        Word(value & 0xFFFF);
        Word(value >> 16);
    }
    void Text(const FixedText& text) {
        const std::string_view stored = text.Stored();
        Byte(static_cast<std::uint32_t>(stored.size()));
        bytes_.insert(bytes_.end(), stored.begin(), stored.end());
    }
    void Text(const TextBlock& block) { Text(block ? *block : FixedText{}); }

    template <typename T, typename WriteOne>
    void ByteList(const std::vector<T>& list, WriteOne writeOne) {
        Byte(static_cast<std::uint32_t>(list.size()));
        for (const T& element : list) {
            writeOne(element);
        }
    }
    template <typename T, typename WriteOne>
    void WordList(const std::vector<T>& list, WriteOne writeOne) {
        Word(static_cast<std::uint32_t>(list.size()));
        for (const T& element : list) {
            writeOne(element);
        }
    }

    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

template <typename List>
void CheckCount(std::vector<std::string>& problems, const List& list, std::size_t limit,
                const std::string& what) {
    if (list.size() > limit) {
        problems.push_back(what + ": " + std::to_string(list.size()) + " entries, at most " +
                           std::to_string(limit) + " fit");
    }
}

} // namespace

std::vector<std::string> CheckScriptCounts(const SetupScript& s) {
    std::vector<std::string> problems;
    CheckCount(problems, s.diskLabels, kMaxByteCount, "disk labels");
    CheckCount(problems, s.directories, kMaxByteCount, "directories");
    CheckCount(problems, s.programGroups, kMaxByteCount, "program groups");
    CheckCount(problems, s.programItems, kMaxByteCount, "program items");
    CheckCount(problems, s.installItems, kMaxWordCount, "install items");
    CheckCount(problems, s.finalPrograms, kMaxByteCount, "final programs");
    CheckCount(problems, s.registryKeys, kMaxWordCount, "registry keys");
    for (const RegistryKey& key : s.registryKeys) {
        CheckCount(problems, key.values, kMaxWordCount,
                   "values of registry key " + key.keyPath.Str());
    }
    CheckCount(problems, s.components, kMaxByteCount, "components");
    for (const Component& component : s.components) {
        CheckCount(problems, component.files, kMaxWordCount,
                   "files of component " + component.name.Str());
        for (std::uint32_t index : component.files) {
            if (index > kMaxWordCount) {
                problems.push_back("component " + component.name.Str() + " names install item " +
                                   std::to_string(index) + ", beyond the format's range");
            }
        }
    }
    CheckCount(problems, s.iniEntries, kMaxByteCount, "INI entries");
    CheckCount(problems, s.systemChangesFirst, kMaxByteCount, "first system-file changes");
    CheckCount(problems, s.systemChangesSecond, kMaxByteCount, "second system-file changes");
    return problems;
}

std::vector<std::uint8_t> WriteSetupScript(const SetupScript& script) {
    const std::vector<std::string> problems = CheckScriptCounts(script);
    if (!problems.empty()) {
#if __cpp_exceptions
        throw std::length_error("the script cannot be written: " + problems.front());
#else
        std::abort(); // the programs never write a script
#endif
    }
    ScriptBytes body;
    script_records::Body(body, script);
    const std::vector<std::uint8_t> bytes = body.Take();

    ScriptBytes image;
    image.Dword(kScriptFormatVersion);
    image.Word(ScriptChecksum(bytes.data(), bytes.size()));
    std::vector<std::uint8_t> file = image.Take();
    file.reserve(file.size() + bytes.size());
    std::copy(bytes.begin(), bytes.end(), std::back_inserter(file));
    return file;
}
