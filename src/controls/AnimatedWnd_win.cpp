#include "controls/AnimatedWnd.h"

#include <algorithm>
#include <cmath>

#include "controls/RingPosition.h"
#include "controls/WizardBackdrop.h"
#include "framework/GdiHandles.h"

namespace {

namespace Gdip = Framework::Gdip;

constexpr Gdiplus::ARGB kOpaqueBlack = 0xFF000000;
constexpr POINT kBannerAt{500, 190};
constexpr POINT kTitleAt{475, 20};
constexpr POINT kBottomStripAt{0, 426};

RECT Union(const RECT& a, const RECT& b) {
    if (IsRectEmpty(&a)) return b;
    if (IsRectEmpty(&b)) return a;
    RECT both;
    UnionRect(&both, &a, &b);
    return both;
}

// The pixels a picture drawn at (x, y) in a size of width by height touches.
RECT Covered(float x, float y, float width, float height) {
    return {static_cast<LONG>(std::floor(x)) - 1, static_cast<LONG>(std::floor(y)) - 1,
            static_cast<LONG>(std::ceil(x + width)) + 1, static_cast<LONG>(std::ceil(y + height)) + 1};
}

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
    InvalidateStill();
}

void AnimatedWnd::SetTitleImage(int pngId) {
    title_.Release();
    if (pngId != 0) title_.LoadFromResource(pngId);
    InvalidateStill();
}

void AnimatedWnd::InvalidateStill() {
    stillDrawn_ = false;
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
    if (tick.began) {
        InvalidateStill();  // the next feature text
        return;
    }
    // What moved: the boxes from where they were to where they are, and the
    // banner's fade.
    const RECT moved = Union(Union(boxesPainted_, BoxesArea()), BannerArea());
    if (Handle()) InvalidateRect(Handle(), &moved, FALSE);
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
    PaintTo(paint.Get(), paint.UpdateRect());
    return 0;
}

void AnimatedWnd::PaintTo(HDC dc) { PaintTo(dc, ClientRect()); }

