#pragma once

#include "editor/DialogGeometry.h"

#include <cstdint>

class Colormap;

// Multiply then divide with a 64-bit intermediate, rounded to the nearest integer (halves away
// from zero); -1 for a zero divisor or a result outside int, as the Windows call answers.
int MulDivRound(int number, int numerator, int denominator);

// The stop editor's rules: where each stop sits on the groove, which stop a press selects,
// dragging with re-sorting, and adding and removing stops by double click within 2..17 stops.
// Pixel figures are designed at 96 DPI and scaled to the DPI given to Layout.
class StopEditorModel {
public:
    static constexpr int MinStops = 2;
    static constexpr int MaxStops = 17;

    // Fixes the geometry for a client area of this width; the window calls it at its first
    // paint.
    void Layout(int clientWidth, int dpi = 96);

    int PosToX(int position) const;
    // Limited to 0..255.
    int XToPos(int x) const;
    // The stop's box: its hit area and its filled area.
    Rect StopRect(int stop) const;
    // The box grown by a pixel on every side, where its edge is drawn.
    Rect StopFrame(int stop) const;
    // The groove between the client's left and right edges.
    Rect GrooveRect() const;
    // The tick above a stop's box: x, from y 0 to the returned end (excluded).
    int TickBottom() const;

    // Selects every stop whose box holds p, in list order, so the last one wins where boxes
    // overlap, and starts dragging it. Returns how many boxes were hit: one notification each.
    int Press(Point p);
    // While dragging: moves the selected stop to the pointer and re-sorts, keeping the selection
    // on it. Returns whether it moved (then notify).
    bool Move(Point p);
    // Returns whether a drag ended (then release the capture and redraw).
    bool Release();
    // On a stop: removes it unless only 2 are left. Elsewhere: adds a stop with the colour the
    // gradient shows there unless 17 exist. Returns whether the stops changed (then notify).
    bool DoubleClick(Point p);

    // The keyboard's edits, each acting on the selected stop and doing nothing without one.
    bool HasSelection() const;
    // Left and Right: selects the stop beside it, staying on the first or the last.
    void SelectBeside(int step);
    // Shift with Left or Right: moves it one position, re-sorting as a drag does. Returns whether
    // it moved.
    bool NudgeSelected(int step);
    // Delete: removes it as a double click on its box would. Returns whether it was removed.
    bool RemoveSelected();
    // Insert: adds a stop half way to the next stop (or the groove's end) as a double click there
    // would, unless a box covers that point. Returns whether one was added.
    bool InsertAfterSelected();

    // The selected stop's colour as 0x00BBGGRR.
    uint32_t GetSelectedColor() const;

    Colormap* m_pColormap = nullptr;
    int m_nSelected = 0;
    bool m_bDragging = false;
    int m_nDragOffset = 0;

private:
    int Scaled(int pixels96) const;
    bool RemoveAt(int stop);
    bool AddAt(int x);
    int m_nWidth = 0;
    int m_nDpi = 96;
};
