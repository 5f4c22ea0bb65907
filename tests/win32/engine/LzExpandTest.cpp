#include "engine/LzExpand.h"

#include "FailureCode.h"
#include "TestFiles.h"
#include "script/SetupError.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

// The SZDD header: magic, method, last character of the name, expanded length.
std::string SzddHeader(char method, std::uint32_t expandedSize) {
    std::string bytes("SZDD\x88\xF0\x27\x33", 8);
    bytes += method;
    bytes += 'L';
    for (int shift = 0; shift < 32; shift += 8) {
        bytes += static_cast<char>((expandedSize >> shift) & 0xFF);
    }
    return bytes;
}

// Literals only: one flag byte with all bits set before each run of eight bytes.
std::string Compressed(std::uint32_t expandedSize) {
    std::string bytes = SzddHeader('A', expandedSize);
    for (std::uint32_t done = 0; done < expandedSize; done += 8) {
        bytes += '\xFF';
        for (std::uint32_t k = done; k < done + 8 && k < expandedSize; ++k) {
            bytes += static_cast<char>('0' + k % 10);
        }
    }
    return bytes;
}

// True when nothing holds the file open any more: an exclusive open succeeds.
bool IsClosed(const std::string& path) {
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid();
}

// The code LzExpandedSize fails with; 0 when it succeeds.
std::uint32_t ExpansionFailureCode(const std::string& path) {
    std::int32_t size = 0;
    return FailureCode(LzExpandedSize(path.c_str(), size));
}

// The size LzExpandedSize gives; -1 (and the test failed) when it fails.
std::int32_t ExpandedSize(const std::string& path) {
    std::int32_t size = -1;
    EXPECT_FALSE(LzExpandedSize(path.c_str(), size));
    return size;
}

} // namespace

TEST(LzExpandedSize, CompressedFileGivesTheSizeOnceExpanded) {
    const std::string path = TemporaryPath("lz-size.dl_");
    const std::string bytes = Compressed(70000);
    ASSERT_TRUE(WriteFileBytes(path, bytes));
    ASSERT_EQ(bytes.size(), 14u + 70000u + 8750u);
    EXPECT_EQ(ExpandedSize(path), 70000);
    EXPECT_TRUE(IsClosed(path));
    DeleteFileA(path.c_str());
}

TEST(LzExpandedSize, PlainFileGivesItsOwnSize) {
    const std::string path = TemporaryPath("lz-plain.dll");
    ASSERT_TRUE(WriteFileBytes(path, std::string(12345, 'p')));
    EXPECT_EQ(ExpandedSize(path), 12345);
    EXPECT_TRUE(IsClosed(path));
    ASSERT_TRUE(WriteFileBytes(path, ""));
    EXPECT_EQ(ExpandedSize(path), 0);
    DeleteFileA(path.c_str());
}

TEST(LzExpandedSize, MissingFileFailsWithTheSystemError) {
    EXPECT_EQ(ExpansionFailureCode(TemporaryPath("lz-no-such-file.dl_")),
              static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
}

TEST(LzExpandedSize, UnknownMethodFailsWithTheLzErrorAndClosesTheFile) {
    const std::string path = TemporaryPath("lz-method.dl_");
    ASSERT_TRUE(WriteFileBytes(path, SzddHeader('Q', 100) + std::string(50, '\xFF')));
    EXPECT_EQ(ExpansionFailureCode(path), static_cast<std::uint32_t>(LZERROR_UNKNOWNALG));
    EXPECT_TRUE(IsClosed(path));
    DeleteFileA(path.c_str());
}

TEST(LzFile, CreateModeMakesAnEmptyFile) {
    const std::string path = TemporaryPath("lz-created.tmp");
    ASSERT_TRUE(WriteFileBytes(path, "old contents"));
    {
        LzFile file;
        ASSERT_FALSE(file.Open(path.c_str(), LzOpenMode::Create));
        EXPECT_GE(file.handle(), 0);
    }
    EXPECT_TRUE(IsClosed(path));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 0u);
    DeleteFileA(path.c_str());
}
