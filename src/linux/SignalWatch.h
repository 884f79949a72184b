#pragma once

#include <chrono>
#include <functional>

// Takes SIGINT, SIGTERM and SIGHUP on a thread of its own instead of in whichever thread the
// kernel picks, where a handler could only set a flag for a loop that may be stuck in X. The
// first signal calls `quit` with its number on that thread to ask for an orderly end; a second
// signal, or the orderly end not reached within `grace` of the first, ends the process at once
// with 128 + the signal number.
//
// Call it before any other thread starts: the signals are blocked in the calling thread and so
// in every thread created after it. The watching thread lasts until the process ends.
void WatchTerminationSignals(std::function<void(int)> quit, std::chrono::milliseconds grace);

// The program's own end is done (the worker stopped, the window let go). From now on only a
// second signal cuts the exit short, so a slow teardown after it, such as a sanitizer's leak
// check, is not taken for a stuck end.
void OrderlyEndReached();
