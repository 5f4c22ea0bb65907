#include "integration/UninstallRegistration.h"

#include "CompletionTestSupport.h"

namespace {

constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kSharedDllsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

class UninstallRegistration : public CompletionTest {
protected:
    void SetUp() override {
        CompletionTest::SetUp();
        uninstaller = directories.windows + "\\KXUN32.EXE";
        Clean();
    }
    void TearDown() override {
        Clean();
        CompletionTest::TearDown();
    }
    void Clean() {
        DeleteKeyTree(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + kProductName);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\Completion Nested");
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kSharedDllsKey);
    }
    // A new prefix has no SharedDLLs key (Windows has one): the tests make it when they need
    // it, since the system never creates it.
    static void CreateSharedDllsKey() {
        LONG status = ERROR_SUCCESS;
        const UniqueRegKey key =
            CreateTestKey(HKEY_LOCAL_MACHINE, kSharedDllsKey, KEY_ALL_ACCESS, &status);
        ASSERT_EQ(status, ERROR_SUCCESS);
    }
    static void SetShared(const std::string& name, DWORD type, const std::string& bytes) {
        LONG status = ERROR_SUCCESS;
        const UniqueRegKey key =
            OpenTestKey(HKEY_LOCAL_MACHINE, kSharedDllsKey, KEY_ALL_ACCESS, &status);
        ASSERT_EQ(status, ERROR_SUCCESS);
        RegSetValueExA(key.get(), name.c_str(), 0, type,
                       reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
    }
    static bool KeyExists(const std::string& path) {
        return OpenTestKey(HKEY_LOCAL_MACHINE, path, KEY_READ).valid();
    }

    std::string uninstaller;
};

} // namespace

TEST_F(UninstallRegistration, DisplayNameAndUninstallStringUnderTheProductName) {
    CreateSharedDllsKey();
    script.uninstallPresent = 1;
    script.uninstallName.Assign("Completion Product in ?D");
    RegisterUninstall(script, Macros(), kScriptPath, log, record);

    const std::string key = std::string(kUninstallKey) + "\\" + kProductName;
    const std::optional<StoredValue> name = QueryValue(HKEY_LOCAL_MACHINE, key, "DisplayName");
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(name->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(name->bytes, TextBytes("Completion Product in " + destination));
    const std::optional<StoredValue> command =
        QueryValue(HKEY_LOCAL_MACHINE, key, "UninstallString");
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(command->bytes, TextBytes("C:\\windows\\KXUN32.EXE " + destination + "\\SETUP.INF"));
    // The uninstall name is expanded in place.
    EXPECT_EQ(script.uninstallName.View(), "Completion Product in " + destination);
    // Nothing of this goes to the install log.
    EXPECT_TRUE(LogBytes().empty());
}

TEST_F(UninstallRegistration, UninstallerIsCountedOncePerRegistration) {
    CreateSharedDllsKey();
    script.uninstallName.Assign("Completion Product");
    RegisterUninstall(script, Macros(), kScriptPath, log, record);
    std::optional<StoredValue> count = QueryValue(HKEY_LOCAL_MACHINE, kSharedDllsKey, uninstaller);
    ASSERT_TRUE(count.has_value());
    EXPECT_EQ(count->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(count->bytes, std::string("\x01\x00\x00\x00", 4));

    // Another installation overwrites the entry and counts the uninstaller twice.
    record = {};
    script.uninstallName.Assign("Completion Product Again");
    RegisterUninstall(script, Macros(), kScriptPath, log, record);
    count = QueryValue(HKEY_LOCAL_MACHINE, kSharedDllsKey, uninstaller);
    ASSERT_TRUE(count.has_value());
    EXPECT_EQ(count->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(count->bytes, std::string("\x02\x00\x00\x00", 4));
    const std::optional<StoredValue> name = QueryValue(
        HKEY_LOCAL_MACHINE, std::string(kUninstallKey) + "\\" + kProductName, "DisplayName");
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(name->bytes, TextBytes("Completion Product Again"));
}

TEST_F(UninstallRegistration, EmptyUninstallNameWritesNothing) {
    CreateSharedDllsKey();
    script.uninstallName.Assign("");
    RegisterUninstall(script, Macros(), kScriptPath, log, record);
    EXPECT_FALSE(KeyExists(std::string(kUninstallKey) + "\\" + kProductName));
    EXPECT_FALSE(QueryValue(HKEY_LOCAL_MACHINE, kSharedDllsKey, uninstaller).has_value());
}

TEST_F(UninstallRegistration, MissingSharedDllsKeyIsNeverCreated) {
    script.uninstallName.Assign("Completion Product");
    RegisterUninstall(script, Macros(), kScriptPath, log, record);
    EXPECT_TRUE(KeyExists(std::string(kUninstallKey) + "\\" + kProductName));
    EXPECT_FALSE(KeyExists(kSharedDllsKey));
    IncrementSharedCount("C:\\APP\\SHARED.DLL");
    EXPECT_FALSE(KeyExists(kSharedDllsKey));
}

TEST_F(UninstallRegistration, ProductNameWithBackslashNestsKeys) {
    script.productName.Assign("Completion Nested\\Inner");
    script.uninstallName.Assign("Nested");
    RegisterUninstall(script, Macros(), kScriptPath, log, record);
    EXPECT_TRUE(QueryValue(HKEY_LOCAL_MACHINE,
                           std::string(kUninstallKey) + "\\Completion Nested\\Inner", "DisplayName")
                    .has_value());
}

TEST_F(UninstallRegistration, SharedCountIsFourBinaryBytesWhateverItHeld) {
    CreateSharedDllsKey();
    const std::string dword = "C:\\APP\\DWORD.DLL";
    const std::string wide = "C:\\APP\\WIDE.DLL";
    const std::string narrow = "C:\\APP\\NARROW.DLL";
    SetShared(dword, REG_DWORD, NumberBytes(5));
    SetShared(wide, REG_BINARY, std::string("\x07\x00\x00\x00\x00\x00\x00\x00", 8));
    SetShared(narrow, REG_BINARY, std::string("\x05\x01", 2));

    IncrementSharedCount(dword);
    IncrementSharedCount(wide);
    IncrementSharedCount(narrow);
    IncrementSharedCount("");

    const auto expectCount = [](const std::string& name, const std::string& bytes) {
        SCOPED_TRACE(name);
        const std::optional<StoredValue> value =
            QueryValue(HKEY_LOCAL_MACHINE, kSharedDllsKey, name);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_BINARY));
        EXPECT_EQ(value->bytes, bytes);
    };
    expectCount(dword, std::string("\x06\x00\x00\x00", 4));
    // A value too long for 4 bytes cannot be read and starts again at 1.
    expectCount(wide, std::string("\x01\x00\x00\x00", 4));
    // A shorter value is read as far as it goes: 0x0105, plus one.
    expectCount(narrow, std::string("\x06\x01\x00\x00", 4));
    EXPECT_FALSE(QueryValue(HKEY_LOCAL_MACHINE, kSharedDllsKey, "").has_value());
}
