#include "linux/editor/RunEditor.h"

#include "linux/editor/EditorWindow.h"
#include "linux/editor/Question.h"
#include "linux/editor/Screenshot.h"
#include "settings/FileRegStore.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <utility>

namespace {

// Runs the main loop until done() holds or the time (in microseconds) passes.
template <typename Done> void RunUntil(Done done, gint64 timeout) {
    const gint64 end = g_get_monotonic_time() + timeout;
    while (!done() && g_get_monotonic_time() < end)
        if (!g_main_context_iteration(nullptr, FALSE))
            g_usleep(2000);
}

// Lets the preview draw a little more, then saves the window as it shows.
bool Shoot(EditorWindow& editor, GtkWidget* window, const std::string& path) {
    const int seen = editor.GetPreview().FramesShown();
    RunUntil([&] { return editor.GetPreview().FramesShown() >= seen + 20; }, 5'000'000);
    std::string error;
    if (!SaveWindowPng(window, path, error)) {
        std::fprintf(stderr, "lumenkite: screenshot %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

// A shown window over the editor's: the question it asks.
GtkWindow* TopQuestion(EditorWindow& editor) {
    GListModel* windows = gtk_window_get_toplevels();
    for (guint i = 0; i < g_list_model_get_n_items(windows); ++i) {
        auto* window = GTK_WINDOW(g_list_model_get_item(windows, i));
        g_object_unref(window);
        if (gtk_window_get_transient_for(window) == editor.Window() &&
            gtk_widget_get_visible(GTK_WIDGET(window)))
            return window;
    }
    return nullptr;
}

GtkWidget* FirstPopover(GtkWidget* root) {
    if (GTK_IS_POPOVER(root))
        return root;
    for (GtkWidget* child = gtk_widget_get_first_child(root); child;
         child = gtk_widget_get_next_sibling(child))
        if (GtkWidget* found = FirstPopover(child))
            return found;
    return nullptr;
}

int TakeScreenshots(EditorWindow& editor, const std::string& folder) {
    // The preview needs a moment to fill with worms before the first picture.
    RunUntil([&] { return editor.GetPreview().FramesShown() >= 60; }, 15'000'000);
    const char* const names[] = {"simple", "types", "colors", "advanced"};
    bool ok = true;
    for (int page = 0; page < 4; ++page) {
        gtk_notebook_set_current_page(editor.Pages(), page);
        ok = Shoot(editor, GTK_WIDGET(editor.Window()),
                   folder + "/config-" + names[page] + ".png") &&
             ok;
    }
    // The colormap list, open: its rows show each colormap's strip.
    gtk_notebook_set_current_page(editor.Pages(), 2);
    if (GtkWidget* list = FirstPopover(GTK_WIDGET(editor.Colors().Choice()))) {
        gtk_popover_popup(GTK_POPOVER(list));
        RunUntil([&] { return gtk_widget_get_mapped(list) && gtk_widget_get_width(list) > 0; },
                 5'000'000);
        ok = Shoot(editor, list, folder + "/config-colormap-list.png") && ok;
        gtk_popover_popdown(GTK_POPOVER(list));
    }
    // The two questions a user meets most, each answered "Cancel" again.
    const std::pair<GtkButton*, const char*> questions[] = {
        {editor.Colors().NewButton(), "colormap-name"},
        {editor.DeleteButton(), "delete-preset"},
    };
    for (const auto& [button, name] : questions) {
        g_signal_emit_by_name(button, "clicked");
        GtkWindow* question = nullptr;
        RunUntil([&] { return (question = TopQuestion(editor)) != nullptr; }, 5'000'000);
        if (!question)
            continue;
        RunUntil([&] { return gtk_widget_get_mapped(GTK_WIDGET(question)); }, 5'000'000);
        ok = Shoot(editor, GTK_WIDGET(question), folder + "/config-" + name + ".png") && ok;
        if (GtkButton* cancel = FindButton(GTK_WIDGET(question), "_Cancel"))
            g_signal_emit_by_name(cancel, "clicked");
    }
    gtk_notebook_set_current_page(editor.Pages(), 0);
    editor.GetPreview().EnterFullScreen(editor.Window());
    // The full-screen window draws once it has its size.
    const int before = editor.GetPreview().FramesShown();
    RunUntil([&] { return editor.GetPreview().FramesShown() >= before + 40; }, 15'000'000);
    if (GtkWindow* full = editor.GetPreview().FullScreenWindow())
        ok = Shoot(editor, GTK_WIDGET(full), folder + "/config-fullscreen.png") && ok;
    editor.GetPreview().LeaveFullScreen();
    return ok ? 0 : 1;
}

} // namespace

int RunEditor(const std::string& settingsPath, const std::string& screenshotDir) {
    if (!gtk_init_check()) {
        std::fprintf(stderr, "lumenkite: --config needs a display (none could be opened)\n");
        return 1;
    }
    FileRegStore store(settingsPath.empty() ? FileRegStore::DefaultPath() : settingsPath);
    bool closed = false;
    EditorWindow editor(store, [&closed] { closed = true; });
    gtk_window_present(editor.Window());
    if (!screenshotDir.empty())
        return TakeScreenshots(editor, screenshotDir);
    while (!closed)
        g_main_context_iteration(nullptr, TRUE);
    return 0;
}
