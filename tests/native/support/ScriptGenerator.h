#pragma once

#include "script/ScriptModel.h"

#include <random>
#include <string>

// Generates scripts with every section filled at random: texts of every length from 0 to 255
// with any byte (NULs and high bytes too), flag bytes with any value, counts across the byte
// boundary for the word-counted sections.
class ScriptGenerator {
public:
    explicit ScriptGenerator(unsigned seed) : random_(seed) {}

    SetupScript Make() {
        SetupScript s;
        for (FixedText* text :
             {&s.unusedText1,    &s.unusedText3,      &s.productName,     &s.welcomeTitle,
              &s.welcomeText,    &s.destinationTitle, &s.destinationText, &s.backgroundBitmap,
              &s.sideBitmap,     &s.readmeFile,       &s.diskPromptTitle, &s.diskPromptText,
              &s.successCaption, &s.successText,      &s.failureCaption,  &s.failureText,
              &s.cancelCaption,  &s.cancelText,       &s.typicalLabel,    &s.minimalLabel,
              &s.customLabel}) {
            *text = Text();
        }
        s.unusedByte2 = Byte();
        s.BackgroundStyle = Byte();
        s.completionFlags = Byte();
        s.showGroupPage = Byte();
        s.askBeforeGroup = Byte();
        s.typicalOffered = Byte();
        s.minimalOffered = Byte();
        s.customOffered = Byte();
        Fill(s.diskLabels, Count(8), [&] { return Block(); });
        Fill(s.directories, Count(8), [&] {
            DirectoryEntry d;
            d.templatePath = d.path = Text();
            return d;
        });
        Fill(s.programGroups, Count(5), [&] { return Block(); });
        Fill(s.programItems, Count(6),
             [&] { return ProgramItem{Text(), Byte(), Text(), Text(), Text(), Byte()}; });
        Fill(s.installItems, Count(300), [&] {
            InstallItem i;
            i.diskNumber = Byte();
            i.dirIndex = Byte();
            i.name = Text();
            i.compressed = Byte();
            i.action = Byte();
            i.overwriteMode = Byte();
            i.readOnly = Byte();
            i.partCount = Byte();
            i.size = static_cast<std::uint32_t>(random_());
            i.sourceSubdir = Text();
            i.shared = Byte();
            return i;
        });
        Fill(s.finalPrograms, Count(4), [&] {
            return FinalProgram{Text(), static_cast<std::uint16_t>(random_()), Text()};
        });
        Fill(s.registryKeys, Count(4), [&] {
            RegistryKey key;
            key.keyPath = Text();
            Fill(key.values, Count(270), [&] {
                RegistryValue v;
                v.name = Text();
                if (random_() % 2) {
                    v.kind = RegistryValueKind::Text;
                    v.storedKind = static_cast<std::uint8_t>(1 + random_() % 255);
                    v.text = Block();
                } else {
                    v.number = static_cast<std::uint32_t>(random_());
                }
                return v;
            });
            return key;
        });
        Fill(s.components, Count(6), [&] {
            Component c;
            c.name = Text();
            c.description = Text();
            c.inMinimal = Byte();
            c.inTypical = Byte();
            if (!s.installItems.empty()) {
                Fill(c.files, Count(10),
                     [&] { return static_cast<std::uint32_t>(random_() % s.installItems.size()); });
            }
            return c;
        });
        Fill(s.iniEntries, Count(5), [&] { return IniEntry{Text(), Text(), Text(), Text()}; });
        for (auto* list : {&s.systemChangesFirst, &s.systemChangesSecond}) {
            Fill(*list, Count(5), [&] { return SystemFileChange{Byte(), Text()}; });
        }
        s.uninstallPresent = random_() % 2 ? Byte() : 0;
        s.uninstallNameAsStored = Text();
        s.uninstallName = s.uninstallPresent ? s.uninstallNameAsStored : FixedText{};
        return s;
    }

private:
    std::uint8_t Byte() { return static_cast<std::uint8_t>(random_()); }
    std::size_t Count(std::size_t most) { return random_() % (most + 1); }
    FixedText Text() {
        const std::size_t length = random_() % 4 == 0 ? 255 : random_() % 40;
        std::string text(length, '\0');
        for (char& c : text) {
            c = static_cast<char>(random_() % 8 == 0 ? random_() : 'a' + random_() % 26);
        }
        return FixedText(text);
    }
    TextBlock Block() {
        FixedText text = Text();
        return text.Stored().empty() ? TextBlock{} : TextBlock{text};
    }
    template <typename T, typename Make> void Fill(std::vector<T>& list, std::size_t n, Make make) {
        for (std::size_t i = 0; i < n; ++i) {
            list.push_back(make());
        }
    }

    std::mt19937 random_;
};
