#pragma once

#include <string>
#include <string_view>
#include <vector>

// The labels of a disk set, as the end-to-end driver's autopilot needs them to answer a disk
// prompt: the file disk-labels.txt beside the disk folders holds one line "diskN<TAB>LABEL" per
// disk, the label as the compiled script stores it (Windows-1252), so that it reads exactly as
// the prompt shows it. `setupkit test` and the scenario runner write it; the driver reads it.

inline constexpr const char* kDiskLabelsFile = "disk-labels.txt";

struct DiskLabel {
    std::string folder; // disk1, disk2, ...
    std::string label;
};

// The file's text for the labels of disk1, disk2, ... in order.
[[nodiscard]] std::string DiskLabelsText(const std::vector<std::string>& labels);

struct DiskLabels {
    std::vector<DiskLabel> disks;
    std::string error; // the first line that is not "diskN<TAB>LABEL", with its number
};

// Reads the file's text; CR LF line ends are taken too.
[[nodiscard]] DiskLabels ParseDiskLabels(std::string_view text);

// The folders of the disks that have the label, in the set's order.
[[nodiscard]] std::vector<std::string> FoldersLabelled(const std::vector<DiskLabel>& disks,
                                                       std::string_view label);
