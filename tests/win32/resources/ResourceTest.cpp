// The program's resources against the system's own tables: every string by id with its exact
// text, every dialog template with its ids, classes, texts, styles and rectangles, and the
// icons and bitmaps with their sizes and colour depth. The expectations are typed here from
// those tables (numbers, not the names of ResourceIds.h), so a wrong id in the header or the
// resource script shows up as a mismatch.
#include "DialogTemplate.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

HMODULE Module() {
    return GetModuleHandleA(nullptr);
}

// ---------------------------------------------------------------------------------------------
// String table
// ---------------------------------------------------------------------------------------------

struct ExpectedString {
    int id;
    const char* text;
};

const ExpectedString kStrings[] = {
    {9, "Drive %s contains %ld KB of free disk space.\nSetup requires a minimum of %ld KB."},
    {10, "Setup is not complete are you sure you want to cancel?"},
    {11, "Do you want setup to place the application in a Program Manager group?"},
    {12, "Your Application Has Been\nSuccessfully Installed!"},
    {13, "Setup"},
    {14, "Setup has not installed all files"},
    {15, "Unable to establish DDE connection with Progman."},
    {16, "Setup Cannot Install %s,\n it may be in use by another application"},
    {17, "Unable to read setup.inf"},
    {18, "Invalid  path selected"},
    {19, "A Program Group is required"},
    {20, "Setup was unable to install\n%s to\n%s.\nDo you wish to continue?"},
    {28, "%s - Choose Program Group"},
    {65, "setuplog.txt"},
    {66, "*** Setup Program For %s ***"},
    {67, "CreatedGroup "},
    {68, "Created GroupItem "},
    {69, "Created Directory"},
    {70, "Copied File"},
    {71, "Deleted File"},
    {73, "Unable to execute %s.  Do you wish to continue?"},
    {75, "%s needs to restart Windows.  Choose Yes to restart Windows, or choose No to return to "
         "Windows."},
    {76, "Unable to find file %s.  It should be on the disk labeled %s.  Please check the disk "
         "and click retry. "},
    {83, "?W\\KXUN32.EXE ?D\\%s"},
    {86, "HKEY_CLASSES_ROOT"},
    {87, "HKEY_CURRENT_USER"},
    {88, "HKEY_LOCAL_MACHINE"},
    {89, "HKEY_USERS"},
    {90, "HKEY_CURRENT_CONFIG"},
    {91, "HKEY_DYN_DATA"},
    {94, "Space available on %s"},
    {95, "Space required on %s"},
    {99, "Added registry key %s."},
    {100, "\tAdded registry value %s."},
    {101, "Added [%s], %s=%s to file %s."},
    {103, "?W\\KXUN32.EXE"},
    {104, "?W\\KXUN16.EXE"},
    {105, "%s needs to reboot your computer.  Choose Yes to reboot, or choose No to return to "
          "Windows."},
};

// The text of a string-table entry, or nothing (an empty text) when the id has no entry.
std::string LoadText(int id) {
    char buffer[1024] = {};
    const int length = LoadStringA(Module(), static_cast<UINT>(id), buffer, sizeof buffer);
    return std::string(buffer, static_cast<std::size_t>(std::max(length, 0)));
}

TEST(StringTable, HoldsTheExactTexts) {
    for (const ExpectedString& expected : kStrings) {
        EXPECT_EQ(LoadText(expected.id), expected.text) << "string " << expected.id;
    }
}

