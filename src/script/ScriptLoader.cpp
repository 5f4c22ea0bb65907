#include "script/ScriptLoader.h"

#include "common/ResetInPlace.h"
#include "script/ScriptChecksum.h"
#include "script/ScriptReader.h"
#include "script/ScriptRecords.h"
#include "script/SetupError.h"

#include <string>

namespace {

// Reads each field of the records into place (script_records' Io).
class FieldReader {
public:
    static constexpr bool kReading = true;

    explicit FieldReader(ScriptReader& in) : in_(in) {}

    template <typename T> void Byte(T& field) { field = static_cast<T>(in_.ReadByte()); }
    template <typename T> void Word(T& field) { field = static_cast<T>(in_.ReadWord()); }
    template <typename T> void Dword(T& field) { field = static_cast<T>(in_.ReadDword()); }
    void Text(FixedText& field) { in_.ReadText(field); }
    void Text(TextBlock& block) { block = in_.ReadTextAlloc(); }

    // Records are appended as they are read, so a count that the image cannot back is refused
    // at the end of the image instead of allocated up front.
    template <typename T, typename ReadOne> void ByteList(std::vector<T>& list, ReadOne readOne) {
        Records(in_.ReadByte(), list, readOne);
    }
    template <typename T, typename ReadOne> void WordList(std::vector<T>& list, ReadOne readOne) {
        Records(in_.ReadWord(), list, readOne);
    }

private:
    template <typename T, typename ReadOne>
    void Records(std::size_t count, std::vector<T>& list, ReadOne readOne) {
        list.clear();
        for (std::size_t i = 0; i < count && !in_.Failed(); ++i) {
            readOne(list.emplace_back());
        }
    }

    ScriptReader& in_;
};

// Each component's files: they must name install items; each gains a count (an item of no
// component keeps kInstallAlways) and adds its size to the component's total.
Failure CountComponentFiles(SetupScript& s, ScriptFault& fault) {
    for (std::size_t number = 1; number <= s.components.size(); ++number) {
        Component& component = s.components[number - 1];
        for (const std::uint32_t index : component.files) {
            if (index >= s.installItems.size()) {
                fault = {ScriptFault::Kind::UnknownItem, number, index, s.installItems.size()};
                return SetupError(kErrorBadScript, "a component names no install item");
            }
            InstallItem& item = s.installItems[index];
            component.totalSize += item.size;
            if (item.installCount == kInstallAlways) {
                item.installCount = 0;
            }
            ++item.installCount;
        }
    }
    return std::nullopt;
}

Failure VerifyHeader(ScriptReader& in, std::span<const std::uint8_t> image, ScriptFault& fault) {
    const std::uint32_t version = in.ReadDword();
    if (in.Failed()) {
        return std::nullopt; // reported as the short script it is
    }
    if (version != kScriptFormatVersion) {
        fault = {ScriptFault::Kind::Version, version};
        return SetupError(kErrorBadScript, "another format version");
    }
    const std::uint16_t stored = in.ReadWord();
    if (in.Failed()) {
        return std::nullopt;
    }
    const std::uint16_t computed =
        ScriptChecksum(image.data() + kScriptHeaderSize, image.size() - kScriptHeaderSize);
    if (stored != computed) {
        fault = {ScriptFault::Kind::Checksum, stored, computed};
        return SetupError(kErrorBadScript, "checksum mismatch");
    }
    return std::nullopt;
}

} // namespace

Failure ParseSetupScript(std::span<const std::uint8_t> image, SetupScript& script,
                         std::size_t* parsedLength, ScriptFault* fault) {
    ResetInPlace(script);
    ScriptFault ownFault;
    ScriptFault& why = fault ? *fault : ownFault;
    ScriptReader in(image);
    if (Failure failure = VerifyHeader(in, image, why)) {
        return failure;
    }
    FieldReader fields(in);
    script_records::Body(fields, script);
    if (in.Failed()) {
        why = {ScriptFault::Kind::Short, image.size(), in.FailedField()};
        return SetupError(kErrorBadScript, "the script ends in the middle of a field");
    }
    if (Failure failure = CountComponentFiles(script, why)) {
        return failure;
    }
    if (parsedLength) {
        *parsedLength = in.Offset();
    }
    return std::nullopt;
}

std::string DescribeScriptFault(const ScriptFault& fault) {
    const std::string first = std::to_string(fault.first);
    const std::string second = std::to_string(fault.second);
    switch (fault.kind) {
    case ScriptFault::Kind::Version:
        return "format version is " + first + ", not 1";
    case ScriptFault::Kind::Checksum:
        return "checksum mismatch (stored " + first + ", computed " + second + ")";
    case ScriptFault::Kind::Short:
        return "the script ends at byte " + first +
               " in the middle of a field that starts at byte " + second;
    case ScriptFault::Kind::UnknownItem:
        return "component " + first + " names install item " + second +
               " but the script has only " + std::to_string(fault.third);
    case ScriptFault::Kind::None:
        break;
    }
    return {};
}
