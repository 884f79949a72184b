#pragma once

#include "editor/ColorConversion.h"
#include "editor/StopEditorModel.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Colormap;
class PreviewControl;
class Settings;

// What a Colors page brings up to date after one of its edits: the strip, the stop editor, the
// colour box and the colormap choice's rows redraw from the editor, and the picker takes the
// selected stop's colour only when told to, so a picker under the user's hand is left alone.
struct ColorsUpdate {
    bool redraw = false;
    bool movePicker = false;
    // The settings changed: an edit to save.
    bool edited = false;
};

// The Colors page's decisions, written once for both editors: the preset's colormap chosen from
// the library, the library's New, Duplicate, Rename and Delete, and the stop and colour edits of
// the shown colormap, each followed by the same update of the page and the live preview. It
// takes the render lock around every write the render thread may read.
class ColorsEditor {
public:
    enum class StopKey { SelectLeft, SelectRight, MoveLeft, MoveRight, Remove, Insert };

    ColorsEditor(Settings& settings, PreviewControl& preview);
    ~ColorsEditor();
    ColorsEditor(const ColorsEditor&) = delete;
    ColorsEditor& operator=(const ColorsEditor&) = delete;

    // The library in stored order, as the choice lists it.
    const std::vector<std::unique_ptr<Colormap>>& Colormaps() const;
    // Null until the first refresh.
    Colormap* Shown() const { return m_pShown; }
    // The choice's row for the preset's colormap; -1 while its stored index lies outside the
    // library, which then shows colormap 0.
    int ChoiceRow() const;
    bool CanDeleteColormap() const;
    bool RgbMode() const;
    RgbColor SelectedColor() const;
    const StopEditorModel& Stops() const { return m_stops; }

    // After a preset was selected or created.
    ColorsUpdate Refresh();
    // A row of the choice; -1 (no row) changes nothing.
    ColorsUpdate ChooseColormap(int row);
    ColorsUpdate PickColor(uint32_t packed);
    // Returns whether the setting changed.
    bool SetRgbMode(bool rgb);

    void LayoutStops(int clientWidth, int dpi);
    // Shows stop `stop` as selected, telling no one.
    void SelectStop(int stop);
    ColorsUpdate PressStop(Point p);
    ColorsUpdate DragStop(Point p);
    // Returns whether a drag ended.
    bool ReleaseStop();
    ColorsUpdate DoubleClickStop(Point p);
    // Whether the stop keys have a stop to act on; without one they are left to others.
    bool TakesStopKeys() const { return m_stops.HasSelection(); }
    ColorsUpdate PressStopKey(StopKey key);

    // New and Duplicate make a colormap to be named, or null while one is being named already;
    // EndNewColormap adds it to the library and shows it, or drops it.
    Colormap* BeginNewColormap();
    Colormap* BeginDuplicateColormap();
    ColorsUpdate EndNewColormap(bool confirmed);
    // Stores a name the settings can hold; returns whether it did.
    bool RenameColormap(Colormap& colormap, const std::string& name);
    // Deletes the colormap asked about if it is still the one shown and not the last, then shows
    // colormap 0: the later colormaps move down, and presets follow them.
    ColorsUpdate DeleteColormap(const Colormap* asked);

private:
    // What an edit changed; the update rule follows from it.
    enum Change {
        ColorPicked,
        PresetShown,
        StopSelected,
        StopDragged,
        ColormapChosen,
        StopAddedOrRemoved,
    };

    ColorsUpdate Update(Change change, uint32_t value = 0);
    ColorsUpdate Show(int index, Change change);
    // The library index of the shown colormap, which the preset's stored index need not be.
    int ShownIndex() const;

    Settings& m_settings;
    PreviewControl& m_preview;
    StopEditorModel m_stops;
    Colormap* m_pShown = nullptr;
    // A colormap being named before it joins the library.
    std::unique_ptr<Colormap> m_pPending;
};
