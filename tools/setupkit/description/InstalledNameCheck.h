#pragma once

#include "Result.h"
#include "script/ScriptModel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The names of the files and folders an install list makes, gathered while the description is
// read, and the one message that lists every name Windows cannot take (WindowsNames.h) and
// every two names one folder cannot hold apart, pointing at the first.
class InstalledNameCheck {
public:
    // Each install item in turn: how messages call it ("install item", "tree file") and its name
    // (UTF-8), where it is written, whether it is marked verbatim, what tells it apart from an
    // item whose name is the same but for case (CaseCollisions), and what is wrong with its name.
    void NoteItem(std::string_view what, std::string_view name, std::uint32_t line,
                  std::string field, bool verbatim, std::string spelling,
                  const std::optional<std::string>& problem);

    // A folder that a tree makes, whose name has a problem.
    void NoteFolder(std::string_view name, std::uint32_t line, std::string field,
                    const std::string& problem);

    struct Outcome {
        std::optional<SourceError> refused; // names written as they are: an error
        std::optional<SourceError> kept;    // names marked verbatim: what build refuses
    };

    // After the whole list, whose items are those noted: the names at fault.
    [[nodiscard]] Outcome Finish(const SetupScript& script, const std::string& fileName) const;

private:
    struct Item {
        std::string located; // install item "NAME" (line N)
        std::uint32_t line = 0;
        std::string field;
        bool verbatim = false;
        std::string spelling;
    };
    struct Fault {
        std::uint32_t line = 0;
        std::string field;
        std::string text;
        bool verbatim = false;
    };

    std::vector<Item> items_;
    std::vector<Fault> faults_;
};
