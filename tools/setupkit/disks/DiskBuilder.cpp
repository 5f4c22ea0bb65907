#include "disks/DiskBuilder.h"

#include "disks/DiskNames.h"
#include "disks/DiskPlanner.h"
#include "disks/DiskSetWriter.h"
#include "disks/ProgressLine.h"
#include "ToolError.h"
#include "ToolFiles.h"
#include "engine/ItemPaths.h"
#include "lz/SzddCompressor.h"
#include "lz/SzddFormat.h"
#include "script/ScriptWriter.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <map>
#include <set>
#include <span>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kMaxDisks = 255; // disk numbers are one byte in the script

std::uint64_t ContentHash(std::span<const std::uint8_t> bytes) {
    std::uint64_t hash = 0xCBF29CE484222325u; // FNV-1a
    for (const std::uint8_t b : bytes) {
        hash = (hash ^ b) * 0x100000001B3u;
    }
    return hash;
}

// One file to go on the disks, in its stored form.
struct DiskFile {
    std::string what;
    std::vector<std::uint8_t> bytes;
    fs::path source; // where the bytes come from; empty for the script
    PlanFile plan;
};

// The installer compares file times for items that replace only older files, so the copies
// on the disks keep the times of the files they come from; the script, made here, gets the
// newest of them. Folders get it too, so that images made from them depend on the inputs
// alone.
fs::file_time_type SourceTime(const fs::path& source) {
    std::error_code code;
    const fs::file_time_type time = fs::last_write_time(source, code);
    return code ? fs::file_time_type::min() : time;
}

// "FILE:LINE: " of the description, or "FILE: " for the whole file, so that every message
// of build points into the description like those of the loader.
std::string Where(const ProductDescription& description, std::uint32_t line) {
    if (description.fileName.empty()) {
        return {};
    }
    return SourceError{description.fileName, line, "", ""}.Message();
}

std::uint32_t TableLine(const ProductDescription& description, const std::string& table) {
    const auto it = description.tableLines.find(table);
    return it == description.tableLines.end() ? 0 : it->second;
}

// How messages name an install item; label ("warning: ") follows the place.
std::string ItemWhat(const ProductDescription& description, std::size_t index,
                     std::string_view label = {}) {
    const InstallItem& item = description.script.installItems[index];
    std::string what = Where(description, description.sources[index].line) + std::string(label) +
                       "install item " + std::to_string(index);
    const std::string& id =
        index < description.itemIds.size() ? description.itemIds[index] : std::string();
    what += " \"" + (id.empty() ? item.name.Str() : id) + "\"";
    const fs::path& source = description.sources[index].file;
    if (!source.empty()) {
        what += " (" + source.string() + ")";
    }
    return what;
}

// A name SETUP.EXE will look for on the disk: checked, with a trailing backslash of a
// directory dropped.
std::string CheckedDiskPath(const std::string& what, const std::string& field, std::string path) {
    if (!path.empty() && path.back() == '\\') {
        path.pop_back();
    }
    if (const auto problem = DiskNameProblem(path)) {
        throw ToolError(what + ": " + field + " \"" + path + "\" " + *problem);
    }
    return path;
}

std::vector<std::uint8_t> ReadSource(const std::string& what, const fs::path& path) {
    std::vector<std::uint8_t> bytes = ReadBinaryFile(path);
    if (bytes.size() > 0xFFFFFFFFu) {
        throw ToolError(what + ": " + path.string() +
                        " is larger than 4 GB, which sizes in the "
                        "script cannot express");
    }
    return bytes;
}

// The read-me is shown in an edit control, which breaks lines only at CR LF: a lone LF (a
// file written on Unix) would show the whole text as one line.
std::vector<std::uint8_t> WithCrLf(const std::vector<std::uint8_t>& text) {
    std::vector<std::uint8_t> out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            out.push_back('\r');
        }
        out.push_back(text[i]);
    }
    return out;
}

