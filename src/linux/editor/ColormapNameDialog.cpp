#include "linux/editor/ColormapNameDialog.h"

#include "editor/ColormapEdits.h"
#include "editor/ColorsEditor.h"
#include "editor/ColorsTexts.h"
#include "linux/editor/ColormapStripArea.h"
#include "linux/editor/Question.h"
#include "linux/editor/Signal.h"
#include "settings/Colormap.h"

#include <memory>

namespace {

enum { Confirmed = 1, Cancelled = 0 };

} // namespace

GtkWindow* AskColormapName(GtkWindow* parent, ColorsEditor& colors, Colormap& colormap,
                           const std::string& title, const char* confirmLabel,
                           std::function<void(bool)> done) {
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
    GtkWidget* entry = gtk_entry_new();
    gtk_editable_set_text(GTK_EDITABLE(entry), colormap.m_strName.c_str());
    gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
    gtk_editable_set_width_chars(GTK_EDITABLE(entry), 32);
    GtkWidget* problem = gtk_label_new("");
    gtk_label_set_xalign(GTK_LABEL(problem), 0.0f);
    gtk_widget_add_css_class(problem, "error");
    gtk_box_append(GTK_BOX(box), entry);
    gtk_box_append(GTK_BOX(box), problem);
    gtk_box_append(GTK_BOX(box), NewColormapStrip([&colormap] { return &colormap; }, 24));

    // The entry goes with the window before done runs: its text is kept here as it changes.
    auto name = std::make_shared<std::string>(colormap.m_strName);
    GtkWindow* window = AskQuestion(
        parent, title, ColormapNamePrompt, box, {{confirmLabel, Confirmed}, {"_Cancel", Cancelled}},
        Cancelled, [&colors, &colormap, name, done = std::move(done)](int response) {
            done(response == Confirmed && colors.RenameColormap(colormap, *name));
        });
    GtkButton* confirm = FindButton(GTK_WIDGET(window), confirmLabel);
    auto check = [entry, problem, confirm, name] {
        *name = gtk_editable_get_text(GTK_EDITABLE(entry));
        const char* why = ColormapNameProblem(*name);
        gtk_widget_set_sensitive(GTK_WIDGET(confirm), why == nullptr);
        gtk_label_set_text(GTK_LABEL(problem), why ? why : "");
        gtk_widget_set_visible(problem, why != nullptr);
    };
    Connect(entry, "changed", check);
    check();
    // Ready to be typed over.
    gtk_widget_grab_focus(entry);
    gtk_editable_select_region(GTK_EDITABLE(entry), 0, -1);
    return window;
}
