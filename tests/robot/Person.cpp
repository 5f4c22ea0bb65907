#include "robot/Person.h"

#include "robot/Buttons.h"
#include "robot/Finding.h"
#include "robot/Windows.h"

#include <cstdio>
#include <cstdlib>

namespace robot {

namespace {

constexpr DWORD kPatienceMs = 10000;

} // namespace

HWND Person::WaitForDialog(const std::string& caption) {
    if (const HWND dialog =
            WaitForWindow(Scope::Thread(promptThread_), Wanted::Dialog(caption), kPatienceMs)) {
        return dialog;
    }
    GiveUp("no dialog with the caption \"" + caption + "\" appeared");
}

void Person::WaitUntilClosed(HWND dialog) {
    if (!robot::WaitUntilClosed(dialog, kPatienceMs)) {
        GiveUp("the dialog \"" + Caption(dialog) + "\" did not close");
    }
}

void Person::Press(HWND dialog, int id) {
    if (!robot::Press(dialog, id)) {
        GiveUp("the dialog \"" + Caption(dialog) + "\" has no button " + std::to_string(id));
    }
}

void Person::Click(HWND dialog, int id) {
    if (!robot::Click(dialog, id)) {
        GiveUp("the dialog \"" + Caption(dialog) + "\" has no button " + std::to_string(id));
    }
}

void Person::Type(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextA(dialog, id, text.c_str());
}

std::string Person::Text(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    return control ? WindowText(control) : std::string();
}

std::string Person::Caption(HWND window) {
    return WindowText(window);
}

bool Person::IsChecked(HWND dialog, int id) {
    return robot::IsChecked(dialog, id);
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

} // namespace robot
