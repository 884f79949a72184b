#include "linux/editor/Question.h"

#include "linux/editor/Signal.h"

#include <cstring>
#include <memory>

namespace {

struct Pending {
    GtkWindow* window;
    std::function<void(int)> done;
    bool answered = false;
};

// By value: the button or window whose handler calls this may let go of its copy.
void Answered(std::shared_ptr<Pending> pending, int response) {
    if (pending->answered)
        return;
    pending->answered = true;
    // The window goes first, so done may open the next question over the parent.
    gtk_window_destroy(pending->window);
    pending->done(response);
}

} // namespace

GtkWindow* AskQuestion(GtkWindow* parent, const std::string& title, const std::string& text,
                       GtkWidget* extra, const std::vector<Answer>& answers, int cancelResponse,
                       std::function<void(int)> done) {
    GtkWindow* window = GTK_WINDOW(gtk_window_new());
    gtk_window_set_title(window, title.c_str());
    gtk_window_set_transient_for(window, parent);
    gtk_window_set_modal(window, TRUE);
    gtk_window_set_resizable(window, FALSE);
    gtk_window_set_destroy_with_parent(window, TRUE);
    auto pending = std::make_shared<Pending>(Pending{window, std::move(done)});

    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 12);
    gtk_widget_set_margin_start(box, 18);
    gtk_widget_set_margin_end(box, 18);
    gtk_widget_set_margin_top(box, 18);
    gtk_widget_set_margin_bottom(box, 12);
    GtkWidget* label = gtk_label_new(text.c_str());
    gtk_label_set_wrap(GTK_LABEL(label), TRUE);
    gtk_label_set_max_width_chars(GTK_LABEL(label), 50);
    gtk_box_append(GTK_BOX(box), label);
    if (extra)
        gtk_box_append(GTK_BOX(box), extra);

    GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
    gtk_widget_set_halign(row, GTK_ALIGN_END);
    for (const Answer& answer : answers) {
        GtkWidget* button = gtk_button_new_with_mnemonic(answer.label);
        gtk_box_append(GTK_BOX(row), button);
        const int response = answer.response;
        Connect(button, "clicked", [pending, response] { Answered(pending, response); });
        if (&answer == &answers.front()) {
            gtk_window_set_default_widget(window, button);
            gtk_widget_add_css_class(button, "suggested-action");
        }
    }
    gtk_box_append(GTK_BOX(box), row);
    gtk_window_set_child(window, box);

    GtkEventController* keys = gtk_event_controller_key_new();
    Connect<gboolean, guint, guint, GdkModifierType>(
        keys, "key-pressed",
        [pending, cancelResponse](guint key, guint, GdkModifierType) -> gboolean {
            if (key != GDK_KEY_Escape)
                return FALSE;
            Answered(pending, cancelResponse);
            return TRUE;
        });
    gtk_widget_add_controller(GTK_WIDGET(window), keys);
    Connect<gboolean>(window, "close-request", [pending, cancelResponse]() -> gboolean {
        Answered(pending, cancelResponse);
        return TRUE;
    });
    gtk_window_present(window);
    if (GtkWidget* first = gtk_window_get_default_widget(window))
        gtk_widget_grab_focus(first);
    return window;
}

GtkButton* FindButton(GtkWidget* root, const char* label) {
    if (GTK_IS_BUTTON(root)) {
        const char* own = gtk_button_get_label(GTK_BUTTON(root));
        if (own && std::strcmp(own, label) == 0)
            return GTK_BUTTON(root);
    }
    for (GtkWidget* child = gtk_widget_get_first_child(root); child;
         child = gtk_widget_get_next_sibling(child))
        if (GtkButton* found = FindButton(child, label))
            return found;
    return nullptr;
}
