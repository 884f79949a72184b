#include "editor/StopEditorModel.h"

#include "editor/ColorConversion.h"
#include "settings/Colormap.h"

#include <algorithm>
#include <climits>

int MulDivRound(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    int64_t product = static_cast<int64_t>(number) * numerator;
    bool negative = (product < 0) != (denominator < 0);
    // Magnitudes fit: |product| <= 2^62 and |denominator| <= 2^31.
    int64_t a = product < 0 ? -product : product;
    int64_t d = denominator < 0 ? -static_cast<int64_t>(denominator) : denominator;
    int64_t quotient = a / d;
    if (2 * (a % d) >= d)
        ++quotient;
    int64_t result = negative ? -quotient : quotient;
    if (result < INT_MIN || result > INT_MAX)
        return -1;
    return static_cast<int>(result);
}

namespace {

int StopCount(const Colormap* colormap) {
    return colormap ? static_cast<int>(colormap->m_aStops.size()) : 0;
}

} // namespace

void StopEditorModel::Layout(int clientWidth, int dpi) {
    m_nWidth = clientWidth;
    m_nDpi = dpi;
}

int StopEditorModel::PosToX(int position) const {
    return MulDivRound(position, m_nWidth - Scaled(12), 255) + Scaled(6);
}

int StopEditorModel::XToPos(int x) const {
    // A groove too narrow to divide by answers -1, which the limit turns into 0.
    return std::clamp(MulDivRound(x - Scaled(6), 255, m_nWidth - Scaled(12)), 0, 255);
}

Rect StopEditorModel::StopRect(int stop) const {
    int x = PosToX(m_pColormap->m_aStops[stop].position);
    return {x - Scaled(5), Scaled(11), x + Scaled(5), Scaled(21)};
}

Rect StopEditorModel::StopFrame(int stop) const {
    Rect r = StopRect(stop);
    int grow = Scaled(1);
    return {r.left - grow, r.top - grow, r.right + grow, r.bottom + grow};
}

Rect StopEditorModel::GrooveRect() const {
    return {0, Scaled(15), m_nWidth, Scaled(19)};
}

int StopEditorModel::TickBottom() const {
    return Scaled(10);
}

int StopEditorModel::Press(Point p) {
    int hits = 0;
    for (int i = 0; i < StopCount(m_pColormap); ++i) {
        if (!RectContains(StopRect(i), p))
            continue;
        m_nDragOffset = PosToX(m_pColormap->m_aStops[i].position) - p.x;
        m_nSelected = i;
        m_bDragging = true;
        ++hits;
    }
    return hits;
}

bool StopEditorModel::Move(Point p) {
    // The colormap may have been replaced under a drag; never move a stop it does not have.
    if (!m_bDragging || !HasSelection())
        return false;
    m_pColormap->MoveStop(m_nSelected, XToPos(p.x + m_nDragOffset));
    return true;
}

bool StopEditorModel::Release() {
    if (!m_bDragging)
        return false;
    m_bDragging = false;
    return true;
}

bool StopEditorModel::DoubleClick(Point p) {
    for (int i = 0; i < StopCount(m_pColormap); ++i) {
        if (RectContains(StopRect(i), p))
            return RemoveAt(i);
    }
    return AddAt(p.x);
}

bool StopEditorModel::RemoveAt(int stop) {
    int count = StopCount(m_pColormap);
    if (count <= MinStops)
        return false;
    m_pColormap->RemoveStop(stop);
    int last = count - 2;
    if (stop == last + 1 || m_nSelected > last)
        m_nSelected = last;
    return true;
}

bool StopEditorModel::AddAt(int x) {
    if (!m_pColormap || StopCount(m_pColormap) >= MaxStops)
        return false;
    int position = XToPos(x);
    m_nSelected = m_pColormap->AddStop(position, m_pColormap->GetColorAt(position));
    return true;
}

bool StopEditorModel::HasSelection() const {
    return m_nSelected >= 0 && m_nSelected < StopCount(m_pColormap);
}

void StopEditorModel::SelectBeside(int step) {
    if (HasSelection())
        m_nSelected = std::clamp(m_nSelected + step, 0, StopCount(m_pColormap) - 1);
}

bool StopEditorModel::NudgeSelected(int step) {
    if (!HasSelection())
        return false;
    int position = m_pColormap->m_aStops[static_cast<size_t>(m_nSelected)].position;
    int moved = std::clamp(position + step, 0, 255);
    if (moved == position)
        return false;
    m_pColormap->MoveStop(m_nSelected, moved);
    return true;
}

bool StopEditorModel::RemoveSelected() {
    return HasSelection() && RemoveAt(m_nSelected);
}

bool StopEditorModel::InsertAfterSelected() {
    if (!HasSelection())
        return false;
    const Rect box = StopRect(m_nSelected);
    const int next =
        m_nSelected + 1 < StopCount(m_pColormap)
            ? PosToX(m_pColormap->m_aStops[static_cast<size_t>(m_nSelected) + 1].position)
            : GrooveRect().right;
    const Point p{((box.left + box.right) / 2 + next) / 2, (box.top + box.bottom) / 2};
    // No room between two boxes: a double click there would remove one.
    for (int i = 0; i < StopCount(m_pColormap); ++i) {
        if (RectContains(StopRect(i), p))
            return false;
    }
    return AddAt(p.x);
}

uint32_t StopEditorModel::GetSelectedColor() const {
    if (m_nSelected < 0 || m_nSelected >= StopCount(m_pColormap))
        return 0;
    const ColorTriple& colour = m_pColormap->m_aStops[m_nSelected].colour;
    return PackColor({colour.red, colour.green, colour.blue});
}

int StopEditorModel::Scaled(int pixels96) const {
    return ScaleForDpi(pixels96, m_nDpi);
}
