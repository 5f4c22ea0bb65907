#include "integration/RegistryEntries.h"

#include "CompletionTestSupport.h"

namespace {

using RegistryEntries = CompletionTest;

constexpr const char* kTestKey = "Software\\SetupkitCompletion";

RegistryValue TextValue(const std::string& name, std::optional<std::string> text) {
    RegistryValue value;
    value.name.Assign(name);
    value.storedKind = 1;
    value.kind = RegistryValueKind::Text;
    if (text) {
        value.text = FixedText(*text);
    }
    return value;
}

RegistryValue NumberValue(const std::string& name, std::uint32_t number) {
    RegistryValue value;
    value.name.Assign(name);
    value.kind = RegistryValueKind::Number;
    value.number = number;
    return value;
}

RegistryKey Key(const std::string& path, std::vector<RegistryValue> values = {}) {
    RegistryKey key;
    key.keyPath.Assign(path);
    key.values = std::move(values);
    return key;
}

// Checks one stored value, reporting the caller's line.
void ExpectValue(int line, HKEY root, const std::string& key, const std::string& name, DWORD type,
                 const std::string& bytes) {
    SCOPED_TRACE(testing::Message() << "value \"" << name << "\" of " << key << ", line " << line);
    const std::optional<StoredValue> value = QueryValue(root, key, name);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, type);
    EXPECT_EQ(value->bytes, bytes);
}
#define EXPECT_VALUE(root, key, name, type, bytes)                                                 \
    ExpectValue(__LINE__, root, key, name, type, bytes)

class RegistryEntriesClean : public RegistryEntries {
protected:
    void SetUp() override {
        RegistryEntries::SetUp();
        Clean();
    }
    void TearDown() override {
        Clean();
        RegistryEntries::TearDown();
    }
    static void Clean() {
        DeleteKeyTree(HKEY_CURRENT_USER, kTestKey);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kTestKey);
        DeleteKeyTree(HKEY_CLASSES_ROOT, ".setupkitcompletion");
        DeleteKeyTree(HKEY_USERS, std::string(".DEFAULT\\") + kTestKey);
        DeleteKeyTree(HKEY_CURRENT_CONFIG, kTestKey);
        if (const UniqueRegKey user = OpenTestKey(HKEY_CURRENT_USER, "", KEY_ALL_ACCESS)) {
            RegDeleteValueA(user.get(), "SetupkitCompletionRootValue");
        }
        RegDeleteValueA(HKEY_CLASSES_ROOT, "SetupkitCompletionRootValue");
    }
};

} // namespace

TEST_F(RegistryEntriesClean, TextEmptyTextAndNumberValuesUnderEachRoot) {
    script.registryKeys = {
        Key("[HKEY_CURRENT_USER\\Software\\SetupkitCompletion\\Values]",
            {TextValue("Text", "hello world"), TextValue("", "the default value"),
             TextValue("Empty", ""), TextValue("NoBlock", std::nullopt),
             NumberValue("Number", 0x01020304), NumberValue("Zero", 0)}),
        Key("[hkey_local_machine\\Software\\SetupkitCompletion]", {NumberValue("Lower", 7)}),
        Key("[HKEY_CLASSES_ROOT\\.setupkitcompletion]", {TextValue("", "SetupkitFile")}),
        Key("[HKEY_USERS\\.DEFAULT\\Software\\SetupkitCompletion]", {TextValue("Users", "u")}),
        Key("[HKEY_CURRENT_CONFIG\\Software\\SetupkitCompletion]", {NumberValue("Config", 9)}),
    };
    WriteRegistryEntries(script, Macros(), log, record);

    const std::string values = std::string(kTestKey) + "\\Values";
    EXPECT_VALUE(HKEY_CURRENT_USER, values, "Text", REG_SZ, TextBytes("hello world"));
    EXPECT_VALUE(HKEY_CURRENT_USER, values, "", REG_SZ, TextBytes("the default value"));
    // An empty text, and a value without a text block, are one NUL byte.
    EXPECT_VALUE(HKEY_CURRENT_USER, values, "Empty", REG_SZ, std::string(1, '\0'));
    EXPECT_VALUE(HKEY_CURRENT_USER, values, "NoBlock", REG_SZ, std::string(1, '\0'));
    EXPECT_VALUE(HKEY_CURRENT_USER, values, "Number", REG_DWORD, NumberBytes(0x01020304));
    EXPECT_VALUE(HKEY_CURRENT_USER, values, "Zero", REG_DWORD, NumberBytes(0));
    EXPECT_VALUE(HKEY_LOCAL_MACHINE, kTestKey, "Lower", REG_DWORD, NumberBytes(7));
    EXPECT_VALUE(HKEY_CLASSES_ROOT, ".setupkitcompletion", "", REG_SZ, TextBytes("SetupkitFile"));
    EXPECT_VALUE(HKEY_USERS, std::string(".DEFAULT\\") + kTestKey, "Users", REG_SZ, TextBytes("u"));
    EXPECT_VALUE(HKEY_CURRENT_CONFIG, kTestKey, "Config", REG_DWORD, NumberBytes(9));

    EXPECT_EQ(LogLines(),
              (std::vector<std::string>{
                  "Added registry key [HKEY_CURRENT_USER\\Software\\SetupkitCompletion"
                  "\\Values].",
                  "\tAdded registry value Text.",
                  "\tAdded registry value .",
                  "\tAdded registry value Empty.",
                  "\tAdded registry value NoBlock.",
                  "\tAdded registry value Number.",
                  "\tAdded registry value Zero.",
                  "Added registry key [hkey_local_machine\\Software\\SetupkitCompletion].",
                  "\tAdded registry value Lower.",
                  "Added registry key [HKEY_CLASSES_ROOT\\.setupkitcompletion].",
                  "\tAdded registry value .",
                  "Added registry key [HKEY_USERS\\.DEFAULT\\Software\\SetupkitCompletion].",
                  "\tAdded registry value Users.",
                  "Added registry key [HKEY_CURRENT_CONFIG\\Software\\SetupkitCompletion].",
                  "\tAdded registry value Config.",
              }));
}

