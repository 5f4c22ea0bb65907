#include "DescriptionReader.h"
#include "TomlWriter.h"

// [disks]: read (labels, capacity, label pattern) and written (the labels a script holds);
// disk references.

namespace {

struct DisksKeys {
    static constexpr std::string_view kLabels = "labels";
    static constexpr std::string_view kCapacity = "capacity";
    static constexpr std::string_view kLabelPattern = "label_pattern";
};

// Where faults of the label pattern are reported.
std::string LabelPatternField() {
    return Join(TableNames::kDisks, DisksKeys::kLabelPattern);
}

} // namespace

void DescriptionReader::ReadDisks(const toml::table& root) {
    using K = DisksKeys;
    const std::string_view path = TableNames::kDisks;
    const toml::table* disks = Table(root, "", path);
    if (!disks) {
        return;
    }
    Keys(*disks, path, {K::kLabels, K::kCapacity, K::kLabelPattern});
    for (const auto& [label, line] : Strings(*disks, path, K::kLabels, kByteCount)) {
        diskNames_.Add(label, Script().diskLabels.size());
        Script().diskLabels.push_back(Block(ToText(label, line, Join(path, K::kLabels))));
    }
    if (const toml::node* capacity = disks->get(K::kCapacity)) {
        const std::string field = Join(path, K::kCapacity);
        if (capacity->is_integer()) {
            description_.disks.capacity = static_cast<std::uint64_t>(
                IntegerNode(*capacity, field, 1, std::numeric_limits<std::int64_t>::max()));
        } else if (!capacity->is_string() ||
                   !ParseDiskCapacity(capacity->as_string()->get(), description_.disks.capacity)) {
            Fail(LineOf(*capacity), field,
                 "expected \"1.44M\", \"1.2M\", \"720K\", \"360K\", \"2.88M\", "
                 "\"unlimited\" or a number of bytes");
        }
    }
    if (const toml::node* pattern = disks->get(K::kLabelPattern)) {
        const std::string field = LabelPatternField();
        const FixedText text = ToText(StringNode(*pattern, field), LineOf(*pattern), field);
        const std::string ansi = text.Str();
        std::size_t placeholders = 0;
        for (std::size_t i = 0; i < ansi.size(); ++i) {
            if (ansi[i] != '%') {
                continue;
            }
            if (i + 1 < ansi.size() && ansi[i + 1] == 'd') {
                ++placeholders;
            } else if (!(i + 1 < ansi.size() && ansi[i + 1] == '%')) {
                Fail(LineOf(*pattern), field,
                     "only %d (the disk number) and %% may follow a percent sign");
            }
            ++i;
        }
        if (placeholders > 1) {
            Fail(LineOf(*pattern), field, "%d may appear only once");
        }
        description_.disks.labelPattern = ansi;
        labelPatternLine_ = LineOf(*pattern);
    }
}

std::int64_t DescriptionReader::DiskReference(const toml::node& node) {
    const std::string field = Join(TableNames::kInstall, SharedKeys::kDisk);
    const std::string labels = Join(TableNames::kDisks, DisksKeys::kLabels);
    const std::string& pattern = description_.disks.labelPattern;
    if (!node.is_string() || pattern.empty() || diskNames_.Find(node.as_string()->get())) {
        return Reference(node, field, diskNames_, labels, 1, kByteMax);
    }
    const std::string label = ToAnsi(node.as_string()->get(), LineOf(node), field).Str();
    std::vector<std::uint32_t> matches;
    for (std::uint32_t disk = static_cast<std::uint32_t>(Script().diskLabels.size()) + 1;
         disk <= kByteMax; ++disk) {
        if (DiskLabelFromPattern(pattern, disk) == label) {
            matches.push_back(disk);
        }
    }
    if (matches.size() > 1) {
        Fail(LineOf(node), field,
             "every disk's label is " + Quoted(label) +
                 " (the label pattern has no %d): use the number");
    }
    if (matches.empty()) {
        return Reference(node, field, diskNames_, labels, 1, kByteMax);
    }
    return matches.front();
}

void DescriptionReader::FillDiskLabelsFromPattern() {
    const std::string& pattern = description_.disks.labelPattern;
    if (pattern.empty() || !Script().diskLabels.empty()) {
        return;
    }
    std::uint32_t disks = 0;
    for (const InstallItem& item : Script().installItems) {
        disks = std::max<std::uint32_t>(disks, item.diskNumber);
    }
    for (std::uint32_t disk = 1; disk <= disks; ++disk) {
        const std::string label = DiskLabelFromPattern(pattern, disk);
        if (label.size() > FixedText::kMaxLength) {
            Fail(labelPatternLine_, LabelPatternField(),
                 "the label of disk " + std::to_string(disk) + " is longer than 255 bytes");
        }
        Script().diskLabels.push_back(Block(FixedText(label)));
    }
}

void WriteDisks(TomlWriter& out, const SetupScript& s) {
    if (!s.diskLabels.empty()) {
        out.Table(TableNames::kDisks);
        std::string labels = "[";
        for (const TextBlock& label : s.diskLabels) {
            labels += (labels.size() > 1 ? ", " : "") + TomlString(label);
        }
        out.Value(DisksKeys::kLabels, labels + "]");
    }
}
