// The feature carousel of the download page: seven product boxes on an arc,
// the centre one glowing, a banner that cross-fades to the next, the title
// strip of the language, and a feature text with bullets that changes with
// every step. A step is a 3-second transition ticked every 40 ms by a timer
// of the timer service; the page starts one every 8 seconds with a timer of
// its own, and starting a step may be requested from any thread.
//
// Every frame is drawn into one off-screen canvas, kept for the window's
// life, and copied to the screen in one operation. What stays still during a
// step (backdrop, title strip, feature text) is drawn once into a second
// canvas; a tick invalidates only what moves (the boxes' arc and the fading
// banner), and a paint copies the still picture under that area and draws
// the banner and the boxes over it, clipped to it. Moving boxes are drawn
// by the system's quick alpha blending, boxes at rest with the graphics
// library's filtering.
#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SkinImageIds.h"
#include "controls/BannerBoard.h"
#include "controls/CarouselGeometry.h"
#include "controls/CarouselStep.h"
#include "controls/CarouselText.h"
#include "controls/CarouselTextPainter.h"
#include "controls/MovingPicture.h"
#include "controls/SmartBitmap.h"
#include "framework/GdiplusHandles.h"
#include "framework/OffscreenCanvas.h"
#include "framework/TimerService.h"
#include "framework/Window.h"

class AnimatedWnd : public Framework::Window, public Framework::TimerEventHandler {
public:
    static constexpr int kBackgroundImage = IDPNG_WIZARD_BACKGROUND_STAGE;
    static constexpr int kBottomStripImage = IDPNG_BOTTOM_STRIP;  // not among the skin images: never drawn
    static constexpr int kBannerBoardId = 1234;
    static constexpr std::array<int, 7> kBanners{IDPNG_BANNER_CONVERT, IDPNG_BANNER_EDIT,   IDPNG_BANNER_READ,
                                                  IDPNG_BANNER_FORMS,   IDPNG_BANNER_REVIEW, IDPNG_BANNER_SECURE,
                                                  IDPNG_BANNER_TOOLS};
    // The private message that hands a step start to the window's thread.
    static constexpr UINT kStartStepMessage = WM_APP + 0x0A41;

    // The tick count source (GetTickCount unless a test steers time).
    using TickClock = std::function<std::uint32_t()>;
    explicit AnimatedWnd(TickClock clock = {});
    ~AnimatedWnd() override;

    // Appends a feature text; the first one becomes current. The first call
    // also makes the banner board with the seven banners.
    void AddTextItem(const std::u16string& title, const std::u16string& line1, const std::u16string& line2,
                     const std::u16string& line3, const std::u16string& line4);
    // The language's title strip (see Controls::CarouselTitleImage); 0 or an
    // absent picture leaves the title area showing the background.
    void SetTitleImage(int pngId);

    // Starts one carousel step from any thread: the request is posted to the
    // window's thread, which (re)starts the 40 ms step timer. A step that is
    // already running carries on unchanged. Does nothing before the window is
    // taken over or after it is gone.
    void StartStep();

    // One animation tick (the step timer's callback).
    void OnTimer(Framework::Timer& timer) override;

    int Rotation() const { return step_.Rotation(); }
    bool IsStepping() const { return step_.IsStepping(); }
    // Index of the feature text shown, -1 for none.
    int CurrentTextIndex() const { return currentText_; }
    const BannerBoard& Banners() const { return banners_; }
    // The step timer, null until the window is taken over.
    const Framework::Timer* StepTimer() const { return timer_.get(); }

    // Draws the current frame into the canvas and copies it to (0, 0) of `dc`.
    void PaintTo(HDC dc);
    // The same for the part `area` of the window only (what a paint after a
    // tick updates; the rest of `dc` is left as it is).
    void PaintTo(HDC dc, const RECT& area);

protected:
    void OnSubclassed() override;
    void OnFinalMessage() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnPaint();
    LRESULT OnStartStep();
    bool EnsureCanvas(HDC dc, int width, int height);
    bool EnsureStill(int width, int height);
    void DrawStill(Gdiplus::GpGraphics* graphics);
    void DrawBoxes(Gdiplus::GpGraphics* graphics);
    // Where box `image` is drawn at `progress` of the running step, and how big.
    struct PlacedBox {
        float x, y, width, height;
        bool glows;
    };
    PlacedBox PlaceBoxImage(int image, double progress) const;
    // Where the boxes and their glows are drawn in the current frame, and
    // where the banner is.
    RECT BoxesArea() const;
    RECT BannerArea() const;
    // The still picture must be drawn again (new text, title or size).
    void InvalidateStill();

    TickClock clock_;
    Controls::CarouselStep step_;
    std::array<SmartBitmap, Controls::kCarouselImageCount> boxes_;
    std::array<SmartBitmap, Controls::kCarouselImageCount> glows_;
    // The boxes as they are drawn while they move, made at the first step.
    std::array<std::unique_ptr<MovingPicture>, Controls::kCarouselImageCount> movingBoxes_;
    SmartBitmap background_;
    SmartBitmap bottomStrip_;
    SmartBitmap title_;
    BannerBoard banners_;
    std::vector<Controls::AnimatedWndTextItem> texts_;
    int currentText_ = -1;
    CarouselTextPainter textPainter_;
    // The canvas and the graphics object drawing on it, declared after it so
    // that it is deleted first; the still picture beside it.
    std::unique_ptr<Framework::OffscreenCanvas> canvas_;
    Framework::UniqueGraphics canvasGraphics_;
    std::unique_ptr<Framework::OffscreenCanvas> still_;
    bool stillDrawn_ = false;
    // The boxes' area of the last frame painted: a tick clears it too.
    RECT boxesPainted_{};
    std::unique_ptr<Framework::Timer> timer_;
    // The window step starts are posted to; read by other threads.
    std::atomic<HWND> stepTarget_{nullptr};
};