bool SameFile(const fs::path& a, const fs::path& b) {
    std::error_code code;
    return !a.empty() && !b.empty() && fs::equivalent(a, b, code);
}

// The name of the folder a source file lies in, as a sub-folder on the disk may be named
// (letters, digits, - and _, upper case); empty when nothing of it is left.
std::string FolderHint(const fs::path& source) {
    std::string hint;
    for (const char c : source.parent_path().filename().string()) {
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_') {
            hint += c;
        } else if (c >= 'a' && c <= 'z') {
            hint += static_cast<char>(c - 'a' + 'A');
        }
    }
    return hint.substr(0, 32);
}

void SetDiskLabels(SetupScript& script, const std::vector<TextBlock>& given,
                   const std::string& pattern, std::uint32_t disks, const std::string& where) {
    script.diskLabels = given;
    while (script.diskLabels.size() < disks) {
        const std::uint32_t disk = static_cast<std::uint32_t>(script.diskLabels.size()) + 1;
        const std::string label = pattern.empty()
                                      ? script.productName.Str() + " Disk " + std::to_string(disk)
                                      : DiskLabelFromPattern(pattern, disk);
        FixedText text;
        if (!text.Assign(label)) {
            throw ToolError(where + "the label of disk " + std::to_string(disk) +
                            " is longer than 255 characters");
        }
        script.diskLabels.emplace_back(text);
    }
}

} // namespace

StoredForm CompressForDisk(const std::vector<std::uint8_t>& data, const std::string& name) {
    std::vector<std::uint8_t> compressed = CompressSzdd(data, SzddMissingChar(name));
    const bool looksCompressed = data.size() >= 2 && data[0] == 'S' && data[1] == 'Z';
    if (compressed.size() < data.size() || looksCompressed) {
        return {std::move(compressed), true};
    }
    return {data, false};
}

namespace {

// One build: the steps of BuildDisks, in order, over what they share.
class DiskSetBuild {
public:
    DiskSetBuild(const ProductDescription& description, const BuildOptions& options,
                 std::FILE* progressStream)
        : description_(description), options_(options), script_(description.script),
          progress_(progressStream, options.progress),
          labelsWhere_(Where(description, TableLine(description, "disks"))) {}

    BuildReport Run() {
        CheckBuildable();
        AddDiskOneFiles();
        AddItemFiles();
        SettleLayout();
        WriteDisks();
        for (const DiskUsage& usage : plan_.disks) {
            report_.disks.push_back({usage.files, usage.used, report_.format.capacity});
        }
        return std::move(report_);
    }

private:
    void CheckBuildable() {
        report_.format =
            DiskFormatFor(options_.capacity ? *options_.capacity : description_.disks.capacity);
        if (options_.images == MakeImages::Yes && !report_.format.IsFloppy()) {
            throw ToolError("--images needs a floppy capacity (360K, 720K, 1.2M, 1.44M or 2.88M)");
        }
        // What SETUP.EXE cannot use, which compile lets through for dumped scripts, is refused
        // here: a product made for its users must install as described.
        if (!description_.unusable.empty()) {
            throw ToolError(description_.unusable.front().Message());
        }
        if (options_.setupExe.empty()) {
            throw ToolError("no SETUP.EXE: give --setup-exe PATH");
        }
    }

    // Disk 1 starts with what SETUP.EXE reads before the install list: itself, its script,
    // the read-me (read as it is) and the two pictures (expanded from their compressed names).
    void AddDiskOneFiles() {
        files_.push_back({kSetupExeName, ReadBinaryFile(options_.setupExe), options_.setupExe, {}});
        files_.back().plan.path = kSetupExeName;
        scriptFile_ = files_.size();
        files_.push_back({kScriptName, {}, {}, {}});
        files_.back().plan.path = kScriptName;
        AddHeaderFile(script_.readmeFile, description_.readme, "readme", false);
        AddHeaderFile(script_.backgroundBitmap, description_.backgroundBitmap, "background", true);
        AddHeaderFile(script_.sideBitmap, description_.sideBitmap, "side_bitmap", true);
        for (DiskFile& file : files_) {
            file.plan.splitting = Splitting::Forbidden;
        }
    }

