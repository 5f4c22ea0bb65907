#pragma once

#include "Commands.h"

// `setupkit new DIR`: writes a starter product (StarterProduct.h).
void AddNewCommand(CLI::App& app, ChosenCommand& chosen);
