#pragma once

#include "script/ScriptModel.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The answers of an unattended run: the wizard's choices and the answers to its questions, as
// an answer file holds them. The file is an INI file in Windows-1252:
//
//   [Setup]
//   Destination=C:\Program Files\Sample      the destination directory (default: the script's)
//   SetupType=Custom                         Typical, Minimal or Custom: a type the script
//                                            offers, or Typical when it offers none (default:
//                                            the wizard's, Typical, or Custom when only Custom
//                                            is offered)
//   ProgramGroup=yes                         create the program groups: yes or no (default yes)
//   GroupName=Sample                         the name of the one program group (default: the
//                                            script's; only for a script with one group)
//   FileExists=keep                          a newer file at the destination: keep or replace
//                                            (default keep)
//   StartPrograms=no                         start the final programs: yes or no (default no)
//   [Components]                             Custom only: each component by name, yes or no
//   Program files=yes                        (default yes, as the custom page first shows it)
//
// Section and key names and the words yes, no, keep, replace and the type names are compared
// without regard to case, as the profile functions compare keys.

enum class FileExistsAnswer { Keep, Replace };

struct Answers {
    std::string destination;     // empty: the script's destination directory
    std::uint32_t setupType = 0; // kSetupTypical, kSetupMinimal or kSetupCustom; 0: default
    // Custom: per component of the script, 1 to install it or 0; empty: default. (A byte each:
    // the packed vector<bool> costs the program more code than its bytes save.)
    std::vector<std::uint8_t> components;
    bool createGroups = true;
    std::string groupName; // empty: the script's
    FileExistsAnswer fileExists = FileExistsAnswer::Keep;
    bool startPrograms = false;
};

// One section of an INI file as the profile functions give it: its name and its lines
// ("key=value"; comments and blank lines are not among them).
struct IniSection {
    std::string name;
    std::vector<std::string> lines;
};

// The answers, or what is wrong with the file: one line naming the section and key, e.g.
// "[Components] Help: the product has no component of this name".
struct AnswersOrError {
    Answers answers;
    std::string error; // empty: the answers are good
};

// Reads the answers of the sections against the script. Unknown sections and keys, values
// that are not among those allowed, components, setup types or group names the script does not
// have or offer are errors; so is a key given twice. Keys left out take their defaults, as
// DefaultAnswers gives them: the setup type is never 0, and for Custom there is one entry per
// component.
AnswersOrError ReadAnswers(const std::vector<IniSection>& sections, const SetupScript& script);

// The sections of INI text, as the profile functions would give them (for readers without
// them): lines trimmed, comments (;) and blank lines left out, keys kept as written.
std::vector<IniSection> SplitIniText(std::string_view text);

// The text of an answer file for the script holding answers; with comments, each key is
// preceded by what it takes (the components and types by name) and its default. Lines end in
// CR LF.
std::string WriteAnswers(const Answers& answers, const SetupScript& script, bool commented);

// The name of a setup type as an answer file gives it: Typical, Minimal or Custom (Typical for
// any other value).
[[nodiscard]] std::string_view SetupTypeNameOf(std::uint32_t type);

// The answers a run of the wizard would take without being asked anything: the defaults.
Answers DefaultAnswers(const SetupScript& script);
