#include "DescriptionReader.h"
#include "TomlWriter.h"

// [define], [product], [unused], the titled texts ([welcome], [success], ...), the pictures,
// [readme] and [completion]: their reader and their writer.

namespace fs = std::filesystem;

namespace {

struct HeaderKeys {
    static constexpr std::string_view kName = "name"; // of [product]
    static constexpr std::string_view kText1 = "text1";
    static constexpr std::string_view kByte2 = "byte2";
    static constexpr std::string_view kText3 = "text3";
    static constexpr std::string_view kTitle = "title";
    static constexpr std::string_view kCaption = "caption";
    static constexpr std::string_view kText = "text";
    static constexpr std::string_view kFile = "file";
    static constexpr std::string_view kStyle = "style";
    static constexpr std::string_view kRestartWindows = "restart_windows";
    static constexpr std::string_view kReboot = "reboot";
    static constexpr std::string_view kFlags = "flags";
};

} // namespace

FixedText DescriptionReader::FileNameOf(const fs::path& file, std::uint32_t line,
                                        const std::string& field) const {
    return ToAnsi(file.filename().string(), line, field);
}

void DescriptionReader::ReadNamedFile(const toml::table& root, std::string_view key,
                                      FixedText& name, fs::path& source,
                                      std::initializer_list<std::string_view> extraKeys) {
    const toml::table* table = Table(root, "", key);
    if (!table) {
        return;
    }
    std::vector<std::string_view> allowed{HeaderKeys::kFile, SharedKeys::kSource};
    allowed.insert(allowed.end(), extraKeys.begin(), extraKeys.end());
    Keys(*table, key, allowed);
    source = Source(*table, key);
    if (const std::optional<FixedText> file = OptionalText(*table, key, HeaderKeys::kFile)) {
        name = *file;
    } else if (!source.empty()) {
        name = FileNameOf(source, LineOf(*table->get(SharedKeys::kSource)),
                          Join(key, SharedKeys::kSource));
    }
}

void DescriptionReader::ReadTitledText(const toml::table& root, std::string_view key,
                                       std::string_view titleKey, FixedText& title,
                                       FixedText& text) {
    const toml::table* table = Table(root, "", key);
    if (!table) {
        return;
    }
    Keys(*table, key, {titleKey, HeaderKeys::kText});
    title = Text(*table, key, titleKey);
    text = Text(*table, key, HeaderKeys::kText);
}

void DescriptionReader::ReadDefinitions(const toml::table& root) {
    const toml::table* define = Table(root, "", TableNames::kDefine);
    if (!define) {
        return;
    }
    for (auto&& [key, node] : *define) {
        const std::string field = Join(TableNames::kDefine, key.str());
        if (key.str().empty() || key.str().find_first_of("/{}$") != std::string_view::npos) {
            Fail(LineOf(node), field, "a name of a definition holds none of / { } $");
        }
        definitions_[std::string(key.str())] = StringNode(node, field);
    }
}