TEST_F(RegistryEntriesClean, DynamicDataRootIsSelected) {
    // HKEY_DYN_DATA takes sub-keys on Windows 9x and under Wine. Windows NT has no such key:
    // creating a sub-key under it fails there, so the key is skipped without a log line, as
    // any key that cannot be created.
    script.registryKeys = {Key("[HKEY_DYN_DATA\\SetupkitCompletion]", {NumberValue("Dynamic", 1)})};
    ParsedRegistryPath parsed;
    ASSERT_TRUE(ParseRegistryPath(script.registryKeys[0], Macros(), parsed));
    EXPECT_EQ(parsed.root, HKEY_DYN_DATA);
    EXPECT_EQ(parsed.subKey, "SetupkitCompletion");

    LONG created = ERROR_SUCCESS;
    UniqueRegKey probe =
        CreateTestKey(HKEY_DYN_DATA, "SetupkitCompletion", KEY_ALL_ACCESS, &created);
    const bool platformHasIt = created == ERROR_SUCCESS;
    if (probe) {
        probe.reset();
        RegDeleteKeyA(HKEY_DYN_DATA, "SetupkitCompletion");
    }
    WriteRegistryEntries(script, Macros(), log, record);
    if (platformHasIt) {
        EXPECT_VALUE(HKEY_DYN_DATA, "SetupkitCompletion", "Dynamic", REG_DWORD, NumberBytes(1));
        EXPECT_EQ(LogLines().size(), 2u);
        RegDeleteKeyA(HKEY_DYN_DATA, "SetupkitCompletion");
    } else {
        EXPECT_TRUE(LogLines().empty());
    }
}

TEST_F(RegistryEntriesClean, MacrosAreExpandedWhenWritten) {
    script.registryKeys = {
        Key("[HKEY_CURRENT_USER\\Software\\SetupkitCompletion\\Dir?PX]",
            {TextValue("Path", "?D\\BIN"), TextValue("?PName", "?W"),
             TextValue("Kept", "?Q stays")}),
    };
    // The destination as it stands when the entries are written, not when the script was read.
    const std::string finalDestination = destination + "\\FINAL";
    script.directories[0].path.Assign(finalDestination);
    WriteRegistryEntries(script, Macros(), log, record);

    const std::string key = std::string(kTestKey) + "\\DirX";
    EXPECT_VALUE(HKEY_CURRENT_USER, key, "Path", REG_SZ, TextBytes(finalDestination + "\\BIN"));
    EXPECT_VALUE(HKEY_CURRENT_USER, key, "Name", REG_SZ, TextBytes(directories.windows));
    EXPECT_VALUE(HKEY_CURRENT_USER, key, "Kept", REG_SZ, TextBytes("?Q stays"));
    // The log shows the expanded path and names; the script's texts are expanded in place.
    EXPECT_EQ(LogLines(),
              (std::vector<std::string>{
                  "Added registry key [HKEY_CURRENT_USER\\Software\\SetupkitCompletion\\DirX].",
                  "\tAdded registry value Path.", "\tAdded registry value Name.",
                  "\tAdded registry value Kept."}));
    EXPECT_EQ(script.registryKeys[0].keyPath.View(),
              "[HKEY_CURRENT_USER\\Software\\SetupkitCompletion\\DirX]");
}

