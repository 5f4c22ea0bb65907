#include "DescriptionReader.h"
#include "TomlWriter.h"

// [define], [product], [unused], the titled texts ([welcome], [success], ...), the pictures,
// [readme] and [completion]: their reader and their writer.

namespace fs = std::filesystem;

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
    std::vector<std::string_view> allowed{"file", "source"};
    allowed.insert(allowed.end(), extraKeys.begin(), extraKeys.end());
    Keys(*table, key, allowed);
    source = Source(*table, key);
    if (const std::optional<FixedText> file = OptionalText(*table, key, "file")) {
        name = *file;
    } else if (!source.empty()) {
        name = FileNameOf(source, LineOf(*table->get("source")), Join(key, "source"));
    }
}

void DescriptionReader::ReadTitledText(const toml::table& root, std::string_view key,
                                       std::string_view titleKey, FixedText& title,
                                       FixedText& text) {
    const toml::table* table = Table(root, "", key);
    if (!table) {
        return;
    }
    Keys(*table, key, {titleKey, "text"});
    title = Text(*table, key, titleKey);
    text = Text(*table, key, "text");
}

void DescriptionReader::ReadDefinitions(const toml::table& root) {
    const toml::table* define = Table(root, "", "define");
    if (!define) {
        return;
    }
    for (auto&& [key, node] : *define) {
        const std::string field = Join("define", key.str());
        if (key.str().empty() || key.str().find_first_of("/{}$") != std::string_view::npos) {
            Fail(LineOf(node), field, "a name of a definition holds none of / { } $");
        }
        definitions_[std::string(key.str())] = StringNode(node, field);
    }
}

void DescriptionReader::ReadHeader(const toml::table& root) {
    SetupScript& s = Script();
    if (const toml::table* product = Table(root, "", "product")) {
        Keys(*product, "product", {"name"});
        s.productName = Text(*product, "product", "name");
    }
    if (const toml::table* unused = Table(root, "", "unused")) {
        Keys(*unused, "unused", {"text1", "byte2", "text3"});
        s.unusedText1 = Text(*unused, "unused", "text1");
        s.unusedByte2 = static_cast<std::uint8_t>(
            OptionalInteger(*unused, "unused", "byte2", 0, kByteMax).value_or(0));
        s.unusedText3 = Text(*unused, "unused", "text3");
    }
    ReadTitledText(root, "welcome", "title", s.welcomeTitle, s.welcomeText);
    ReadTitledText(root, "destination", "title", s.destinationTitle, s.destinationText);
    ReadTitledText(root, "disk_prompt", "title", s.diskPromptTitle, s.diskPromptText);
    ReadTitledText(root, "success", "caption", s.successCaption, s.successText);
    ReadTitledText(root, "failure", "caption", s.failureCaption, s.failureText);
    ReadTitledText(root, "cancel", "caption", s.cancelCaption, s.cancelText);

    ReadNamedFile(root, "background", s.backgroundBitmap, description_.backgroundBitmap, {"style"});
    if (const toml::table* background = Table(root, "", "background")) {
        s.BackgroundStyle = static_cast<std::uint8_t>(
            Enum(*background, "background", "style", kBackgroundStyles, kByteMax, 0));
    }
    ReadNamedFile(root, "side_bitmap", s.sideBitmap, description_.sideBitmap);
    ReadNamedFile(root, "readme", s.readmeFile, description_.readme);

    if (const toml::table* completion = Table(root, "", "completion")) {
        Keys(*completion, "completion", {"restart_windows", "reboot", "flags"});
        const bool named = completion->get("restart_windows") || completion->get("reboot");
        if (const toml::node* flags = completion->get("flags")) {
            if (named) {
                Fail(LineOf(*flags), "completion.flags",
                     "give either flags or restart_windows and reboot, not both");
            }
            s.completionFlags =
                static_cast<std::uint32_t>(IntegerNode(*flags, "completion.flags", 0, kByteMax));
        } else {
            s.completionFlags = 0;
            if (Bool(*completion, "completion", "restart_windows")) {
                s.completionFlags |= kCompletionRestartWindows;
            }
            if (Bool(*completion, "completion", "reboot")) {
                s.completionFlags |= kCompletionReboot;
            }
        }
    }
}

void WriteHeader(TomlWriter& out, const SetupScript& s) {
    out.Table("product");
    out.Text("name", s.productName);

    if (!s.unusedText1.Stored().empty() || s.unusedByte2 != 0 || !s.unusedText3.Stored().empty()) {
        out.Table("unused");
        out.TextIfAny("text1", s.unusedText1);
        if (s.unusedByte2 != 0) {
            out.Value("byte2", std::to_string(s.unusedByte2));
        }
        out.TextIfAny("text3", s.unusedText3);
    }

    const auto titled = [&](std::string_view table, std::string_view titleKey,
                            const FixedText& title, const FixedText& text) {
        if (title.Stored().empty() && text.Stored().empty()) {
            return;
        }
        out.Table(table);
        out.TextIfAny(titleKey, title);
        out.TextIfAny("text", text);
    };
    titled("welcome", "title", s.welcomeTitle, s.welcomeText);
    titled("destination", "title", s.destinationTitle, s.destinationText);
    titled("disk_prompt", "title", s.diskPromptTitle, s.diskPromptText);
    titled("success", "caption", s.successCaption, s.successText);
    titled("failure", "caption", s.failureCaption, s.failureText);
    titled("cancel", "caption", s.cancelCaption, s.cancelText);

    if (s.BackgroundStyle != 0 || !s.backgroundBitmap.Stored().empty()) {
        out.Table("background");
        out.Value("style", NamedOrNumber(kBackgroundStyles, s.BackgroundStyle));
        out.TextIfAny("file", s.backgroundBitmap);
    }
    if (!s.sideBitmap.Stored().empty()) {
        out.Table("side_bitmap");
        out.Text("file", s.sideBitmap);
    }
    if (!s.readmeFile.Stored().empty()) {
        out.Table("readme");
        out.Text("file", s.readmeFile);
    }
    if (s.completionFlags != 0) {
        out.Table("completion");
        if ((s.completionFlags & ~(kCompletionRestartWindows | kCompletionReboot)) != 0) {
            out.Value("flags", std::to_string(s.completionFlags));
        } else {
            if (s.completionFlags & kCompletionRestartWindows) {
                out.Value("restart_windows", "true");
            }
            if (s.completionFlags & kCompletionReboot) {
                out.Value("reboot", "true");
            }
        }
    }
}
