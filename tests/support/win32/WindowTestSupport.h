#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// Helpers of the window tests: message pumping, pixels, temporary PNG files.

// The built program's folder beside the test programs: <build>\bin\ (the skin is in res\).
std::wstring ProgramFolder();

// Dispatches whatever is queued for this thread (and what that posts in turn).
void PumpMessages(int rounds = 3);
// Pumps for about `milliseconds`.
void PumpMessagesFor(DWORD milliseconds);

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// One pixel of a bitmap that is not selected into any device context.
Rgb BitmapPixel(HBITMAP bitmap, int x, int y);
// Width and height of a bitmap.
SIZE BitmapSize(HBITMAP bitmap);
// One pixel of what a window shows (read through its window device context).
Rgb WindowPixel(HWND window, int x, int y);

// Colours within `tolerance` per channel (the graphics library may differ by one unit).
::testing::AssertionResult NearColor(const Rgb& actual, const Rgb& expected, int tolerance = 1);

// A folder of its own under the temporary directory, removed with its files at the end.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // Ends with a backslash.
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

// Writes a 32-bit PNG with alpha whose pixel (x, y) is argb(x, y).
bool WritePng(const std::wstring& path, int width, int height, const std::function<uint32_t(int, int)>& argb);
