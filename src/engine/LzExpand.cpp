#include "engine/LzExpand.h"

#include "common/UniqueHandle.h"
#include "script/SetupError.h"

namespace {

// A file handle from _lopen or _lcreat, before LZInit takes it over.
using UniqueHfile = UniqueHandle<HFILE, &_lclose, NegativeIsInvalid>;

} // namespace

Failure LzFile::Open(const char* path, LzOpenMode mode) {
    lz_.reset();
    UniqueHfile file(mode == LzOpenMode::Create ? _lcreat(path, 0)
                                                : _lopen(path, static_cast<int>(mode)));
    if (!file) {
        return SetupError(GetLastError(), "cannot open file for LZ");
    }
    const INT lz = LZInit(file.get());
    if (lz < 0) {
        return SetupError(static_cast<std::uint32_t>(lz), "LZInit failed");
    }
    static_cast<void>(file.release());
    lz_.reset(lz);
    return std::nullopt;
}

Failure LzExpandedSize(const char* path, std::int32_t& size) {
    LzFile file;
    if (Failure failure = file.Open(path, LzOpenMode::Read)) {
        return failure;
    }
    size = LZSeek(file.handle(), 0, 2);
    return std::nullopt;
}
