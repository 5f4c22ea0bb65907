#include "uninstall/UninstallCommandLine.h"
#include "uninstall/UninstallRun.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
    return RunUninstall(instance, ParseUninstallArguments(arguments ? arguments : ""));
}
