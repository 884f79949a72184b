#pragma once

#include "editor/SettingsEditor.h"
#include "linux/editor/EditorContext.h"

#include <gtk/gtk.h>

#include <functional>
#include <utility>
#include <vector>

// "Simple settings": the preset's name, its initial and total worm counts, which push each other
// so that initial never exceeds total, the worm size and three switches.
class SimplePage {
public:
    SimplePage(EditorContext context, std::function<void()> nameChanged);

    GtkWidget* Widget() const { return m_pRoot; }
    // After a preset was selected or created.
    void Refresh();
    // Focuses the name with all of it selected, ready to be typed over.
    void SelectName();

    GtkWidget* NameEntry() const { return m_pName; }
    GtkRange* InitialSlider() const { return GTK_RANGE(m_pInitial); }
    GtkRange* TotalSlider() const { return GTK_RANGE(m_pTotal); }

private:
    void OnCountMoved(bool initialMoved);
    void ShowCounts(WormCounts counts);
    GtkWidget* AddCheck(GtkGrid* grid, const char* label, PresetFlag flag, int column, int row);

    EditorContext m_context;
    std::function<void()> m_nameChanged;
    bool m_bRefreshing = false;
    GtkWidget* m_pRoot;
    GtkWidget* m_pName;
    GtkWidget* m_pInitial;
    GtkWidget* m_pTotal;
    GtkWidget* m_pInitialValue;
    GtkWidget* m_pTotalValue;
    GtkWidget* m_pSize;
    std::vector<std::pair<GtkWidget*, PresetFlag>> m_aChecks;
};
