#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <string>

class Colormap;

// Asks for a colormap's name over parent, showing its strip. The confirm button stays greyed
// while ColormapNameProblem objects to the name, and says why. On confirmation the colormap is
// renamed and done(true) runs; on cancel done(false). Returns the dialog's window.
GtkWindow* AskColormapName(GtkWindow* parent, Colormap& colormap, const std::string& title,
                           const char* confirmLabel, std::function<void(bool)> done);
