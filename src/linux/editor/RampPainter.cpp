#include "linux/editor/RampPainter.h"

#include "editor/RampRow.h"

#include <vector>

void PaintRamp(cairo_t* cr, const PaletteEntry table[256], const Rect& r) {
    const int width = r.Width();
    if (width <= 0 || r.Height() <= 0)
        return;
    // One row is enough: every row of a ramp is the same, and cairo stretches it down.
    std::vector<uint8_t> indices(static_cast<size_t>(width));
    FillRampRow(indices.data(), width);
    cairo_surface_t* row = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, 1);
    auto* pixels = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(row));
    for (int x = 0; x < width; ++x) {
        const PaletteEntry& e = table[indices[static_cast<size_t>(x)]];
        pixels[x] = uint32_t{e.red} << 16 | uint32_t{e.green} << 8 | e.blue;
    }
    cairo_surface_mark_dirty(row);
    cairo_save(cr);
    cairo_rectangle(cr, r.left, r.top, width, r.Height());
    cairo_clip(cr);
    cairo_translate(cr, r.left, r.top);
    cairo_scale(cr, 1.0, r.Height());
    cairo_set_source_surface(cr, row, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(row);
}
