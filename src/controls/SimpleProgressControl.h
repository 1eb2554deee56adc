// The progress bar of the download and install page: a track, a one-pixel
// fill column tiled over the done share, and a highlight that sweeps to and
// fro while the length of the work is not known yet.
#pragma once

#include <windows.h>

#include "SkinImageIds.h"
#include "controls/ProgressGeometry.h"
#include "controls/SmartBitmap.h"
#include "framework/BufferedPaintWindow.h"

class SimpleProgressControl : public Framework::BufferedPaintWindow {
public:
    static constexpr int kTrackImage = IDPNG_PROGRESS_TRACK;
    static constexpr int kFillImage = IDPNG_PROGRESS_FILL;
    static constexpr int kHighlightImage = IDPNG_PROGRESS_HIGHLIGHT;
    static constexpr UINT_PTR kSweepTimer = 1;
    static constexpr UINT kSweepPeriodMs = 40;

    // Loads the track, fill and highlight, stopping at the first that fails;
    // on success sizes the control to the track in place.
    bool LoadImages(HMODULE module = nullptr);

    // The done share, 0 to 100 (values outside count as the nearest end).
    void SetPercent(int percent);
    int Percent() const { return percent_; }
    // Starts the highlight from the left edge, a step every 40 ms.
    void StartSweeping();
    // Back to showing the share.
    void StopSweeping();
    bool IsSweeping() const { return sweeping_; }
    int HighlightX() const { return sweep_.x; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The track, the fill of the done share or the sweeping highlight.
    bool DoPaint(HDC dc, const RECT& client) override;

private:
    LRESULT OnTimer();

    SmartBitmap track_;
    SmartBitmap fill_;
    SmartBitmap highlight_;
    int marginX_ = 1;
    int marginY_ = 1;
    int percent_ = 0;
    bool sweeping_ = false;
    Controls::SweepState sweep_;
};
