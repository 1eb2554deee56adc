#include "controls/BannerBoard.h"

#include <algorithm>

#include "controls/WizardBackdrop.h"
#include "framework/GdiHandles.h"

BannerBoard::BannerBoard() {
    items_.reserve(10);
    background_.LoadFromResource(kBackgroundImage);
}

bool BannerBoard::Create(HWND parent, int controlId) {
    return Window::Create(Framework::kStaticClass,
                          {parent, {}, WS_CHILD | WS_VISIBLE, 0, static_cast<UINT_PTR>(controlId)});
}

void BannerBoard::AddItem(int pngId, HMODULE module) {
    auto item = std::make_unique<BoardItem>();
    item->image.LoadFromResource(pngId, module);
    items_.push_back(std::move(item));
    fade_.ItemAdded();
}

void BannerBoard::DrawBanner(Gdiplus::GpGraphics* graphics, int x, int y, HDC dc) const {
    const Controls::BannerCrossFade::Drawing drawing = fade_.ToDraw();
    if (drawing.index < 0 || static_cast<std::size_t>(drawing.index) >= items_.size()) return;
    const BoardItem& item = *items_[drawing.index];
    if (dc && drawing.transparency > 0) {
        Framework::Gdip::GdipFlush(graphics, Gdiplus::FlushIntentionSync);
        item.fading.Draw(dc, x, y, static_cast<int>(item.image.Width()), static_cast<int>(item.image.Height()),
                         (100 - drawing.transparency) * 255 / 100);
        return;
    }
    item.image.DrawWithTransparency(graphics, x, y, drawing.transparency);
}

SIZE BannerBoard::BannerSize() const {
    SIZE size{};
    for (const auto& item : items_) {
        size.cx = std::max(size.cx, static_cast<LONG>(item->image.Width()));
        size.cy = std::max(size.cy, static_cast<LONG>(item->image.Height()));
    }
    return size;
}

bool BannerBoard::DoPaint(HDC dc, const RECT&) {
    Framework::UniqueGraphics graphics = Framework::GraphicsFor(dc);
    DrawWizardBackdrop(graphics.Get(), background_, Handle());
    DrawBanner(graphics.Get(), 0, 0);
    return true;
}