void DescriptionReader::ReadHeader(const toml::table& root) {
    using K = HeaderKeys;
    using T = TableNames;
    SetupScript& s = Script();
    if (const toml::table* product = Table(root, "", T::kProduct)) {
        Keys(*product, T::kProduct, {K::kName});
        s.productName = Text(*product, T::kProduct, K::kName);
    }
    if (const toml::table* unused = Table(root, "", T::kUnused)) {
        Keys(*unused, T::kUnused, {K::kText1, K::kByte2, K::kText3});
        s.unusedText1 = Text(*unused, T::kUnused, K::kText1);
        s.unusedByte2 = static_cast<std::uint8_t>(
            OptionalInteger(*unused, T::kUnused, K::kByte2, 0, kByteMax).value_or(0));
        s.unusedText3 = Text(*unused, T::kUnused, K::kText3);
    }
    ReadTitledText(root, T::kWelcome, K::kTitle, s.welcomeTitle, s.welcomeText);
    ReadTitledText(root, T::kDestination, K::kTitle, s.destinationTitle, s.destinationText);
    ReadTitledText(root, T::kDiskPrompt, K::kTitle, s.diskPromptTitle, s.diskPromptText);
    ReadTitledText(root, T::kSuccess, K::kCaption, s.successCaption, s.successText);
    ReadTitledText(root, T::kFailure, K::kCaption, s.failureCaption, s.failureText);
    ReadTitledText(root, T::kCancel, K::kCaption, s.cancelCaption, s.cancelText);

    ReadNamedFile(root, T::kBackground, s.backgroundBitmap, description_.backgroundBitmap,
                  {K::kStyle});
    if (const toml::table* background = Table(root, "", T::kBackground)) {
        s.BackgroundStyle = static_cast<std::uint8_t>(
            Enum(*background, T::kBackground, K::kStyle, kBackgroundStyles, kByteMax, 0));
    }
    ReadNamedFile(root, T::kSideBitmap, s.sideBitmap, description_.sideBitmap);
    ReadNamedFile(root, T::kReadme, s.readmeFile, description_.readme);

    if (const toml::table* completion = Table(root, "", T::kCompletion)) {
        Keys(*completion, T::kCompletion, {K::kRestartWindows, K::kReboot, K::kFlags});
        const bool named = completion->get(K::kRestartWindows) || completion->get(K::kReboot);
        if (const toml::node* flags = completion->get(K::kFlags)) {
            const std::string field = Join(T::kCompletion, K::kFlags);
            if (named) {
                Fail(LineOf(*flags), field,
                     "give either flags or restart_windows and reboot, not both");
            }
            s.completionFlags = static_cast<std::uint32_t>(IntegerNode(*flags, field, 0, kByteMax));
        } else {
            s.completionFlags = 0;
            if (Bool(*completion, T::kCompletion, K::kRestartWindows)) {
                s.completionFlags |= kCompletionRestartWindows;
            }
            if (Bool(*completion, T::kCompletion, K::kReboot)) {
                s.completionFlags |= kCompletionReboot;
            }
        }
    }
}

void WriteHeader(TomlWriter& out, const SetupScript& s) {
    using K = HeaderKeys;
    using T = TableNames;
    out.Table(T::kProduct);
    out.Text(K::kName, s.productName);

    if (!s.unusedText1.Stored().empty() || s.unusedByte2 != 0 || !s.unusedText3.Stored().empty()) {
        out.Table(T::kUnused);
        out.TextIfAny(K::kText1, s.unusedText1);
        if (s.unusedByte2 != 0) {
            out.Value(K::kByte2, std::to_string(s.unusedByte2));
        }
        out.TextIfAny(K::kText3, s.unusedText3);
    }

    const auto titled = [&](std::string_view table, std::string_view titleKey,
                            const FixedText& title, const FixedText& text) {
        if (title.Stored().empty() && text.Stored().empty()) {
            return;
        }
        out.Table(table);
        out.TextIfAny(titleKey, title);
        out.TextIfAny(K::kText, text);
    };
    titled(T::kWelcome, K::kTitle, s.welcomeTitle, s.welcomeText);
    titled(T::kDestination, K::kTitle, s.destinationTitle, s.destinationText);
    titled(T::kDiskPrompt, K::kTitle, s.diskPromptTitle, s.diskPromptText);
    titled(T::kSuccess, K::kCaption, s.successCaption, s.successText);
    titled(T::kFailure, K::kCaption, s.failureCaption, s.failureText);
    titled(T::kCancel, K::kCaption, s.cancelCaption, s.cancelText);

    if (s.BackgroundStyle != 0 || !s.backgroundBitmap.Stored().empty()) {
        out.Table(T::kBackground);
        out.Value(K::kStyle, NamedOrNumber(kBackgroundStyles, s.BackgroundStyle));
        out.TextIfAny(K::kFile, s.backgroundBitmap);
    }
    if (!s.sideBitmap.Stored().empty()) {
        out.Table(T::kSideBitmap);
        out.Text(K::kFile, s.sideBitmap);
    }
    if (!s.readmeFile.Stored().empty()) {
        out.Table(T::kReadme);
        out.Text(K::kFile, s.readmeFile);
    }
    if (s.completionFlags != 0) {
        out.Table(T::kCompletion);
        if ((s.completionFlags & ~(kCompletionRestartWindows | kCompletionReboot)) != 0) {
            out.Value(K::kFlags, std::to_string(s.completionFlags));
        } else {
            if (s.completionFlags & kCompletionRestartWindows) {
                out.Value(K::kRestartWindows, "true");
            }
            if (s.completionFlags & kCompletionReboot) {
                out.Value(K::kReboot, "true");
            }
        }
    }
}
