#include "controls/AnimatedWnd.h"

#include "controls/RingPosition.h"
#include "controls/WizardBackdrop.h"
#include "framework/GdiHandles.h"

namespace {

namespace Gdip = Framework::Gdip;

constexpr Gdiplus::ARGB kOpaqueBlack = 0xFF000000;
constexpr POINT kBannerAt{500, 190};
constexpr POINT kTitleAt{475, 20};
constexpr POINT kBottomStripAt{0, 426};

}  // namespace

AnimatedWnd::AnimatedWnd(TickClock clock)
    : clock_(clock ? std::move(clock) : TickClock([] { return static_cast<std::uint32_t>(GetTickCount()); })) {
    for (int i = 0; i < Controls::kCarouselImageCount; ++i) {
        boxes_[i].LoadFromResource(Controls::kCarouselImages[i].box);
        glows_[i].LoadFromResource(Controls::kCarouselImages[i].glow);
    }
    background_.LoadFromResource(kBackgroundImage);
    bottomStrip_.LoadFromResource(kBottomStripImage);
    texts_.reserve(10);
}

AnimatedWnd::~AnimatedWnd() {
    stepTarget_ = nullptr;
    timer_.reset();  // stops and unregisters: no tick reaches a half-destroyed object
    Unsubclass();
}

void AnimatedWnd::OnSubclassed() {
    // The "Timers" window belongs to the thread that registers first, this
    // window's thread, and is owned by the wizard window.
    timer_ = std::make_unique<Framework::Timer>(*this, Handle());
    stepTarget_ = Handle();
}

void AnimatedWnd::OnFinalMessage() {
    stepTarget_ = nullptr;
    timer_.reset();
}

void AnimatedWnd::AddTextItem(const std::u16string& title, const std::u16string& line1, const std::u16string& line2,
                              const std::u16string& line3, const std::u16string& line4) {
    if (texts_.empty()) {
        // The board window stays zero-sized: this window draws its banners.
        if (Handle()) banners_.Create(Handle(), kBannerBoardId);
        for (int banner : kBanners) banners_.AddItem(banner);
    }
    texts_.push_back({title, {line1, line2, line3, line4}});
    currentText_ = 0;
}

void AnimatedWnd::SetTitleImage(int pngId) {
    title_.Release();
    if (pngId != 0) title_.LoadFromResource(pngId);
    Invalidate(false);
}

void AnimatedWnd::StartStep() {
    if (HWND target = stepTarget_.load()) PostMessageW(target, kStartStepMessage, 0, 0);
}

LRESULT AnimatedWnd::OnStartStep() {
    if (timer_) {
        timer_->Stop();
        timer_->Start(Controls::CarouselStep::kTickMs);
    }
    return 0;
}

void AnimatedWnd::OnTimer(Framework::Timer&) {
    const Controls::CarouselStep::TickResult tick = step_.Tick(clock_());
    if (tick.began) {
        banners_.Advance();
        currentText_ = Controls::NextInRing(currentText_, static_cast<int>(texts_.size()));
    }
    banners_.LowerFade();
    if (tick.ended) {
        if (timer_) timer_->Stop();
        banners_.EndFade();
    }
    Invalidate(false);
}

LRESULT AnimatedWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: return OnPaint();
        case WM_PRINTCLIENT: PaintTo(reinterpret_cast<HDC>(wParam)); return 0;
        case WM_ERASEBKGND: return 1;
        case kStartStepMessage: return OnStartStep();
        default: return Window::WindowProc(message, wParam, lParam);
    }
}

LRESULT AnimatedWnd::OnPaint() {
    Framework::PaintDC paint(Handle());
    PaintTo(paint.Get());
    return 0;
}

void AnimatedWnd::PaintTo(HDC dc) {
    const RECT client = ClientRect();
    if (!EnsureCanvas(dc, client.right, client.bottom)) return;
    DrawFrame(canvasGraphics_.Get());
    Gdip::GdipFlush(canvasGraphics_.Get(), Gdiplus::FlushIntentionSync);
    canvas_->CopyTo(dc);
}

bool AnimatedWnd::EnsureCanvas(HDC dc, int width, int height) {
    if (canvas_ && canvas_->Width() == width && canvas_->Height() == height) return canvasGraphics_.IsValid();
    // Made at the first paint and kept; only a new client size replaces it.
    canvasGraphics_.Reset();
    canvas_.reset();
    if (width <= 0 || height <= 0) return false;
    if (Handle()) {
        Framework::WindowDC windowDc(Handle());
        canvas_ = std::make_unique<Framework::OffscreenCanvas>(windowDc.Get(), width, height);
    } else {
        canvas_ = std::make_unique<Framework::OffscreenCanvas>(dc, width, height);
    }
    if (!canvas_->IsValid()) {
        canvas_.reset();
        return false;
    }
    canvasGraphics_ = Framework::GraphicsFor(canvas_->Dc());
    if (!canvasGraphics_) return false;
    Gdip::GdipSetInterpolationMode(canvasGraphics_.Get(), Gdiplus::InterpolationModeLowQuality);
    Gdip::GdipSetSmoothingMode(canvasGraphics_.Get(), Gdiplus::SmoothingModeNone);
    Gdip::GdipSetPixelOffsetMode(canvasGraphics_.Get(), Gdiplus::PixelOffsetModeNone);
    return true;
}

void AnimatedWnd::DrawFrame(Gdiplus::GpGraphics* graphics) {
    Gdip::GdipGraphicsClear(graphics, kOpaqueBlack);
    DrawWizardBackdrop(graphics, background_, Handle());
    bottomStrip_.Draw(graphics, kBottomStripAt.x, kBottomStripAt.y);
    banners_.DrawBanner(graphics, kBannerAt.x, kBannerAt.y);
    title_.Draw(graphics, kTitleAt.x, kTitleAt.y);
    DrawBoxes(graphics);
    if (currentText_ >= 0 && currentText_ < static_cast<int>(texts_.size()))
        textPainter_.Draw(graphics, texts_[currentText_]);
}

void AnimatedWnd::DrawBoxes(Gdiplus::GpGraphics* graphics) {
    const double progress = step_.Progress(clock_());
    // In image order: later boxes cover earlier ones.
    for (int i = 0; i < Controls::kCarouselImageCount; ++i) {
        const int slot = Controls::CarouselSlot(i, step_.Rotation());
        const Controls::BoxPlacement box = Controls::PlaceBox(Controls::CarouselPosition(slot, progress));
        const auto x = static_cast<float>(box.x);
        const auto y = static_cast<float>(box.y);
        const auto scale = static_cast<float>(box.scale);
        boxes_[i].DrawScaled(graphics, x, y, boxes_[i].Width() * scale, boxes_[i].Height() * scale);
        if (!box.glows) continue;
        // The blend reads the canvas pixels: everything drawn so far must be there.
        Gdip::GdipFlush(graphics, Gdiplus::FlushIntentionSync);
        GdiFlush();
        const Controls::CarouselImage& image = Controls::kCarouselImages[i];
        glows_[i].DrawScreenBlended(graphics, x + image.glowX, y + image.glowY, canvas_->Bitmap());
    }
}
