// One decoded PNG skin image from the program's resources, and the ways the
// wizard draws it: at natural size, scaled, faded, and screen-blended onto an
// off-screen canvas. Every picture of the wizard goes through this class.
//
// A picture from the resources is decoded when it is first needed (drawn,
// measured or handed out), so pictures of pages never shown cost nothing but
// their place in the executable. Each object holds its own start-up of the
// graphics library. The decoded
// bitmap is shared: GetImage hands out a further owner, and the bitmap, the
// private copy of the PNG bytes it was decoded from and a start-up of the
// library all live until the last owner lets go, so a bitmap handed out
// stays valid across a reload or the end of this object.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>

#include "controls/PictureStrip.h"
#include "framework/GdiplusHandles.h"

class SmartBitmap {
public:
    SmartBitmap();
    virtual ~SmartBitmap();
    SmartBitmap(const SmartBitmap&) = delete;
    SmartBitmap& operator=(const SmartBitmap&) = delete;

    // Decodes a PNG held in memory; the bytes are copied. The previous image
    // is released first, so a failed load leaves the object empty.
    bool LoadFromMemory(const void* bytes, std::size_t size);
    // Takes the resource of type "PNG" with `id` of `module` (null: this
    // program), or the picture `id` cut out of its strip, decoded at its
    // first use; a resource that does not decode then leaves the object
    // empty. A missing or empty resource returns false and leaves the object
    // as it was.
    bool LoadFromResource(int id, HMODULE module = nullptr);
    // Drops the image (the button images empty themselves before a load).
    void Release();

    std::shared_ptr<Gdiplus::GpBitmap> GetImage() const { return Image(); }
    bool IsLoaded() const { return Image() != nullptr; }
    // Size in pixels; 0 when empty.
    unsigned Width() const;
    unsigned Height() const;

    // At natural size with the top-left corner at (x, y).
    virtual void Draw(Gdiplus::GpGraphics* graphics, int x, int y) const;
    // The whole image stretched into the rectangle.
    void DrawScaled(Gdiplus::GpGraphics* graphics, float left, float top, float width, float height) const;
    // Faded: 0 draws as Draw does, 100 draws nothing visible.
    void DrawWithTransparency(Gdiplus::GpGraphics* graphics, int x, int y, int transparencyPercent) const;
    // Screen-blends the image with the pixels of `canvas` (the off-screen
    // bitmap `graphics` draws on) under it, so it only ever lightens them.
    void DrawScreenBlended(Gdiplus::GpGraphics* graphics, float x, float y, HBITMAP canvas) const;

protected:
    virtual void StartGraphics();
    virtual void StopGraphics();

private:
    // The decoded picture, decoding the resource taken first if there is one.
    const std::shared_ptr<Gdiplus::GpBitmap>& Image() const;

    ULONG_PTR token_ = 0;
    mutable std::shared_ptr<Gdiplus::GpBitmap> image_;
    // A resource taken but not decoded yet (its bytes live as long as the
    // module that holds them).
    mutable const void* pendingBytes_ = nullptr;
    mutable std::size_t pendingSize_ = 0;
    // The part of the pending resource that is the picture (a strip's cell).
    mutable const PictureCell* pendingCell_ = nullptr;
};

// Whether LoadFromResource finds picture `id` in `module`.
bool HasPictureResource(int id, HMODULE module = nullptr);

// The bytes of a resource of `type` and `id`, or null with size 0.
const void* FindResourceBytes(HMODULE module, int id, const wchar_t* type, std::size_t& size);
