#pragma once

#include <windows.h>

#include "base/win32/UniqueHandle.h"

// Pixel copies between device contexts, as the skinned controls compose and show
// their pictures.

// A new bitmap holding width x height pixels of `source` from (x, y).
UniqueBitmap CopyPixels(HDC source, int x, int y, int width, int height);

// Copies width x height pixels of `bitmap` (selected into no context) to (0, 0) of `target`.
void DrawBitmap(HDC target, HBITMAP bitmap, int width, int height);

// What the parent window shows under `control`, width x height pixels from the
// control's top-left corner: the background a control composes its pictures over.
UniqueBitmap SnapshotParentUnder(HWND control, int width, int height);
