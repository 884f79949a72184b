// The editor's tests drive real GTK widgets in this process, on a private Xvfb started here, with
// GTK's cairo renderer, so that no display or GL is needed.
#include "EditorHarness.h"
#include "Process.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <csignal>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

std::string g_strNoDisplay;

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();

    std::unique_ptr<Child> server;
    if (access("/usr/bin/Xvfb", X_OK) != 0) {
        g_strNoDisplay = "Xvfb is not installed (scripts/install-deps installs it)";
    } else {
        XServer xvfb = StartXvfb("1280x1024x24");
        server = std::move(xvfb.process);
        setenv("DISPLAY", xvfb.display.c_str(), 1);
        unsetenv("WAYLAND_DISPLAY");
        setenv("GDK_BACKEND", "x11", 1);
        setenv("GSK_RENDERER", "cairo", 1);
        // No settings portal or accessibility bus on the private display.
        setenv("GTK_A11Y", "none", 1);
        setenv("GSETTINGS_BACKEND", "memory", 1);
        if (xvfb.display.empty() || !gtk_init_check())
            g_strNoDisplay = "no Xvfb came up";
    }
    const int status = RUN_ALL_TESTS();
    if (server) {
        server->Signal(SIGTERM);
        server->Wait(5000);
    }
    return status;
}
