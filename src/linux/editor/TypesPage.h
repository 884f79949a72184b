#pragma once

#include "linux/editor/EditorContext.h"
#include "settings/WormTypes.h"

#include <gtk/gtk.h>

// "Types": the fifteen behaviours, each on, off or kept to exactly one worm. A click on a row
// moves it to its next state; "All on" and "None" set every row.
class TypesPage {
public:
    explicit TypesPage(EditorContext context);

    GtkWidget* Widget() const { return m_pRoot; }
    void Refresh();

    GtkButton* Row(int type) const { return GTK_BUTTON(m_apRows[type]); }
    GtkButton* AllButton() const { return GTK_BUTTON(m_pAll); }
    GtkButton* NoneButton() const { return GTK_BUTTON(m_pNone); }
    // The state a row shows, which may differ from the preset's only in a fault.
    int ShownState(int type) const { return m_anShown[type]; }

private:
    void SetAll(int state);
    void Show(int type, int state);

    EditorContext m_context;
    GtkWidget* m_pRoot;
    GtkWidget* m_apRows[WormTypeCount] = {};
    GtkWidget* m_apIcons[WormTypeCount] = {};
    int m_anShown[WormTypeCount] = {};
    GtkWidget* m_pAll;
    GtkWidget* m_pNone;
};
