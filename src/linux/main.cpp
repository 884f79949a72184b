#include "linux/ExportSummary.h"
#include "linux/Exporter.h"
#include "linux/Options.h"
#include "linux/ProgressLine.h"
#include "linux/RunSettings.h"
#include "linux/SdlHost.h"
#include "linux/SignalWatch.h"
#include "linux/editor/RunEditor.h"
#include "settings/FileRegStore.h"
#include "settings/Settings.h"
#include "support/Random.h"
#include "support/Trace.h"

#include <SDL.h>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
// The display libraries keep some allocations until exit on purpose.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libSDL2\nleak:libX11\nleak:libdbus\nleak:libxcb\nleak:libGLX\n"
           "leak:libLLVM\nleak:libgallium\nleak:dri\n"
           // The editor's: fonts are looked up on threads of their own.
           "leak:libfontconfig\nleak:libpango\nleak:libgtk-4\nleak:libglib-2.0\n";
}
#endif

namespace {

std::atomic<bool> g_bCancel{false};

void OnSignal(int) {
    g_bCancel = true;
}

int Export(const Options& options, Settings& settings) {
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);

    // Redrawn in place a few times a second, only when standard error is a terminal: scripts and
    // logs get the one line at the end.
    const auto started = std::chrono::steady_clock::now();
    auto lastShown = started - std::chrono::seconds(1);
    bool lineOpen = false;
    auto showProgress = [&](int done, int total) {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastShown < std::chrono::milliseconds(200) && done != total)
            return;
        lastShown = now;
        const double elapsed = std::chrono::duration<double>(now - started).count();
        std::fprintf(stderr, "\r%s\033[K", ProgressLine(done, total, elapsed).c_str());
        lineOpen = done != total;
        if (!lineOpen)
            std::fputc('\n', stderr);
        std::fflush(stderr);
    };
    Exporter exporter(options, settings);
    int status = exporter.Run(&g_bCancel, isatty(STDERR_FILENO) ? Exporter::Progress(showProgress)
                                                                : Exporter::Progress());
    if (status == 1)
        std::fprintf(stderr, "%slumenkite: %s\n", lineOpen ? "\n" : "", exporter.Error().c_str());
    else if (status == 130)
        std::fprintf(stderr, "\nlumenkite: interrupted; nothing written\n");
    else
        std::fprintf(stderr, "lumenkite: %s\n",
                     ExportSummary(options.output, exporter.FramesRendered(), options.width,
                                   options.height, exporter.Seconds())
                         .c_str());
    return status;
}

// The first signal quits like closing the window would, so the render worker is stopped before
// the process ends; until SDL's events are up nothing is running that needs stopping.
int Show(const Options& options, Settings& settings) {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Behind the software renderer SDL would put a GL surface, and Mesa's, when its window has
    // been destroyed under it, fails to read the window's size and then works from garbage for
    // seconds. Plain X images just fail.
    if (options.mode == Mode::WindowId || options.mode == Mode::Root)
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    WatchTerminationSignals(
        [](int signal) {
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            if (SDL_PushEvent(&quit) != 1)
                _exit(128 + signal);
        },
        std::chrono::milliseconds(750));
    int status = RunSdlHost(options, settings);
    OrderlyEndReached();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    ParseResult parsed = ParseOptions(args, std::getenv("XSCREENSAVER_WINDOW"));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "lumenkite: %s\n%s\n", parsed.error.c_str(), UsageHint);
        return parsed.ExitStatus();
    }
    const Options& options = parsed.options;
    if (options.mode == Mode::Help) {
        std::fputs(UsageText(), stdout);
        return 0;
    }
    if (options.mode == Mode::Version) {
        std::puts("lumenkite " LUMENKITE_VERSION);
        return 0;
    }

    Trace(TraceInfo, "*******************  Program started  *****************");
    // The editor loads and saves the file itself.
    if (options.mode == Mode::Config) {
#if defined(__SANITIZE_ADDRESS__)
        // GTK loads modules and unloads them again; what they keep until exit has no library
        // name left to suppress by, so this thread's allocations are not checked for leaks.
        __lsan_disable();
#endif
        return RunEditor(options.settingsPath, options.screenshotDir);
    }
    FileRegStore store(options.settingsPath.empty() ? FileRegStore::DefaultPath()
                                                    : options.settingsPath);
    Settings settings(store);
    std::string error;
    if (!ApplyOverrides(options, settings, error)) {
        std::fprintf(stderr, "lumenkite: %s\n%s\n", error.c_str(), UsageHint);
        return 2;
    }
    SetFixedSeed(options.seed);

    int status = 0;
    switch (options.mode) {
    case Mode::List:
        ListSettings(settings, stdout);
        break;
    case Mode::Gif:
    case Mode::Png:
    case Mode::Video:
        status = Export(options, settings);
        break;
    default:
        status = Show(options, settings);
        break;
    }
    Trace(TraceInfo, "---------------- Program exited ------------------");
    return status;
}
