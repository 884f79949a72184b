#pragma once

#include "editor/StopEditorModel.h"
#include "framework/BackBuffer.h"
#include "framework/Window.h"

class Colormap;

// The stops of a colormap as boxes on a groove: a press selects and drags a stop, a double click
// removes the stop under it or adds one where there is none. Every edit is posted to the parent
// as UM_CHANGED: 2 for a selection, addition or removal, 3 while a stop is dragged.
class ColormapEditor : public Window {
public:
    // Set before the control is first painted or clicked.
    void SetColormap(Colormap* colormap);
    void SelectStop(int index) { m_model.m_nSelected = index; }
    int SelectedStop() const { return m_model.m_nSelected; }
    uint32_t GetSelectedColor() const { return m_model.GetSelectedColor(); }
    const StopEditorModel& Model() const { return m_model; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The geometry is fixed by the placeholder's size, so clicks work before the first paint.
    void OnSubclassed() override;

private:
    void OnPaint();
    void Notify(int code);

    StopEditorModel m_model;
    BackBuffer m_backBuffer;
    RECT m_client = {};
};
