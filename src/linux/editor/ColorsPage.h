#pragma once

#include "linux/editor/ColorPickerArea.h"
#include "linux/editor/EditorContext.h"
#include "linux/editor/StopEditorArea.h"

#include <gtk/gtk.h>

#include <memory>

class Colormap;

// "Colors": the preset's colormap chosen from the library, the library's New, Duplicate, Rename
// and Delete, and the strip, stop editor, colour box and picker that edit it stop by stop.
class ColorsPage {
public:
    // What changed, as the controls report it.
    enum Change { ColorPicked, PresetShown, StopSelected, StopDragged, ColormapChosen };

    ColorsPage(EditorContext context, std::function<GtkWindow*()> window);
    ~ColorsPage();
    ColorsPage(const ColorsPage&) = delete;
    ColorsPage& operator=(const ColorsPage&) = delete;

    GtkWidget* Widget() const { return m_pRoot; }
    // After a preset was selected or created.
    void Refresh();

    GtkDropDown* Choice() const { return GTK_DROP_DOWN(m_pChoice); }
    GtkButton* NewButton() const { return GTK_BUTTON(m_pNew); }
    GtkButton* DuplicateButton() const { return GTK_BUTTON(m_pDuplicate); }
    GtkButton* RenameButton() const { return GTK_BUTTON(m_pRename); }
    GtkButton* DeleteButton() const { return GTK_BUTTON(m_pDelete); }
    GtkButton* RgbButton() const { return GTK_BUTTON(m_pRgb); }
    GtkButton* HsvButton() const { return GTK_BUTTON(m_pHsv); }
    StopEditorArea& Editor() { return m_editor; }
    ColorPickerArea& Picker() { return m_picker; }
    const Colormap* Shown() const { return m_pShown; }

private:
    void Update(Change change, uint32_t value = 0);
    void FillChoice();
    void Select(int index);
    void OnColormapChosen();
    void OnNewColormap(std::unique_ptr<Colormap> colormap, const char* title);
    void OnRename();
    void OnDelete();
    void UpdateButtons();

    EditorContext m_context;
    std::function<GtkWindow*()> m_window;
    StopEditorArea m_editor;
    ColorPickerArea m_picker;
    Colormap* m_pShown = nullptr;
    // A colormap being named before it joins the library.
    std::unique_ptr<Colormap> m_pPending;
    bool m_bFilling = false;
    GtkWidget* m_pRoot;
    GtkWidget* m_pChoice;
    GtkWidget* m_pNew;
    GtkWidget* m_pDuplicate;
    GtkWidget* m_pRename;
    GtkWidget* m_pDelete;
    GtkWidget* m_pStrip;
    GtkWidget* m_pColorBox;
    GtkWidget* m_pRgb;
    GtkWidget* m_pHsv;
    uint32_t m_nBoxColor = 0;
};
