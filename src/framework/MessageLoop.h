#pragma once

// Runs the thread's message loop until WM_QUIT, giving modeless dialogs their keyboard handling.
// Returns the quit message's code.
int RunMessageLoop();
