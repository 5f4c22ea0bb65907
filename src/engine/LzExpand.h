#pragma once

#include "common/Win32Handles.h"
#include "script/SetupError.h"

#include <windows.h>

#include <cstdint>

// Files as the LZ expansion library sees them: a compressed file reads as its expanded
// contents, any other file as it is.

enum class LzOpenMode : UINT {
    Read = OF_READ,
    Create = OF_CREATE, // a new or truncated file with normal attributes
};

// One open file: the file handle (_lopen or _lcreat) under the LZ handle that LZInit made of
// it. Once LZInit has taken the file, closing the LZ handle closes the file too, so the file
// handle is owned here only until then.
class LzFile {
public:
    // Opens path into this file. Fails with the system error code when the file cannot be
    // opened or created, with the (negative) LZ error code when LZInit refuses it.
    Failure Open(const char* path, LzOpenMode mode);

    INT handle() const { return lz_.get(); }

private:
    UniqueLzFile lz_;
};

// The size of the file once expanded (its own size when it is not compressed; negative when
// the library cannot tell). Fails as LzFile::Open does when it cannot be opened.
Failure LzExpandedSize(const char* path, std::int32_t& size);
