#pragma once

#include "Handles.h"

#include <string>

// The record of a run: every step, every window seen when it was matched or checked, every
// action and the exit code. Each line carries the seconds since the run began; lines go to the
// transcript file (flushed at once, so a killed run still leaves its record; lines end in LF,
// for the tools that read it on Linux) and to stdout.
class Transcript {
public:
    explicit Transcript(const std::string& path);

    [[nodiscard]] bool IsOpen() const { return file_ != nullptr; }

    void Line(const std::string& text);
    // Several lines written as they are (a window description), without a time.
    void Block(const std::string& text);

private:
    UniqueStdioFile file_;
    unsigned long start_;
};
