#include "controls/SimpleProgressControl.h"

#include "framework/GdiHandles.h"

bool SimpleProgressControl::LoadImages(HMODULE module) {
    if (!track_.LoadFromResource(kTrackImage, module)) return false;
    if (!fill_.LoadFromResource(kFillImage, module)) return false;
    if (!highlight_.LoadFromResource(kHighlightImage, module)) return false;
    if (Handle())
        SetWindowPos(Handle(), nullptr, 0, 0, static_cast<int>(track_.Width()), static_cast<int>(track_.Height()),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void SimpleProgressControl::SetPercent(int percent) {
    if (percent == percent_) return;  // the page passes every view change on
    percent_ = percent;
    Invalidate(false);
}

void SimpleProgressControl::StartSweeping() {
    sweeping_ = true;
    sweep_ = {};
    if (Handle()) SetTimer(Handle(), kSweepTimer, kSweepPeriodMs, nullptr);
    Invalidate(false);
}

void SimpleProgressControl::StopSweeping() {
    sweeping_ = false;
    if (Handle()) KillTimer(Handle(), kSweepTimer);
    Invalidate(false);
}

LRESULT SimpleProgressControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER: return OnTimer();
        default: return BufferedPaintWindow::WindowProc(message, wParam, lParam);
    }
}

LRESULT SimpleProgressControl::OnTimer() {
    sweep_ = Controls::NextSweep(sweep_, static_cast<int>(track_.Width()), static_cast<int>(highlight_.Width()));
    Invalidate(false);
    return 0;
}

bool SimpleProgressControl::DoPaint(HDC dc, const RECT& client) {
    Framework::UniqueGraphics graphics = Framework::GraphicsFor(dc);
    track_.DrawScaled(graphics.Get(), 0, 0, static_cast<float>(client.right), static_cast<float>(client.bottom));
    Framework::UniqueTexture texture;
    if (fill_.IsLoaded())
        Framework::Gdip::GdipCreateTexture(fill_.GetImage().get(), Gdiplus::WrapModeTileFlipX, texture.Put());
    const int trackWidth = static_cast<int>(track_.Width());
    const int fillHeight = static_cast<int>(fill_.Height());
    const int fillWidth = sweeping_ ? trackWidth : Controls::ProgressFillWidth(trackWidth, marginX_, percent_);
    if (texture && fillWidth > 0)
        Framework::Gdip::GdipFillRectangleI(graphics.Get(), texture.Get(), marginX_, marginY_, fillWidth,
                                            fillHeight);
    if (sweeping_) highlight_.Draw(graphics.Get(), sweep_.x, 1);
    return true;
}
