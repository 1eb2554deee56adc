// The carousel and the banner board drawn into pixel canvases and read back.
// Time is steered through the carousel's clock and ticks are delivered as the
// timer service delivers them, so every frame is reproducible; a few frames
// are saved as PNG files in carousel-frames/ for review.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "PixelCanvas.h"
#include "controls/AnimatedWnd.h"
#include "controls/BannerBoard.h"
#include "controls/CarouselGeometry.h"
#include "framework/WindowHandle.h"
#include "language/LanguageId.h"

namespace {

namespace Gdip = Framework::Gdip;

constexpr int kWidth = 788;
constexpr int kHeight = 439;
constexpr int kBackground = 136;

// A hidden, borderless stand-in for the wizard window: its client area
// starts where its children's do, so the background lines up at (0, 0).
Framework::UniqueWindow MakeWizard() {
    return Framework::UniqueWindow(
        CreateWindowExW(0, L"STATIC", L"wizard", WS_POPUP, 0, 0, 800, 547, nullptr, nullptr, nullptr, nullptr));
}

HWND MakeChild(HWND parent, int x, int y, int width, int height, int id) {
    return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Sample points of a rectangle, every `step` pixels.
std::vector<POINT> Samples(int left, int top, int right, int bottom, int step) {
    std::vector<POINT> points;
    for (int y = top; y < bottom; y += step)
        for (int x = left; x < right; x += step) points.push_back({x, y});
    return points;
}

void SaveFrame(const PixelCanvas& frame, const std::wstring& name) {
    CreateDirectoryW(L"carousel-frames", nullptr);
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(frame.Width()) * frame.Height());
    for (int y = 0; y < frame.Height(); ++y)
        for (int x = 0; x < frame.Width(); ++x) {
            const COLORREF c = frame.At(x, y);
            pixels.push_back(0xFF000000u | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
        }
    Framework::GdiplusSession session;
    Framework::UniqueGdipBitmap bitmap;
    if (Gdip::GdipCreateBitmapFromScan0(frame.Width(), frame.Height(), frame.Width() * 4, PixelFormat32bppARGB,
                                        reinterpret_cast<BYTE*>(pixels.data()), bitmap.Put()) != Gdiplus::Ok)
        return;
    static const CLSID kPngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    const std::wstring path = L"carousel-frames\\" + name + L".png";
    Gdip::GdipSaveImageToFile(bitmap.Get(), path.c_str(), &kPngEncoder, nullptr);
}

class CarouselTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(wizard);
        ASSERT_TRUE(carousel.Subclass(MakeChild(wizard.Get(), 0, 0, kWidth, kHeight, 1178)));
        ASSERT_NE(carousel.StepTimer(), nullptr);
        background.LoadFromResource(kBackground);
    }

    void AddFeatureTexts() {
        const char16_t* titles[] = {u"Convert any File to PDF", u"Edit PDF Documents", u"Read PDF Files",
                                    u"Create PDF Forms", u"Review PDF Documents", u"Secure and Sign PDF Documents",
                                    u"Complementary PDF Tools"};
        for (const char16_t* title : titles)
            carousel.AddTextItem(title, u"Single-click to convert any document to PDF",
                                 u"Convert 300+ file formats to PDF Accurately", u"NEW! Convert PDF back into Word",
                                 u"");
    }

    // One tick of the step timer at tick count `at`, delivered the way the
    // timer service delivers it.
    void TickAt(std::uint32_t at) {
        now = at;
        SendMessageW(Framework::TimerService::Instance().Window(), WM_TIMER,
                     static_cast<WPARAM>(carousel.StepTimer()->Id()), 0);
    }
    void RunStep() {
        TickAt(now + 1000);
        TickAt(now + Controls::CarouselStep::kDurationMs + 1);
    }