TEST_F(RegistryEntriesClean, RootAloneTakesTheValuesDirectly) {
    script.registryKeys = {
        Key("[HKEY_CURRENT_USER]", {TextValue("SetupkitCompletionRootValue", "at the root")}),
        Key("[HKEY_CLASSES_ROOT]", {NumberValue("SetupkitCompletionRootValue", 3)}),
    };
    WriteRegistryEntries(script, Macros(), log, record);
    EXPECT_VALUE(HKEY_CURRENT_USER, "", "SetupkitCompletionRootValue", REG_SZ,
                 TextBytes("at the root"));
    EXPECT_VALUE(HKEY_CLASSES_ROOT, "", "SetupkitCompletionRootValue", REG_DWORD, NumberBytes(3));
    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              "Added registry key [HKEY_CURRENT_USER].",
                              "\tAdded registry value SetupkitCompletionRootValue.",
                              "Added registry key [HKEY_CLASSES_ROOT].",
                              "\tAdded registry value SetupkitCompletionRootValue.",
                          }));
    // The predefined roots were not closed: they still work.
    EXPECT_TRUE(QueryValue(HKEY_CURRENT_USER, "", "SetupkitCompletionRootValue").has_value());
}

TEST_F(RegistryEntriesClean, UnknownRootsAndUnreadablePaths) {
    script.registryKeys = {
        // The first character is skipped unread: the root name is KEY_USERS, which is unknown,
        // so its sub-key cannot be created and the key is skipped without a line.
        Key("HKEY_USERS\\.DEFAULT\\Software\\SetupkitCompletion", {TextValue("Lost", "x")}),
        // An unknown root with no sub-key: nothing can be written, but both lines are logged.
        Key("[HKEY_NOWHERE]", {TextValue("Nowhere", "x")}),
        // No root name at all: skipped.
        Key("[]", {TextValue("Nothing", "x")}),
        Key("", {TextValue("Nothing", "x")}),
        // A key after them is still written.
        Key("[HKEY_CURRENT_USER\\Software\\SetupkitCompletion]", {TextValue("After", "y")}),
    };
    WriteRegistryEntries(script, Macros(), log, record);
    EXPECT_FALSE(QueryValue(HKEY_USERS, std::string(".DEFAULT\\") + kTestKey, "Lost"));
    EXPECT_VALUE(HKEY_CURRENT_USER, kTestKey, "After", REG_SZ, TextBytes("y"));
    EXPECT_EQ(LogLines(),
              (std::vector<std::string>{
                  "Added registry key [HKEY_NOWHERE].",
                  "\tAdded registry value Nowhere.",
                  "Added registry key [HKEY_CURRENT_USER\\Software\\SetupkitCompletion].",
                  "\tAdded registry value After.",
              }));
}

TEST_F(RegistryEntriesClean, KeysWithoutValuesAndOverwrittenValues) {
    LONG created = ERROR_SUCCESS;
    UniqueRegKey existing = CreateTestKey(HKEY_CURRENT_USER, kTestKey, KEY_ALL_ACCESS, &created);
    ASSERT_EQ(created, ERROR_SUCCESS);
    RegSetValueExA(existing.get(), "Number", 0, REG_SZ, reinterpret_cast<const BYTE*>("old text"),
                   9);
    RegSetValueExA(existing.get(), "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>("old text"), 9);
    existing.reset();

    script.registryKeys = {
        Key("[HKEY_CURRENT_USER\\Software\\SetupkitCompletion\\Bare]"),
        Key("[HKEY_CURRENT_USER\\Software\\SetupkitCompletion]",
            {NumberValue("Number", 42), TextValue("Text", "new")}),
    };
    WriteRegistryEntries(script, Macros(), log, record);

    {
        LONG opened = ERROR_SUCCESS;
        const UniqueRegKey bare =
            OpenTestKey(HKEY_CURRENT_USER, "Software\\SetupkitCompletion\\Bare", KEY_READ, &opened);
        EXPECT_EQ(opened, ERROR_SUCCESS);
    }
    // A number is always REG_DWORD of 4 bytes, whatever the value held before.
    EXPECT_VALUE(HKEY_CURRENT_USER, kTestKey, "Number", REG_DWORD, NumberBytes(42));
    EXPECT_VALUE(HKEY_CURRENT_USER, kTestKey, "Text", REG_SZ, TextBytes("new"));
    EXPECT_EQ(LogLines(),
              (std::vector<std::string>{
                  "Added registry key [HKEY_CURRENT_USER\\Software\\SetupkitCompletion"
                  "\\Bare].",
                  "Added registry key [HKEY_CURRENT_USER\\Software\\SetupkitCompletion].",
                  "\tAdded registry value Number.",
                  "\tAdded registry value Text.",
              }));
}
