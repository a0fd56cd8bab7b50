#include "ui/win32/BitmapCopy.h"

UniqueBitmap CopyPixels(HDC source, int x, int y, int width, int height)
{
    UniqueBitmap bitmap(::CreateCompatibleBitmap(source, width, height));
    UniqueMemoryDc memory(::CreateCompatibleDC(source));
    if (!bitmap || !memory) return {};
    SelectedObject selection(memory.Get(), bitmap.Get());
    ::BitBlt(memory.Get(), 0, 0, width, height, source, x, y, SRCCOPY);
    return bitmap;
}

void DrawBitmap(HDC target, HBITMAP bitmap, int width, int height)
{
    UniqueMemoryDc memory(::CreateCompatibleDC(target));
    SelectedObject selection(memory.Get(), bitmap);
    ::BitBlt(target, 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
}

UniqueBitmap SnapshotParentUnder(HWND control, int width, int height)
{
    HWND parent = ::GetParent(control);
    RECT place{};
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    WindowDc parentDc(parent);
    return CopyPixels(parentDc.Get(), place.left, place.top, width, height);
}
