#pragma once

#include "settings/Colormap.h"
#include "support/Rect.h"

#include <cairo.h>

// Paints a colour table as a left-to-right ramp into r, column by column as FillRampRow lays the
// palette out, so a strip here shows the same entries as on Windows.
void PaintRamp(cairo_t* cr, const PaletteEntry table[256], const Rect& r);
