#pragma once

#include "editor/StopEditorModel.h"
#include "framework/BackBuffer.h"
#include "framework/Window.h"

class ColorsEditor;
struct ColorsUpdate;

// The stops of the shown colormap as boxes on a groove: a press selects and drags a stop, a
// double click removes the stop under it or adds one where there is none; Left and Right select,
// with Shift they move the stop, Delete removes it and Insert adds one after it. Every edit goes
// to the colours editor and is posted to the parent as UM_STOPS_EDITED.
class ColormapEditor : public Window {
public:
    explicit ColormapEditor(ColorsEditor& colors) : m_colors(colors) {}

    void Redraw();
    int SelectedStop() const;
    const StopEditorModel& Model() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The geometry is fixed by the placeholder's size, so clicks work before the first paint.
    void OnSubclassed() override;

private:
    void OnPaint();
    void OnKey(WPARAM key);
    void Notify(const ColorsUpdate& update);

    ColorsEditor& m_colors;
    BackBuffer m_backBuffer;
    RECT m_client = {};
};
