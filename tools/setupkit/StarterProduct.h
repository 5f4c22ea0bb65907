#pragma once

#include <filesystem>

// `setupkit new DIR`: a small product to start from, made so that `setupkit build` takes it
// as it is. DIR must be missing or empty; throws ToolError naming the problem otherwise.
void WriteStarterProduct(const std::filesystem::path& folder);