    void AddHeaderFile(const FixedText& name, const fs::path& source, const char* field,
                       bool compressed) {
        if (name.Empty()) {
            return;
        }
        const std::string what =
            Where(description_, TableLine(description_, field)) + "[" + field + "]";
        if (source.empty()) {
            throw ToolError(what + ": \"" + name.Str() +
                            "\" is named but has no source file, and SETUP.EXE needs it on disk 1");
        }
        const std::string path = CheckedDiskPath(what, "file", name.Str());
        std::vector<std::uint8_t> data = ReadSource(what, source);
        if (std::string_view(field) == "readme") {
            data = WithCrLf(data);
        }
        DiskFile file{what + " (" + source.string() + ")", {}, source, {}};
        if (compressed) {
            progress_.Show("compressing " + source.string());
            file.bytes = CompressForDisk(data, path).bytes;
            file.plan.path = StoredName(path, true);
        } else {
            file.bytes = std::move(data);
            file.plan.path = path;
        }
        files_.push_back(std::move(file));
    }

    // The install items' files, in install-list order.
    void AddItemFiles() {
        itemFile_.resize(script_.installItems.size());
        for (const InstallItem& item : script_.installItems) {
            toCompress_ += item.compressed && ItemReadsSource(item);
        }
        for (std::size_t i = 0; i < script_.installItems.size(); ++i) {
            AddItemFile(i);
        }
        progress_.Done();
        for (DiskFile& file : files_) {
            file.plan.size = file.bytes.size();
            file.plan.identity = ContentHash(file.bytes);
            if (file.plan.what.empty()) {
                file.plan.what = file.what;
            }
        }
    }

    void AddItemFile(std::size_t i) {
        InstallItem& item = script_.installItems[i];
        const ItemSource& source = description_.sources[i];
        const std::string what = ItemWhat(description_, i);
        if (source.scriptCopy) {
            itemFile_[i] = scriptFile_;
            return;
        }
        if (!ItemReadsSource(item)) {
            if (!source.file.empty()) {
                report_.warnings.push_back(ItemWhat(description_, i, "warning: ") +
                                           ": the source file is not put on the disks: "
                                           "this action reads no file from them");
            }
            return;
        }
        if (source.file.empty()) {
            if (item.action == static_cast<std::uint8_t>(ItemAction::Copy) ||
                item.action == static_cast<std::uint8_t>(ItemAction::ShowBitmap)) {
                throw ToolError(what + ": has no source file to put on the disks");
            }
            return; // an action code SETUP.EXE does nothing for
        }
        const std::string name = CheckedDiskPath(what, "name", item.name.Str());
        const std::string subdir =
            item.sourceSubdir.Empty()
                ? std::string()
                : CheckedDiskPath(what, "source_subdir", item.sourceSubdir.Str());
        std::vector<std::uint8_t> data = ReadSource(what, source.file);
        if (SameFile(source.file, description_.readme)) {
            data = WithCrLf(data); // the same bytes as the read-me beside SETUP.EXE
        }
        if (!source.sizeGiven) {
            item.size = static_cast<std::uint32_t>(data.size());
        }
        DiskFile file{
            what, StoredItemBytes(item, what, name, source.file, std::move(data)), source.file, {}};
        file.plan.path = DiskPath(subdir, StoredName(name, item.compressed != 0));
        if (file.plan.path.size() > 255) {
            throw ToolError(what + ": the path on the disk, " + file.plan.path +
                            ", is longer than 255 characters");
        }
        file.plan.pieceSubdir = subdir;
        file.plan.storedName = StoredName(name, item.compressed != 0);
        file.plan.folderHint = FolderHint(source.file);
        // ShowBitmap expands the file without joining pieces.
        file.plan.splitting = item.action == static_cast<std::uint8_t>(ItemAction::Copy)
                                  ? Splitting::Allowed
                                  : Splitting::Forbidden;
        if (source.diskGiven) {
            file.plan.disk = item.diskNumber;
        }
        itemFile_[i] = files_.size();
        files_.push_back(std::move(file));
    }

