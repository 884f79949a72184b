#pragma once

#include "framework/Window.h"

#include <memory>
#include <string>
#include <vector>

class Colormap;
class StripCache;

// The drop-down list of the library's colormaps, each list row drawn as its name and a small
// strip; the selection field shows the name only.
class ColormapCombo : public Window {
public:
    explicit ColormapCombo(StripCache& strips) : m_strips(strips) {}

    // Returns the new row, or the combo box's negative error.
    int AddColormap(const std::string& name, const Colormap* colormap);
    // The whole library in stored order, each strip brought up to date.
    void FillColormapCombo(const std::vector<std::unique_ptr<Colormap>>& colormaps);

    void OnDrawItem(const DRAWITEMSTRUCT& item) override;
    void OnMeasureItem(MEASUREITEMSTRUCT& item) override;

private:
    StripCache& m_strips;
    int m_nMaxTextWidth = 0;
};