void AnimatedWnd::PaintTo(HDC dc, const RECT& area) {
    const RECT client = ClientRect();
    if (!EnsureCanvas(dc, client.right, client.bottom) || !EnsureStill(client.right, client.bottom)) return;
    RECT part;
    if (!IntersectRect(&part, &area, &client)) return;
    const int width = part.right - part.left;
    const int height = part.bottom - part.top;
    BitBlt(canvas_->Dc(), part.left, part.top, width, height, still_->Dc(), part.left, part.top, SRCCOPY);
    Gdiplus::GpGraphics* graphics = canvasGraphics_.Get();
    Gdip::GdipSetClipRectI(graphics, part.left, part.top, width, height, Gdiplus::CombineModeReplace);
    banners_.DrawBanner(graphics, kBannerAt.x, kBannerAt.y, canvas_->Dc());
    DrawBoxes(graphics);
    Gdip::GdipResetClip(graphics);
    Gdip::GdipFlush(graphics, Gdiplus::FlushIntentionSync);
    BitBlt(dc, part.left, part.top, width, height, canvas_->Dc(), part.left, part.top, SRCCOPY);
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

bool AnimatedWnd::EnsureStill(int width, int height) {
    if (still_ && still_->Width() == width && still_->Height() == height && stillDrawn_) return true;
    if (!still_ || still_->Width() != width || still_->Height() != height) {
        still_ = std::make_unique<Framework::OffscreenCanvas>(canvas_->Dc(), width, height);
        if (!still_->IsValid()) {
            still_.reset();
            return false;
        }
    }
    Framework::UniqueGraphics graphics = Framework::GraphicsFor(still_->Dc());
    if (!graphics) return false;
    Gdip::GdipSetInterpolationMode(graphics.Get(), Gdiplus::InterpolationModeLowQuality);
    Gdip::GdipSetSmoothingMode(graphics.Get(), Gdiplus::SmoothingModeNone);
    Gdip::GdipSetPixelOffsetMode(graphics.Get(), Gdiplus::PixelOffsetModeNone);
    DrawStill(graphics.Get());
    Gdip::GdipFlush(graphics.Get(), Gdiplus::FlushIntentionSync);
    stillDrawn_ = true;
    return true;
}

void AnimatedWnd::DrawStill(Gdiplus::GpGraphics* graphics) {
    Gdip::GdipGraphicsClear(graphics, kOpaqueBlack);
    DrawWizardBackdrop(graphics, background_, Handle());
    bottomStrip_.Draw(graphics, kBottomStripAt.x, kBottomStripAt.y);
    title_.Draw(graphics, kTitleAt.x, kTitleAt.y);
    if (currentText_ >= 0 && currentText_ < static_cast<int>(texts_.size()))
        textPainter_.Draw(graphics, texts_[currentText_]);
}

RECT AnimatedWnd::BannerArea() const {
    const SIZE size = banners_.BannerSize();
    return {kBannerAt.x, kBannerAt.y, kBannerAt.x + size.cx, kBannerAt.y + size.cy};
}

AnimatedWnd::PlacedBox AnimatedWnd::PlaceBoxImage(int image, double progress) const {
    const int slot = Controls::CarouselSlot(image, step_.Rotation());
    const Controls::BoxPlacement box = Controls::PlaceBox(Controls::CarouselPosition(slot, progress));
    const auto scale = static_cast<float>(box.scale);
    return {static_cast<float>(box.x), static_cast<float>(box.y), boxes_[image].Width() * scale,
            boxes_[image].Height() * scale, box.glows};
}

RECT AnimatedWnd::BoxesArea() const {
    const double progress = step_.Progress(clock_());
    RECT area{};
    for (int i = 0; i < Controls::kCarouselImageCount; ++i) {
        const PlacedBox box = PlaceBoxImage(i, progress);
        area = Union(area, Covered(box.x, box.y, box.width, box.height));
        if (box.glows) {
            const Controls::CarouselImage& image = Controls::kCarouselImages[i];
            area = Union(area, Covered(box.x + image.glowX, box.y + image.glowY, static_cast<float>(glows_[i].Width()),
                                       static_cast<float>(glows_[i].Height())));
        }
    }
    return area;
}

void AnimatedWnd::DrawBoxes(Gdiplus::GpGraphics* graphics) {
    const double progress = step_.Progress(clock_());
    boxesPainted_ = BoxesArea();
    const bool moving = step_.IsStepping() && progress > 0 && progress < 1;
    if (moving) Gdip::GdipFlush(graphics, Gdiplus::FlushIntentionSync);  // the banner first
    // In image order: later boxes cover earlier ones.
    for (int i = 0; i < Controls::kCarouselImageCount; ++i) {
        const PlacedBox box = PlaceBoxImage(i, progress);
        const float x = box.x;
        const float y = box.y;
        if (moving) {
            if (!movingBoxes_[i]) movingBoxes_[i] = std::make_unique<MovingPicture>(boxes_[i]);
            const int left = static_cast<int>(std::lround(x));
            const int top = static_cast<int>(std::lround(y));
            movingBoxes_[i]->Draw(canvas_->Dc(), left, top, static_cast<int>(std::lround(x + box.width)) - left,
                                  static_cast<int>(std::lround(y + box.height)) - top);
            continue;
        }
        boxes_[i].DrawScaled(graphics, x, y, box.width, box.height);
        if (!box.glows) continue;
        // The blend reads the canvas pixels: everything drawn so far must be there.
        Gdip::GdipFlush(graphics, Gdiplus::FlushIntentionSync);
        GdiFlush();
        const Controls::CarouselImage& image = Controls::kCarouselImages[i];
        glows_[i].DrawScreenBlended(graphics, x + image.glowX, y + image.glowY, canvas_->Bitmap());
    }
}