    std::vector<std::uint8_t> StoredItemBytes(const InstallItem& item, const std::string& what,
                                              const std::string& name, const fs::path& source,
                                              std::vector<std::uint8_t> data) {
        if (!item.compressed) {
            return data;
        }
        if (data.size() > kSzddMaxLength) {
            throw ToolError(what + ": larger than the 2 GB an LZ-compressed file can hold");
        }
        progress_.Show("compressing " + std::to_string(++compressedSoFar_) + "/" +
                       std::to_string(toCompress_) + " " + source.string());
        StoredForm stored = CompressForDisk(data, name);
        ++(stored.compressed ? report_.compressed : report_.storedPlain);
        return std::move(stored.bytes);
    }

    // The script's size depends on the number of disk labels, and the number of disks on the
    // script's size: plan until the two agree. The labels only grow with the disks, so this
    // settles at once in practice.
    void SettleLayout() {
        SetDiskLabels(script_, description_.script.diskLabels, description_.disks.labelPattern, 1,
                      labelsWhere_);
        std::vector<std::uint8_t> scriptBytes = WriteSetupScript(script_);
        for (int round = 0;; ++round) {
            files_[scriptFile_].plan.size = scriptBytes.size();
            PlanRound(scriptBytes.size());
            std::vector<std::uint8_t> written = WriteSetupScript(script_);
            const bool settled = written.size() == scriptBytes.size();
            scriptBytes = std::move(written);
            if (settled) {
                break;
            }
            if (round == 16) {
                throw ToolError(Where(description_, 0) + "the disk layout does not settle");
            }
        }
        files_[scriptFile_].bytes = std::move(scriptBytes);
    }

    // Plans the disks for a script of scriptSize bytes and puts the plan into the script.
    void PlanRound(std::size_t scriptSize) {
        std::vector<PlanFile> planFiles;
        for (const DiskFile& file : files_) {
            planFiles.push_back(file.plan);
        }
        plan_ = PlanDisks(planFiles, report_.format);
        const auto disks = static_cast<std::uint32_t>(plan_.disks.size());
        if (disks > kMaxDisks) {
            throw ToolError(labelsWhere_ + "the files need " + std::to_string(disks) +
                            " disks; the script can number at most 255");
        }
        PlaceItems();
        SetDiskLabels(script_, description_.script.diskLabels, description_.disks.labelPattern,
                      disks, labelsWhere_);
        // The script's size does not depend on the sizes it holds.
        for (std::size_t i = 0; i < script_.installItems.size(); ++i) {
            if (description_.sources[i].scriptCopy) {
                script_.installItems[i].size = static_cast<std::uint32_t>(scriptSize);
            }
        }
        if (const std::vector<std::string> problems = CheckScriptCounts(script_);
            !problems.empty()) {
            throw ToolError(Where(description_, 0) + problems.front());
        }
    }

