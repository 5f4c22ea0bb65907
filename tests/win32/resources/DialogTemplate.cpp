#include "DialogTemplate.h"

#include <cstring>

namespace {

// Every read is checked against the end of the resource; a failed read sets the reason once.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, DWORD size) : data_(data), size_(size) {}

    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }

    WORD Word() {
        WORD value = 0;
        Take(&value, sizeof value);
        return value;
    }
    DWORD DoubleWord() {
        DWORD value = 0;
        Take(&value, sizeof value);
        return value;
    }
    short Short() { return static_cast<short>(Word()); }

    // A NUL-terminated UTF-16 string; the templates here hold ASCII only.
    std::string String() {
        std::string text;
        for (WORD unit = Word(); unit != 0 && !Failed(); unit = Word()) {
            text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
        }
        return text;
    }

    // A name-or-ordinal field: 0xFFFF then a WORD, or a string (empty when it starts with 0).
    void NameOrOrdinal(std::string* name, int* ordinal) {
        if (Peek() == 0xFFFF) {
            Word();
            *ordinal = Word();
        } else {
            *name = String();
        }
    }

    void Skip(DWORD count) {
        if (offset_ > size_ || count > size_ - offset_) {
            Fail("creation data runs past the end");
            return;
        }
        offset_ += count;
    }

    void AlignToDoubleWord() { offset_ = (offset_ + 3) & ~DWORD{3}; }

private:
    WORD Peek() {
        WORD value = 0;
        if (offset_ <= size_ && sizeof value <= size_ - offset_) {
            std::memcpy(&value, data_ + offset_, sizeof value);
        }
        return value;
    }
    void Take(void* out, DWORD count) {
        if (Failed() || offset_ > size_ || count > size_ - offset_) {
            Fail("template ends early");
            return;
        }
        std::memcpy(out, data_ + offset_, count);
        offset_ += count;
    }
    void Fail(const char* reason) {
        if (error_.empty()) {
            error_ = reason;
        }
    }

    const BYTE* data_;
    DWORD size_;
    DWORD offset_ = 0;
    std::string error_;
};

// A predefined class may be named instead of given by atom; the dialog manager treats both
// alike, and so do the tests.
WORD AtomOfName(const std::string& name) {
    static const char* const kNames[] = {"Button",  "Edit",      "Static",
                                         "ListBox", "ScrollBar", "ComboBox"};
    for (WORD i = 0; i < 6; ++i) {
        if (lstrcmpiA(name.c_str(), kNames[i]) == 0) {
            return static_cast<WORD>(0x80 + i);
        }
    }
    return 0;
}

} // namespace

std::optional<DialogTemplate> ReadDialogTemplate(HMODULE module, int id, std::string* error) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    if (found == nullptr) {
        *error = "no such template";
        return std::nullopt;
    }
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    TemplateReader reader(data, SizeofResource(module, found));

    DialogTemplate dialog;
    dialog.style = reader.DoubleWord();
    if (HIWORD(dialog.style) == 0xFFFF) {
        *error = "extended template";
        return std::nullopt;
    }
    reader.DoubleWord(); // extended style
    const WORD count = reader.Word();
    dialog.x = reader.Short();
    dialog.y = reader.Short();
    dialog.cx = reader.Short();
    dialog.cy = reader.Short();
    std::string menuName, className;
    int menuOrdinal = 0, classOrdinal = 0;
    reader.NameOrOrdinal(&menuName, &menuOrdinal);
    reader.NameOrOrdinal(&className, &classOrdinal);
    dialog.caption = reader.String();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = reader.Word();
        dialog.faceName = reader.String();
    }

    for (WORD i = 0; i < count && !reader.Failed(); ++i) {
        reader.AlignToDoubleWord();
        TemplateControl control;
        control.style = reader.DoubleWord();
        reader.DoubleWord(); // extended style
        control.x = reader.Short();
        control.y = reader.Short();
        control.cx = reader.Short();
        control.cy = reader.Short();
        control.id = reader.Short();
        int atom = 0;
        reader.NameOrOrdinal(&control.className, &atom);
        control.classAtom = atom != 0 ? static_cast<WORD>(atom) : AtomOfName(control.className);
        reader.NameOrOrdinal(&control.text, &control.textOrdinal);
        reader.Skip(reader.Word());
        dialog.controls.push_back(control);
    }
    if (reader.Failed()) {
        *error = reader.Error();
        return std::nullopt;
    }
    return dialog;
}
