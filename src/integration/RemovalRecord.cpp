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

// The fields of a line, visited in their order by the writer and the reader alike.
class FieldVisitor {
public:
    virtual void Text(std::string& text) = 0;
    virtual void Flag(bool& flag) = 0;
    virtual void Number(std::uint64_t& number) = 0;
    virtual void Type(std::uint32_t& type) = 0;
    virtual void Bytes(std::string& bytes) = 0;
    virtual void Root(RegistryRoot& root) = 0;

protected:
    ~FieldVisitor() = default;
};

// Each kind of line's fields after its first, which names the kind.
void Fields(FieldVisitor& line, std::string& text) {
    line.Text(text);
}
void Fields(FieldVisitor& line, RecordedFile& file) {
    line.Text(file.path);
    line.Flag(file.existedBefore);
    line.Flag(file.shared);
    line.Flag(file.copied);
    line.Number(file.size);
    line.Number(file.writeTime);
}
void Fields(FieldVisitor& line, RecordedKey& key) {
    line.Root(key.root);
    line.Text(key.subKey);
}
void Fields(FieldVisitor& line, RecordedValue& value) {
    line.Root(value.root);
    line.Text(value.subKey);
    line.Text(value.name);
    line.Type(value.type);
    line.Bytes(value.data);
    line.Flag(value.existedBefore);
    line.Type(value.typeBefore);
    line.Bytes(value.dataBefore);
}
void Fields(FieldVisitor& line, RecordedIniKey& key) {
    line.Text(key.file);
    line.Text(key.section);
    line.Text(key.key);
    line.Text(key.value);
    line.Flag(key.existedBefore);
    line.Text(key.valueBefore);
    line.Flag(key.fileExistedBefore);
    line.Flag(key.sectionExistedBefore);
}
void Fields(FieldVisitor& line, RecordedGroup& group) {
    line.Text(group.name);
    line.Flag(group.created);
}
void Fields(FieldVisitor& line, RecordedItem& item) {
    line.Text(item.group);
    line.Text(item.name);
}

// Writes lines; it only reads the fields it visits.
class LineWriter final : public FieldVisitor {
public:
    explicit LineWriter(std::string& out) : out_(out) {}

    void Line(std::string_view kind, std::initializer_list<std::string_view> texts) {
        out_ += kind;
        for (const std::string_view text : texts) {
            Field(Escaped(text));
        }
        out_ += "\r\n";
    }
    template <typename T> void Lines(std::string_view kind, const std::vector<T>& list) {
        for (const T& element : list) {
            out_ += kind;
            Fields(*this, const_cast<T&>(element));
            out_ += "\r\n";
        }
    }

    void Text(std::string& text) override { Field(Escaped(text)); }
    void Flag(bool& flag) override { Field(flag ? "1" : "0"); }
    void Number(std::uint64_t& number) override { Field(std::to_string(number)); }
    void Type(std::uint32_t& type) override { Field(std::to_string(type)); }
    void Bytes(std::string& bytes) override { Field(Hex(bytes)); }
    void Root(RegistryRoot& root) override {
        Field(RegistryRootNames().at(static_cast<std::size_t>(root)));
    }

private:
    void Field(std::string_view text) {
        out_ += '\t';
        out_ += text;
    }

    std::string& out_;
};

// Reads the fields of one line, left to right; any field that does not read makes the line
// bad.
class LineReader final : public FieldVisitor {
public:
    explicit LineReader(std::vector<std::string_view> fields) : fields_(std::move(fields)) {}

