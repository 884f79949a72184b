#pragma once

#include "linux/editor/EditorContext.h"

#include <gtk/gtk.h>

#include <string>

// "Advanced": the cycle delay and its spread, the share of the processor with the frame rate it
// gives now, and the two speed switches and whether the saver draws on every monitor. The delays
// are read when the settings are saved.
class AdvancedPage {
public:
    explicit AdvancedPage(EditorContext context);

    GtkWidget* Widget() const { return m_pRoot; }
    void ShowFrameRate(int frames);
    std::string DelayText() const;
    std::string RangeText() const;

    GtkRange* CpuSlider() const { return GTK_RANGE(m_pCpu); }
    GtkEditable* DelayEntry() const { return GTK_EDITABLE(m_pDelay); }
    GtkCheckButton* DoublePixels() const { return GTK_CHECK_BUTTON(m_pDouble); }
    GtkCheckButton* AllMonitors() const { return GTK_CHECK_BUTTON(m_pAllMonitors); }

private:
    void ShowSpeed();

    EditorContext m_context;
    GtkWidget* m_pRoot;
    GtkWidget* m_pDelay;
    GtkWidget* m_pRange;
    GtkWidget* m_pCpu;
    GtkWidget* m_pCpuValue;
    GtkWidget* m_pFps;
    GtkWidget* m_pFast;
    GtkWidget* m_pDouble;
    GtkWidget* m_pAllMonitors;
};
