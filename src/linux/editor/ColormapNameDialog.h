#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <string>

class Colormap;
class ColorsEditor;

// Asks for a colormap's name over parent, showing its strip. The confirm button stays greyed
// while ColormapNameProblem objects to the name, and says why. On confirmation the colours
// editor renames the colormap and done(true) runs; on cancel done(false). Returns the dialog's
// window.
GtkWindow* AskColormapName(GtkWindow* parent, ColorsEditor& colors, Colormap& colormap,
                           const std::string& title, const char* confirmLabel,
                           std::function<void(bool)> done);
