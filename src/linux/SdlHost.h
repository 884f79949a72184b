#pragma once

struct Options;
class Settings;

// The window modes: the plain window, the full-screen saver and drawing into a foreign X11
// window. Returns the exit status; prints its own messages.
int RunSdlHost(const Options& options, Settings& settings);
