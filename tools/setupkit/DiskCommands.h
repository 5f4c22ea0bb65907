#pragma once

#include "Commands.h"

// The commands that make and read distribution disks, one file each: compress and expand
// single files (CompressCommand.cpp, ExpandCommand.cpp) and build whole disk sets
// (BuildCommand.cpp).
void AddCompressCommand(CLI::App& app, ChosenCommand& chosen);
void AddExpandCommand(CLI::App& app, ChosenCommand& chosen);
void AddBuildCommand(CLI::App& app, ChosenCommand& chosen);