    std::unique_ptr<PixelCanvas> Frame() {
        auto frame = std::make_unique<PixelCanvas>(kWidth, kHeight);
        carousel.PaintTo(frame->Dc());
        return frame;
    }
    // The background alone, then whatever `draw` adds with the carousel's
    // drawing settings.
    template <typename Draw>
    std::unique_ptr<PixelCanvas> Reference(Draw draw) {
        auto reference = std::make_unique<PixelCanvas>(kWidth, kHeight);
        Framework::UniqueGraphics graphics = reference->Graphics();
        Gdip::GdipSetInterpolationMode(graphics.Get(), Gdiplus::InterpolationModeLowQuality);
        Gdip::GdipSetSmoothingMode(graphics.Get(), Gdiplus::SmoothingModeNone);
        Gdip::GdipSetPixelOffsetMode(graphics.Get(), Gdiplus::PixelOffsetModeNone);
        background.Draw(graphics.Get(), 0, 0);
        draw(graphics.Get());
        return reference;
    }
    std::unique_ptr<PixelCanvas> BackgroundOnly() {
        return Reference([](Gdiplus::GpGraphics*) {});
    }

    // Share of the sample points where `frame` shows what `reference` does.
    static double Matching(const PixelCanvas& frame, const PixelCanvas& reference, const std::vector<POINT>& points,
                           int tolerance = 6) {
        int same = 0;
        for (const POINT& p : points) same += Near(frame.At(p.x, p.y), reference.At(p.x, p.y), tolerance);
        return static_cast<double>(same) / points.size();
    }

    std::uint32_t now = 100000;
    Framework::UniqueWindow wizard = MakeWizard();
    AnimatedWnd carousel{[this] { return now; }};
    SmartBitmap background;
};

TEST_F(CarouselTest, TheCentreBoxTextAndBannerFollowTheSteps) {
    AddFeatureTexts();
    // The lower part of the centre box, clear of the glow, the text and the
    // neighbouring boxes.
    const std::vector<POINT> boxArea = Samples(330, 250, 470, 286, 4);
    struct Case {
        int steps, centreImage;
    } cases[] = {{0, 3}, {1, 2}, {4, 6}, {7, 3}};
    int done = 0;
    for (const Case& c : cases) {
        for (; done < c.steps; ++done) RunStep();
        EXPECT_EQ(carousel.Rotation(), c.steps % 7);
        EXPECT_EQ(carousel.CurrentTextIndex(), c.steps % 7);
        EXPECT_EQ(carousel.Banners().CrossFade().Current(), c.steps % 7);
        EXPECT_FALSE(carousel.StepTimer()->IsRunning());
        const auto frame = Frame();
        for (int image = 0; image < Controls::kCarouselImageCount; ++image) {
            SmartBitmap box;
            ASSERT_TRUE(box.LoadFromResource(Controls::kCarouselImages[image].box));
            const auto reference = Reference([&](Gdiplus::GpGraphics* g) { box.DrawScaled(g, 320, 85, 160, 220); });
            const double matching = Matching(*frame, *reference, boxArea);
            if (image == c.centreImage)
                EXPECT_GT(matching, 0.95) << "steps " << c.steps;
            else
                EXPECT_LT(matching, 0.8) << "steps " << c.steps << ", image " << image;
        }
        if (c.steps <= 1) SaveFrame(*frame, c.steps == 0 ? L"idle" : L"after-one-step");
    }
}

TEST_F(CarouselTest, TheBannerCrossFadesDuringAStep) {
    AddFeatureTexts();
    const std::vector<POINT> bannerArea = Samples(600, 260, 740, 430, 9);  // clear of boxes and texts
    const auto plain = BackgroundOnly();
    struct Case {
        int ticks;  // 40 ms apart
        int banner, transparency;
    } cases[] = {
        {13, 1242, 52},  // fade 148: the previous banner fading out
        {37, 1243, 52},  // fade 52: the next one fading in
        {50, 1243, 0},   // fade 0, a second before the step ends
    };
    const std::uint32_t start = now;
    int ticked = 0;
    for (const Case& c : cases) {
        for (; ticked < c.ticks; ++ticked) TickAt(start + 40u * ticked);
        EXPECT_TRUE(carousel.IsStepping());
        EXPECT_EQ(carousel.Banners().CrossFade().Fade(), 200 - 4 * c.ticks);
        SmartBitmap banner;
        ASSERT_TRUE(banner.LoadFromResource(c.banner));
        const auto opaque = Reference([&](Gdiplus::GpGraphics* g) { banner.Draw(g, 500, 190); });
        const auto frame = Frame();
        int off = 0;
        for (const POINT& p : bannerArea) {
            const COLORREF under = plain->At(p.x, p.y), over = opaque->At(p.x, p.y);
            const auto mix = [&](int a, int b) { return a + (b - a) * (100 - c.transparency) / 100; };
            const COLORREF expected = RGB(mix(GetRValue(under), GetRValue(over)), mix(GetGValue(under), GetGValue(over)),
                                          mix(GetBValue(under), GetBValue(over)));
            off += !Near(frame->At(p.x, p.y), expected, 4);
        }
        EXPECT_EQ(off, 0) << c.ticks << " ticks";
        if (c.ticks == 37) SaveFrame(*frame, L"mid-step");
    }
}

