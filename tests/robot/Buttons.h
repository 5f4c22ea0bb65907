#pragma once

#include <windows.h>

namespace robot {

// Presses a push button of dialog without waiting for the press to be handled: a question
// that the press opens must not block the one who has to answer it. False when dialog has
// no such button.
bool Press(HWND dialog, int id);

// Clicks a radio button or check box and returns once the dialog has taken the click (the
// click is sent). False when dialog has no such button.
bool Click(HWND dialog, int id);

// Whether a check box or radio button of dialog is checked.
bool IsChecked(HWND dialog, int id);

} // namespace robot
