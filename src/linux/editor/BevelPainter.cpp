#include "linux/editor/BevelPainter.h"

namespace {

void Edge(cairo_t* cr, const Rect& r, double inset, double light, double dark) {
    const double left = r.left + inset + 0.5, top = r.top + inset + 0.5;
    const double right = r.right - inset - 0.5, bottom = r.bottom - inset - 0.5;
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgb(cr, light, light, light);
    cairo_move_to(cr, left, bottom);
    cairo_line_to(cr, left, top);
    cairo_line_to(cr, right, top);
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, dark, dark, dark);
    cairo_move_to(cr, right, top);
    cairo_line_to(cr, right, bottom);
    cairo_line_to(cr, left, bottom);
    cairo_stroke(cr);
}

} // namespace

void PaintBevel(cairo_t* cr, const Rect& r, Bevel bevel) {
    if (r.Width() < 2 || r.Height() < 2)
        return;
    if (bevel == Bevel::Raised) {
        Edge(cr, r, 0, 1.0, 0.25);
        Edge(cr, r, 1, 0.9, 0.55);
    } else {
        Edge(cr, r, 0, 0.55, 1.0);
        Edge(cr, r, 1, 0.25, 0.9);
    }
}
