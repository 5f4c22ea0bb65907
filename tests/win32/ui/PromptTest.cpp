#include "PromptTest.h"

#include "TestWindows.h"

#include "engine/FileOperations.h"
#include "ui/MessageBoxes.h"

PromptTest* PromptTest::current_ = nullptr;

int PromptTest::AskFileInUse(const char* path) {
    return FileInUsePrompt(current_->mainWindow, &current_->script, path);
}

void PromptTest::SetUp() {
    script.productName.Assign(kProductName);
    script.cancelCaption.Assign(kCancelCaption);
    script.cancelText.Assign(kCancelText);
    current_ = this;
    SetFileInUsePrompt(AskFileInUse);

    mainWindow = CreateWindowA(PlainTestWindowClass(), kProductName, WS_OVERLAPPEDWINDOW, 0, 0, 800,
                               600, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(mainWindow, nullptr);
    ShowWindow(mainWindow, SW_SHOWNORMAL);
    MinimiseMainWindow();
}

void PromptTest::TearDown() {
    SetFileInUsePrompt(nullptr);
    current_ = nullptr;
    if (mainWindow) {
        DestroyWindow(mainWindow);
    }
}

void PromptTest::MinimiseMainWindow() {
    ShowWindow(mainWindow, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(mainWindow));
}

std::string ScratchDirectory() {
    return ScratchDirectory("prompt-tests");
}

void WriteTestFile(const std::string& path, const std::string& bytes, WORD year, WORD month,
                   WORD day) {
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(file.get(), INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ASSERT_TRUE(
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    SYSTEMTIME date{};
    date.wYear = year;
    date.wMonth = month;
    date.wDay = day;
    date.wHour = 12;
    FILETIME time{};
    SystemTimeToFileTime(&date, &time);
    ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &time));
}

std::string CompressedBytes(std::uint32_t expandedSize) {
    // Header: magic, method 'A', the last character of the name, the expanded length.
    std::string bytes("SZDD\x88\xF0\x27\x33", 8);
    bytes += 'A';
    bytes += 'L';
    for (int shift = 0; shift < 32; shift += 8) {
        bytes += static_cast<char>((expandedSize >> shift) & 0xFF);
    }
    // Each flag byte announces eight items; a set bit is a literal byte.
    for (std::uint32_t done = 0; done < expandedSize; done += 8) {
        bytes += '\xFF';
        for (std::uint32_t k = done; k < done + 8 && k < expandedSize; ++k) {
            bytes += static_cast<char>('a' + k % 26);
        }
    }
    return bytes;
}
