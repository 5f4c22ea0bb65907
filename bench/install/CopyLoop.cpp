// The yardsticks of the install benchmark: copies every file of a directory into another, one
// call per file, with CopyFileA or with the version-installation service the installer uses
// (VerInstallFileA, forced), and prints the milliseconds the loop took.
//   copyloop copy|verinstall SOURCE_DIR DESTINATION_DIR
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: copyloop copy|verinstall SOURCE_DIR DESTINATION_DIR\n");
        return 64;
    }
    const bool verInstall = std::string(argv[1]) == "verinstall";
    std::string from = std::string(argv[2]) + "\\";
    std::string to = std::string(argv[3]) + "\\";
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return 1;
    }
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            names.push_back(found.cFileName);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    CreateDirectoryA(argv[3], nullptr);

    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (std::string& name : names) {
        if (verInstall) {
            char temporary[MAX_PATH] = {};
            UINT length = MAX_PATH;
            const DWORD result =
                VerInstallFileA(VIFF_FORCEINSTALL, name.data(), name.data(), from.data(), to.data(),
                                to.data(), temporary, &length);
            if (result != 0) {
                std::fprintf(stderr, "copyloop: cannot install %s (0x%lx)\n", name.c_str(), result);
                return 1;
            }
        } else if (!CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE)) {
            std::fprintf(stderr, "copyloop: cannot copy %s (error %lu)\n", name.c_str(),
                         GetLastError());
            return 1;
        }
    }
    QueryPerformanceCounter(&end);
    std::printf("%lld\n", (end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart);
    return 0;
}