    void Text(std::string& text) override { Check(Unescaped(Next()), text); }
    void Flag(bool& flag) override {
        const std::string_view field = Next();
        good_ = good_ && (field == "0" || field == "1");
        flag = field == "1";
    }
    void Number(std::uint64_t& number) override {
        Check(ParseNumber<std::uint64_t>(Next()), number);
    }
    void Type(std::uint32_t& type) override { Check(ParseNumber<std::uint32_t>(Next()), type); }
    void Bytes(std::string& bytes) override { Check(FromHex(Next()), bytes); }
    void Root(RegistryRoot& root) override {
        const std::optional<std::size_t> found = FindRegistryRoot(Next(), RegistryRootNames());
        good_ = good_ && found.has_value();
        root = static_cast<RegistryRoot>(found.value_or(0));
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
    template <typename T> void Check(std::optional<T> value, T& field) {
        good_ = good_ && value.has_value();
        if (value) {
            field = std::move(*value);
        }
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
        in.Text(record.product);
    } else if (kind == "entry") {
        in.Text(record.entry);
    } else if (kind == "script") {
        in.Text(record.scriptPath);
    } else if (kind == "log") {
        in.Text(record.logPath);
        in.Text(record.logDigest);
    } else if (kind == "directory") {
        in.Text(record.directories.emplace_back());
    } else if (kind == "file") {
        Fields(in, record.files.emplace_back());
    } else if (kind == "count") {
        in.Text(record.sharedCounts.emplace_back());
    } else if (kind == "key") {
        Fields(in, record.keys.emplace_back());
    } else if (kind == "value") {
        Fields(in, record.values.emplace_back());
    } else if (kind == "ini") {
        Fields(in, record.iniKeys.emplace_back());
    } else if (kind == "group") {
        Fields(in, record.groups.emplace_back());
    } else if (kind == "item") {
        Fields(in, record.items.emplace_back());
    } else if (kind == "note") {
        in.Text(record.notes.emplace_back());
    } else {
        return false;
    }
    return in.Good();
}

// What makes two elements of records name the same object.
bool SameFile(const RecordedFile& a, const RecordedFile& b) {
    return SamePath(a.path, b.path);
}
bool SameKey(const RecordedKey& a, const RecordedKey& b) {
    return a.root == b.root && SameAsciiText(a.subKey, b.subKey);
}
bool SameValue(const RecordedValue& a, const RecordedValue& b) {
    return a.root == b.root && SameAsciiText(a.subKey, b.subKey) && SameAsciiText(a.name, b.name);
}
bool SameIniKey(const RecordedIniKey& a, const RecordedIniKey& b) {
    return SamePath(a.file, b.file) && SameAsciiText(a.section, b.section) &&
           SameAsciiText(a.key, b.key);
}
bool SameGroup(const RecordedGroup& a, const RecordedGroup& b) {
    return SameAsciiText(a.name, b.name);
}
bool SameItem(const RecordedItem& a, const RecordedItem& b) {
    return SameAsciiText(a.group, b.group) && SameAsciiText(a.name, b.name);
}

// Appends each of earlier's elements that record has no element like, by same.
template <typename T>
void AddMissing(std::vector<T>& record, const std::vector<T>& earlier,
                bool (&same)(const T&, const T&)) {
    const std::size_t own = record.size();
    for (const T& old : earlier) {
        std::size_t mine = 0;
        while (mine < own && !same(record[mine], old)) {
            ++mine;
        }
        if (mine == own) {
            record.emplace_back() = old;
        }
    }
}

bool SameDirectory(const std::string& a, const std::string& b) {
    return SamePath(a, b);
}

} // namespace

std::string FormatRemovalRecord(const RemovalRecord& record) {
    std::string out(kTitle);
    out += "\r\n";
    LineWriter line(out);
    line.Line("product", {record.product});
    line.Line("entry", {record.entry});
    line.Line("script", {record.scriptPath});
    line.Line("log", {record.logPath, record.logDigest});
    line.Lines("directory", record.directories);
    line.Lines("file", record.files);
    line.Lines("count", record.sharedCounts);
    line.Lines("key", record.keys);
    line.Lines("value", record.values);
    line.Lines("ini", record.iniKeys);
    line.Lines("group", record.groups);
    line.Lines("item", record.items);
    line.Lines("note", record.notes);
    line.Line("end", {});
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
    for (const std::string& count : earlier.sharedCounts) {
        record.sharedCounts.push_back(count);
    }
    AddMissing(record.directories, earlier.directories, SameDirectory);
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
