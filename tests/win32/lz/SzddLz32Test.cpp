// Our compressed files through the platform's own readers: the LZ expansion library (LZInit,
// LZSeek for the expanded size, LZCopy) and VerInstallFileA, which SETUP.EXE relies on. Also
// the form the disk builder uses for a file that does not shrink: the plain bytes under the
// compressed name, which both readers copy unchanged.
#include "TestFiles.h"
#include "lz/SzddCompressor.h"

#include <windows.h>

#include <lzexpand.h>
#include <winver.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A fresh directory below the temporary directory, emptied and removed at the end.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const char* name) : path_(TemporaryPath(name)) {
        Clear();
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TemporaryFolder() { Clear(); }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    void Clear() {
        DeleteFilesIn(path_);
        RemoveDirectoryA(path_.c_str());
    }

    std::string path_;
};

Bytes ReadBytes(const std::string& path) {
    const std::optional<std::string> bytes = ReadTestFile(path);
    if (!bytes) {
        ADD_FAILURE() << "cannot open " << path;
        return {};
    }
    return Bytes(bytes->begin(), bytes->end());
}

struct Sample {
    const char* name;
    Bytes data;
};

// Edge sizes, the window's initial spaces, text, executable-like data, incompressible data,
// long runs, and data that uses the whole window and wraps it many times.
std::vector<Sample> Samples() {
    std::vector<Sample> samples;
    samples.push_back({"empty", {}});
    samples.push_back({"one", {'x'}});
    samples.push_back({"spaces", Bytes(18, ' ')});
    std::mt19937 random(3);
    Bytes text;
    static const char* const kWords[] = {"setup ", "disk ", "the ", "file ", "\r\n", "install "};
    while (text.size() < 70000) {
        const std::string word = kWords[random() % 6];
        text.insert(text.end(), word.begin(), word.end());
    }
    samples.push_back({"text", text});
    Bytes binaryLike;
    while (binaryLike.size() < 300000) {
        binaryLike.insert(binaryLike.end(), random() % 40, 0);
        binaryLike.push_back(static_cast<std::uint8_t>(random() % 6));
        binaryLike.push_back(static_cast<std::uint8_t>(random()));
    }
    samples.push_back({"binary", binaryLike});
    Bytes noise(100000);
    for (auto& b : noise) {
        b = static_cast<std::uint8_t>(random());
    }
    samples.push_back({"noise", noise});
    samples.push_back({"zeros", Bytes(1 << 20, 0)});
    Bytes periodic;
    for (std::size_t i = 0; i < 200000; ++i) {
        periodic.push_back(static_cast<std::uint8_t>(i % 4093));
    }
    samples.push_back({"periodic", periodic});
    return samples;
}

// LZInit on the source, LZSeek to the end, LZCopy into destination; returns the size LZSeek
// reported, or a negative LZ error.
LONG ExpandWithLz32(const std::string& source, const std::string& destination) {
    OFSTRUCT sourceInfo{};
    OFSTRUCT destinationInfo{};
    const INT in = LZOpenFileA(const_cast<char*>(source.c_str()), &sourceInfo, OF_READ);
    if (in < 0) {
        return in;
    }
    const LONG size = LZSeek(in, 0, 2);
    LZSeek(in, 0, 0);
    const INT out =
        LZOpenFileA(const_cast<char*>(destination.c_str()), &destinationInfo, OF_CREATE);
    if (out < 0) {
        LZClose(in);
        return out;
    }
    const LONG copied = LZCopy(in, out);
    LZClose(out);
    LZClose(in);
    return copied < 0 ? copied : size;
}

// VerInstallFileA(VIFF_FORCEINSTALL) as SETUP.EXE calls it, the current directory being the
// destination; returns its flag word (0: installed).
DWORD InstallFile(std::string sourceName, std::string destinationName, std::string sourceDirectory,
                  std::string destinationDirectory) {
    std::string currentDirectory = destinationDirectory;
    char temporary[MAX_PATH] = {};
    UINT temporaryLength = MAX_PATH;
    return VerInstallFileA(VIFF_FORCEINSTALL, sourceName.data(), destinationName.data(),
                           sourceDirectory.data(), destinationDirectory.data(),
                           currentDirectory.data(), temporary, &temporaryLength);
}

TEST(SzddWithLz32, OurFilesExpandThroughLZInitLZSeekAndLZCopy) {
    TemporaryFolder dir("setupkit-lz32");
    for (const Sample& sample : Samples()) {
        const std::string compressed = dir / (std::string(sample.name) + ".dl_");
        ASSERT_TRUE(WriteFileBytes(compressed, CompressSzdd(sample.data, 'l')));

        // The way SETUP.EXE opens it: _lopen, LZInit on the handle.
        const HFILE file = _lopen(compressed.c_str(), OF_READ);
        ASSERT_NE(file, HFILE_ERROR) << sample.name;
        const INT lz = LZInit(file);
        ASSERT_GE(lz, 0) << sample.name;
        EXPECT_EQ(LZSeek(lz, 0, 2), static_cast<LONG>(sample.data.size())) << sample.name;
        LZClose(lz);

        const std::string expanded = dir / (std::string(sample.name) + ".dll");
        EXPECT_EQ(ExpandWithLz32(compressed, expanded), static_cast<LONG>(sample.data.size()))
            << sample.name;
        EXPECT_EQ(ReadBytes(expanded), sample.data) << sample.name;
    }
}

TEST(SzddWithLz32, OurFilesInstallThroughVerInstallFile) {
    TemporaryFolder source("setupkit-vif-src");
    TemporaryFolder destination("setupkit-vif-dst");
    for (const Sample& sample : Samples()) {
        const std::string compressedName = std::string(sample.name) + ".DL_";
        const std::string installedName = std::string(sample.name) + ".DLL";
        ASSERT_TRUE(WriteFileBytes(source / compressedName, CompressSzdd(sample.data, 'L')));

        EXPECT_EQ(InstallFile(compressedName, installedName, source.Path(), destination.Path()), 0u)
            << sample.name;
        EXPECT_EQ(ReadBytes(destination / installedName), sample.data) << sample.name;
    }
}

TEST(SzddWithLz32, PlainBytesUnderTheCompressedNameAreCopiedUnchanged) {
    // A file that does not shrink is stored as it is under its compressed name; both readers
    // give it back unchanged, an empty file included.
    TemporaryFolder dir("setupkit-stored");
    for (const Sample& sample : Samples()) {
        const std::string stored = dir / (std::string(sample.name) + ".EX_");
        ASSERT_TRUE(WriteFileBytes(stored, sample.data));
        const std::string copied = dir / (std::string(sample.name) + ".EXE");
        EXPECT_EQ(ExpandWithLz32(stored, copied), static_cast<LONG>(sample.data.size()))
            << sample.name;
        EXPECT_EQ(ReadBytes(copied), sample.data) << sample.name;

        const std::string installedName = std::string(sample.name) + ".BIN";
        EXPECT_EQ(
            InstallFile(std::string(sample.name) + ".EX_", installedName, dir.Path(), dir.Path()),
            0u)
            << sample.name;
        EXPECT_EQ(ReadBytes(dir / installedName), sample.data) << sample.name;
    }
}

} // namespace
