// Expands one SZDD file with libmspack, an expander written independently of ours:
// mspack_expand IN OUT. Exit 0 on success, 1 with libmspack's error code otherwise.
#include <mspack.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mspack_expand IN OUT\n");
        return 2;
    }
    msszdd_decompressor* szdd = mspack_create_szdd_decompressor(nullptr);
    if (szdd == nullptr) {
        std::fprintf(stderr, "mspack_expand: cannot create the decompressor\n");
        return 1;
    }
    int error = MSPACK_ERR_OK;
    if (msszddd_header* header = szdd->open(szdd, argv[1])) {
        error = szdd->extract(szdd, header, argv[2]);
        szdd->close(szdd, header);
    } else {
        error = szdd->last_error(szdd);
    }
    mspack_destroy_szdd_decompressor(szdd);
    if (error != MSPACK_ERR_OK) {
        std::fprintf(stderr, "mspack_expand: %s: libmspack error %d\n", argv[1], error);
        return 1;
    }
    return 0;
}
