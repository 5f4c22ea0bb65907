#include "integration/RemovalRecord.h"

#include "common/AsciiCase.h"
#include "integration/RecordPaths.h"
#include "integration/Sha256.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {

constexpr std::string_view kTitle = "setupkit removal record 1";
constexpr char kDigits[] = "0123456789ABCDEF";

// Texts stand in tab-separated fields: the percent sign and control characters are written as
// %XX.
std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || c == '%') {
            out += '%';
            out += kDigits[byte >> 4];
            out += kDigits[byte & 0xf];
        } else {
            out += c;
        }
    }
    return out;
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char upper = AsciiUpper(c);
    return upper >= 'A' && upper <= 'F' ? upper - 'A' + 10 : -1;
}

std::optional<std::string> Unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) {
            return std::nullopt;
        }
        const int high = DigitValue(text[i + 1]);
        const int low = DigitValue(text[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::string Hex(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out += kDigits[byte >> 4];
        out += kDigits[byte & 0xf];
    }
    return out;
}

std::optional<std::string> FromHex(std::string_view hex) {
    if (hex.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string out;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = DigitValue(hex[i]);
        const int low = DigitValue(hex[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        out += static_cast<char>(high * 16 + low);
    }
    return out;
}

template <typename Number> std::optional<Number> ParseNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

class LineWriter {
public:
    LineWriter& Field(std::string_view text) {
        line_ += '\t';
        line_ += Escaped(text);
        return *this;
    }
    LineWriter& Raw(std::string_view text) {
        line_ += '\t';
        line_ += text;
        return *this;
    }
    LineWriter& Number(std::uint64_t value) { return Raw(std::to_string(value)); }
    LineWriter& Flag(bool value) { return Raw(value ? "1" : "0"); }
    LineWriter& Root(RegistryRoot root) {
        return Raw(RegistryRootNames().at(static_cast<std::size_t>(root)));
    }
    void End(std::string& out) {
        out += line_.substr(1);
        out += "\r\n";
        line_.clear();
    }

private:
    std::string line_;
};

// The fields of one line, read left to right; any field that does not read makes the line bad.
class LineReader {
public:
    explicit LineReader(std::vector<std::string_view> fields) : fields_(std::move(fields)) {}

    std::string Text() {
        std::optional<std::string> text = Unescaped(Next());
        good_ = good_ && text.has_value();
        return text.value_or(std::string());
    }
    std::uint64_t Number() { return Checked(ParseNumber<std::uint64_t>(Next())); }
    std::uint32_t Type() { return Checked(ParseNumber<std::uint32_t>(Next())); }
    bool Flag() {
        const std::string_view field = Next();
        good_ = good_ && (field == "0" || field == "1");
        return field == "1";
    }
    std::string Bytes() { return Checked(FromHex(Next())); }
    RegistryRoot Root() {
        const std::string_view field = Next();
        const std::optional<std::size_t> root = FindRegistryRoot(field, RegistryRootNames());
        good_ = good_ && root.has_value();
        return static_cast<RegistryRoot>(root.value_or(0));
    }
    // Every field was read and each was good.
    [[nodiscard]] bool Good() const { return good_ && next_ == fields_.size(); }

private:
    std::string_view Next() {
        if (next_ == fields_.size()) {
            good_ = false;
            return {};
        }
        return fields_[next_++];
    }
    template <typename T> T Checked(std::optional<T> value) {
        good_ = good_ && value.has_value();
        return value.value_or(T{});
    }

    std::vector<std::string_view> fields_;
    std::size_t next_ = 0;
    bool good_ = true;
};

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) {
            return fields;
        }
        line.remove_prefix(tab + 1);
    }
}

