#pragma once

// A plain top-level window class for the tests' stand-in main windows and owners: default
// procedure, white background. Registered on first use.
[[nodiscard]] const char* PlainTestWindowClass();
