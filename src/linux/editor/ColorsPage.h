#pragma once

#include "editor/ColorConversion.h"
#include "linux/editor/ColorPickerArea.h"
#include "linux/editor/EditorContext.h"
#include "linux/editor/StopEditorArea.h"

#include <gtk/gtk.h>

class Colormap;
class ColorsEditor;
struct ColorsUpdate;

// "Colors": the preset's colormap chosen from the library, the library's New, Duplicate, Rename
// and Delete, and the strip, stop editor, colour box and picker that edit it stop by stop. Every
// edit is a call on the colours editor; the page redraws as the editor's answer says.
class ColorsPage {
public:
    ColorsPage(EditorContext context, ColorsEditor& colors, std::function<GtkWindow*()> window);
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
    const Colormap* Shown() const;

private:
    void Show(const ColorsUpdate& update);
    // The library's names, the preset's colormap selected.
    void FillChoice();
    void Select(int row);
    void OnColormapChosen();
    void OnNewColormap(Colormap* pending, const char* title);
    void OnRename();
    void OnDelete();

    EditorContext m_context;
    ColorsEditor& m_colors;
    std::function<GtkWindow*()> m_window;
    StopEditorArea m_editor;
    ColorPickerArea m_picker;
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
    RgbColor m_boxColor;
};
