// EDITSYS.DLL: the system-file editing library that SETUP.EXE loads from the destination
// directory at the end of an installation. It edits the DOS start-up files AUTOEXEC.BAT and
// CONFIG.SYS, writes down every call it receives, and lets a test decide its final answer.
// README.md describes the codes, the record and the controls.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr LONG kFinish = 1701;

HMODULE g_module = nullptr;
int g_changesMade = 0;
int g_changesFailed = 0;

// ---------------------------------------------------------------------------------------------
// Settings: environment first, then EDITSYS.CTL beside the library ("name=value" lines).
// ---------------------------------------------------------------------------------------------

std::string LibraryDirectory() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(g_module, path, MAX_PATH);
    std::string directory(path, length < MAX_PATH ? length : 0);
    const std::size_t slash = directory.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : directory.substr(0, slash + 1);
}

std::string ReadFileText(const std::string& path, bool& exists) {
    exists = false;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    exists = true;
    std::string text;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) {
        text.append(chunk, got);
    }
    CloseHandle(file);
    return text;
}

bool WriteFileText(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok =
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
        written == text.size();
    CloseHandle(file);
    return ok;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The value of a setting, or nothing (found is false).
std::string Setting(const char* environmentName, const char* controlName, bool& found) {
    char value[1024] = {};
    const DWORD length = GetEnvironmentVariableA(environmentName, value, sizeof value);
    if (length > 0 && length < sizeof value) {
        found = true;
        return value;
    }
    bool exists = false;
    const std::string control = ReadFileText(LibraryDirectory() + "EDITSYS.CTL", exists);
    const std::string prefix = std::string(controlName) + "=";
    for (const std::string& line : SplitLines(control)) {
        if (line.compare(0, prefix.size(), prefix) == 0) {
            found = true;
            return line.substr(prefix.size());
        }
    }
    found = false;
    return {};
}

// ---------------------------------------------------------------------------------------------
// The record of calls
// ---------------------------------------------------------------------------------------------

void Record(const std::string& line) {
    bool found = false;
    std::string path = Setting("EDITSYS_RECORD", "record", found);
    if (!found) {
        path = LibraryDirectory() + "EDITSYS.REC";
    }
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::string Quoted(LPCSTR text) {
    return text ? "\"" + std::string(text) + "\"" : "null";
}

// ---------------------------------------------------------------------------------------------
// The start-up files
// ---------------------------------------------------------------------------------------------

// Where AUTOEXEC.BAT and CONFIG.SYS live: the root of the Windows directory's drive unless a
// setting names another directory.
std::string FilesDirectory() {
    bool found = false;
    std::string directory = Setting("EDITSYS_DIRECTORY", "directory", found);
    if (!found) {
        char windows[MAX_PATH] = {};
        GetWindowsDirectoryA(windows, MAX_PATH);
        directory.assign(windows, std::min<std::size_t>(3, std::string_view(windows).size()));
    }
    if (!directory.empty() && directory.back() != '\\') {
        directory += '\\';
    }
    return directory;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    return text;
}

std::string Trimmed(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return {};
    }
    const std::size_t end = text.find_last_not_of(" \t");
    return std::string(text.substr(start, end - start + 1));
}

class StartupFile {
public:
    explicit StartupFile(const char* name) : path_(FilesDirectory() + name) {
        bool exists = false;
        lines_ = SplitLines(ReadFileText(path_, exists));
    }

    bool Save() const {
        std::string text;
        for (const std::string& line : lines_) {
            text += line + "\r\n";
        }
        return WriteFileText(path_, text);
    }

    std::vector<std::string>& Lines() { return lines_; }

    // The line "NAME=..." (blanks around the name allowed), or lines_.size().
    std::size_t FindSetting(std::string_view name) const {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const std::string& line = lines_[i];
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos && Upper(Trimmed(line.substr(0, equals))) == name) {
                return i;
            }
        }
        return lines_.size();
    }

private:
    std::string path_;
    std::vector<std::string> lines_;
};

