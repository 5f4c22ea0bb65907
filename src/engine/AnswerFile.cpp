#include "engine/AnswerFile.h"

#include "common/AsciiCase.h"
#include "common/TextJoin.h"
#include "engine/Accounting.h"

#include <optional>

namespace {

constexpr std::string_view kSetupSection = "Setup";
constexpr std::string_view kComponentsSection = "Components";

struct SetupKeys {
    static constexpr std::string_view kDestination = "Destination";
    static constexpr std::string_view kSetupType = "SetupType";
    static constexpr std::string_view kProgramGroup = "ProgramGroup";
    static constexpr std::string_view kGroupName = "GroupName";
    static constexpr std::string_view kFileExists = "FileExists";
    static constexpr std::string_view kStartPrograms = "StartPrograms";
};

constexpr std::size_t kMaxTextLength = FixedText::kMaxLength;

struct SetupTypeName {
    std::uint32_t type;
    std::string_view name;
};

constexpr SetupTypeName kSetupTypeNames[] = {
    {kSetupTypical, "Typical"},
    {kSetupMinimal, "Minimal"},
    {kSetupCustom, "Custom"},
};

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

bool IsOffered(const SetupScript& script, std::uint32_t type) {
    switch (type) {
    case kSetupTypical:
        return script.typicalOffered != 0;
    case kSetupMinimal:
        return script.minimalOffered != 0;
    case kSetupCustom:
        return script.customOffered != 0;
    default:
        return false;
    }
}

bool OffersAnyType(const SetupScript& script) {
    return script.typicalOffered || script.minimalOffered || script.customOffered;
}

// The types an answer may name: those offered, or Typical alone when none is.
bool IsAnswerable(const SetupScript& script, std::uint32_t type) {
    return IsOffered(script, type) || (!OffersAnyType(script) && type == kSetupTypical);
}

std::vector<std::string_view> AnswerableTypeNames(const SetupScript& script) {
    std::vector<std::string_view> names;
    for (const SetupTypeName& entry : kSetupTypeNames) {
        if (IsAnswerable(script, entry.type)) {
            names.push_back(entry.name);
        }
    }
    return names;
}

// "Typical, Custom" with the separator ", "; "Typical, Minimal or Custom" with " or ".
std::string JoinNames(const std::vector<std::string_view>& names, std::string_view lastSeparator) {
    std::string joined;
    for (std::size_t index = 0; index < names.size(); ++index) {
        if (index > 0) {
            joined += index + 1 == names.size() ? lastSeparator : ", ";
        }
        joined += names[index];
    }
    return joined;
}

// The type the setup-type page first shows: Typical, else the first type offered.
std::uint32_t DefaultSetupType(const SetupScript& script) {
    for (const SetupTypeName& entry : kSetupTypeNames) {
        if (IsOffered(script, entry.type)) {
            return entry.type;
        }
    }
    return kSetupTypical;
}

bool IsAbsoluteWindowsPath(std::string_view path) {
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (path.size() >= 3 && isLetter(path[0]) && path[1] == ':' && path[2] == '\\') {
        return true;
    }
    if (!path.starts_with("\\\\")) {
        return false;
    }
    const std::string_view serverAndShare = path.substr(2);
    const std::size_t separator = serverAndShare.find('\\');
    return separator != std::string_view::npos && separator > 0 &&
           separator + 1 < serverAndShare.size() && serverAndShare[separator + 1] != '\\';
}

// -- Reading ----------------------------------------------------------------------------------

// What is wrong with the file: the first fault found, as ReadAnswers reports it; empty while
// none is. The readers below return at once once it is set.
using Fault = std::string;

void Fail(Fault& fault, std::string_view section, std::string_view key, std::string_view problem) {
    if (!fault.empty()) {
        return;
    }
    fault = Joined({"[", section, "]", key.empty() ? "" : " ", key, ": ", problem});
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

// The key=value lines of a section, trimmed; a key given twice is a fault.
std::vector<KeyValue> KeyValuesOf(const IniSection& section, Fault& fault) {
    std::vector<KeyValue> entries;
    for (const std::string& line : section.lines) {
        const std::string_view trimmed = TrimBlanks(line);
        if (trimmed.empty() || trimmed.front() == ';') {
            continue;
        }
        const std::size_t equals = trimmed.find('=');
        if (equals == std::string_view::npos || TrimBlanks(trimmed.substr(0, equals)).empty()) {
            Fail(fault, section.name, trimmed, "expected Key=value");
            return {};
        }
        const KeyValue entry{TrimBlanks(trimmed.substr(0, equals)),
                             TrimBlanks(trimmed.substr(equals + 1))};
        for (const KeyValue& earlier : entries) {
            if (SameAsciiText(earlier.key, entry.key)) {
                Fail(fault, section.name, entry.key, "given twice");
                return {};
            }
        }
        entries.push_back(entry);
    }
    return entries;
}

bool YesOrNo(std::string_view section, const KeyValue& entry, Fault& fault) {
    if (SameAsciiText(entry.value, "yes")) {
        return true;
    }
    if (!SameAsciiText(entry.value, "no")) {
        Fail(fault, section, entry.key, Joined({"expected yes or no, not \"", entry.value, "\""}));
    }
    return false;
}

FileExistsAnswer KeepOrReplace(std::string_view section, const KeyValue& entry, Fault& fault) {
    if (SameAsciiText(entry.value, "replace")) {
        return FileExistsAnswer::Replace;
    }
    if (!SameAsciiText(entry.value, "keep")) {
        Fail(fault, section, entry.key,
             Joined({"expected keep or replace, not \"", entry.value, "\""}));
    }
    return FileExistsAnswer::Keep;
}

std::uint32_t OfferedSetupType(std::string_view section, const KeyValue& entry,
                               const SetupScript& script, Fault& fault) {
    for (const SetupTypeName& type : kSetupTypeNames) {
        if (!SameAsciiText(entry.value, type.name)) {
            continue;
        }
        if (!IsAnswerable(script, type.type)) {
            const std::string offered =
                OffersAnyType(script)
                    ? Joined({"it offers ", JoinNames(AnswerableTypeNames(script), ", ")})
                    : "it offers no type; Typical is taken";
            Fail(fault, section, entry.key,
                 Joined({type.name, " is not offered by this product (", offered, ")"}));
        }
        return type.type;
    }
    Fail(fault, section, entry.key,
         Joined({"expected Typical, Minimal or Custom, not \"", entry.value, "\""}));
    return 0;
}

void TooLong(Fault& fault, std::string_view section, const KeyValue& entry) {
    Fail(fault, section, entry.key,
         Joined({std::to_string(entry.value.size()), " characters, at most 255 are allowed"}));
}

std::string Destination(std::string_view section, const KeyValue& entry, Fault& fault) {
    if (entry.value.empty()) {
        return {};
    }
    if (!IsAbsoluteWindowsPath(entry.value)) {
        Fail(fault, section, entry.key,
             "expected an absolute path (C:\\... or \\\\server\\share\\...)");
    } else if (entry.value.size() > kMaxTextLength) {
        TooLong(fault, section, entry);
    }
    return std::string(entry.value);
}

std::string GroupName(std::string_view section, const KeyValue& entry, const SetupScript& script,
                      Fault& fault) {
    const std::size_t groups = script.programGroups.size();
    if (groups != 1) {
        Fail(fault, section, entry.key,
             Joined({"the product has ", std::to_string(groups),
                     " program groups; a name can only be given when it has one"}));
    } else if (entry.value.size() > kMaxTextLength) {
        TooLong(fault, section, entry);
    }
    return std::string(entry.value);
}

void ReadSetupKey(std::string_view section, const KeyValue& entry, const SetupScript& script,
                  Answers& answers, Fault& fault) {
    using K = SetupKeys;
    if (SameAsciiText(entry.key, K::kDestination)) {
        answers.destination = Destination(section, entry, fault);
    } else if (SameAsciiText(entry.key, K::kSetupType)) {
        answers.setupType = OfferedSetupType(section, entry, script, fault);
    } else if (SameAsciiText(entry.key, K::kProgramGroup)) {
        answers.createGroups = YesOrNo(section, entry, fault);
    } else if (SameAsciiText(entry.key, K::kGroupName)) {
        answers.groupName = GroupName(section, entry, script, fault);
    } else if (SameAsciiText(entry.key, K::kFileExists)) {
        answers.fileExists = KeepOrReplace(section, entry, fault);
    } else if (SameAsciiText(entry.key, K::kStartPrograms)) {
        answers.startPrograms = YesOrNo(section, entry, fault);
    } else {
        Fail(fault, section, entry.key, "unknown key");
    }
}

// The index of the component named name; nothing (and a fault) when there is not exactly one.
std::optional<std::size_t> ComponentIndex(std::string_view section, std::string_view name,
                                          const SetupScript& script, Fault& fault) {
    std::vector<std::size_t> matches;
    for (std::size_t index = 0; index < script.components.size(); ++index) {
        if (SameAsciiText(script.components[index].name.View(), name)) {
            matches.push_back(index);
        }
    }
    if (matches.empty()) {
        Fail(fault, section, name, "the product has no component of this name");
        return std::nullopt;
    }
    if (matches.size() > 1) {
        Fail(fault, section, name, "the product has several components of this name");
        return std::nullopt;
    }
    return matches.front();
}

void ReadComponents(const IniSection& section, const SetupScript& script, Answers& answers,
                    Fault& fault) {
    const std::vector<KeyValue> entries = KeyValuesOf(section, fault);
    if (!entries.empty() && answers.setupType != kSetupCustom) {
        Fail(fault, section.name, "", "only read for SetupType=Custom");
    }
    for (const KeyValue& entry : entries) {
        if (!fault.empty()) {
            return;
        }
        if (const std::optional<std::size_t> index =
                ComponentIndex(section.name, entry.key, script, fault)) {
            answers.components[*index] = YesOrNo(section.name, entry, fault);
        }
    }
}

// The [Setup] and [Components] sections, each at most once; any other is a fault.
struct KnownSections {
    const IniSection* setup = nullptr;
    const IniSection* components = nullptr;
};

KnownSections FindSections(const std::vector<IniSection>& sections, Fault& fault) {
    KnownSections known;
    for (const IniSection& section : sections) {
        const IniSection** slot = nullptr;
        if (SameAsciiText(section.name, kSetupSection)) {
            slot = &known.setup;
        } else if (SameAsciiText(section.name, kComponentsSection)) {
            slot = &known.components;
        } else {
            Fail(fault, section.name, "", "unknown section");
            return known;
        }
        if (*slot) {
            Fail(fault, section.name, "", "section given twice");
            return known;
        }
        *slot = &section;
    }
    return known;
}

} // namespace

AnswersOrError ReadAnswers(const std::vector<IniSection>& sections, const SetupScript& script) {
    AnswersOrError result;
    result.answers = DefaultAnswers(script);
    Fault fault;
    const KnownSections known = FindSections(sections, fault);
    if (known.setup && fault.empty()) {
        for (const KeyValue& entry : KeyValuesOf(*known.setup, fault)) {
            ReadSetupKey(known.setup->name, entry, script, result.answers, fault);
            if (!fault.empty()) {
                break;
            }
        }
    }
    result.answers.components.assign(
        result.answers.setupType == kSetupCustom ? script.components.size() : 0, true);
    if (known.components && fault.empty()) {
        ReadComponents(*known.components, script, result.answers, fault);
    }
    if (!fault.empty()) {
        result.answers = Answers{};
        result.error = fault;
    }
    return result;
}

std::vector<IniSection> SplitIniText(std::string_view text) {
    std::vector<IniSection> sections;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = TrimBlanks(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            sections.push_back({std::string(TrimBlanks(line.substr(1, close - 1))), {}});
        } else if (!sections.empty()) {
            // As the profile functions do, lines before the first section belong to none.
            sections.back().lines.push_back(std::string(line));
        }
    }
    return sections;
}

