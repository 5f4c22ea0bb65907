#include "integration/RunLog.h"

namespace {

// A message of several lines: the lines after the first are indented, blank ones stay blank.
std::string Indented(const std::string& entry) {
    std::string text;
    for (std::size_t i = 0; i < entry.size(); ++i) {
        text += entry[i];
        const bool lineFollows = entry[i] == '\n' && i + 1 < entry.size() && entry[i + 1] != '\r' &&
                                 entry[i + 1] != '\n';
        if (lineFollows) {
            text += "    ";
        }
    }
    return text;
}

} // namespace

RunLog::RunLog(const std::string& path, Start start)
    : file_(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                        start == Start::Fresh ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                        nullptr)) {
    if (file_ && start == Start::Appended) {
        SetFilePointer(file_.get(), 0, nullptr, FILE_END);
    }
}

void RunLog::Write(const std::string& entry) {
    if (!file_) {
        return;
    }
    const std::string text = Indented(entry) + "\r\n";
    DWORD written = 0;
    WriteFile(file_.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string InTemporaryFolder(std::string_view fileName) {
    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof folder, folder);
    std::string path(folder, length <= MAX_PATH ? length : 0);
    if (!path.empty() && path.back() != '\\') {
        path += '\\';
    }
    return path + std::string(fileName);
}