// Adds line at the end (atStart 0) or the beginning (atStart 1) unless the file holds it.
bool AddLine(const char* fileName, LPCSTR text, LONG_PTR atStart) {
    if (!text || Trimmed(text).empty()) {
        return false;
    }
    StartupFile file(fileName);
    std::vector<std::string>& lines = file.Lines();
    const std::string wanted = Upper(Trimmed(text));
    for (const std::string& line : lines) {
        if (Upper(Trimmed(line)) == wanted) {
            return true;
        }
    }
    lines.insert(atStart ? lines.begin() : lines.end(), text);
    return file.Save();
}

// Raises CONFIG.SYS's NAME=n to at least value (added when missing).
bool RaiseNumber(const char* name, LONG_PTR value) {
    if (value <= 0) {
        return false;
    }
    StartupFile file("CONFIG.SYS");
    const std::size_t index = file.FindSetting(name);
    const std::string line = std::string(name) + "=" + std::to_string(value);
    if (index == file.Lines().size()) {
        file.Lines().push_back(line);
    } else {
        const std::string& old = file.Lines()[index];
        if (std::atol(old.substr(old.find('=') + 1).c_str()) >= value) {
            return true;
        }
        file.Lines()[index] = line;
    }
    return file.Save();
}

// CONFIG.SYS's LASTDRIVE=x, raised to at least the letter given.
bool RaiseLastDrive(LONG_PTR letter) {
    char wanted = static_cast<char>(letter);
    if (wanted >= 'a' && wanted <= 'z') {
        wanted = static_cast<char>(wanted - 32);
    }
    if (wanted < 'A' || wanted > 'Z') {
        return false;
    }
    StartupFile file("CONFIG.SYS");
    const std::size_t index = file.FindSetting("LASTDRIVE");
    const std::string line = std::string("LASTDRIVE=") + wanted;
    if (index == file.Lines().size()) {
        file.Lines().push_back(line);
    } else {
        const std::string old =
            Upper(Trimmed(file.Lines()[index].substr(file.Lines()[index].find('=') + 1)));
        if (!old.empty() && old[0] >= wanted) {
            return true;
        }
        file.Lines()[index] = line;
    }
    return file.Save();
}

// CONFIG.SYS's STACKS=count,size, each raised to at least the numbers given.
bool RaiseStacks(LONG_PTR count, LONG_PTR size) {
    if (count < 0 || size < 0) {
        return false;
    }
    StartupFile file("CONFIG.SYS");
    const std::size_t index = file.FindSetting("STACKS");
    long oldCount = 0;
    long oldSize = 0;
    if (index < file.Lines().size()) {
        const std::string& old = file.Lines()[index];
        std::sscanf(old.substr(old.find('=') + 1).c_str(), " %ld , %ld", &oldCount, &oldSize);
        if (oldCount >= count && oldSize >= size) {
            return true;
        }
    }
    const std::string line = "STACKS=" + std::to_string(std::max<long>(oldCount, count)) + "," +
                             std::to_string(std::max<long>(oldSize, size));
    if (index == file.Lines().size()) {
        file.Lines().push_back(line);
    } else {
        file.Lines()[index] = line;
    }
    return file.Save();
}

// Where the value of a search-path line starts ("PATH=...", "PATH ...", "SET PATH=..."),
// or npos for any other line.
std::size_t PathValueStart(const std::string& line) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos) {
        return std::string::npos;
    }
    const std::string upper = Upper(line.substr(start));
    const bool isSet = upper.rfind("SET ", 0) == 0;
    const std::size_t name = isSet ? upper.find_first_not_of(" \t", 4) : 0;
    if (name == std::string::npos || upper.compare(name, 4, "PATH") != 0) {
        return std::string::npos;
    }
    const std::size_t after = upper.find_first_not_of(" \t", name + 4);
    if (after == std::string::npos) {
        return std::string::npos;
    }
    if (upper[after] == '=') {
        return start + after + 1;
    }
    return !isSet && after > name + 4 ? start + after : std::string::npos;
}

