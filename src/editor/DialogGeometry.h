#pragma once

#include "support/Rect.h"

struct Point {
    int x;
    int y;
};

// Where an owner-drawn button draws its icon and its label.
struct IconButtonLayout {
    int iconX;
    int textX;
};

// Whether p lies in r, its right and bottom edges excluded.
bool RectContains(const Rect& r, Point p);

// A length designed at 96 DPI at `dpi`, rounded to the nearest pixel, halves away from zero.
int ScaleForDpi(int pixels96, int dpi);

// Centres the label of width textWidth and an icon of width iconSpace in the button rectangle,
// the icon on the chosen side of the label.
IconButtonLayout LayOutIconButton(const Rect& r, int textWidth, bool iconRight, int iconSpace);

// The client area of a window that draws its own title band below a frame.
Rect TitleBandClientRect(const Rect& window, int frameW, int frameH, int bandH);

// Top-left corner of a panel opened beside the dialog: left of it, bottoms aligned.
Point PanelOrigin(const Rect& dialog, int panelW, int panelH);

// The window with its top edge moved down by d (up for a negative d).
Rect ShrinkFromTop(const Rect& window, int d);
