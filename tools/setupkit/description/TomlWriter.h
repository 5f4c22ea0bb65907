#pragma once

// How dump writes a product description: TOML text and the references between entries.
// Each section's writer lies beside its reader (HeaderSection.cpp, ...). Internal to the
// description library.

#include "DescriptionNames.h"
#include "script/ScriptModel.h"

#include <cstdint>
#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A TOML string holding the ANSI text. Controls, the C1 code points of the undefined bytes and
// the invisible no-break space and soft hyphen are escaped so the dump shows every byte; a
// text with line breaks is written as a multi-line string.
std::string TomlString(std::string_view stored);
std::string TomlString(const FixedText& text);
std::string TomlString(const TextBlock& block);
std::string FlagValue(std::uint32_t value);
std::string NamedOrNumber(std::span<const NamedValue> names, std::uint32_t value);
// A directory by its id ("dirN") where it exists, else by number.
std::string DirectoryReference(const SetupScript& s, std::uint32_t number);
// A group by its name where that name is unique and not empty, else by number.
std::string GroupReference(const SetupScript& s, std::uint32_t number);

class TomlWriter {
public:
    void Comment(std::string_view text) { out_ += "# " + std::string(text) + "\n"; }
    void Table(std::string_view name) { Header("[" + std::string(name) + "]"); }
    void ArrayTable(std::string_view name) { Header("[[" + std::string(name) + "]]"); }
    void Value(std::string_view key, const std::string& value) {
        out_ += std::string(key) + " = " + value + "\n";
    }
    void Text(std::string_view key, const FixedText& text) { Value(key, TomlString(text)); }
    void TextIfAny(std::string_view key, const FixedText& text) {
        if (!text.Stored().empty()) {
            Text(key, text);
        }
    }
    std::string Take() { return std::move(out_); }

private:
    void Header(const std::string& header) { out_ += "\n" + header + "\n"; }

    std::string out_;
};

// Component references to install items: the item's name where it is the only item of that
// name, else an id of its own.
class ItemReferences {
public:
    explicit ItemReferences(const SetupScript& s) : names_(s.installItems.size()) {
        std::map<std::string, int> nameCounts;
        for (std::size_t i = 0; i < s.installItems.size(); ++i) {
            names_[i] = std::string(s.installItems[i].name.Stored());
            ++nameCounts[names_[i]];
        }
        std::vector<bool> referenced(s.installItems.size());
        for (const Component& component : s.components) {
            for (std::uint32_t index : component.files) {
                if (index < referenced.size()) {
                    referenced[index] = true;
                }
            }
        }
        ids_.resize(s.installItems.size());
        std::set<std::string> taken;
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (!referenced[i] || (!names_[i].empty() && nameCounts[names_[i]] == 1)) {
                continue;
            }
            std::string id = "item" + std::to_string(i + 1);
            while (nameCounts.count(id) || taken.count(id)) {
                id += '_';
            }
            taken.insert(id);
            ids_[i] = id;
        }
    }

    // The explicit id an item needs; empty when its name serves.
    const std::string& Id(std::size_t index) const { return ids_[index]; }

    std::string Reference(std::uint32_t index) const {
        if (index >= names_.size()) {
            return std::to_string(index);
        }
        const std::string& key = ids_[index].empty() ? names_[index] : ids_[index];
        return TomlString(key);
    }

private:
    // ANSI, as stored; the description holds the same text in UTF-8.

    std::vector<std::string> names_;
    std::vector<std::string> ids_;
};

// The sections' writers, in the order dump writes them.
void WriteHeader(TomlWriter& out, const SetupScript& s);
void WriteDisks(TomlWriter& out, const SetupScript& s);
void WriteDirectories(TomlWriter& out, const SetupScript& s);
void WritePrograms(TomlWriter& out, const SetupScript& s); // program groups and items
void WriteInstallItems(TomlWriter& out, const SetupScript& s, const ItemReferences& references);
void WriteFinalPrograms(TomlWriter& out, const SetupScript& s);
void WriteRegistry(TomlWriter& out, const SetupScript& s);
void WriteComponents(TomlWriter& out, const SetupScript& s, const ItemReferences& references);
void WriteSetupTypes(TomlWriter& out, const SetupScript& s);
void WriteIniAndSystemChanges(TomlWriter& out, const SetupScript& s);
void WriteUninstall(TomlWriter& out, const SetupScript& s);
