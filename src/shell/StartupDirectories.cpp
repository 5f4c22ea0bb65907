#include "shell/StartupDirectories.h"

#include "engine/StandardDirectories.h"
#include "shell/SetupState.h"

Failure ComputeStartupDirectories() {
    StandardDirectories directories;
    if (Failure failure = ComputeStandardDirectories(directories)) {
        return failure;
    }
    g_setup.windowsDirectory.Assign(directories.windows);
    g_setup.systemDirectory.Assign(directories.system);
    g_setup.temporaryDirectory.Assign(directories.temporary);
    g_setup.programFilesDirectory.Assign(directories.programFiles);

    const SourceAndScriptPath paths = ComputeSourceAndScriptPath(g_setup.instance);
    g_setup.sourceDirectory.Assign(paths.sourceDirectory);
    g_setup.scriptPath.Assign(paths.scriptPath);
    return std::nullopt;
}
