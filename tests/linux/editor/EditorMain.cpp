// The editor's tests drive real GTK widgets in this process, on a private Xvfb started here, with
// GTK's cairo renderer, so that no display or GL is needed.
#include "EditorHarness.h"
#include "Process.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace {

std::string ReadLine(int fd, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::string line;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd readable{fd, POLLIN, 0};
        char c = 0;
        if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) <= 0 ||
            read(fd, &c, 1) != 1 || c == '\n')
            return line;
        line += c;
    }
}

} // namespace

std::string g_strNoDisplay;

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();

    std::unique_ptr<Child> server;
    if (access("/usr/bin/Xvfb", X_OK) != 0) {
        g_strNoDisplay = "Xvfb is not installed (scripts/install-deps installs it)";
    } else {
        int ready[2];
        if (pipe(ready) != 0)
            return 1;
        server = std::make_unique<Child>(
            std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0",
                                     "1280x1024x24", "-nolisten", "tcp"});
        close(ready[1]);
        const std::string number = ReadLine(ready[0], std::chrono::milliseconds(20000));
        close(ready[0]);
        setenv("DISPLAY", (":" + number).c_str(), 1);
        unsetenv("WAYLAND_DISPLAY");
        setenv("GDK_BACKEND", "x11", 1);
        setenv("GSK_RENDERER", "cairo", 1);
        // No settings portal or accessibility bus on the private display.
        setenv("GTK_A11Y", "none", 1);
        setenv("GSETTINGS_BACKEND", "memory", 1);
        if (number.empty() || !gtk_init_check())
            g_strNoDisplay = "no Xvfb came up";
    }
    const int status = RUN_ALL_TESTS();
    if (server) {
        server->Signal(SIGTERM);
        server->Wait(5000);
    }
    return status;
}