TEST(StringTable, HoldsNoOtherEntries) {
    std::set<int> known;
    for (const ExpectedString& expected : kStrings) {
        known.insert(expected.id);
    }
    for (int id = 0; id <= 0xFFFF; ++id) {
        if (!known.count(id)) {
            EXPECT_EQ(LoadText(id), "") << "unexpected string " << id;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Dialog templates
// ---------------------------------------------------------------------------------------------

enum class Kind {
    PushButton,
    DefPushButton,
    AutoRadio,
    AutoCheck,
    GroupBox,
    Text,
    RightText,
    Simple,
    EtchedLine,
    BlackFrame,
    Icon,
    Edit,
    ListBox,
    ComboBox,
};

struct ExpectedControl {
    int id;
    Kind kind;
    const char* text;  // nullptr: filled at run time, not checked; icons: unused
    int x, y, cx, cy;  // cx < 0: only x is given (the browser's hidden controls)
    DWORD with = 0;    // style bits that must be set
    DWORD without = 0; // style bits that must be clear
    int icon = 0;      // Kind::Icon: the icon resource shown
};

struct ExpectedDialog {
    int id;
    const char* name;
    const char* caption;
    const char* face;
    int x, y, cx, cy;
    DWORD with;
    DWORD without;
    std::vector<ExpectedControl> controls;
};

WORD AtomOf(Kind kind) {
    switch (kind) {
    case Kind::PushButton:
    case Kind::DefPushButton:
    case Kind::AutoRadio:
    case Kind::AutoCheck:
    case Kind::GroupBox:
        return kButtonAtom;
    case Kind::Edit:
        return kEditAtom;
    case Kind::ListBox:
        return kListBoxAtom;
    case Kind::ComboBox:
        return kComboBoxAtom;
    default:
        return kStaticAtom;
    }
}

const char* ClassNameOf(Kind kind) {
    switch (AtomOf(kind)) {
    case kButtonAtom:
        return "Button";
    case kEditAtom:
        return "Edit";
    case kListBoxAtom:
        return "ListBox";
    case kComboBoxAtom:
        return "ComboBox";
    default:
        return "Static";
    }
}

// The type bits of the style that make a button or static what it is.
bool HasKindStyle(Kind kind, DWORD style) {
    const DWORD button = style & BS_TYPEMASK;
    const DWORD stat = style & SS_TYPEMASK;
    switch (kind) {
    case Kind::PushButton:
        return button == BS_PUSHBUTTON;
    case Kind::DefPushButton:
        return button == BS_DEFPUSHBUTTON;
    case Kind::AutoRadio:
        return button == BS_AUTORADIOBUTTON;
    case Kind::AutoCheck:
        return button == BS_AUTOCHECKBOX;
    case Kind::GroupBox:
        return button == BS_GROUPBOX;
    case Kind::Text:
        return stat == SS_LEFT;
    case Kind::RightText:
        return stat == SS_RIGHT;
    case Kind::Simple:
        return stat == SS_SIMPLE;
    case Kind::EtchedLine:
        return stat == SS_ETCHEDHORZ;
    case Kind::BlackFrame:
        return stat == SS_BLACKFRAME;
    case Kind::Icon:
        return stat == SS_ICON;
    default:
        return true;
    }
}

enum class Back { Enabled, Disabled };
enum class Side { Bitmap, None };

// Back, Next, Cancel, the separator and (where marked) the side picture, alike on every page.
std::vector<ExpectedControl> WithPageControls(std::vector<ExpectedControl> controls, Back back,
                                              Side side) {
    const DWORD disabled = back == Back::Disabled ? WS_DISABLED : 0;
    controls.push_back({1019, Kind::PushButton, "< &Back", 169, 188, 42, 12, disabled,
                        static_cast<DWORD>(WS_DISABLED) & ~disabled});
    controls.push_back({1, Kind::DefPushButton, "&Next >", 211, 188, 42, 12, 0, WS_DISABLED});
    controls.push_back({2, Kind::PushButton, "Cancel", 263, 188, 42, 12, 0, WS_DISABLED});
    controls.push_back({-1, Kind::EtchedLine, "", 9, 178, 292, 1, WS_DISABLED});
    if (side == Side::Bitmap) {
        controls.push_back({1050, Kind::Simple, "", 9, 10, 81, 160});
    }
    return controls;
}

constexpr DWORD kPageStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD kPromptStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT;

std::vector<ExpectedDialog> ExpectedDialogs() {
    const DWORD radio = BS_AUTORADIOBUTTON;
    std::vector<ExpectedDialog> dialogs;

    dialogs.push_back({143, "WelcomePage", "First Title", "MS Sans Serif", 0, 0, 310, 204,
                       kPageStyle, WS_CHILD,
                       WithPageControls({{111, Kind::Text, "Your Text", 99, 9, 206, 119}},
                                        Back::Disabled, Side::Bitmap)});

    dialogs.push_back(
        {1053, "ReadmePage", "Readme", "Helv", 50, 79, 310, 204, kPageStyle, WS_CHILD,
         WithPageControls({{1053, Kind::Edit, "", 13, 10, 283, 158,
                            ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER | WS_TABSTOP}},
                          Back::Enabled, Side::None)});

    dialogs.push_back({100, "DestinationPage", "Install", "Helv", 50, 79, 310, 204, kPageStyle,
                       WS_CHILD,
                       WithPageControls(
                           {
                               {111, Kind::Text, "Your Text", 95, 7, 206, 126},
                               {-1, Kind::GroupBox, "Destination Directory", 95, 140, 206, 29},
                               {101, Kind::Text, "Your Directory", 101, 153, 144, 8},
                               {1023, Kind::PushButton, "B&rowse", 251, 151, 42, 12},
                           },
                           Back::Enabled, Side::Bitmap)});

    // The radio buttons carry no tab stop.
    dialogs.push_back(
        {120, "SetupTypePage", "Choose the Type of Setup", "MS Sans Serif", 0, 0, 310, 204,
         kPageStyle, WS_CHILD,
         WithPageControls(
             {
                 {-1, Kind::Text, "Choose the type of setup you prefer, then click next", 118, 28,
                  181, 8},
                 {1039, Kind::Icon, nullptr, 115, 46, 18, 20, 0, 0, 149},
                 {1042, Kind::AutoRadio, "Typical", 148, 47, 151, 19, radio | BS_MULTILINE,
                  WS_TABSTOP},
                 {1040, Kind::Icon, nullptr, 115, 73, 18, 20, 0, 0, 146},
                 {1043, Kind::AutoRadio, "Minimal", 148, 74, 151, 19, radio | BS_MULTILINE,
                  WS_TABSTOP},
                 {1041, Kind::Icon, nullptr, 115, 102, 18, 20, 0, 0, 148},
                 {1044, Kind::AutoRadio, "Custom", 148, 103, 151, 19, radio | BS_MULTILINE,
                  WS_TABSTOP},
             },
             Back::Enabled, Side::Bitmap)});

    // The option list holds record pointers as item data: owner-drawn, no strings of its own.
    dialogs.push_back(
        {116, "CustomPage", "Custom Install", "MS Sans Serif", 0, 0, 310, 204, kPageStyle, WS_CHILD,
         WithPageControls(
             {
                 {-1, Kind::Text,
                  "In the options list, select the items you want installed, clear the items you "
                  "do not want installed.",
                  3, 16, 296, 8},
                 {-1, Kind::Text, "&Options:", 3, 32, 25, 8},
                 {1034, Kind::ListBox, "", 3, 44, 196, 98,
                  LBS_OWNERDRAWFIXED | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP |
                      LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS | LBS_SORT,
                  LBS_HASSTRINGS | LBS_OWNERDRAWVARIABLE},
                 {-1, Kind::Text, "Description:", 206, 35, 38, 8},
                 {1035, Kind::Text, "Static", 212, 49, 94, 112},
                 {1036, Kind::Text, "Space Required on C:", 8, 149, 114, 9},
                 {1037, Kind::Text, "Space available on C:", 8, 163, 114, 9},
                 {1038, Kind::RightText, "Static", 145, 151, 54, 8},
                 {1039, Kind::RightText, "Static", 145, 163, 54, 8},
                 {3, Kind::PushButton, "&Help", 87, 188, 42, 12},
             },
             Back::Enabled, Side::None)});

    dialogs.push_back(
        {110, "ProgramGroupPage", "Choose Program Group", "MS Sans Serif", 0, 0, 310, 205,
         kPageStyle, WS_CHILD,
         WithPageControls(
             {
                 {-1, Kind::Text,
                  "Setup will add items to the program folder shown in the Program Folder Box.  "
                  "You can type in a new folder name, or select one from the Existing Folders "
                  "list.",
                  98, 9, 203, 27},
                 {-1, Kind::Text, "&Program Folder", 98, 37, 50, 8},
                 {1017, Kind::Edit, "", 98, 50, 203, 12, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP},
                 {-1, Kind::Text, "&Existing Folders", 98, 69, 52, 8},
                 {1018, Kind::ListBox, "", 98, 82, 203, 80,
                  LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT |
                      WS_TABSTOP},
                 {1048, Kind::AutoCheck, "&Do not create a group", 101, 167, 85, 10, WS_TABSTOP},
             },
             Back::Enabled, Side::Bitmap)});

    // Only OK closes the file-exists dialog: no system menu.
    dialogs.push_back(
        {102,
         "FileExistsDialog",
         "Dialog",
         "MS Sans Serif",
         106,
         63,
         246,
         121,
         kPromptStyle,
         WS_SYSMENU | WS_CHILD,
         {
             {-1, Kind::Icon, nullptr, 4, 4, 18, 20, 0, 0, 109},
             {-1, Kind::Text, "Attempted to Install the file:", 31, 5, 93, 9},
             {1003, Kind::Edit, nullptr, 31, 16, 135, 12, ES_READONLY | ES_AUTOHSCROLL},
             {-1, Kind::Text, "but, it currently Exists.", 31, 32, 99, 9},
             {1004, Kind::AutoRadio, "&Replace the existing file with the new file", 31, 46, 151,
              10, WS_GROUP},
             {1005, Kind::AutoRadio, "&Do not install the new file", 31, 61, 105, 10, 0, WS_GROUP},
             {1006, Kind::AutoRadio, "&Abort the installation", 31, 76, 105, 11, 0, WS_GROUP},
             {1029, Kind::AutoCheck, "&Use this choice for all subsequent files.", 31, 96, 131, 10},
             {1, Kind::DefPushButton, "&OK", 186, 10, 50, 14},
             {1007, Kind::PushButton, "D&etails", 186, 30, 50, 14},
         }});

    dialogs.push_back({103,
                       "FileDetailsDialog",
                       "File Already Exists",
                       "MS Sans Serif",
                       10,
                       20,
                       221,
                       115,
                       kPromptStyle | WS_SYSMENU,
                       WS_CHILD,
                       {
                           {1008, Kind::Edit, nullptr, 5, 9, 74, 12, ES_READONLY},
                           {-1, Kind::RightText, "Size ( in Bytes )", 83, 9, 52, 8},
                           {-1, Kind::Text, "Date", 143, 9, 30, 8},
                           {-1, Kind::BlackFrame, "", 5, 26, 211, 51},
                           {-1, Kind::Text, "Existing File", 8, 34, 40, 8},
                           {1010, Kind::RightText, nullptr, 73, 34, 62, 10},
                           {1009, Kind::Text, nullptr, 143, 34, 45, 10},
                           {-1, Kind::Text, "New File", 8, 59, 30, 8},
                           {1012, Kind::RightText, nullptr, 73, 59, 62, 10},
                           {1011, Kind::Text, nullptr, 143, 59, 45, 10},
                           {1, Kind::DefPushButton, "OK", 80, 87, 50, 14},
                       }});

    dialogs.push_back({400,
                       "DiskPromptDialog",
                       "",
                       "Helv",
                       141,
                       70,
                       310,
                       79,
                       kPromptStyle | WS_SYSMENU,
                       WS_CHILD,
                       {
                           {-1, Kind::Icon, nullptr, 6, 4, 18, 20, 0, 0, 109},
                           {106, Kind::Text, "Setup needs the following disk", 29, 3, 274, 12},
                           {107, Kind::Text, nullptr, 29, 12, 276, 8},
                           {101, Kind::Edit, nullptr, 29, 31, 197, 12, WS_BORDER | WS_TABSTOP},
                           {1, Kind::DefPushButton, "&OK", 115, 50, 35, 14},
                           {2, Kind::PushButton, "&Cancel", 161, 50, 35, 14},
                       }});

    dialogs.push_back({111,
                       "NotEnoughSpaceDialog",
                       "Not Enough Space",
                       "MS Sans Serif",
                       50,
                       50,
                       201,
                       86,
                       kPromptStyle | WS_SYSMENU,
                       WS_CHILD,
                       {
                           {-1, Kind::Icon, nullptr, 4, 7, 18, 20, 0, 0, 109},
                           {1020, Kind::Text, nullptr, 40, 9, 145, 40},
                           {1, Kind::DefPushButton, "&Continue", 12, 64, 50, 14},
                           {1019, Kind::PushButton, "&Back", 67, 64, 62, 14},
                           {2, Kind::PushButton, "E&xit", 135, 64, 50, 14},
                       }});

    // A child window with a caption, visible once created; never a popup.
    dialogs.push_back({104,
                       "ProgressDialog",
                       "File Copy Progress",
                       "MS Sans Serif",
                       0,
                       0,
                       185,
                       102,
                       WS_CHILD | WS_CAPTION | WS_VISIBLE | DS_SETFONT,
                       WS_POPUP,
                       {
                           {-1, Kind::Text, "Source File:", 6, 5, 40, 8},
                           {1049, Kind::Text, nullptr, 6, 15, 173, 8},
                           {-1, Kind::Text, "Destination File:", 6, 25, 54, 8},
                           {1003, Kind::Text, nullptr, 6, 37, 173, 8},
                           {1013, Kind::Simple, nullptr, 16, 56, 152, 11, WS_BORDER},
                           {2, Kind::DefPushButton, "Cancel", 75, 76, 35, 15},
                       }});

    // The system's file-open dialog on this template: its file controls lie at x = 4000.
    dialogs.push_back(
        {1536,
         "BrowseDirectoryDialog",
         "Open",
         "Helv",
         36,
         24,
         161,
         178,
         WS_POPUP | WS_CAPTION | DS_SETFONT,
         WS_CHILD,
         {
             {-1, Kind::Text, "Enter or Select a Destination Directory.", 4, 4, 129, 8},
             {-1, Kind::Text, "&Path:", 5, 18, 92, 9},
             {1088, Kind::Edit, "", 5, 28, 149, 12, ES_AUTOHSCROLL | WS_BORDER},
             {-1, Kind::Text, "&Directories:", 5, 42, 39, 8},
             {1121, Kind::ListBox, nullptr, 5, 54, 92, 68},
             {1091, Kind::Text, "Dri&ves:", 5, 126, 92, 9},
             {1137, Kind::ComboBox, nullptr, 5, 137, 92, 68},
             {1, Kind::DefPushButton, "OK", 103, 55, 50, 14},
             {2, Kind::PushButton, "Cancel", 103, 73, 50, 14},
             {1090, Kind::Text, "File &Name:", 4000, 0, -1, -1},
             {1152, Kind::Edit, nullptr, 4000, 0, -1, -1},
             {1120, Kind::ListBox, nullptr, 4000, 0, -1, -1},
             {1089, Kind::Text, "List Files of &Type:", 4000, 0, -1, -1},
             {1136, Kind::ComboBox, nullptr, 4000, 0, -1, -1},
             {1038, Kind::PushButton, "&Help", 4000, 0, -1, -1},
             {1040, Kind::AutoCheck, "&Read Only", 4000, 0, -1, -1},
             {1037, Kind::PushButton, "Net&work...", 4000, 0, -1, -1},
         }});
    return dialogs;
}

std::string Describe(const ExpectedControl& control) {
    return "control " + std::to_string(control.id) +
           (control.text != nullptr ? std::string(" \"") + control.text + "\"" : std::string());
}

// Finds the template control that an expected one describes: by id, class and, for the
// controls without id (-1), by text or shown icon. Each template control is used once.
const TemplateControl* Match(const DialogTemplate& dialog, const ExpectedControl& expected,
                             std::vector<bool>& used) {
    for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
        const TemplateControl& control = dialog.controls[i];
        if (used[i] || control.id != expected.id || control.classAtom != AtomOf(expected.kind)) {
            continue;
        }
        if (expected.id == -1) {
            const bool same = expected.kind == Kind::Icon
                                  ? control.textOrdinal == expected.icon
                                  : control.textOrdinal < 0 && control.text == expected.text &&
                                        HasKindStyle(expected.kind, control.style);
            if (!same) {
                continue;
            }
        }
        used[i] = true;
        return &control;
    }
    return nullptr;
}

void CheckControl(const TemplateControl& control, const ExpectedControl& expected) {
    SCOPED_TRACE(Describe(expected));
    EXPECT_TRUE(HasKindStyle(expected.kind, control.style)) << std::hex << control.style;
    EXPECT_EQ(control.style & expected.with, expected.with) << std::hex << control.style;
    EXPECT_EQ(control.style & expected.without, 0u) << std::hex << control.style;
    EXPECT_TRUE(control.style & WS_CHILD);
    EXPECT_TRUE(control.style & WS_VISIBLE);
    if (expected.kind == Kind::Icon) {
        EXPECT_EQ(control.textOrdinal, expected.icon);
    } else if (expected.text != nullptr) {
        EXPECT_EQ(control.textOrdinal, -1);
        EXPECT_EQ(control.text, expected.text);
    }
    EXPECT_EQ(control.x, expected.x);
    if (expected.cx >= 0) {
        EXPECT_EQ(control.y, expected.y);
        EXPECT_EQ(control.cx, expected.cx);
        EXPECT_EQ(control.cy, expected.cy);
    }
}

TEST(DialogTemplates, MatchTheirTables) {
    for (const ExpectedDialog& expected : ExpectedDialogs()) {
        SCOPED_TRACE(std::string(expected.name) + " " + std::to_string(expected.id));
        std::string error;
        const std::optional<DialogTemplate> dialog =
            ReadDialogTemplate(Module(), expected.id, &error);
        ASSERT_TRUE(dialog.has_value()) << error;

        EXPECT_EQ(dialog->caption, expected.caption);
        EXPECT_EQ(dialog->faceName, expected.face);
        EXPECT_EQ(dialog->pointSize, 8);
        EXPECT_EQ(dialog->x, expected.x);
        EXPECT_EQ(dialog->y, expected.y);
        EXPECT_EQ(dialog->cx, expected.cx);
        EXPECT_EQ(dialog->cy, expected.cy);
        EXPECT_EQ(dialog->style & expected.with, expected.with) << std::hex << dialog->style;
        EXPECT_EQ(dialog->style & expected.without, 0u) << std::hex << dialog->style;

        std::vector<bool> used(dialog->controls.size(), false);
        for (const ExpectedControl& control : expected.controls) {
            const TemplateControl* found = Match(*dialog, control, used);
            if (found == nullptr) {
                ADD_FAILURE() << "missing " << Describe(control);
                continue;
            }
            CheckControl(*found, control);
        }
        for (std::size_t i = 0; i < used.size(); ++i) {
            EXPECT_TRUE(used[i]) << "extra control " << dialog->controls[i].id << " \""
                                 << dialog->controls[i].text << "\"";
        }
    }
}

// Enter must mean Next on a page: the first control to get the focus is never another push
// button.
TEST(DialogTemplates, PagesStartWithTheFocusOffTheOtherButtons) {
    for (const int id : {143, 1053, 100, 120, 116, 110}) {
        SCOPED_TRACE(id);
        std::string error;
        const std::optional<DialogTemplate> dialog = ReadDialogTemplate(Module(), id, &error);
        ASSERT_TRUE(dialog.has_value()) << error;
        const auto first = std::find_if(
            dialog->controls.begin(), dialog->controls.end(), [](const TemplateControl& c) {
                return (c.style & WS_TABSTOP) && !(c.style & WS_DISABLED);
            });
        ASSERT_NE(first, dialog->controls.end());
        const bool pushButton =
            first->classAtom == kButtonAtom && (first->style & BS_TYPEMASK) == BS_PUSHBUTTON;
        EXPECT_FALSE(pushButton) << "first tab stop is button " << first->id;
    }
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

BOOL CALLBACK CountIcon(HWND child, LPARAM count) {
    char name[32] = {};
    GetClassNameA(child, name, sizeof name);
    const bool icon = lstrcmpiA(name, "Static") == 0 &&
                      (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    if (icon && SendMessageA(child, STM_GETICON, 0, 0) != 0) {
        ++*reinterpret_cast<int*>(count);
    }
    return TRUE;
}

// The dialog manager builds every template: each control exists with its class and text, and
// each icon control found its icon among the program's resources.
TEST(DialogTemplates, CreateWithEveryControl) {
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                 Module(), nullptr);
    ASSERT_NE(owner, nullptr);
    for (const ExpectedDialog& expected : ExpectedDialogs()) {
        SCOPED_TRACE(std::string(expected.name) + " " + std::to_string(expected.id));
        HWND dialog =
            CreateDialogParamA(Module(), MAKEINTRESOURCEA(expected.id), owner, QuietDialogProc, 0);
        ASSERT_NE(dialog, nullptr) << GetLastError();
        EXPECT_EQ(WindowText(dialog), expected.caption);
        int icons = 0;
        for (const ExpectedControl& control : expected.controls) {
            if (control.kind == Kind::Icon) {
                ++icons;
            }
            if (control.id == -1) {
                continue;
            }
            SCOPED_TRACE(Describe(control));
            HWND child = GetDlgItem(dialog, control.id);
            ASSERT_NE(child, nullptr);
            char name[32] = {};
            GetClassNameA(child, name, sizeof name);
            EXPECT_EQ(lstrcmpiA(name, ClassNameOf(control.kind)), 0) << name;
            if (control.text != nullptr && control.kind != Kind::ComboBox &&
                control.kind != Kind::ListBox) {
                EXPECT_EQ(WindowText(child), control.text);
            }
        }
        int shown = 0;
        EnumChildWindows(dialog, CountIcon, reinterpret_cast<LPARAM>(&shown));
        EXPECT_EQ(shown, icons);
        DestroyWindow(dialog);
    }
    DestroyWindow(owner);
}

// ---------------------------------------------------------------------------------------------
// Resource set, icons and bitmaps
// ---------------------------------------------------------------------------------------------

BOOL CALLBACK CollectId(HMODULE, LPCSTR, LPSTR name, LONG_PTR ids) {
    if (IS_INTRESOURCE(name)) {
        reinterpret_cast<std::set<int>*>(ids)->insert(
            static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
    } else {
        reinterpret_cast<std::set<int>*>(ids)->insert(-1);
    }
    return TRUE;
}

std::set<int> IdsOfType(LPCSTR type) {
    std::set<int> ids;
    EnumResourceNamesA(Module(), type, CollectId, reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

// The resources the program touches at start-up are all there are: nothing missing, no extra.
TEST(ResourceSet, IsExactlyThePreloadedOne) {
    EXPECT_EQ(IdsOfType(MAKEINTRESOURCEA(14)), (std::set<int>{109, 146, 148, 149}));
    EXPECT_EQ(IdsOfType(MAKEINTRESOURCEA(5)),
              (std::set<int>{400, 102, 103, 104, 110, 1536, 100, 111, 143, 116, 120, 1053}));
    EXPECT_EQ(IdsOfType(MAKEINTRESOURCEA(2)), (std::set<int>{139, 122, 140, 142, 118, 119}));
    // A manifest would switch the dialogs to themed controls.
    EXPECT_TRUE(IdsOfType(MAKEINTRESOURCEA(24)).empty());
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

const BYTE* ResourceBytes(int id, LPCSTR type, DWORD* size) {
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(id), type);
    if (found == nullptr) {
        return nullptr;
    }
    *size = SizeofResource(Module(), found);
    return static_cast<const BYTE*>(LockResource(LoadResource(Module(), found)));
}

TEST(Icons, Are32By32With16Colours) {
    for (const int id : {109, 146, 148, 149}) {
        SCOPED_TRACE(id);
        DWORD size = 0;
        const BYTE* group = ResourceBytes(id, MAKEINTRESOURCEA(14), &size);
        ASSERT_NE(group, nullptr);
        ASSERT_GE(size, 6u);
        WORD count = 0;
        std::memcpy(&count, group + 4, sizeof count);
        ASSERT_GE(size, 6u + count * sizeof(GroupIconEntry));
        bool found = false;
        for (WORD i = 0; i < count; ++i) {
            GroupIconEntry entry;
            std::memcpy(&entry, group + 6 + i * sizeof entry, sizeof entry);
            if (entry.width != 32 || entry.height != 32) {
                continue;
            }
            found = true;
            EXPECT_EQ(entry.colourCount, 16);
            DWORD imageSize = 0;
            const BYTE* image = ResourceBytes(entry.id, MAKEINTRESOURCEA(3), &imageSize);
            ASSERT_NE(image, nullptr);
            ASSERT_GE(imageSize, sizeof(BITMAPINFOHEADER));
            BITMAPINFOHEADER header;
            std::memcpy(&header, image, sizeof header);
            EXPECT_EQ(header.biWidth, 32);
            EXPECT_EQ(header.biHeight, 64); // colour rows and mask rows
            EXPECT_EQ(header.biBitCount, 4);
        }
        EXPECT_TRUE(found) << "no 32x32 image";

        HICON icon =
            static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap = {};
        GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, 32);
        EXPECT_EQ(bitmap.bmHeight, 32);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

// A bitmap resource's header, colour table and bits, as stored.
struct StoredBitmap {
    BITMAPINFOHEADER header = {};
    std::vector<RGBQUAD> colours;
    const BYTE* bits = nullptr;

    COLORREF Pixel(int x, int y) const {
        const int stride = ((header.biWidth * header.biBitCount + 31) / 32) * 4;
        const BYTE* row = bits + (header.biHeight - 1 - y) * stride; // rows are stored bottom-up
        const int index = (x % 2 == 0) ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
        const RGBQUAD& c = colours.at(static_cast<std::size_t>(index));
        return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
    }
};

StoredBitmap ReadStoredBitmap(int id) {
    StoredBitmap stored;
    DWORD size = 0;
    const BYTE* data = ResourceBytes(id, MAKEINTRESOURCEA(2), &size);
    if (data == nullptr || size < sizeof stored.header) {
        return stored;
    }
    std::memcpy(&stored.header, data, sizeof stored.header);
    const DWORD colours = stored.header.biClrUsed != 0 ? stored.header.biClrUsed : 16;
    const DWORD stride = ((stored.header.biWidth * stored.header.biBitCount + 31) / 32) * 4;
    const DWORD bitsAt = stored.header.biSize + colours * sizeof(RGBQUAD);
    // A run-length coded picture is as long as its header says; a plain one has every row.
    const DWORD bitsSize = stored.header.biCompression == BI_RLE4
                               ? stored.header.biSizeImage
                               : stride * static_cast<DWORD>(stored.header.biHeight);
    if (stored.header.biBitCount != 4 || colours > 16 || size < bitsAt + bitsSize) {
        return stored;
    }
    stored.colours.resize(colours);
    std::memcpy(stored.colours.data(), data + stored.header.biSize, colours * sizeof(RGBQUAD));
    stored.bits = data + bitsAt;
    return stored;
}

TEST(Bitmaps, HaveTheirSizesIn16Colours) {
    struct Size {
        int id, width, height;
        DWORD compression = BI_RGB;
    };
    // The pictures are run-length coded; the check boxes, too small to gain, are not.
    for (const Size expected :
         {Size{118, 12, 12}, Size{119, 12, 12}, Size{122, 54, 52, BI_RLE4},
          Size{139, 54, 52, BI_RLE4}, Size{140, 54, 52, BI_RLE4}, Size{142, 121, 260, BI_RLE4}}) {
        SCOPED_TRACE(expected.id);
        const StoredBitmap stored = ReadStoredBitmap(expected.id);
        ASSERT_NE(stored.bits, nullptr) << "missing, damaged or not 4 bits per pixel";
        EXPECT_EQ(stored.header.biWidth, expected.width);
        EXPECT_EQ(stored.header.biHeight, expected.height);
        EXPECT_EQ(stored.header.biCompression, expected.compression);

        // The side picture is used with the size the system reports for the loaded bitmap.
        HBITMAP loaded = LoadBitmapA(Module(), MAKEINTRESOURCEA(expected.id));
        ASSERT_NE(loaded, nullptr);
        BITMAP bitmap = {};
        GetObjectA(loaded, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, expected.width);
        EXPECT_EQ(bitmap.bmHeight, expected.height);
        DeleteObject(loaded);
    }
}

// 118 and 119 are the same sunken box, with and without a black check mark inside.
TEST(Bitmaps, CheckBoxesDifferOnlyByTheMark) {
    const StoredBitmap checked = ReadStoredBitmap(118);
    const StoredBitmap cleared = ReadStoredBitmap(119);
    ASSERT_NE(checked.bits, nullptr);
    ASSERT_NE(cleared.bits, nullptr);
    int marked = 0;
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool inside = x >= 2 && x <= 9 && y >= 2 && y <= 9;
            if (!inside) {
                EXPECT_EQ(checked.Pixel(x, y), cleared.Pixel(x, y)) << x << "," << y;
                continue;
            }
            EXPECT_EQ(cleared.Pixel(x, y), RGB(255, 255, 255)) << x << "," << y;
            if (checked.Pixel(x, y) == RGB(0, 0, 0)) {
                ++marked;
            }
        }
    }
    EXPECT_GE(marked, 10);
    // Sunken: dark upper left edge, light lower right edge.
    EXPECT_EQ(cleared.Pixel(0, 0), RGB(128, 128, 128));
    EXPECT_EQ(cleared.Pixel(1, 1), RGB(0, 0, 0));
    EXPECT_EQ(cleared.Pixel(11, 11), RGB(255, 255, 255));
    EXPECT_EQ(cleared.Pixel(10, 10), RGB(192, 192, 192));
}

} // namespace