// A tick invalidates only what moves; painting just that part over the last
// frame must give the frame a whole repaint gives, through a whole step
// (boxes leaving and entering at the ends of the arc, the banner fading, the
// glow going and coming back).
TEST_F(CarouselTest, ATickRepaintsOnlyWhatMovedAndTheResultIsTheWholeFrame) {
    AddFeatureTexts();
    // Shown, or the system keeps no update region; no message is pumped, so
    // nothing paints but the test.
    SetWindowPos(wizard.Get(), nullptr, -3000, -3000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(wizard.Get(), SW_SHOWNOACTIVATE);
    TickAt(now);  // begins a step: the new text repaints everything
    PixelCanvas screen(kWidth, kHeight);
    carousel.PaintTo(screen.Dc());
    const RECT client{0, 0, kWidth, kHeight};
    const std::uint32_t start = now;
    for (std::uint32_t at = start + 40; at <= start + Controls::CarouselStep::kDurationMs + 40; at += 200) {
        ValidateRect(carousel.Handle(), nullptr);
        TickAt(at);
        RECT moved{};
        ASSERT_TRUE(GetUpdateRect(carousel.Handle(), &moved, FALSE)) << at - start;
        EXPECT_FALSE(EqualRect(&moved, &client)) << "the whole window at " << at - start << " ms";
        EXPECT_GT(moved.top, 0) << "the title strip repainted at " << at - start << " ms";
        carousel.PaintTo(screen.Dc(), moved);
        const auto whole = Frame();
        EXPECT_DOUBLE_EQ(Matching(screen, *whole, Samples(0, 0, kWidth, kHeight, 3), 0), 1.0) << at - start << " ms";
    }
}

TEST_F(CarouselTest, TheGlowShowsOnlyOnTheBoxRestingInTheCentre) {
    // Just above the centre box only its glow can change the background.
    const std::vector<POINT> aboveCentre = Samples(330, 66, 480, 84, 2);
    const auto plain = BackgroundOnly();
    EXPECT_LT(Matching(*Frame(), *plain, aboveCentre, 0), 0.9) << "at rest the glow lightens the background";
    TickAt(now);
    TickAt(now + Controls::CarouselStep::kDurationMs / 2);
    EXPECT_DOUBLE_EQ(Matching(*Frame(), *plain, aboveCentre, 0), 1.0) << "no glow while the boxes move";
}

TEST_F(CarouselTest, TitleStripFollowsTheLanguageAndNoStripShowsTheBackground) {
    const std::vector<POINT> titleArea = Samples(475, 20, 705, 52, 2);
    const auto plain = BackgroundOnly();
    for (LanguageId language = 0; language < Language::Count; ++language) {
        carousel.SetTitleImage(Controls::CarouselTitleImage(language));
        const auto frame = Frame();
        EXPECT_LT(Matching(*frame, *plain, titleArea, 0), 0.9) << language;
        if (language == Language::Japanese) SaveFrame(*frame, L"title-ja");
    }
    carousel.SetTitleImage(Controls::CarouselTitleImage(Language::Count));
    EXPECT_DOUBLE_EQ(Matching(*Frame(), *plain, titleArea, 0), 1.0);
}

TEST_F(CarouselTest, TextsBulletsAndBannerAppearWithTheFirstTextItem) {
    const std::vector<POINT> textArea = Samples(134, 290, 316, 420, 1);  // left of the centre box
    const std::vector<POINT> bannerArea = Samples(600, 260, 740, 430, 9);
    const auto plain = BackgroundOnly();
    EXPECT_EQ(carousel.CurrentTextIndex(), -1);
    EXPECT_EQ(carousel.Banners().ItemCount(), 0u);
    EXPECT_EQ(GetDlgItem(carousel.Handle(), AnimatedWnd::kBannerBoardId), nullptr);
    {
        const auto frame = Frame();
        EXPECT_DOUBLE_EQ(Matching(*frame, *plain, textArea, 0), 1.0);
        EXPECT_DOUBLE_EQ(Matching(*frame, *plain, bannerArea, 0), 1.0);
    }

    AddFeatureTexts();
    EXPECT_EQ(carousel.CurrentTextIndex(), 0);
    EXPECT_EQ(carousel.Banners().ItemCount(), 7u);
    HWND board = GetDlgItem(carousel.Handle(), AnimatedWnd::kBannerBoardId);
    ASSERT_NE(board, nullptr);
    RECT boardRect{};
    GetClientRect(board, &boardRect);
    EXPECT_TRUE(IsRectEmpty(&boardRect)) << "the carousel draws the banners itself";

    const auto frame = Frame();
    EXPECT_LT(Matching(*frame, *plain, textArea, 0), 0.97) << "title and lines are drawn";
    EXPECT_LT(Matching(*frame, *plain, bannerArea, 0), 0.5) << "the first banner shows";
    SmartBitmap bullet;
    ASSERT_TRUE(bullet.LoadFromResource(CarouselTextPainter::kBulletImage));
    const auto bullets = Reference([&](Gdiplus::GpGraphics* g) {
        for (int y : {327, 353, 378}) bullet.Draw(g, 139, y);
    });
    for (int y : {327, 353, 378})
        EXPECT_GT(Matching(*frame, *bullets, Samples(139, y, 150, y + 11, 1)), 0.9) << "bullet at " << y;
}

TEST(CarouselTimer, AStepStartedFromAnotherThreadRunsOnceToItsEnd) {
    Framework::UniqueWindow wizard = MakeWizard();
    AnimatedWnd carousel;
    ASSERT_TRUE(carousel.Subclass(MakeChild(wizard.Get(), 0, 0, kWidth, kHeight, 1178)));
    carousel.AddTextItem(u"One", u"a", u"b", u"c", u"");
    carousel.AddTextItem(u"Two", u"a", u"b", u"c", u"");

    const auto pumpFor = [](DWORD ms, auto done) {
        const ULONGLONG deadline = GetTickCount64() + ms;
        MSG message;
        while (!done() && GetTickCount64() < deadline) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
            Sleep(5);
        }
    };
    std::thread([&] { carousel.StartStep(); }).join();
    pumpFor(1000, [&] { return carousel.IsStepping(); });
    ASSERT_TRUE(carousel.IsStepping());
    EXPECT_TRUE(carousel.StepTimer()->IsRunning());
    EXPECT_EQ(carousel.CurrentTextIndex(), 1);
    // The page's driver may restart the timer while the step runs: the step
    // carries on and still ends once.
    std::thread([&] { carousel.StartStep(); }).join();
    pumpFor(6000, [&] { return !carousel.IsStepping(); });
    EXPECT_FALSE(carousel.IsStepping());
    EXPECT_FALSE(carousel.StepTimer()->IsRunning());
    EXPECT_EQ(carousel.Rotation(), 1);
    EXPECT_EQ(carousel.Banners().CrossFade().Fade(), 0);
    EXPECT_EQ(carousel.Banners().CrossFade().Current(), 1);
}

TEST(BannerBoardWindow, ShowsTheBackgroundUnderItAndItsBannerOnTop) {
    Framework::UniqueWindow wizard = MakeWizard();
    SmartBitmap background, banner;
    ASSERT_TRUE(background.LoadFromResource(kBackground));
    ASSERT_TRUE(banner.LoadFromResource(1242));
    for (bool withBanner : {false, true}) {
        BannerBoard board;
        ASSERT_TRUE(board.Subclass(MakeChild(wizard.Get(), 9, 452, 120, 20, 1013)));
        if (withBanner) board.AddItem(1242);
        PixelCanvas painted(120, 20), expected(120, 20);
        board.PaintTo(painted.Dc());
        {
            Framework::UniqueGraphics graphics = expected.Graphics();
            background.Draw(graphics.Get(), -9, -452);
            if (withBanner) banner.Draw(graphics.Get(), 0, 0);
        }
        EXPECT_TRUE(painted.SameAs(expected)) << withBanner;
        DestroyWindow(board.Handle());
    }
}

}  // namespace
