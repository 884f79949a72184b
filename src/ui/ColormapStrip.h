#pragma once

#include "framework/Window.h"

class Colormap;
class StripCache;

// A colormap shown as a colour strip filling the control.
class ColormapStrip : public Window {
public:
    explicit ColormapStrip(const StripCache& strips) : m_strips(strips) {}

    // Null shows nothing.
    void SetColormap(const Colormap* colormap);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    const StripCache& m_strips;
    const Colormap* m_pColormap = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
