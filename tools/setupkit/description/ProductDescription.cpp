#include "ProductDescription.h"

#include "DescriptionReader.h"
#include "ParserInput.h"
#include "ToolError.h"
#include "ToolFiles.h"

#include <toml++/toml.h>

namespace fs = std::filesystem;

bool ParseDiskCapacity(std::string_view text, std::optional<std::uint64_t>& capacity) {
    static constexpr std::pair<std::string_view, std::uint64_t> kSizes[] = {
        {"360K", 368640},   {"720K", 737280},   {"1.2M", 1228800},
        {"1.44M", 1457664}, {"2.88M", 2915328},
    };
    if (text == "unlimited") {
        capacity.reset();
        return true;
    }
    for (const auto& [name, bytes] : kSizes) {
        if (text == name) {
            capacity = bytes;
            return true;
        }
    }
    return false;
}

std::string DiskLabelFromPattern(std::string_view pattern, std::uint32_t disk) {
    std::string label;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size()) {
            label += pattern[i + 1] == 'd' ? std::to_string(disk) : std::string(1, pattern[i + 1]);
            ++i;
        } else {
            label += pattern[i];
        }
    }
    return label;
}

Result<ProductDescription> ParseProductDescription(std::string_view text,
                                                   const std::string& fileName,
                                                   const fs::path& baseDirectory) {
    const PreparedText prepared = PrepareForParser(text);
    if (prepared.errorLine != 0) {
        return SourceError{fileName, prepared.errorLine, "", prepared.problem};
    }
    toml::table root;
    try {
        root = toml::parse(prepared.text, std::string_view(fileName));
    } catch (const toml::parse_error& error) {
        return SourceError{fileName, error.source().begin.line, "",
                           std::string(error.description())};
    }
    try {
        return DescriptionReader(fileName, baseDirectory).Read(root);
    } catch (const ToolError& failure) {
        // The reader throws its faults with their place; they end here.
        return failure.Source() ? *failure.Source() : SourceError{fileName, 0, "", failure.what()};
    }
}

Result<ProductDescription> LoadProductDescription(const fs::path& file) {
    const FileRead read = TryReadFile(file);
    if (!read.problem.empty()) {
        return SourceError{file.string(), 0, "", read.problem};
    }
    const std::string text(read.bytes.begin(), read.bytes.end());
    return ParseProductDescription(text, file.string(), file.parent_path());
}
