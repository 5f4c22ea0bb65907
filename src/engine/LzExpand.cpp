#include "engine/LzExpand.h"

#include "common/UniqueHandle.h"
#include "script/SetupError.h"

namespace {

// A file handle from _lopen or _lcreat, before LZInit takes it over.
using UniqueHfile = UniqueHandle<HFILE, &_lclose, NegativeIsInvalid>;

} // namespace

LzFile::LzFile(const char* path, LzOpenMode mode) {
    UniqueHfile file(mode == LzOpenMode::Create ? _lcreat(path, 0)
                                                : _lopen(path, static_cast<int>(mode)));
    if (!file) {
        throw SetupError(GetLastError(), "cannot open file for LZ");
    }
    const INT lz = LZInit(file.get());
    if (lz < 0) {
        throw SetupError(static_cast<std::uint32_t>(lz), "LZInit failed");
    }
    static_cast<void>(file.release());
    lz_.reset(lz);
}

std::int32_t LzExpandedSize(const char* path) {
    const LzFile file(path, LzOpenMode::Read);
    return LZSeek(file.handle(), 0, 2);
}
