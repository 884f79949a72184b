#include "saver/MonitorSet.h"

#include <algorithm>

std::vector<RenderView> MonitorSet::Follow(const std::vector<Monitor>& monitors, const Rect& screen,
                                           HDC window) {
    std::vector<Shown> now;
    std::vector<RenderView> views;
    for (const Monitor& monitor : monitors) {
        auto same = std::find_if(m_aShown.begin(), m_aShown.end(), [&](const Shown& old) {
            return old.image && old.monitor.device == monitor.device &&
                   old.monitor.rect.Width() == monitor.rect.Width() &&
                   old.monitor.rect.Height() == monitor.rect.Height();
        });
        std::unique_ptr<MonitorImage> image =
            same != m_aShown.end() ? std::move(same->image)
                                   : std::make_unique<MonitorImage>(window, monitor.rect.Width(),
                                                                    monitor.rect.Height());
        if (!image->IsValid())
            continue;
        views.push_back({image.get(), InWindow(monitor.rect, screen), image->Bits(),
                         ImagePitch(image->Width()), monitor.refreshHz});
        now.push_back({monitor, std::move(image)});
    }
    for (Shown& old : m_aShown) {
        if (old.image)
            m_aLeftOut.push_back(std::move(old));
    }
    m_aShown = std::move(now);
    return views;
}

void MonitorSet::FreeLeftOut() {
    m_aLeftOut.clear();
}

void MonitorSet::Clear() {
    m_aShown.clear();
    m_aLeftOut.clear();
}
