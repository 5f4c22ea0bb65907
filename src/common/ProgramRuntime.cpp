// Pieces of the C++ runtime that SETUP.EXE and KXUN32.EXE define themselves, in place of the
// runtime's own (a definition here keeps the runtime's from being linked in). Each of the
// runtime's drags far more into a program than it uses: its std::terminate handler the name
// demangler and the C runtime's formatted printing; its throwers of the library's errors
// (std::length_error and the like) the old string implementation those errors are built on;
// some 125 KB of either program together. Only the two programs link this file; the tests keep
// the runtime's pieces.
#include <cxxabi.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <string>
#include <typeinfo>
#include <utility>

namespace {

// What the library's checks throw here instead of std::length_error, std::out_of_range and
// the other std::logic_error and std::runtime_error kinds: an exception with the same text
// (what()). The programs never catch those kinds by name: SETUP.EXE's handlers tell only
// SetupError and std::bad_alloc apart from anything else, KXUN32.EXE shows what() of any
// std::exception, so either program does with this what it did with the library's own.
class LibraryError : public std::exception {
public:
    explicit LibraryError(std::string text) : text_(std::move(text)) {}
    const char* what() const noexcept override { return text_.c_str(); }

private:
    std::string text_;
};

[[noreturn, gnu::noinline]] void ThrowLibraryError(const char* text) {
    throw LibraryError(text);
}

} // namespace

namespace __gnu_cxx {

// Says on standard error what the runtime's handler says, the type by its mangled name, and
// ends the process as that handler does.
void __verbose_terminate_handler() {
    static bool terminating = false;
    if (terminating) {
        std::fputs("terminate called recursively\n", stderr);
        std::abort();
    }
    terminating = true;
    const std::type_info* type = abi::__cxa_current_exception_type();
    if (!type) {
        std::fputs("terminate called without an active exception\n", stderr);
        std::abort();
    }
    std::fputs("terminate called after throwing an instance of '", stderr);
    std::fputs(type->name(), stderr);
    std::fputs("'\n", stderr);
    try {
        throw;
    } catch (const std::exception& error) {
        std::fputs("  what():  ", stderr);
        std::fputs(error.what(), stderr);
        std::fputs("\n", stderr);
    } catch (...) {
    }
    std::abort();
}

} // namespace __gnu_cxx

// Every thrower the runtime keeps in one object with the others, so that none of them is
// linked from there.
namespace std {

void __throw_bad_exception() {
    throw std::bad_exception();
}

void __throw_bad_alloc() {
    throw std::bad_alloc();
}

void __throw_bad_array_new_length() {
    throw std::bad_array_new_length();
}

void __throw_bad_cast() {
    throw std::bad_cast();
}

void __throw_bad_typeid() {
    throw std::bad_typeid();
}

void __throw_logic_error(const char* text) {
    ThrowLibraryError(text);
}

void __throw_domain_error(const char* text) {
    ThrowLibraryError(text);
}

void __throw_invalid_argument(const char* text) {
    ThrowLibraryError(text);
}

void __throw_length_error(const char* text) {
    ThrowLibraryError(text);
}

void __throw_out_of_range(const char* text) {
    ThrowLibraryError(text);
}

void __throw_runtime_error(const char* text) {
    ThrowLibraryError(text);
}

void __throw_range_error(const char* text) {
    ThrowLibraryError(text);
}

void __throw_overflow_error(const char* text) {
    ThrowLibraryError(text);
}

void __throw_underflow_error(const char* text) {
    ThrowLibraryError(text);
}

// The text as the runtime makes it: "%s" takes a text, "%zu" a size, "%%" is a percent sign,
// and any other "%" stands as it is.
void __throw_out_of_range_fmt(const char* format, ...) {
    std::string text;
    va_list arguments;
    va_start(arguments, format);
    for (const char* at = format; *at != '\0'; ++at) {
        if (at[0] == '%' && at[1] == 's') {
            text += va_arg(arguments, const char*);
            ++at;
        } else if (at[0] == '%' && at[1] == 'z' && at[2] == 'u') {
            text += std::to_string(va_arg(arguments, std::size_t));
            at += 2;
        } else {
            text += at[0];
            if (at[0] == '%' && at[1] == '%') {
                ++at;
            }
        }
    }
    va_end(arguments);
    throw LibraryError(std::move(text));
}

} // namespace std
