#include "engine/DirectoryNames.h"

#include "common/AsciiCase.h"

#include <utility>

namespace {

// The directory key: case folded, without a trailing backslash.
std::string DirectoryKey(std::string_view directory) {
    if (!directory.empty() && directory.back() == '\\') {
        directory.remove_suffix(1);
    }
    return AsciiUpper(directory);
}

} // namespace

bool IsPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == ".." || name.back() == '.' || name.back() == ' ') {
        return false;
    }
    constexpr std::string_view kRefused = "\\/:*?\"<>|";
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7E || kRefused.find(c) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

void DirectoryNames::Add(std::string_view name, std::string_view shortName) {
    exact_.emplace(name);
    folded_.insert(AsciiUpper(name));
    if (!shortName.empty()) {
        folded_.insert(AsciiUpper(shortName));
    }
}

bool DirectoryNames::MayHold(std::string_view name) const {
    return !IsPlainFileName(name) || folded_.count(AsciiUpper(name)) != 0;
}

bool DirectoryNames::HoldsExactly(std::string_view name) const {
    return exact_.count(std::string(name)) != 0;
}

DirectoryNames* DestinationListings::Find(std::string_view directory, std::uint64_t stamp) {
    const auto found = listings_.find(DirectoryKey(directory));
    if (stamp == 0 || found == listings_.end() || found->second.stamp != stamp) {
        return nullptr;
    }
    return &found->second.names;
}

DirectoryNames& DestinationListings::Store(std::string_view directory, std::uint64_t stamp,
                                           DirectoryNames names) {
    Listing& listing = listings_[DirectoryKey(directory)];
    listing.stamp = stamp;
    listing.names = std::move(names);
    return listing.names;
}

void DestinationListings::Restamp(std::string_view directory, std::uint64_t stamp) {
    const auto found = listings_.find(DirectoryKey(directory));
    if (found != listings_.end()) {
        found->second.stamp = stamp;
    }
}
