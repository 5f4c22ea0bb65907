#pragma once

#include "engine/NameSet.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// What the copy pass knows of the names in its destination directories. Looking up a name that
// a directory lacks may read the whole directory (it does under Wine, whose names ignore case
// over a file system that does not), so a pass that asked the file system about every file it
// installs into one directory would read that directory once per file. Instead a directory is
// listed once and the listing kept in step with what the pass does there; it is taken again
// when the directory's last write time shows a change that the pass did not make.

// The names of one directory as listed (long and short names), and those the pass added since.
class DirectoryNames {
public:
    // A name as the listing gives it, and its short form (empty when it has none).
    void Add(std::string_view name, std::string_view shortName = {});

    // Whether name may be in the directory. False only for a plain name, which no listed name
    // matches ignoring case: printable ASCII without path separators, wildcards or the
    // characters the system refuses in names, not ending in a dot or space (which the system
    // drops). Ignoring the case of plain names is exact; any other name may match in ways only
    // the file system knows.
    [[nodiscard]] bool MayHold(std::string_view name) const;

    // Whether name was listed or added exactly as written (the names the system gives back).
    [[nodiscard]] bool HoldsExactly(std::string_view name) const;

    // The listing is complete: later names are added in order.
    void Seal();

private:
    NameSet exact_;
    NameSet folded_;
};

// Whether name is a plain name in the sense of DirectoryNames::MayHold.
[[nodiscard]] bool IsPlainFileName(std::string_view name);

// The listings of one pass, by directory (paths compared ignoring case), each with the last
// write time of its directory when it was taken or last brought in step.
class DestinationListings {
public:
    // The listing of directory if its recorded time is stamp; null when there is none or the
    // directory has changed since. A stamp of 0 (the time could not be read) matches nothing.
    [[nodiscard]] DirectoryNames* Find(std::string_view directory, std::uint64_t stamp);

    // Keeps names as the listing of directory taken at stamp, replacing an earlier one, and
    // seals it.
    DirectoryNames& Store(std::string_view directory, std::uint64_t stamp, DirectoryNames names);

    // Records the time of a directory after a change the pass made there itself.
    void Restamp(std::string_view directory, std::uint64_t stamp);

    // Drops every listing: after a step that may have changed any directory.
    void Clear() { listings_.clear(); }

private:
    // A pass installs into a handful of directories: they are looked for one by one. Each
    // listing stays where it is while others are added.
    struct Listing {
        std::string key;
        std::uint64_t stamp = 0;
        DirectoryNames names;
    };
    Listing* Lookup(std::string_view directory);

    std::vector<std::unique_ptr<Listing>> listings_;
};
