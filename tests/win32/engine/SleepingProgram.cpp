// A program for the engine's tests: sleeps for the given milliseconds, then, when a second
// argument is given, creates that file (a relative name lands in its working directory).
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    Sleep(static_cast<DWORD>(std::atoi(argv[1])));
    if (argc > 2) {
        HANDLE marker = CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (marker == INVALID_HANDLE_VALUE) {
            return 1;
        }
        CloseHandle(marker);
    }
    return 0;
}
