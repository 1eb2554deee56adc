// A ring of banner pictures with a cross-fade from one to the next. The
// carousel embeds one (a zero-sized child window; the carousel draws its
// banner itself); the download page places an empty one under its progress
// bar, where it shows only the wizard background under it.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "SkinImageIds.h"
#include "controls/BannerCrossFade.h"
#include "controls/MovingPicture.h"
#include "controls/SmartBitmap.h"
#include "framework/BufferedPaintWindow.h"

// One banner of the board.
struct BoardItem {
    SmartBitmap image;
    MovingPicture fading{image};  // how it is drawn while it fades
};

class BannerBoard : public Framework::BufferedPaintWindow {
public:
    static constexpr int kBackgroundImage = IDPNG_WIZARD_BACKGROUND_STAGE;

    BannerBoard();

    // Creates the board as a child "STATIC" window of `parent` with an empty
    // rectangle and takes it over. False when the window cannot be made.
    bool Create(HWND parent, int controlId);

    // Appends a banner loaded from the PNG resource `pngId` (an absent one
    // stays in the ring and draws nothing); the first banner becomes current.
    void AddItem(int pngId, HMODULE module = nullptr);

    // The cross-fade state, moved on by the carousel at its steps and ticks.
    void Advance() { fade_.Advance(); }
    void LowerFade() { fade_.LowerFade(); }
    void EndFade() { fade_.EndFade(); }
    const Controls::BannerCrossFade& CrossFade() const { return fade_; }
    std::size_t ItemCount() const { return items_.size(); }
    // The area a banner takes: the largest of the pictures.
    SIZE BannerSize() const;

    // Draws the banner the cross-fade shows now, at (x, y). While it fades
    // it is drawn on `dc` (the device `graphics` draws on) by the system's
    // quick blending; `dc` null draws it with `graphics` all the same.
    void DrawBanner(Gdiplus::GpGraphics* graphics, int x, int y, HDC dc = nullptr) const;

protected:
    // The background slice under the board, then the banner.
    bool DoPaint(HDC dc, const RECT& client) override;

private:
    std::vector<std::unique_ptr<BoardItem>> items_;
    Controls::BannerCrossFade fade_;
    SmartBitmap background_;
};
