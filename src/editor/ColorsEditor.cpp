#include "editor/ColorsEditor.h"

#include "editor/ColormapEdits.h"
#include "editor/PreviewControl.h"
#include "settings/Colormap.h"
#include "settings/Settings.h"

#include <utility>

ColorsEditor::ColorsEditor(Settings& settings, PreviewControl& preview)
    : m_settings(settings), m_preview(preview) {}

ColorsEditor::~ColorsEditor() = default;

const std::vector<std::unique_ptr<Colormap>>& ColorsEditor::Colormaps() const {
    return m_settings.m_apColormaps;
}

int ColorsEditor::ChoiceRow() const {
    const int index = m_settings.m_pCurrentPreset->Colormap;
    return index >= 0 && index < static_cast<int>(m_settings.m_apColormaps.size()) ? index : -1;
}

bool ColorsEditor::CanDeleteColormap() const {
    return ::CanDeleteColormap(m_settings);
}

bool ColorsEditor::RgbMode() const {
    return m_settings.RGB;
}

RgbColor ColorsEditor::SelectedColor() const {
    return UnpackColor(m_stops.GetSelectedColor());
}

ColorsUpdate ColorsEditor::Refresh() {
    m_pShown = m_settings.GetColormap(m_settings.m_pCurrentPreset->Colormap);
    m_stops.m_pColormap = m_pShown;
    if (m_pShown && !m_stops.HasSelection())
        m_stops.m_nSelected = 0;
    return Update(PresetShown);
}

ColorsUpdate ColorsEditor::ChooseColormap(int row) {
    if (row < 0 || row >= static_cast<int>(m_settings.m_apColormaps.size()))
        return {};
    return Show(row, ColormapChosen);
}

ColorsUpdate ColorsEditor::Show(int index, Change change) {
    {
        auto lock = m_preview.LockRender();
        m_settings.m_pCurrentPreset->Colormap = index;
    }
    m_pShown = m_settings.GetColormap(index);
    m_stops.m_nSelected = 0;
    return Update(change);
}

ColorsUpdate ColorsEditor::PickColor(uint32_t packed) {
    return Update(ColorPicked, packed);
}

bool ColorsEditor::SetRgbMode(bool rgb) {
    if (m_settings.RGB == rgb)
        return false;
    m_settings.RGB = rgb;
    return true;
}

ColorsUpdate ColorsEditor::Update(Change change, uint32_t value) {
    m_stops.m_pColormap = m_pShown;
    if (!m_pShown)
        return {};
    if (change == ColorPicked && m_stops.HasSelection()) {
        auto lock = m_preview.LockRender();
        m_pShown->SetStopColor(m_stops.m_nSelected, value);
    }
    m_preview.SetColormap(*m_pShown);
    ColorsUpdate update;
    update.redraw = true;
    update.movePicker = change == PresetShown || change == StopSelected ||
                        change == ColormapChosen || change == StopAddedOrRemoved;
    update.edited = change != PresetShown && change != StopSelected;
    return update;
}

void ColorsEditor::LayoutStops(int clientWidth, int dpi) {
    m_stops.Layout(clientWidth, dpi);
}

void ColorsEditor::SelectStop(int stop) {
    m_stops.m_nSelected = stop;
}

ColorsUpdate ColorsEditor::PressStop(Point p) {
    // A press on overlapping boxes selects each in turn; one update shows the last.
    return m_stops.Press(p) > 0 ? Update(StopSelected) : ColorsUpdate{};
}

ColorsUpdate ColorsEditor::DragStop(Point p) {
    // Every pointer move over the editor comes here: the render thread waits only for drags.
    if (!m_stops.m_bDragging)
        return {};
    auto lock = m_preview.LockRender();
    return m_stops.Move(p) ? Update(StopDragged) : ColorsUpdate{};
}

bool ColorsEditor::ReleaseStop() {
    return m_stops.Release();
}

ColorsUpdate ColorsEditor::DoubleClickStop(Point p) {
    auto lock = m_preview.LockRender();
    return m_stops.DoubleClick(p) ? Update(StopAddedOrRemoved) : ColorsUpdate{};
}

ColorsUpdate ColorsEditor::PressStopKey(StopKey key) {
    auto lock = m_preview.LockRender();
    switch (key) {
    case StopKey::SelectLeft:
    case StopKey::SelectRight:
        if (!m_stops.HasSelection())
            return {};
        m_stops.SelectBeside(key == StopKey::SelectLeft ? -1 : 1);
        return Update(StopSelected);
    case StopKey::MoveLeft:
    case StopKey::MoveRight:
        return m_stops.NudgeSelected(key == StopKey::MoveLeft ? -1 : 1) ? Update(StopDragged)
                                                                        : ColorsUpdate{};
    case StopKey::Remove:
        return m_stops.RemoveSelected() ? Update(StopAddedOrRemoved) : ColorsUpdate{};
    case StopKey::Insert:
        return m_stops.InsertAfterSelected() ? Update(StopAddedOrRemoved) : ColorsUpdate{};
    }
    return {};
}

Colormap* ColorsEditor::BeginNewColormap() {
    if (m_pPending)
        return nullptr;
    m_pPending = MakeNewColormap();
    return m_pPending.get();
}

Colormap* ColorsEditor::BeginDuplicateColormap() {
    if (m_pPending || !m_pShown)
        return nullptr;
    m_pPending = DuplicateColormap(*m_pShown);
    return m_pPending.get();
}

ColorsUpdate ColorsEditor::EndNewColormap(bool confirmed) {
    std::unique_ptr<Colormap> colormap = std::move(m_pPending);
    if (!confirmed || !colormap)
        return {};
    int index;
    {
        auto lock = m_preview.LockRender();
        index = m_settings.AddColormap(std::move(colormap));
    }
    return Show(index, ColormapChosen);
}

bool ColorsEditor::RenameColormap(Colormap& colormap, const std::string& name) {
    if (ColormapNameProblem(name))
        return false;
    colormap.Rename(name);
    return true;
}

int ColorsEditor::ShownIndex() const {
    for (size_t i = 0; i < m_settings.m_apColormaps.size(); ++i) {
        if (m_settings.m_apColormaps[i].get() == m_pShown)
            return static_cast<int>(i);
    }
    return -1;
}

ColorsUpdate ColorsEditor::DeleteColormap(const Colormap* asked) {
    const int index = ShownIndex();
    if (asked != m_pShown || index < 0 || !CanDeleteColormap())
        return {};
    m_pShown = nullptr;
    {
        auto lock = m_preview.LockRender();
        m_stops.m_pColormap = nullptr;
        m_settings.DeleteColormap(index);
    }
    return Show(0, ColormapChosen);
}
