#pragma once

#include <gtk/gtk.h>

#include <string>

// Draws the window (or popover) as it shows now, in device pixels, into a PNG file.
// False, with a reason, when it could not.
bool SaveWindowPng(GtkWidget* window, const std::string& path, std::string& error);
