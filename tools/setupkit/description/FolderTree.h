#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The files of a folder tree that a description installs: every regular file below the
// folder whose relative path matches one of the include patterns and none of the excludes
// (TreePattern.h). Paths are relative, UTF-8, with '/' between folders, and sorted by their
// bytes, so the same folder gives the same list whatever order the file system lists it in.
// Folders reached through a symbolic link are not entered (a link may loop back).

// A file of the folder that the patterns do not take.
struct LeftOutFile {
    std::string path;
    std::string exclude; // the exclude pattern that takes it out; empty: no include takes it
};

struct TreeListing {
    std::vector<std::string> files;   // sorted
    std::vector<LeftOutFile> leftOut; // in the order the file system lists them
    std::vector<std::string> folders; // every folder that holds a listed file, its parents
                                      // included (not the tree's own folder); sorted, so a
                                      // folder comes before its sub-folders
    std::string problem;              // why the folder could not be read; empty on success
    bool tooMany = false;             // more than `most` files are taken: the listing stops
};

[[nodiscard]] TreeListing ListFolderTree(const std::filesystem::path& folder,
                                         const std::vector<std::string>& includes,
                                         const std::vector<std::string>& excludes,
                                         std::size_t most);
