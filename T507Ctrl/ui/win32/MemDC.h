#pragma once

#include <windows.h>

#include "base/win32/UniqueHandle.h"

// Off-screen drawing over a target device context: drawing goes to a memory surface
// of the rectangle's size (window origin at the rectangle's top-left corner), which
// is copied to the target when the object goes. Over a printer it draws straight
// into the target.
class MemDC {
public:
    // An empty rectangle means the target's clipping box. With `copyTarget` the surface
    // starts with the target's pixels.
    MemDC(HDC target, const RECT& rectangle, bool copyTarget);
    ~MemDC();
    MemDC(const MemDC&) = delete;
    MemDC& operator=(const MemDC&) = delete;

    HDC Get() const { return memory_ ? memory_.Get() : target_; }
    const RECT& Rectangle() const { return rectangle_; }

private:
    HDC target_;
    RECT rectangle_;
    UniqueMemoryDc memory_;
    UniqueBitmap bitmap_;
    HGDIOBJ previousBitmap_ = nullptr;
};
