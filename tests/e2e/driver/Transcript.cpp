#include "Transcript.h"

#include <windows.h>

Transcript::Transcript(const std::string& path)
    : file_(std::fopen(path.c_str(), "wb")), start_(GetTickCount()) {}

void Transcript::Line(const std::string& text) {
    const unsigned long elapsed = GetTickCount() - start_;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "[%4lu.%03lu] ", elapsed / 1000, elapsed % 1000);
    Block(stamp + text + "\n");
}

void Transcript::Block(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
    if (file_) {
        std::fputs(text.c_str(), file_.get());
        std::fflush(file_.get());
    }
}
