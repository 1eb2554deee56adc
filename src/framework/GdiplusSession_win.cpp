#include "framework/GdiplusHandles.h"

namespace Framework {

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, background thread on
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

GdiplusSession::~GdiplusSession() {
    if (token_) Gdiplus::GdiplusShutdown(token_);
}

}  // namespace Framework
