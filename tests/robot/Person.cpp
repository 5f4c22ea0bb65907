#include "PromptAnswerer.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr DWORD kPatienceMs = 10000;
constexpr DWORD kPollMs = 20;

struct Search {
    std::string caption;
    HWND found = nullptr;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "#32770" && IsWindowVisible(window) &&
        Person::Caption(window) == search.caption) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND Person::WaitForDialog(const std::string& caption) {
    for (DWORD waited = 0; waited < kPatienceMs; waited += kPollMs) {
        Search search{caption};
        EnumThreadWindows(promptThread_, MatchDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            return search.found;
        }
        Sleep(kPollMs);
    }
    GiveUp("no dialog with the caption \"" + caption + "\" appeared");
}

void Person::WaitUntilClosed(HWND dialog) {
    for (DWORD waited = 0; waited < kPatienceMs; waited += kPollMs) {
        if (!IsWindow(dialog)) {
            return;
        }
        Sleep(kPollMs);
    }
    GiveUp("the dialog \"" + Caption(dialog) + "\" did not close");
}

void Person::Press(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (!button) {
        GiveUp("the dialog \"" + Caption(dialog) + "\" has no button " + std::to_string(id));
    }
    PostMessageA(button, BM_CLICK, 0, 0);
}

void Person::Click(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (!button) {
        GiveUp("the dialog \"" + Caption(dialog) + "\" has no button " + std::to_string(id));
    }
    SendMessageA(button, BM_CLICK, 0, 0);
}

void Person::Type(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextA(dialog, id, text.c_str());
}

std::string Person::Text(HWND dialog, int id) {
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string Person::Caption(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool Person::IsChecked(HWND dialog, int id) {
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Person::StillOpen(HWND dialog) {
    // A dialog that was going to close does so within a few messages of the last answer.
    Sleep(300);
    return IsWindow(dialog) && IsWindowVisible(dialog);
}

std::string Person::Saw(const std::string& key) const {
    const auto note = notes.find(key);
    return note == notes.end() ? "missing" : note->second;
}

void Person::GiveUp(const std::string& what) {
    std::fprintf(stderr, "the person answering the prompts gives up: %s\n", what.c_str());
    std::fflush(stderr);
    // The prompting thread is inside a modal loop that nobody will end: stop the test here.
    TerminateProcess(GetCurrentProcess(), 99);
    std::abort();
}

Answering::Answering(Person& person, std::function<void(Person&)> answer)
    : thread_([&person, answer = std::move(answer)] { answer(person); }) {}

Answering::~Answering() {
    thread_.join();
}