// Reads one line of the given kind into record; false when its fields do not read.
bool ReadLine(std::string_view kind, LineReader& in, RemovalRecord& record) {
    if (kind == "product") {
        record.product = in.Text();
    } else if (kind == "entry") {
        record.entry = in.Text();
    } else if (kind == "script") {
        record.scriptPath = in.Text();
    } else if (kind == "log") {
        record.logPath = in.Text();
        record.logDigest = in.Text();
    } else if (kind == "directory") {
        record.directories.push_back(in.Text());
    } else if (kind == "file") {
        RecordedFile& file = record.files.emplace_back();
        file.path = in.Text();
        file.existedBefore = in.Flag();
        file.shared = in.Flag();
        file.copied = in.Flag();
        file.size = in.Number();
        file.writeTime = in.Number();
    } else if (kind == "count") {
        record.sharedCounts.push_back(in.Text());
    } else if (kind == "key") {
        RecordedKey& key = record.keys.emplace_back();
        key.root = in.Root();
        key.subKey = in.Text();
    } else if (kind == "value") {
        RecordedValue& value = record.values.emplace_back();
        value.root = in.Root();
        value.subKey = in.Text();
        value.name = in.Text();
        value.type = in.Type();
        value.data = in.Bytes();
        value.existedBefore = in.Flag();
        value.typeBefore = in.Type();
        value.dataBefore = in.Bytes();
    } else if (kind == "ini") {
        RecordedIniKey& key = record.iniKeys.emplace_back();
        key.file = in.Text();
        key.section = in.Text();
        key.key = in.Text();
        key.value = in.Text();
        key.existedBefore = in.Flag();
        key.valueBefore = in.Text();
        key.fileExistedBefore = in.Flag();
        key.sectionExistedBefore = in.Flag();
    } else if (kind == "group") {
        RecordedGroup& group = record.groups.emplace_back();
        group.name = in.Text();
        group.created = in.Flag();
    } else if (kind == "item") {
        RecordedItem& item = record.items.emplace_back();
        item.group = in.Text();
        item.name = in.Text();
    } else if (kind == "note") {
        record.notes.push_back(in.Text());
    } else {
        return false;
    }
    return in.Good();
}

bool SameText(std::string_view a, std::string_view b) {
    return AsciiUpper(a) == AsciiUpper(b);
}

// What makes two elements of records name the same object.
bool SameFile(const RecordedFile& a, const RecordedFile& b) {
    return SamePath(a.path, b.path);
}
bool SameKey(const RecordedKey& a, const RecordedKey& b) {
    return a.root == b.root && SameText(a.subKey, b.subKey);
}
bool SameValue(const RecordedValue& a, const RecordedValue& b) {
    return a.root == b.root && SameText(a.subKey, b.subKey) && SameText(a.name, b.name);
}
bool SameIniKey(const RecordedIniKey& a, const RecordedIniKey& b) {
    return SamePath(a.file, b.file) && SameText(a.section, b.section) && SameText(a.key, b.key);
}
bool SameGroup(const RecordedGroup& a, const RecordedGroup& b) {
    return SameText(a.name, b.name);
}
bool SameItem(const RecordedItem& a, const RecordedItem& b) {
    return SameText(a.group, b.group) && SameText(a.name, b.name);
}

// Appends each of earlier's elements that record has no element like, by same.
template <typename T, typename Same>
void AddMissing(std::vector<T>& record, const std::vector<T>& earlier, Same&& same) {
    const std::size_t own = record.size();
    for (const T& old : earlier) {
        const auto end = record.begin() + static_cast<std::ptrdiff_t>(own);
        if (std::find_if(record.begin(), end, [&](const T& mine) { return same(mine, old); }) ==
            end) {
            record.push_back(old);
        }
    }
}

} // namespace

std::string FormatRemovalRecord(const RemovalRecord& record) {
    std::string out(kTitle);
    out += "\r\n";
    LineWriter line;
    line.Raw("product").Field(record.product).End(out);
    line.Raw("entry").Field(record.entry).End(out);
    line.Raw("script").Field(record.scriptPath).End(out);
    line.Raw("log").Field(record.logPath).Field(record.logDigest).End(out);
    for (const std::string& directory : record.directories) {
        line.Raw("directory").Field(directory).End(out);
    }
    for (const RecordedFile& file : record.files) {
        line.Raw("file")
            .Field(file.path)
            .Flag(file.existedBefore)
            .Flag(file.shared)
            .Flag(file.copied);
        line.Number(file.size).Number(file.writeTime).End(out);
    }
    for (const std::string& path : record.sharedCounts) {
        line.Raw("count").Field(path).End(out);
    }
    for (const RecordedKey& key : record.keys) {
        line.Raw("key").Root(key.root).Field(key.subKey).End(out);
    }
    for (const RecordedValue& value : record.values) {
        line.Raw("value").Root(value.root).Field(value.subKey).Field(value.name);
        line.Number(value.type).Raw(Hex(value.data)).Flag(value.existedBefore);
        line.Number(value.typeBefore).Raw(Hex(value.dataBefore)).End(out);
    }
    for (const RecordedIniKey& key : record.iniKeys) {
        line.Raw("ini").Field(key.file).Field(key.section).Field(key.key).Field(key.value);
        line.Flag(key.existedBefore).Field(key.valueBefore).Flag(key.fileExistedBefore);
        line.Flag(key.sectionExistedBefore).End(out);
    }
    for (const RecordedGroup& group : record.groups) {
        line.Raw("group").Field(group.name).Flag(group.created).End(out);
    }
    for (const RecordedItem& item : record.items) {
        line.Raw("item").Field(item.group).Field(item.name).End(out);
    }
    for (const std::string& note : record.notes) {
        line.Raw("note").Field(note).End(out);
    }
    line.Raw("end").End(out);
    return out;
}