    // Gives every item its disk and piece count from the plan. Items without a file keep the
    // disk that is in the drive after the item before them, so that SETUP.EXE asks for nothing
    // on their account.
    void PlaceItems() {
        std::uint32_t inDrive = 1;
        for (std::size_t i = 0; i < script_.installItems.size(); ++i) {
            InstallItem& item = script_.installItems[i];
            if (!itemFile_[i]) {
                item.diskNumber = static_cast<std::uint8_t>(inDrive);
                item.partCount = 0;
                continue;
            }
            const PlannedFile& placed = plan_.files[*itemFile_[i]];
            item.diskNumber = static_cast<std::uint8_t>(placed.FirstDisk());
            item.partCount =
                static_cast<std::uint8_t>(placed.pieces.size() > 1 ? placed.pieces.size() : 0);
            // A file whose path another file had is moved to a sub-folder of its own.
            item.sourceSubdir = placed.subdir != files_[*itemFile_[i]].plan.pieceSubdir
                                    ? FixedText(placed.subdir)
                                    : description_.script.installItems[i].sourceSubdir;
            inDrive = placed.pieces.back().disk;
        }
    }

    fs::file_time_type NewestSourceTime() const {
        fs::file_time_type newest = fs::file_time_type::min();
        for (const DiskFile& file : files_) {
            if (!file.source.empty()) {
                newest = std::max(newest, SourceTime(file.source));
            }
        }
        if (newest == fs::file_time_type::min()) {
            // No input has a readable time: a fixed date keeps the disks reproducible, where
            // the clock's minimum would be written as a date centuries away.
            using namespace std::chrono;
            newest = file_clock::from_sys(sys_seconds{sys_days{year{2000} / January / 1}});
        }
        return newest;
    }

    void WriteDisks() {
        const fs::file_time_type newest = NewestSourceTime();
        DiskSetWriter writer(options_.outputDirectory);
        for (std::uint32_t disk = 1; disk <= plan_.disks.size(); ++disk) {
            writer.CreateDisk(disk);
        }
        std::map<std::pair<std::uint32_t, std::string>, std::size_t> written;
        for (std::size_t f = 0; f < files_.size(); ++f) {
            WritePieces(writer, f, newest, written);
            if (plan_.files[f].pieces.size() > 1) {
                ++report_.split;
            }
        }
        writer.StampFolders(newest);
        if (options_.images == MakeImages::Yes) {
            for (std::uint32_t disk = 1; disk <= plan_.disks.size(); ++disk) {
                progress_.Show("writing the image of disk " + std::to_string(disk));
                MakeImage(writer, disk, report_.format);
            }
            progress_.Done();
        }
        writer.Commit();
    }

    // written: the file each disk's path holds so far.
    void WritePieces(DiskSetWriter& writer, std::size_t f, fs::file_time_type newest,
                     std::map<std::pair<std::uint32_t, std::string>, std::size_t>& written) {
        const DiskFile& file = files_[f];
        const std::span<const std::uint8_t> bytes(file.bytes);
        for (const PlannedPiece& piece : plan_.files[f].pieces) {
            const auto key = std::make_pair(piece.disk, FoldCase(piece.path));
            if (piece.shared) {
                // The planner matched contents by hash; make sure they are the same bytes.
                if (files_[written.at(key)].bytes != file.bytes) {
                    throw ToolError(file.what + ": " + piece.path + " on disk " +
                                    std::to_string(piece.disk) + " is already taken by " +
                                    files_[written.at(key)].what);
                }
                continue;
            }
            written[key] = f;
            writer.Write(piece.disk, piece.path, bytes.subspan(piece.offset, piece.size),
                         file.source.empty() ? newest : SourceTime(file.source));
        }
    }

    const ProductDescription& description_;
    const BuildOptions& options_;
    SetupScript script_;
    ProgressLine progress_;
    const std::string labelsWhere_;
    BuildReport report_;
    std::vector<DiskFile> files_;
    std::size_t scriptFile_ = 0;
    std::vector<std::optional<std::size_t>> itemFile_; // per install item, its file in files_
    std::size_t toCompress_ = 0;
    std::size_t compressedSoFar_ = 0;
    DiskPlan plan_;
};

} // namespace

BuildReport BuildDisks(const ProductDescription& description, const BuildOptions& options,
                       std::FILE* progressStream) {
    return DiskSetBuild(description, options, progressStream).Run();
}
