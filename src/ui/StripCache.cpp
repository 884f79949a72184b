#include "ui/StripCache.h"

void StripCache::Update(const Colormap& colormap) {
    std::unique_ptr<StripImage>& strip = m_strips[&colormap];
    if (!strip)
        strip = std::make_unique<StripImage>();
    strip->Update(colormap);
}

void StripCache::Draw(const Colormap& colormap, HDC dc, int x, int y, int width, int height) const {
    auto found = m_strips.find(&colormap);
    if (found != m_strips.end())
        found->second->Draw(dc, x, y, width, height);
}

void StripCache::Forget(const Colormap& colormap) {
    m_strips.erase(&colormap);
}
