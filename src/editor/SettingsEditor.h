#pragma once

#include "editor/ColorsEditor.h"
#include "editor/WormCounts.h"
#include "settings/WormTypes.h"

#include <string>

class PreviewControl;
class Preset;
class Settings;

// The three switches of a preset on the Simple page.
enum class PresetFlag { Spawn, Recycle, StartInCenter };

// Every edit either editor makes to the settings on the preset list, the Simple, Types and
// Advanced pages: each user action is one call here. Writes that the render thread reads are made
// under the preview's render lock, so an editor window never locks. The windows only show what
// these operations leave in the settings and forward their events.
class SettingsEditor {
public:
    struct Range {
        int min;
        int max;
    };
    static constexpr Range WormCountRange{1, 500};
    static constexpr Range WormSizeRange{0, 3};
    static constexpr Range CpuRange{10, 100};

    // Both must outlive the editor.
    SettingsEditor(Settings& settings, PreviewControl& preview);

    const Settings& GetSettings() const { return m_settings; }
    const Preset& CurrentPreset() const;

    // Once, as the editor opens: the stored current preset becomes a row of the list, the
    // processor share and the cycle type values the controls can show. Returns the row to select.
    int Normalise();

    // The preset list.
    int PresetRow() const;
    // Makes the preset on this row current (a negative row means the first), brings its size into
    // range and moves the preview's population toward its count. Returns whether another preset
    // became current.
    bool SelectPresetRow(int row);
    // Appends "New Preset" with every behaviour on, makes it current and returns its row.
    int NewPreset();
    bool CanDeletePreset() const;
    // What to ask before DeleteCurrentPreset.
    std::string DeleteQuestion() const;
    // The current preset goes; the one above it (or the new first) becomes current.
    void DeleteCurrentPreset();

    // The cycle drop-down's rows, see CycleChoiceRow.
    int CycleRow() const;
    void ChooseCycle(int row);

    // The Simple page.
    void SetName(const std::string& name);
    // The counts the two sliders show for the current preset: in their range, initial <= total.
    // Only a finished move stores them.
    WormCounts ShownCounts() const;
    // Where the sliders go while one moves; nothing is stored.
    WormCounts MoveCounts(int initial, int total, bool initialMoved) const;
    // Stores the pushed counts and moves the population toward the total. Returns whether the
    // preset changed.
    bool SetCounts(int initial, int total, bool initialMoved);
    void SetWormSize(int size);
    bool Flag(PresetFlag flag) const;
    void SetFlag(PresetFlag flag, bool on);

    // The Types page.
    int TypeState(int type) const;
    // Advances every clicked row's state once.
    void ClickTypes(const bool clicked[WormTypeCount]);
    void ClickType(int type);
    // "All" (TypeOn) and "None" (TypeOff).
    void SetAllTypes(int state);

    // The Advanced page. The delay fields are taken over when the settings are kept (OK, Save): a
    // text that is not an unsigned number keeps its setting.
    std::string DelayText() const;
    std::string RangeText() const;
    void TakeDelayTexts(const std::string& delay, const std::string& range);
    // Writes the settings to their store while the preview is held off them.
    void Save();
    // The processor share follows the slider while it moves; the preview takes it at SetCpu.
    void MoveCpu(int percent);
    void SetCpu(int percent);
    std::string CpuText() const;
    void SetFastSmoothing(bool on);
    void SetAllMonitors(bool on);
    // The engine takes the resolution when it is built: a fresh one starts.
    void SetDoublePixels(bool on);

    // The Colors page's edits, on the same settings and preview.
    ColorsEditor& Colors() { return m_colors; }

private:
    Preset& Current();

    Settings& m_settings;
    PreviewControl& m_preview;
    ColorsEditor m_colors;
};