std::optional<RemovalRecord> ParseRemovalRecord(std::string_view text, std::string& error) {
    RemovalRecord record;
    std::size_t number = 0;
    bool ended = false;
    while (!text.empty()) {
        const std::size_t end = text.find("\r\n");
        if (end == std::string_view::npos || ended) {
            error = "the record does not end where its last line says";
            return std::nullopt;
        }
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 2);
        if (++number == 1) {
            if (line != kTitle) {
                error = "its first line is not the title of a removal record";
                return std::nullopt;
            }
            continue;
        }
        std::vector<std::string_view> fields = SplitFields(line);
        const std::string_view kind = fields.front();
        fields.erase(fields.begin());
        if (kind == "end" && fields.empty()) {
            ended = true;
            continue;
        }
        LineReader in(std::move(fields));
        if (!ReadLine(kind, in, record)) {
            error = "line " + std::to_string(number) + " cannot be read";
            return std::nullopt;
        }
    }
    if (!ended) {
        error = "the record is cut short";
        return std::nullopt;
    }
    return record;
}

void MergeEarlierRecord(RemovalRecord& record, const RemovalRecord& earlier) {
    for (const RecordedFile& old : earlier.files) {
        for (RecordedFile& file : record.files) {
            file.shared = file.shared || (SameFile(file, old) && old.shared);
        }
    }
    for (const RecordedValue& old : earlier.values) {
        for (RecordedValue& value : record.values) {
            if (SameValue(value, old)) {
                value.existedBefore = old.existedBefore;
                value.typeBefore = old.typeBefore;
                value.dataBefore = old.dataBefore;
            }
        }
    }
    for (const RecordedIniKey& old : earlier.iniKeys) {
        for (RecordedIniKey& key : record.iniKeys) {
            if (SameIniKey(key, old)) {
                key.existedBefore = old.existedBefore;
                key.valueBefore = old.valueBefore;
                key.fileExistedBefore = old.fileExistedBefore;
                key.sectionExistedBefore = old.sectionExistedBefore;
            }
        }
    }
    for (const RecordedGroup& old : earlier.groups) {
        for (RecordedGroup& group : record.groups) {
            group.created = group.created || (SameGroup(group, old) && old.created);
        }
    }
    // The earlier installation's counts are still raised: both are lowered at removal.
    record.sharedCounts.insert(record.sharedCounts.end(), earlier.sharedCounts.begin(),
                               earlier.sharedCounts.end());
    AddMissing(record.directories, earlier.directories, SamePath);
    AddMissing(record.files, earlier.files, SameFile);
    AddMissing(record.keys, earlier.keys, SameKey);
    AddMissing(record.values, earlier.values, SameValue);
    AddMissing(record.iniKeys, earlier.iniKeys, SameIniKey);
    AddMissing(record.groups, earlier.groups, SameGroup);
    AddMissing(record.items, earlier.items, SameItem);
}

namespace {

std::string ValueClaim(const RecordedValue& value) {
    return std::to_string(static_cast<int>(value.root)) + "|" + AsciiUpper(value.subKey) + "|" +
           AsciiUpper(value.name);
}

std::string IniClaim(const RecordedIniKey& key) {
    return ComparablePath(key.file) + "|" + AsciiUpper(key.section) + "|" + AsciiUpper(key.key);
}

} // namespace

void ProductClaims::Add(const RemovalRecord& record) {
    for (const RecordedFile& file : record.files) {
        files_.Insert(ComparablePath(file.path));
    }
    for (const RecordedValue& value : record.values) {
        values_.Insert(ValueClaim(value));
    }
    for (const RecordedIniKey& key : record.iniKeys) {
        iniKeys_.Insert(IniClaim(key));
    }
    files_.Seal();
    values_.Seal();
    iniKeys_.Seal();
}

bool ProductClaims::NamesFile(std::string_view path) const {
    return files_.Contains(ComparablePath(path));
}

bool ProductClaims::NamesValue(const RecordedValue& value) const {
    return values_.Contains(ValueClaim(value));
}

bool ProductClaims::NamesIniKey(const RecordedIniKey& key) const {
    return iniKeys_.Contains(IniClaim(key));
}

std::string RemovalRecordName(std::string_view entry) {
    return "setuprec-" + Sha256Hex(AsciiUpper(entry)).substr(0, 8) + ".txt";
}