bool PathHolds(const std::string& value, const std::string& directory) {
    std::size_t start = 0;
    while (start <= value.size()) {
        std::size_t end = value.find(';', start);
        if (end == std::string::npos) {
            end = value.size();
        }
        if (Upper(Trimmed(value.substr(start, end - start))) == Upper(directory)) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

// Adds directory to AUTOEXEC.BAT's search path, in front (atStart 1) or at the end (0). The
// first path line gets it; without one a SET PATH line is added that keeps the old path.
bool AddToPath(LPCSTR directory, LONG_PTR atStart) {
    if (!directory || Trimmed(directory).empty()) {
        return false;
    }
    const std::string wanted = Trimmed(directory);
    StartupFile file("AUTOEXEC.BAT");
    for (std::string& line : file.Lines()) {
        const std::size_t valueStart = PathValueStart(line);
        if (valueStart == std::string::npos) {
            continue;
        }
        const std::string value = line.substr(valueStart);
        if (PathHolds(value, wanted)) {
            return true;
        }
        const std::string head = line.substr(0, valueStart);
        if (Trimmed(value).empty()) {
            line = head + wanted;
        } else {
            line = atStart ? head + wanted + ";" + value : head + value + ";" + wanted;
        }
        return file.Save();
    }
    file.Lines().push_back(atStart ? "SET PATH=" + wanted + ";%PATH%"
                                   : "SET PATH=%PATH%;" + wanted);
    return file.Save();
}

bool MakeChange(LONG code, LPCSTR text, LONG_PTR first, LONG_PTR second) {
    switch (code) {
    case 1:
    case 2:
        return AddLine("AUTOEXEC.BAT", text, first);
    case 3:
    case 4:
        return AddLine("CONFIG.SYS", text, first);
    case 5:
        return RaiseNumber("FILES", first);
    case 6:
        return RaiseNumber("BUFFERS", first);
    case 7:
        return RaiseLastDrive(first);
    case 8:
        return RaiseStacks(first, second);
    case 9:
        return RaiseNumber("FCBS", first);
    case 10:
    case 11:
        return AddToPath(text, first);
    default:
        return false;
    }
}

// The final call: the answer and the text for the install log.
LONG Finish(LPSTR buffer, LONG_PTR size) {
    bool found = false;
    const std::string result = Setting("EDITSYS_RESULT", "result", found);
    const LONG answer = found ? std::atol(result.c_str()) : (g_changesFailed == 0 ? 1 : 0);
    std::string text = Setting("EDITSYS_TEXT", "text", found);
    if (!found) {
        text = "EDITSYS: " + std::to_string(g_changesMade) + " changes made, " +
               std::to_string(g_changesFailed) + " failed, in " + FilesDirectory();
    }
    if (buffer && size > 0) {
        const std::size_t length = std::min<std::size_t>(text.size(), size - 1);
        std::copy_n(text.data(), length, buffer);
        buffer[length] = '\0';
    }
    g_changesMade = 0;
    g_changesFailed = 0;
    return answer;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" LONG WINAPI Init(HWND owner, LPCSTR applicationTitle) {
    Record(std::string("Init\t") + (owner ? "window" : "null") + "\t" + Quoted(applicationTitle));
    g_changesMade = 0;
    g_changesFailed = 0;
    return 1;
}

extern "C" LONG WINAPI MakeSystemFileChange(LONG code, LPCSTR text, LONG_PTR first, LONG_PTR second,
                                            LONG_PTR third, LONG_PTR fourth) {
    if (code == kFinish) {
        Record("Change\t1701\t" + Quoted(text) + "\t" + std::to_string(first) + "\tbuffer\t" +
               std::to_string(third) + "\t" + std::to_string(fourth));
        return Finish(reinterpret_cast<LPSTR>(second), third);
    }
    Record("Change\t" + std::to_string(code) + "\t" + Quoted(text) + "\t" + std::to_string(first) +
           "\t" + std::to_string(second) + "\t" + std::to_string(third) + "\t" +
           std::to_string(fourth));
    if (MakeChange(code, text, first, second)) {
        ++g_changesMade;
    } else {
        ++g_changesFailed;
    }
    return 1;
}
