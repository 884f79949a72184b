#pragma once

#include <windows.h>

#include <memory>

struct CommandLine;
class LumenkiteWnd;
class Settings;

// The program: start-up picks the mode from the command line and runs it to the end.
class App {
public:
    // Runs the whole program; always false, as nothing is left to do afterwards.
    bool InitInstance(int argc, const char* const* argv);

    // The saver window, created top-most over the whole desktop and started; null when the
    // window could not be made.
    static std::unique_ptr<LumenkiteWnd> CreateSaverWindow(Settings& settings);
    // The preview child filling the parent's client area, started; null when the parent is no
    // window or the child could not be made.
    static std::unique_ptr<LumenkiteWnd> CreatePreviewWindow(Settings& settings, HWND parent);

private:
    // False when another saver is already in front and this run must end at once.
    bool RunSaver();
    void RunPreview(HWND parent);
    void RunConfig(const CommandLine& line);
};
