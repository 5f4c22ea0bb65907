// Reads a classic (non-extended) dialog template resource as the dialog manager sees it, so
// that tests can compare ids, classes, texts, styles and rectangles in dialog units.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

struct TemplateControl {
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;            // the template's WORD, sign-extended: 0xFFFF reads as -1
    WORD classAtom = 0;    // 0x80 Button ... 0x85 ComboBox; 0 when the class is a name
    std::string className; // when the class is given by name
    std::string text;      // when the title is a string
    int textOrdinal = -1;  // when the title is a resource ordinal (an icon's id)
};

struct DialogTemplate {
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    WORD pointSize = 0;
    std::string faceName;
    std::vector<TemplateControl> controls;
};

// Atoms of the predefined control classes in a dialog template.
constexpr WORD kButtonAtom = 0x80;
constexpr WORD kEditAtom = 0x81;
constexpr WORD kStaticAtom = 0x82;
constexpr WORD kListBoxAtom = 0x83;
constexpr WORD kComboBoxAtom = 0x85;

// The template with this id in the module, or nothing when it is missing, is an extended
// template, or its bytes end before the template does (the reason goes to *error).
std::optional<DialogTemplate> ReadDialogTemplate(HMODULE module, int id, std::string* error);
