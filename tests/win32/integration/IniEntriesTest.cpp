#include "integration/IniEntries.h"

#include "CompletionTestSupport.h"

namespace {

using IniEntries = CompletionTest;

IniEntry Entry(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) {
    IniEntry entry;
    entry.file.Assign(file);
    entry.section.Assign(section);
    entry.key.Assign(key);
    entry.value.Assign(value);
    return entry;
}

std::string ProfileText(const std::string& file, const std::string& section,
                        const std::string& key) {
    char text[256] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "(missing)", text, sizeof text,
                             file.c_str());
    return text;
}

// The key names of a section, in file order.
std::vector<std::string> SectionKeys(const std::string& file, const std::string& section) {
    char names[1024] = {};
    const DWORD length =
        GetPrivateProfileStringA(section.c_str(), nullptr, "", names, sizeof names, file.c_str());
    std::vector<std::string> keys;
    for (DWORD i = 0; i < length; i += static_cast<DWORD>(keys.back().size()) + 1) {
        keys.push_back(names + i);
    }
    return keys;
}

} // namespace

TEST_F(IniEntries, SetRemoveKeyAndRemoveSectionInListOrder) {
    const std::string file = destination + "\\APP.INI";
    script.iniEntries = {
        Entry(file, "Options", "Colour", "blue"),
        Entry(file, "Options", "Size", "10"),
        Entry(file, "Options", "Colour", "red"), // the later value wins
        Entry(file, "Options", "Size", ""),      // no value: the key goes
        Entry(file, "Old", "A", "1"),
        Entry(file, "Old", "B", "2"),
        Entry(file, "Old", "", "x"),  // no key: the whole section goes
        Entry(file, "Old", "C", "3"), // set again after its removal
    };
    WriteIniEntries(script, log, record);

    EXPECT_EQ(ProfileText(file, "Options", "Colour"), "red");
    EXPECT_EQ(SectionKeys(file, "Options"), std::vector<std::string>{"Colour"});
    EXPECT_EQ(SectionKeys(file, "Old"), std::vector<std::string>{"C"});
    EXPECT_EQ(ProfileText(file, "Old", "C"), "3");

    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              "Added [Options], Colour=blue to file " + file + ".",
                              "Added [Options], Size=10 to file " + file + ".",
                              "Added [Options], Colour=red to file " + file + ".",
                              "Added [Options], Size= to file " + file + ".",
                              "Added [Old], A=1 to file " + file + ".",
                              "Added [Old], B=2 to file " + file + ".",
                              "Added [Old], =x to file " + file + ".",
                              "Added [Old], C=3 to file " + file + ".",
                          }));
}

TEST_F(IniEntries, FileWithoutDirectoryIsInTheWindowsDirectory) {
    const std::string inWindows = directories.windows + "\\SKCOMPL.INI";
    DeleteFileA(inWindows.c_str());
    script.iniEntries = {Entry("SKCOMPL.INI", "Boot", "", "x"),
                         Entry("SKCOMPL.INI", "Boot", "shell", "setupkit.exe")};
    WriteIniEntries(script, log, record);
    EXPECT_EQ(ProfileText(inWindows, "Boot", "shell"), "setupkit.exe");
    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              "Added [Boot], =x to file SKCOMPL.INI.",
                              "Added [Boot], shell=setupkit.exe to file SKCOMPL.INI.",
                          }));
    DeleteFileA(inWindows.c_str());
}

TEST_F(IniEntries, FailureIsSilentAndStillLogged) {
    // A directory that does not exist cannot hold the file.
    const std::string file = destination + "\\MISSING\\APP.INI";
    script.iniEntries = {Entry(file, "S", "K", "V")};
    WriteIniEntries(script, log, record);
    EXPECT_FALSE(FileIsThere(file));
    EXPECT_EQ(LogLines(), std::vector<std::string>{"Added [S], K=V to file " + file + "."});
}
