#pragma once

#include "support/Rect.h"

#include <cairo.h>

enum class Bevel { Raised, Sunken };

// A two-pixel edge just inside r, light above and left for a raised one, the other way round for
// a sunken one: the look of the stop boxes, the groove and the picker's thumbs.
void PaintBevel(cairo_t* cr, const Rect& r, Bevel bevel);
