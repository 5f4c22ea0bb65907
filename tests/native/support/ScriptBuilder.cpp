#include "support/ScriptBuilder.h"

#include "script/ScriptChecksum.h"

ScriptBuilder& ScriptBuilder::Byte(std::uint8_t value) {
    body_.push_back(value);
    return *this;
}

ScriptBuilder& ScriptBuilder::Word(std::uint16_t value) {
    return Byte(value & 0xFF).Byte(value >> 8);
}

ScriptBuilder& ScriptBuilder::Dword(std::uint32_t value) {
    return Word(value & 0xFFFF).Word(value >> 16);
}

ScriptBuilder& ScriptBuilder::Text(std::string_view text) {
    Byte(static_cast<std::uint8_t>(text.size()));
    body_.insert(body_.end(), text.begin(), text.end());
    return *this;
}

ScriptBuilder& ScriptBuilder::Texts(int count, std::string_view text) {
    for (int i = 0; i < count; ++i) {
        Text(text);
    }
    return *this;
}

ScriptBuilder& ScriptBuilder::Raw(const std::vector<std::uint8_t>& bytes) {
    body_.insert(body_.end(), bytes.begin(), bytes.end());
    return *this;
}

ScriptBuilder& ScriptBuilder::EmptyHeaderFields() {
    Text("").Byte(0).Text(""); // unused fields
    Texts(6);                  // productName .. backgroundBitmap
    Byte(0);                   // BackgroundStyle
    Texts(10);                 // sideBitmap .. cancelText
    return Byte(0);            // completionFlags
}

ScriptBuilder& ScriptBuilder::EmptySections() {
    Byte(0);                                            // S1 disk labels
    Byte(0);                                            // S2 directories
    Byte(0).Byte(0).Byte(0);                            // S3 group settings and groups
    Byte(0);                                            // S4 program items
    Word(0);                                            // S5 install items
    Byte(0);                                            // S6 final programs
    Word(0);                                            // S7 registry keys
    Byte(0);                                            // S8 components
    Byte(0).Text("").Byte(0).Text("").Byte(0).Text(""); // S8 setup types
    Byte(0);                                            // S9 INI entries
    Byte(0);                                            // S10
    Byte(0);                                            // S11
    return Byte(0).Text("");                            // S12 uninstall entry
}

std::vector<std::uint8_t> ScriptBuilder::Image() const {
    return MakeImage(body_);
}

std::vector<std::uint8_t> MakeImage(const std::vector<std::uint8_t>& body, std::uint32_t version) {
    const std::uint16_t checksum = ScriptChecksum(body.data(), body.size());
    std::vector<std::uint8_t> image = {
        static_cast<std::uint8_t>(version),       static_cast<std::uint8_t>(version >> 8),
        static_cast<std::uint8_t>(version >> 16), static_cast<std::uint8_t>(version >> 24),
        static_cast<std::uint8_t>(checksum),      static_cast<std::uint8_t>(checksum >> 8)};
    image.insert(image.end(), body.begin(), body.end());
    return image;
}

std::vector<std::uint8_t> MinimalScriptImage() {
    return ScriptBuilder().EmptyHeaderFields().EmptySections().Image();
}
