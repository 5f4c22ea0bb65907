#pragma once

// Replaces this program's import of function from module (for example "user32.dll",
// "DdeClientTransaction") with replacement and returns the address it replaced, or null when
// the program does not import it. The code under test is linked into the program, so its
// calls go through the replacement while the hook is in place; the replacement forwards to
// the returned address to keep the platform's behaviour.
void* ReplaceImport(const char* module, const char* function, void* replacement);
