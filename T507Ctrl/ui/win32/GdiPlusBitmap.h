#pragma once

#include <memory>
#include <string>

#include "ui/win32/GdiPlus.h"

// Owns one GDI+ bitmap, absent until a load succeeds.
class GdiPlusBitmap {
public:
    GdiPlusBitmap() = default;
    virtual ~GdiPlusBitmap() = default;
    GdiPlusBitmap(const GdiPlusBitmap&) = delete;
    GdiPlusBitmap& operator=(const GdiPlusBitmap&) = delete;

    // Drops what is held and decodes the file; true exactly when GDI+ succeeded.
    bool Load(const std::wstring& path);
    void Reset() { bitmap_.reset(); }

    Gdiplus::Bitmap* Get() const { return bitmap_.get(); }
    explicit operator bool() const { return bitmap_ != nullptr; }
    int Width() const { return bitmap_ ? static_cast<int>(bitmap_->GetWidth()) : 0; }
    int Height() const { return bitmap_ ? static_cast<int>(bitmap_->GetHeight()) : 0; }

protected:
    void Take(std::unique_ptr<Gdiplus::Bitmap> bitmap);

private:
    std::unique_ptr<Gdiplus::Bitmap> bitmap_;
};

// A GDI+ bitmap that may also come from a bitmap resource of the program.
class GdiPlusBitmapResource : public GdiPlusBitmap {
public:
    // Drops what is held and converts the bitmap resource; true on success.
    bool LoadBitmapResource(HINSTANCE module, UINT resourceId);
};