// -- Writing ----------------------------------------------------------------------------------

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The text of an answer file, line by line.
class AnswerText {
public:
    explicit AnswerText(bool commented) : commented_(commented) {}

    void Comment(std::string_view text) {
        if (commented_) {
            text_ += Joined({"; ", text, kLineEnd});
        }
    }
    void Section(std::string_view name) {
        text_ += Joined({text_.empty() ? "" : kLineEnd, "[", name, "]", kLineEnd});
    }
    // A key the reader would refuse is written as a comment, or left out without comments.
    void Key(std::string_view key, std::string_view value, bool active = true) {
        if (active || commented_) {
            text_ += Joined({active ? "" : ";", key, "=", value, kLineEnd});
        }
    }
    std::string Take() { return std::move(text_); }

private:
    bool commented_;
    std::string text_;
};

std::string_view YesNo(bool yes) {
    return yes ? "yes" : "no";
}

void WriteSetupKeys(AnswerText& out, const Answers& answers, const SetupScript& script,
                    std::uint32_t setupType) {
    using K = SetupKeys;
    const bool named = !script.directories.empty();
    out.Comment(
        Joined({"The destination directory: a full path, C:\\... or \\\\server\\share\\..., "
                "at most 255 characters. Default (empty): the product's",
                named ? ", " : "", named ? script.directories.front().templatePath.View() : ""}));
    out.Key(K::kDestination, answers.destination);
    out.Comment(Joined({"The setup type: ", JoinNames(AnswerableTypeNames(script), " or "),
                        ". Default: ", SetupTypeNameOf(DefaultSetupType(script))}));
    out.Key(K::kSetupType, SetupTypeNameOf(setupType));
    out.Comment("Create the program groups: yes or no. Default: yes");
    out.Key(K::kProgramGroup, YesNo(answers.createGroups));
    if (script.programGroups.size() == 1) {
        out.Comment(Joined({"The name of the program group. Default (empty): the product's, ",
                            TextOf(script.programGroups.front())}));
        out.Key(K::kGroupName, answers.groupName);
    }
    out.Comment("A file at the destination newer than the product's: keep or replace. "
                "Default: keep");
    out.Key(K::kFileExists, answers.fileExists == FileExistsAnswer::Keep ? "keep" : "replace");
    out.Comment("Start the programs the installation ends with: yes or no. Default: no");
    out.Key(K::kStartPrograms, YesNo(answers.startPrograms));
}

