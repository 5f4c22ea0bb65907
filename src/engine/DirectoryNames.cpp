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
    exact_.Insert(std::string(name));
    folded_.Insert(AsciiUpper(name));
    if (!shortName.empty()) {
        folded_.Insert(AsciiUpper(shortName));
    }
}

bool DirectoryNames::MayHold(std::string_view name) const {
    return !IsPlainFileName(name) || folded_.Contains(AsciiUpper(name));
}

bool DirectoryNames::HoldsExactly(std::string_view name) const {
    return exact_.Contains(name);
}

void DirectoryNames::Seal() {
    exact_.Seal();
    folded_.Seal();
}

DestinationListings::Listing* DestinationListings::Lookup(std::string_view directory) {
    const std::string key = DirectoryKey(directory);
    for (const std::unique_ptr<Listing>& listing : listings_) {
        if (listing->key == key) {
            return listing.get();
        }
    }
    return nullptr;
}

DirectoryNames* DestinationListings::Find(std::string_view directory, std::uint64_t stamp) {
    Listing* found = Lookup(directory);
    if (stamp == 0 || !found || found->stamp != stamp) {
        return nullptr;
    }
    return &found->names;
}

DirectoryNames& DestinationListings::Store(std::string_view directory, std::uint64_t stamp,
                                           DirectoryNames names) {
    Listing* listing = Lookup(directory);
    if (!listing) {
        listing = listings_.emplace_back(std::make_unique<Listing>()).get();
        listing->key = DirectoryKey(directory);
    }
    listing->stamp = stamp;
    listing->names = std::move(names);
    listing->names.Seal();
    return listing->names;
}

void DestinationListings::Restamp(std::string_view directory, std::uint64_t stamp) {
    if (Listing* found = Lookup(directory)) {
        found->stamp = stamp;
    }
}
