#pragma once

#include "common/Win32Handles.h"

#include <string>
#include <string_view>

// The log of an unattended run: entries one a line (CR LF), the further lines of an entry
// indented. A file that cannot be opened or written takes nothing, and the run goes on.
class RunLog {
public:
    enum class Start { Fresh, Appended };

    RunLog() = default;
    RunLog(const std::string& path, Start start);

    void Write(const std::string& entry);

private:
    UniqueFile file_;
};

// The path of fileName in the user's temporary folder, where a run keeps its log when the
// command line names none.
[[nodiscard]] std::string InTemporaryFolder(std::string_view fileName);
