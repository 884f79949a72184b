#pragma once

#include "framework/Window.h"

// The preset list: owner drawn so its rows are exactly one line of its font high.
class PresetListBox : public Window {
public:
    void OnDrawItem(const DRAWITEMSTRUCT& item) override;
    void OnMeasureItem(MEASUREITEMSTRUCT& item) override;

protected:
    // The list was measured before it was taken over, with the system font.
    void OnSubclassed() override;
};

// The height of one line of text in a window's font.
int LineHeight(HWND hwnd);
