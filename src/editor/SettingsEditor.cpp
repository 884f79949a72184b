#include "editor/SettingsEditor.h"

#include "editor/CycleChoice.h"
#include "editor/DelayField.h"
#include "editor/EditorTexts.h"
#include "editor/PresetEdits.h"
#include "editor/PreviewControl.h"
#include "editor/TypeClicks.h"
#include "settings/Settings.h"
#include "support/Trace.h"

#include <algorithm>

namespace {

int Clamp(int value, SettingsEditor::Range range) {
    return std::clamp(value, range.min, range.max);
}

bool Preset::*FlagField(PresetFlag flag) {
    switch (flag) {
    case PresetFlag::Spawn:
        return &Preset::Spawn;
    case PresetFlag::Recycle:
        return &Preset::Recycle;
    case PresetFlag::StartInCenter:
        break;
    }
    return &Preset::StartInCenter;
}

} // namespace

SettingsEditor::SettingsEditor(Settings& settings, PreviewControl& preview)
    : m_settings(settings), m_preview(preview), m_colors(settings, preview) {}

const Preset& SettingsEditor::CurrentPreset() const {
    return *m_settings.m_pCurrentPreset;
}

Preset& SettingsEditor::Current() {
    return *m_settings.m_pCurrentPreset;
}

int SettingsEditor::Normalise() {
    int row;
    {
        auto lock = m_preview.LockRender();
        row = NormaliseCurrentPreset(m_settings);
        m_settings.CPU = Clamp(m_settings.CPU, CpuRange);
        ApplyCycleChoice(m_settings, CycleChoiceIndex(m_settings));
    }
    m_preview.ApplyCpu();
    return row;
}

int SettingsEditor::PresetRow() const {
    return PresetListSelection(m_settings);
}

bool SettingsEditor::SelectPresetRow(int row) {
    row = std::max(row, 0);
    const bool moved = row != m_settings.CurrentPreset;
    {
        auto lock = m_preview.LockRender();
        m_settings.SelectPreset(row);
        Current().WormSize = Clamp(Current().WormSize, WormSizeRange);
    }
    Trace(TraceInfo, "Preset \"%s\" selected", CurrentPreset().Name.c_str());
    m_preview.UpdateTargetWorms();
    return moved;
}

int SettingsEditor::NewPreset() {
    Trace(TraceInfo, "Creating new preset");
    int row;
    {
        auto lock = m_preview.LockRender();
        row = AddNewPreset(m_settings);
    }
    m_preview.UpdateTargetWorms();
    return row;
}

bool SettingsEditor::CanDeletePreset() const {
    return ::CanDeletePreset(m_settings);
}

std::string SettingsEditor::DeleteQuestion() const {
    return DeletePresetQuestion(CurrentPreset().Name);
}

void SettingsEditor::DeleteCurrentPreset() {
    {
        // The survivor is current before the deleted preset is destroyed.
        auto lock = m_preview.LockRender();
        ::DeleteCurrentPreset(m_settings);
    }
    SelectPresetRow(PresetRow());
}

int SettingsEditor::CycleRow() const {
    return CycleChoiceIndex(m_settings);
}

void SettingsEditor::ChooseCycle(int row) {
    auto lock = m_preview.LockRender();
    ApplyCycleChoice(m_settings, row);
}

void SettingsEditor::SetName(const std::string& name) {
    auto lock = m_preview.LockRender();
    Current().Name = name;
}

WormCounts SettingsEditor::ShownCounts() const {
    return MoveCounts(CurrentPreset().InitialWorms, CurrentPreset().Worms, false);
}

WormCounts SettingsEditor::MoveCounts(int initial, int total, bool initialMoved) const {
    return PushCounts(Clamp(initial, WormCountRange), Clamp(total, WormCountRange), initialMoved);
}

bool SettingsEditor::SetCounts(int initial, int total, bool initialMoved) {
    const WormCounts counts = MoveCounts(initial, total, initialMoved);
    const bool changed =
        counts.initial != CurrentPreset().InitialWorms || counts.total != CurrentPreset().Worms;
    {
        auto lock = m_preview.LockRender();
        Current().Worms = counts.total;
        Current().InitialWorms = counts.initial;
    }
    m_preview.UpdateTargetWorms();
    return changed;
}

void SettingsEditor::SetWormSize(int size) {
    auto lock = m_preview.LockRender();
    Current().WormSize = Clamp(size, WormSizeRange);
}

bool SettingsEditor::Flag(PresetFlag flag) const {
    return CurrentPreset().*FlagField(flag);
}

void SettingsEditor::SetFlag(PresetFlag flag, bool on) {
    auto lock = m_preview.LockRender();
    Current().*FlagField(flag) = on;
}

int SettingsEditor::TypeState(int type) const {
    return CurrentPreset().m_anTypeStates[type];
}

void SettingsEditor::ClickTypes(const bool clicked[WormTypeCount]) {
    // The engine reads the states as it creates and steps worms: it must see all or none.
    auto lock = m_preview.LockRender();
    ApplyTypeClicks(Current().m_anTypeStates, clicked);
}

void SettingsEditor::ClickType(int type) {
    bool clicked[WormTypeCount] = {};
    clicked[type] = true;
    ClickTypes(clicked);
}

void SettingsEditor::SetAllTypes(int state) {
    auto lock = m_preview.LockRender();
    std::fill(std::begin(Current().m_anTypeStates), std::end(Current().m_anTypeStates), state);
}

std::string SettingsEditor::DelayText() const {
    return std::to_string(static_cast<unsigned>(m_settings.Delay));
}

std::string SettingsEditor::RangeText() const {
    return std::to_string(static_cast<unsigned>(m_settings.DelayRange));
}

void SettingsEditor::TakeDelayTexts(const std::string& delay, const std::string& range) {
    const auto delaySeconds = ParseDelaySeconds(delay);
    const auto rangeSeconds = ParseDelaySeconds(range);
    auto lock = m_preview.LockRender();
    if (delaySeconds)
        m_settings.Delay = *delaySeconds;
    if (rangeSeconds)
        m_settings.DelayRange = *rangeSeconds;
}

void SettingsEditor::Save() {
    auto lock = m_preview.LockRender();
    m_settings.Save();
}

void SettingsEditor::MoveCpu(int percent) {
    auto lock = m_preview.LockRender();
    m_settings.CPU = Clamp(percent, CpuRange);
}

void SettingsEditor::SetCpu(int percent) {
    MoveCpu(percent);
    m_preview.ApplyCpu();
}

std::string SettingsEditor::CpuText() const {
    return std::to_string(m_settings.CPU) + "%";
}

void SettingsEditor::SetFastSmoothing(bool on) {
    auto lock = m_preview.LockRender();
    m_settings.FastSmoothing = on;
}

void SettingsEditor::SetAllMonitors(bool on) {
    // Only the full-screen saver reads it, when it starts: no preview changes.
    m_settings.AllMonitors = on;
}

void SettingsEditor::SetDoublePixels(bool on) {
    m_preview.Pause();
    {
        auto lock = m_preview.LockRender();
        m_settings.DoublePixels = on;
    }
    m_preview.Resume();
}
