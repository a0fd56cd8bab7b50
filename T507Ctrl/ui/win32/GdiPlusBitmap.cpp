#include "ui/win32/GdiPlusBitmap.h"

#include "base/win32/UniqueHandle.h"

void GdiPlusBitmap::Take(std::unique_ptr<Gdiplus::Bitmap> bitmap)
{
    if (bitmap && bitmap->GetLastStatus() == Gdiplus::Ok) bitmap_ = std::move(bitmap);
}

bool GdiPlusBitmap::Load(const std::wstring& path)
{
    bitmap_.reset();
    Take(std::make_unique<Gdiplus::Bitmap>(path.c_str()));
    return bitmap_ != nullptr;
}

bool GdiPlusBitmapResource::LoadBitmapResource(HINSTANCE module, UINT resourceId)
{
    Reset();
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageW(module, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap) return false;
    // The GDI+ bitmap is a copy: the GDI bitmap can go right away.
    Take(std::unique_ptr<Gdiplus::Bitmap>(Gdiplus::Bitmap::FromHBITMAP(bitmap.Get(), nullptr)));
    return static_cast<bool>(*this);
}
