#include "FolderTree.h"

#include "TreePattern.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The first of the patterns that path matches; nothing when none does.
const std::string* FirstMatch(const std::vector<std::string>& patterns, const std::string& path) {
    const auto it = std::find_if(patterns.begin(), patterns.end(), [&](const std::string& pattern) {
        return MatchesTreePattern(pattern, path);
    });
    return it == patterns.end() ? nullptr : &*it;
}

} // namespace

TreeListing ListFolderTree(const fs::path& folder, const std::vector<std::string>& includes,
                           const std::vector<std::string>& excludes, std::size_t most) {
    TreeListing listing;
    std::error_code code;
    fs::recursive_directory_iterator it(folder, code);
    for (; !code && it != fs::recursive_directory_iterator(); it.increment(code)) {
        std::error_code typeCode;
        if (!it->is_regular_file(typeCode)) {
            continue;
        }
        const std::string path = it->path().lexically_relative(folder).generic_string();
        const bool included = FirstMatch(includes, path) != nullptr;
        const std::string* exclude = included ? FirstMatch(excludes, path) : nullptr;
        if (!included || exclude) {
            listing.leftOut.push_back({path, exclude ? *exclude : std::string()});
            continue;
        }
        listing.files.push_back(path);
        if (listing.files.size() > most) {
            listing.tooMany = true; // no need to walk a whole disk to say so
            break;
        }
    }
    if (code) {
        listing.files.clear();
        listing.leftOut.clear();
        listing.problem = "cannot read the folder " + folder.string() + ": " + code.message();
        return listing;
    }
    std::sort(listing.files.begin(), listing.files.end());
    std::set<std::string> folders;
    for (const std::string& file : listing.files) {
        for (std::size_t slash = file.find('/'); slash != std::string::npos;
             slash = file.find('/', slash + 1)) {
            folders.insert(file.substr(0, slash));
        }
    }
    // std::set orders by bytes too; "A" < "A/B" keeps parents first.
    listing.folders.assign(folders.begin(), folders.end());
    return listing;
}
