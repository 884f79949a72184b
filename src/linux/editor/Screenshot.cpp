#include "linux/editor/Screenshot.h"

bool SaveWindowPng(GtkWidget* widget, const std::string& path, std::string& error) {
    const int width = gtk_widget_get_width(widget);
    const int height = gtk_widget_get_height(widget);
    if (width <= 0 || height <= 0 || !gtk_widget_get_mapped(widget)) {
        error = "the window is not shown";
        return false;
    }
    GdkPaintable* paintable = gtk_widget_paintable_new(widget);
    GtkSnapshot* snapshot = gtk_snapshot_new();
    gdk_paintable_snapshot(paintable, snapshot, width, height);
    GskRenderNode* node = gtk_snapshot_free_to_node(snapshot);
    g_object_unref(paintable);
    if (!node) {
        error = "the window drew nothing";
        return false;
    }
    // In device pixels, as the screen shows it on a scaled display.
    const int scale = gtk_widget_get_scale_factor(widget);
    cairo_surface_t* image =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * scale, height * scale);
    cairo_t* cr = cairo_create(image);
    cairo_scale(cr, scale, scale);
    gsk_render_node_draw(node, cr);
    cairo_destroy(cr);
    gsk_render_node_unref(node);
    const cairo_status_t status = cairo_surface_write_to_png(image, path.c_str());
    cairo_surface_destroy(image);
    if (status != CAIRO_STATUS_SUCCESS)
        error = std::string("cannot write it: ") + cairo_status_to_string(status);
    return status == CAIRO_STATUS_SUCCESS;
}
