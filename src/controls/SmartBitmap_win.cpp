#include "controls/SmartBitmap.h"

#include <objidl.h>

#include <cstring>
#include <vector>

#include "common/UniqueResource.h"
#include "common/WinHandles.h"
#include "controls/ScreenBlend.h"

namespace {

using namespace Framework;

// The decoded bitmap with everything it depends on. The bitmap goes first:
// it may still read the PNG copy, which is unlocked and freed after it.
struct DecodedPng {
    GdiplusSession session;
    Common::UniqueGlobal block;
    UniqueGdipBitmap bitmap;

    ~DecodedPng() {
        bitmap.Reset();
        if (block) GlobalUnlock(block.Get());
    }
};

// A picture cut out of a decoded strip: a bitmap of its own pixels.
struct CutPicture {
    GdiplusSession session;
    UniqueGdipBitmap bitmap;
};

struct StreamTraits {
    using Handle = IStream*;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle stream) noexcept { stream->Release(); }
};

struct BitmapLock {
    Gdiplus::GpBitmap* bitmap;
    Gdiplus::BitmapData data{};
    bool locked = false;
    BitmapLock(Gdiplus::GpBitmap* target, int width, int height) : bitmap(target) {
        Gdiplus::GpRect area{0, 0, width, height};
        locked = Gdip::GdipBitmapLockBits(bitmap, &area, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite,
                                          PixelFormat32bppARGB, &data) == Gdiplus::Ok;
    }
    ~BitmapLock() {
        if (locked) Gdip::GdipBitmapUnlockBits(bitmap, &data);
    }
};

// The canvas pixels as 32-bit rows, top row first.
std::vector<std::uint8_t> CanvasPixels(HBITMAP canvas, BITMAP& info) {
    std::vector<std::uint8_t> pixels;
    if (!GetObjectW(canvas, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return pixels;
    if (info.bmBitsPixel == 32) {
        pixels.resize(static_cast<std::size_t>(info.bmWidthBytes) * info.bmHeight);
        if (GetBitmapBits(canvas, static_cast<LONG>(pixels.size()), pixels.data()) == 0) pixels.clear();
        return pixels;
    }
    // Other display depths: ask for 32-bit pixels explicitly.
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    pixels.resize(static_cast<std::size_t>(info.bmWidth) * info.bmHeight * 4);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, canvas, 0, info.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != info.bmHeight) pixels.clear();
    info.bmWidthBytes = info.bmWidth * 4;
    return pixels;
}

}  // namespace

const void* FindResourceBytes(HMODULE module, int id, const wchar_t* type, std::size_t& size) {
    size = 0;
    if (!module) module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!found) return nullptr;
    const DWORD bytes = SizeofResource(module, found);
    HGLOBAL loaded = bytes ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (data) size = bytes;
    return data;
}

SmartBitmap::SmartBitmap() { SmartBitmap::StartGraphics(); }

SmartBitmap::~SmartBitmap() {
    image_.reset();
    SmartBitmap::StopGraphics();
}

