#include "EditorHarness.h"

#include "support/Trace.h"

#include <mutex>
#include <string>

// The preview's render sleeps while its window is hidden and draws again once it is shown.
TEST_F(EditorTest, PreviewDrawsOnlyWhileItsWindowIsShown) {
    Open();
    Preview& preview = Editor().GetPreview();
    ASSERT_TRUE(RunUntil([&] { return preview.FramesShown() > 0; }));
    std::mutex mutex;
    std::string trace;
    TraceSink previous = SetTraceSink([&](int, const std::string& line) {
        std::lock_guard lock(mutex);
        trace += line + "\n";
    });
    auto traced = [&](const char* text) {
        std::lock_guard lock(mutex);
        return trace.find(text) != std::string::npos;
    };
    GtkWidget* window = GTK_WIDGET(Editor().Window());
    gtk_widget_set_visible(window, FALSE);
    EXPECT_TRUE(RunUntil([&] { return traced("RenderThread: Hidden"); }));
    EXPECT_FALSE(traced("RenderThread: Shown"));
    gtk_widget_set_visible(window, TRUE);
    const int hidden = preview.FramesShown();
    EXPECT_TRUE(RunUntil([&] { return traced("RenderThread: Shown"); }));
    EXPECT_TRUE(RunUntil([&] { return preview.FramesShown() > hidden; }));
    SetTraceSink(previous);
}
