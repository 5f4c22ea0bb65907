#include "testing/DiskLabels.h"

#include "testing/Lines.h"

std::string DiskLabelsText(const std::vector<std::string>& labels) {
    std::string text;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        text += "disk" + std::to_string(i + 1) + "\t" + labels[i] + "\n";
    }
    return text;
}

DiskLabels ParseDiskLabels(std::string_view text) {
    DiskLabels labels;
    int number = 0;
    ForEachLine(text, [&](std::string_view line) {
        ++number;
        if (!labels.error.empty()) {
            return;
        }
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            return;
        }
        const std::size_t tab = line.find('\t');
        const std::string_view folder = line.substr(0, tab);
        if (tab == std::string_view::npos || !folder.starts_with("disk") || folder.size() == 4 ||
            folder.find_first_not_of("0123456789", 4) != std::string_view::npos) {
            labels.error = "line " + std::to_string(number) + " is not \"diskN<TAB>LABEL\"";
            return;
        }
        labels.disks.push_back({std::string(folder), std::string(line.substr(tab + 1))});
    });
    return labels;
}

std::vector<std::string> FoldersLabelled(const std::vector<DiskLabel>& disks,
                                         std::string_view label) {
    std::vector<std::string> folders;
    for (const DiskLabel& disk : disks) {
        if (disk.label == label) {
            folders.push_back(disk.folder);
        }
    }
    return folders;
}
