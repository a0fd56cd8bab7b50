#include "ui/win32/MemDC.h"

MemDC::MemDC(HDC target, const RECT& rectangle, bool copyTarget) : target_(target), rectangle_(rectangle)
{
    if (::IsRectEmpty(&rectangle_)) ::GetClipBox(target_, &rectangle_);
    if (::GetDeviceCaps(target_, TECHNOLOGY) == DT_RASPRINTER) return;

    const int width = rectangle_.right - rectangle_.left;
    const int height = rectangle_.bottom - rectangle_.top;
    memory_.Reset(::CreateCompatibleDC(target_));
    bitmap_.Reset(::CreateCompatibleBitmap(target_, width, height));
    if (!memory_ || !bitmap_) {
        memory_.Reset();
        return;
    }
    previousBitmap_ = ::SelectObject(memory_.Get(), bitmap_.Get());
    ::SetWindowOrgEx(memory_.Get(), rectangle_.left, rectangle_.top, nullptr);
    if (copyTarget)
        ::BitBlt(memory_.Get(), rectangle_.left, rectangle_.top, width, height, target_, rectangle_.left,
                 rectangle_.top, SRCCOPY);
}

MemDC::~MemDC()
{
    if (!memory_) return;
    ::BitBlt(target_, rectangle_.left, rectangle_.top, rectangle_.right - rectangle_.left,
             rectangle_.bottom - rectangle_.top, memory_.Get(), rectangle_.left, rectangle_.top, SRCCOPY);
    ::SelectObject(memory_.Get(), previousBitmap_);
}
