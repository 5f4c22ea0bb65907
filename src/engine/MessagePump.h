#pragma once

// Dispatches every message waiting in this thread's queue and returns when it is empty; never
// blocks. Long work calls it between its steps so that windows repaint and buttons are seen.
// A WM_QUIT found in the queue is left for the main message loop, which ends on it.
void PumpMessages();