void WriteComponentKeys(AnswerText& out, const Answers& answers, const SetupScript& script,
                        bool custom) {
    out.Comment("Only read for SetupType=Custom: each component by its name, yes to install "
                "it or no. Default: yes");
    if (!custom) {
        out.Comment("For SetupType=Custom, remove the ; before the keys to use them.");
    }
    for (std::size_t index = 0; index < script.components.size(); ++index) {
        const Component& component = script.components[index];
        if (component.name.Empty()) {
            continue; // no answer can name it: it keeps the default
        }
        if (!component.description.Empty()) {
            out.Comment(Joined({component.name.View(), ": ", component.description.View()}));
        }
        const bool selected = index < answers.components.size() ? answers.components[index] : true;
        out.Key(component.name.View(), YesNo(selected), custom);
    }
}

} // namespace

std::string WriteAnswers(const Answers& answers, const SetupScript& script, bool commented) {
    const std::uint32_t setupType =
        answers.setupType != 0 ? answers.setupType : DefaultSetupType(script);
    const bool custom = setupType == kSetupCustom;
    AnswerText out(commented);
    out.Comment(
        Joined({"Answers for an unattended installation of ", script.productName.View(), "."}));
    out.Comment("A key left out takes its default.");
    out.Section(kSetupSection);
    WriteSetupKeys(out, answers, script, setupType);
    if (commented || (custom && !script.components.empty())) {
        out.Section(kComponentsSection);
        WriteComponentKeys(out, answers, script, custom);
    }
    return out.Take();
}

Answers DefaultAnswers(const SetupScript& script) {
    Answers answers;
    answers.setupType = DefaultSetupType(script);
    if (answers.setupType == kSetupCustom) {
        answers.components.assign(script.components.size(), true);
    }
    return answers;
}

std::string_view SetupTypeNameOf(std::uint32_t type) {
    for (const SetupTypeName& entry : kSetupTypeNames) {
        if (entry.type == type) {
            return entry.name;
        }
    }
    return "Typical";
}
