#include "shell/SetupState.h"

SetupState g_setup;

MacroValues SetupState::Macros() const {
    MacroValues values;
    values.sourceDirectory = sourceDirectory.View();
    values.windowsDirectory = windowsDirectory.View();
    values.systemDirectory = systemDirectory.View();
    values.destinationDirectory =
        script.directories.empty() ? std::string_view{} : script.directories[0].path.View();
    values.programFilesDirectory = programFilesDirectory.View();
    return values;
}
