#include "linux/editor/ColormapStripArea.h"

#include "linux/editor/BevelPainter.h"
#include "linux/editor/RampPainter.h"
#include "settings/Colormap.h"

namespace {

using Source = std::function<const Colormap*()>;

void Draw(GtkDrawingArea*, cairo_t* cr, int width, int height, gpointer data) {
    const Colormap* colormap = (*static_cast<Source*>(data))();
    if (!colormap)
        return;
    PaletteEntry table[256];
    colormap->FillColorTable(table);
    PaintRamp(cr, table, Rect{1, 1, width - 1, height - 1});
    PaintBevel(cr, Rect{0, 0, width, height}, Bevel::Sunken);
}

} // namespace

GtkWidget* NewColormapStrip(std::function<const Colormap*()> colormap, int height) {
    GtkWidget* area = gtk_drawing_area_new();
    gtk_drawing_area_set_content_height(GTK_DRAWING_AREA(area), height);
    gtk_widget_set_hexpand(area, TRUE);
    gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(area), Draw, new Source(std::move(colormap)),
                                   [](gpointer data) { delete static_cast<Source*>(data); });
    return area;
}
