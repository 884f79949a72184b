#pragma once

#include <gtk/gtk.h>

#include <functional>

class Colormap;

// A drawing area showing a colormap's colour table as a ramp, the colormap looked up at every
// draw so that it follows edits and replacements.
GtkWidget* NewColormapStrip(std::function<const Colormap*()> colormap, int height);
