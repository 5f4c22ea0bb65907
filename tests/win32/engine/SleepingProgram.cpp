// A program for the engine's tests: sleeps for the given milliseconds, then, when a second
// argument is given, creates that file (a relative name lands in its working directory).
#include "common/Win32Handles.h"

#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    Sleep(static_cast<DWORD>(std::atoi(argv[1])));
    if (argc > 2) {
        const UniqueFile marker(CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!marker) {
            return 1;
        }
    }
    return 0;
}
