#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <thread>

namespace robot {

// The text of a message box: the static control that every message box gives this id.
constexpr int kMessageBoxTextId = 0xFFFF;

// A person answering the modal prompts of the test's thread from a second thread: finds a
// dialog by class and caption, reads its controls and clicks its buttons. GoogleTest is built
// without thread support here, so the person only writes down what it sees (Note); the test
// checks the notes on its own thread after the prompt has returned.
class Person {
public:
    explicit Person(DWORD promptThread) : promptThread_(promptThread) {}

    // The visible dialog (class #32770) of the prompting thread with this caption. When none
    // shows up within ten seconds the prompt would wait for ever, so the test process ends
    // with a message instead.
    HWND WaitForDialog(const std::string& caption);

    // Waits until dialog has been destroyed (also ending the process after ten seconds).
    void WaitUntilClosed(HWND dialog);

    // Presses a push button. Posted, so that a question which the press opens cannot block
    // the person who has to answer it.
    void Press(HWND dialog, int id);

    // Clicks a radio button or check box and waits until the dialog has taken the click.
    void Click(HWND dialog, int id);

    void Type(HWND dialog, int id, const std::string& text);

    static std::string Text(HWND dialog, int id);
    static std::string Caption(HWND window);
    static bool IsChecked(HWND dialog, int id);

    // Whether dialog is still open a little while after the last click: time enough for a
    // dialog that was going to close to have closed.
    bool StillOpen(HWND dialog);

    void Note(const std::string& key, const std::string& value) { notes[key] = value; }
    void Note(const std::string& key, bool value) { notes[key] = value ? "yes" : "no"; }
    void Note(const std::string& key, long value) { notes[key] = std::to_string(value); }

    // What the person saw, by key; "missing" for a key never noted.
    std::string Saw(const std::string& key) const;

    std::map<std::string, std::string> notes;

private:
    [[noreturn]] void GiveUp(const std::string& what);

    DWORD promptThread_;
};

// Runs answer on a second thread for as long as this object lives; the destructor waits for
// it, so the notes are complete once the scope that asked the question has ended.
class Answering {
public:
    Answering(Person& person, std::function<void(Person&)> answer);
    ~Answering();
    Answering(const Answering&) = delete;
    Answering& operator=(const Answering&) = delete;

private:
    std::thread thread_;
};

} // namespace robot
