#pragma once

#include "engine/RenderThread.h"
#include "saver/Monitor.h"
#include "saver/MonitorImage.h"

#include <memory>
#include <vector>

// The images of the monitors the saver animates, kept across display changes: a monitor whose
// device and size stay keeps its image, and with it its engine, wherever it moves.
class MonitorSet {
public:
    // The views of `monitors` in a window covering `screen` whose context is `window`. Images of
    // monitors no longer listed are held until FreeLeftOut, as the render may still be drawing
    // them; a monitor whose image cannot be made gets no view.
    std::vector<RenderView> Follow(const std::vector<Monitor>& monitors, const Rect& screen,
                                   HDC window);
    // Frees what the last Follow left out, once the render no longer has it.
    void FreeLeftOut();
    void Clear();

    size_t Count() const { return m_aShown.size(); }
    const MonitorImage& Image(size_t i) const { return *m_aShown[i].image; }

private:
    struct Shown {
        Monitor monitor;
        std::unique_ptr<MonitorImage> image;
    };

    std::vector<Shown> m_aShown;
    std::vector<Shown> m_aLeftOut;
};
