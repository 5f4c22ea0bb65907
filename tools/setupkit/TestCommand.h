#pragma once

#include "Commands.h"

// `setupkit test PRODUCT.toml`: builds the disks and installs them under Wine on a private
// virtual display, driven like a person, then reports what the installer showed and changed.
void AddTestCommand(CLI::App& app, ChosenCommand& chosen);
