#pragma once

#include "disks/BuildOptions.h"

#include <cstdio>
#include <string>
#include <unistd.h>

// One line of progress on a stream: rewritten in place on a terminal, one line per step
// elsewhere, nothing when not shown.
class ProgressLine {
public:
    ProgressLine(std::FILE* stream, ShowProgress show)
        : stream_(show == ShowProgress::Yes ? stream : nullptr),
          terminal_(stream_ != nullptr && isatty(fileno(stream_))) {}

    void Show(const std::string& text) {
        if (stream_ == nullptr) {
            return;
        }
        if (terminal_) {
            std::fprintf(stream_, "\r\033[K%s", text.c_str());
        } else {
            std::fprintf(stream_, "%s\n", text.c_str());
        }
        std::fflush(stream_);
    }

    void Done() {
        if (stream_ != nullptr && terminal_) {
            std::fprintf(stream_, "\r\033[K");
            std::fflush(stream_);
        }
    }

private:
    std::FILE* stream_;
    bool terminal_;
};
