#pragma once

#include <gtk/gtk.h>

#include <string>

// Renders the window as it is drawn now, with the renderer it draws with, into a PNG file.
// False, with a reason, when it could not.
bool SaveWindowPng(GtkWindow* window, const std::string& path, std::string& error);