void SmartBitmap::StartGraphics() {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

void SmartBitmap::StopGraphics() {
    if (token_) Gdiplus::GdiplusShutdown(token_);
    token_ = 0;
}

void SmartBitmap::Release() {
    image_.reset();
    pendingBytes_ = nullptr;
    pendingSize_ = 0;
    pendingCell_ = nullptr;
}

namespace {

std::shared_ptr<Gdiplus::GpBitmap> DecodePng(const void* bytes, std::size_t size) {
    if (!bytes || size == 0) return nullptr;
    auto decoded = std::make_shared<DecodedPng>();
    decoded->block.Reset(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!decoded->block) return nullptr;
    void* copy = GlobalLock(decoded->block.Get());
    if (!copy) return nullptr;
    std::memcpy(copy, bytes, size);

    Common::UniqueResource<StreamTraits> stream;
    if (FAILED(CreateStreamOnHGlobal(decoded->block.Get(), FALSE, stream.Put()))) return nullptr;  // unlocks in ~DecodedPng
    if (Gdip::GdipCreateBitmapFromStream(stream.Get(), decoded->bitmap.Put()) != Gdiplus::Ok) {
        decoded->bitmap.Reset();
        return nullptr;
    }
    return std::shared_ptr<Gdiplus::GpBitmap>(decoded, decoded->bitmap.Get());
}

}  // namespace

bool SmartBitmap::LoadFromMemory(const void* bytes, std::size_t size) {
    Release();
    image_ = DecodePng(bytes, size);
    return image_ != nullptr;
}

namespace {

// The resource bytes of picture `id`: its own PNG resource, or else the
// strip that holds it with the cell to cut out.
const void* FindPicture(HMODULE module, int id, std::size_t& size, const PictureCell*& cell) {
    cell = nullptr;
    if (const void* bytes = FindResourceBytes(module, id, L"PNG", size)) return bytes;
    const PictureCell* inStrip = FindPictureCell(id);
    if (!inStrip) return nullptr;
    const void* bytes = FindResourceBytes(module, inStrip->strip, L"PNG", size);
    if (bytes) cell = inStrip;
    return bytes;
}

// The cell of a decoded strip as a picture of its own, in full-colour
// pixels (the strip's shared palette is no business of the picture).
std::shared_ptr<Gdiplus::GpBitmap> CutOut(const std::shared_ptr<Gdiplus::GpBitmap>& strip, const PictureCell& cell) {
    if (!strip) return nullptr;
    auto cut = std::make_shared<CutPicture>();
    if (Gdip::GdipCloneBitmapAreaI(cell.x, cell.y, cell.width, cell.height, PixelFormat32bppARGB, strip.get(),
                                   cut->bitmap.Put()) != Gdiplus::Ok) {
        return nullptr;
    }
    return std::shared_ptr<Gdiplus::GpBitmap>(cut, cut->bitmap.Get());
}

}  // namespace

bool HasPictureResource(int id, HMODULE module) {
    std::size_t size = 0;
    const PictureCell* cell = nullptr;
    return FindPicture(module, id, size, cell) != nullptr;
}

bool SmartBitmap::LoadFromResource(int id, HMODULE module) {
    std::size_t size = 0;
    const PictureCell* cell = nullptr;
    const void* bytes = FindPicture(module, id, size, cell);
    if (!bytes) return false;
    Release();
    pendingBytes_ = bytes;
    pendingSize_ = size;
    pendingCell_ = cell;
    return true;
}

const std::shared_ptr<Gdiplus::GpBitmap>& SmartBitmap::Image() const {
    if (pendingBytes_) {
        image_ = DecodePng(pendingBytes_, pendingSize_);
        if (pendingCell_) image_ = CutOut(image_, *pendingCell_);
        pendingBytes_ = nullptr;
        pendingSize_ = 0;
        pendingCell_ = nullptr;
    }
    return image_;
}

unsigned SmartBitmap::Width() const {
    UINT width = 0;
    if (Image()) Gdip::GdipGetImageWidth(Image().get(), &width);
    return width;
}

unsigned SmartBitmap::Height() const {
    UINT height = 0;
    if (Image()) Gdip::GdipGetImageHeight(Image().get(), &height);
    return height;
}

void SmartBitmap::Draw(Gdiplus::GpGraphics* graphics, int x, int y) const {
    // At the pixel size, whatever resolution the PNG declares.
    if (Image() && graphics)
        Gdip::GdipDrawImageRectI(graphics, Image().get(), x, y, static_cast<INT>(Width()), static_cast<INT>(Height()));
}

void SmartBitmap::DrawScaled(Gdiplus::GpGraphics* graphics, float left, float top, float width, float height) const {
    if (!Image() || !graphics) return;
    Gdip::GdipDrawImageRectRect(graphics, Image().get(), left, top, width, height, 0, 0,
                                static_cast<Gdiplus::REAL>(Width()), static_cast<Gdiplus::REAL>(Height()),
                                Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
}

void SmartBitmap::DrawWithTransparency(Gdiplus::GpGraphics* graphics, int x, int y, int transparencyPercent) const {
    if (!Image() || !graphics) return;
    const Gdiplus::REAL opacity = static_cast<Gdiplus::REAL>(100 - transparencyPercent) / 100.0f;
    Gdiplus::ColorMatrix matrix{};
    for (int i = 0; i < 5; ++i) matrix.m[i][i] = 1.0f;
    matrix.m[3][3] = opacity;
    UniqueImageAttributes attributes;
    if (Gdip::GdipCreateImageAttributes(attributes.Put()) != Gdiplus::Ok) return;
    Gdip::GdipSetImageAttributesColorMatrix(attributes.Get(), Gdiplus::ColorAdjustTypeBitmap, TRUE, &matrix, nullptr,
                                            Gdiplus::ColorMatrixFlagsDefault);
    Gdiplus::CompositingQuality saved = Gdiplus::CompositingQualityDefault;
    Gdip::GdipGetCompositingQuality(graphics, &saved);
    Gdip::GdipSetCompositingQuality(graphics, Gdiplus::CompositingQualityHighSpeed);
    const INT width = static_cast<INT>(Width());
    const INT height = static_cast<INT>(Height());
    Gdip::GdipDrawImageRectRectI(graphics, Image().get(), x, y, width, height, 0, 0, width, height,
                                 Gdiplus::UnitPixel, attributes.Get(), nullptr, nullptr);
    Gdip::GdipSetCompositingQuality(graphics, saved);
}

void SmartBitmap::DrawScreenBlended(Gdiplus::GpGraphics* graphics, float x, float y, HBITMAP canvas) const {
    if (!Image() || !graphics || !canvas) return;
    BITMAP canvasInfo{};
    std::vector<std::uint8_t> under = CanvasPixels(canvas, canvasInfo);
    if (under.empty()) return;

    const INT width = static_cast<INT>(Width());
    const INT height = static_cast<INT>(Height());
    UniqueGdipBitmap clone;
    if (Gdip::GdipCloneBitmapAreaI(0, 0, width, height, PixelFormat32bppARGB, Image().get(), clone.Put()) !=
        Gdiplus::Ok)
        return;
    {
        BitmapLock lock(clone.Get(), width, height);
        if (!lock.locked || lock.data.Stride <= 0) return;
        Controls::ScreenBlendOnto({under.data(), canvasInfo.bmWidth, canvasInfo.bmHeight, canvasInfo.bmWidthBytes},
                                  {static_cast<std::uint8_t*>(lock.data.Scan0), width, height, lock.data.Stride},
                                  static_cast<int>(x), static_cast<int>(y));
    }
    Gdip::GdipDrawImageRectI(graphics, clone.Get(), static_cast<INT>(x), static_cast<INT>(y), width, height);
}
