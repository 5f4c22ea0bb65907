// Pieces of the C++ runtime that SETUP.EXE and KXUN32.EXE define themselves, in place of the
// runtime's own (a definition here keeps the runtime's from being linked in). The programs are
// built without exceptions: their failures are returned, not thrown. What the runtime would
// still throw (an allocation that fails, a length or range check of the library, which the
// programs' own checks keep from happening) ends the program here with the library's text on
// standard error, instead of linking in the runtime's exception support and its unwinder.
// Only the two programs link this file; the tests keep the runtime's pieces.
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

// The exit codes: the system's "not enough memory" and "internal error".
constexpr int kOutOfMemory = 8;
constexpr int kLibraryFault = 1359;

[[noreturn]] void EndProgram(const char* text, int code) noexcept {
    std::fputs(text, stderr);
    std::fputs("\n", stderr);
    std::fflush(stderr);
    std::_Exit(code);
}

void* Allocate(std::size_t size) noexcept {
    return std::malloc(size != 0 ? size : 1);
}

} // namespace

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    EndProgram("terminate called", kLibraryFault);
}

} // namespace __gnu_cxx

namespace std {

void __throw_bad_exception() {
    EndProgram("std::bad_exception", kLibraryFault);
}

void __throw_bad_alloc() {
    EndProgram("std::bad_alloc", kOutOfMemory);
}

void __throw_bad_array_new_length() {
    EndProgram("std::bad_array_new_length", kOutOfMemory);
}

void __throw_bad_cast() {
    EndProgram("std::bad_cast", kLibraryFault);
}

void __throw_bad_typeid() {
    EndProgram("std::bad_typeid", kLibraryFault);
}

void __throw_bad_function_call() {
    EndProgram("std::bad_function_call", kLibraryFault);
}

void __throw_logic_error(const char* text) {
    EndProgram(text, kLibraryFault);
}

void __throw_domain_error(const char* text) {
    EndProgram(text, kLibraryFault);
}

void __throw_invalid_argument(const char* text) {
    EndProgram(text, kLibraryFault);
}

void __throw_length_error(const char* text) {
    EndProgram(text, kLibraryFault);
}

void __throw_out_of_range(const char* text) {
    EndProgram(text, kLibraryFault);
}

void __throw_runtime_error(const char* text) {
    EndProgram(text, kLibraryFault);
}

void __throw_range_error(const char* text) {
    EndProgram(text, kLibraryFault);
}

void __throw_overflow_error(const char* text) {
    EndProgram(text, kLibraryFault);
}

void __throw_underflow_error(const char* text) {
    EndProgram(text, kLibraryFault);
}

// The format itself is told: its arguments are not worth a formatter in the programs.
void __throw_out_of_range_fmt(const char* format, ...) {
    EndProgram(format, kLibraryFault);
}

} // namespace std

void* operator new(std::size_t size) {
    if (void* memory = Allocate(size)) {
        return memory;
    }
    EndProgram("out of memory", kOutOfMemory);
}

void* operator new[](std::size_t size) {
    return operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete[](void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}

void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}

#if defined(_WIN32)
// The start-up code applies the pseudo-relocations the linker makes for data a program takes
// from a system library without declaring it imported. The programs are linked with
// --disable-auto-import, which fails the link instead of making one, so there is nothing to
// apply: this keeps the runtime's applier, and the section lookup it needs, out of them.
extern "C" void _pei386_runtime_relocator() {}
#endif
