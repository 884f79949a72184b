#include "EditorHarness.h"

#include "linux/editor/Question.h"

#include <cstring>

bool RunUntil(const std::function<bool()>& done) {
    const gint64 end = g_get_monotonic_time() + 2'000'000;
    while (!done() && g_get_monotonic_time() < end)
        if (!g_main_context_iteration(nullptr, FALSE))
            g_usleep(1000);
    return done();
}

void Settle() {
    const gint64 end = g_get_monotonic_time() + 50'000;
    while (g_get_monotonic_time() < end)
        if (!g_main_context_iteration(nullptr, FALSE))
            g_usleep(1000);
}

GtkWindow* FindWindow(const char* title) {
    GListModel* windows = gtk_window_get_toplevels();
    for (guint i = 0; i < g_list_model_get_n_items(windows); ++i) {
        auto* window = GTK_WINDOW(g_list_model_get_item(windows, i));
        g_object_unref(window);
        const char* own = gtk_window_get_title(window);
        if (own && std::strcmp(own, title) == 0 && gtk_widget_get_visible(GTK_WIDGET(window)))
            return window;
    }
    return nullptr;
}

void Click(GtkButton* button) {
    ASSERT_NE(button, nullptr);
    // Activation would emit "clicked" only after showing the button pressed for a while.
    if (gtk_widget_is_sensitive(GTK_WIDGET(button)))
        g_signal_emit_by_name(button, "clicked");
    Settle();
}

void Click(GtkWidget* root, const char* label) {
    GtkButton* button = FindButton(root, label);
    ASSERT_NE(button, nullptr) << "no button " << label;
    Click(button);
}

GObject* ControllerOf(GtkWidget* widget, GType type) {
    GListModel* controllers = gtk_widget_observe_controllers(widget);
    GObject* found = nullptr;
    for (guint i = 0; i < g_list_model_get_n_items(controllers) && !found; ++i) {
        auto* controller = G_OBJECT(g_list_model_get_item(controllers, i));
        if (G_TYPE_CHECK_INSTANCE_TYPE(controller, type))
            found = controller;
        g_object_unref(controller);
    }
    g_object_unref(controllers);
    return found;
}

GtkWidget* FindWidgetOfType(GtkWidget* root, GType type) {
    if (G_TYPE_CHECK_INSTANCE_TYPE(root, type))
        return root;
    for (GtkWidget* child = gtk_widget_get_first_child(root); child;
         child = gtk_widget_get_next_sibling(child))
        if (GtkWidget* found = FindWidgetOfType(child, type))
            return found;
    return nullptr;
}

void EditorTest::SetUp() {
    if (!g_strNoDisplay.empty())
        GTEST_SKIP() << g_strNoDisplay;
}

void EditorTest::TearDown() {
    m_pEditor.reset();
    Settle();
}

void EditorTest::Open() {
    m_pEditor.reset();
    m_pStore = std::make_unique<FileRegStore>(Path());
    m_pEditor = std::make_unique<EditorWindow>(*m_pStore, [this] { m_bClosed = true; });
    gtk_window_present(m_pEditor->Window());
    // The stop editor and the picker take their geometry from their first size.
    ASSERT_TRUE(RunUntil([this] {
        gtk_notebook_set_current_page(m_pEditor->Pages(), 2);
        return gtk_widget_get_width(m_pEditor->Colors().Editor().Widget()) > 0 &&
               gtk_widget_get_width(m_pEditor->Colors().Picker().Widget()) > 0;
    }));
    gtk_notebook_set_current_page(m_pEditor->Pages(), 0);
    Settle();
}

void EditorTest::Answer(const char* title, const char* button) {
    GtkWindow* window = nullptr;
    ASSERT_TRUE(RunUntil([&] { return (window = FindWindow(title)) != nullptr; }))
        << "no window \"" << title << "\"";
    Click(GTK_WIDGET(window), button);
}
