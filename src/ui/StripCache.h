#pragma once

#include "ui/StripImage.h"

#include <memory>
#include <unordered_map>

class Colormap;

// The strip images of the colormaps the user interface shows, kept beside the colormaps so that
// those stay free of drawing handles. Whoever changes a colormap updates its strip.
class StripCache {
public:
    // Rebuilds the colormap's strip from its stops, making it on first use.
    void Update(const Colormap& colormap);
    // The strip as last updated; nothing for a colormap never updated.
    void Draw(const Colormap& colormap, HDC dc, int x, int y, int width, int height) const;
    // Releases the strip of a colormap about to be destroyed.
    void Forget(const Colormap& colormap);

private:
    std::unordered_map<const Colormap*, std::unique_ptr<StripImage>> m_strips;
};
