#pragma once

#include "framework/Dialog.h"
#include "ui/ColormapStrip.h"

class Colormap;
class StripCache;

// Asks before a colormap is deleted, showing its name and strip. OK is "Delete".
class ColormapDeleteDialog : public Dialog {
public:
    ColormapDeleteDialog(HWND owner, const Colormap& colormap, const StripCache& strips);

protected:
    bool OnInitDialog() override;

private:
    const Colormap& m_colormap;
    ColormapStrip m_strip;
};
