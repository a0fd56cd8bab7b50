#include <gtest/gtest.h>

#include "support/win32/WindowTestSupport.h"

#include <cstdlib>

#include "base/win32/UniqueHandle.h"
#include "ui/win32/GdiPlus.h"

void PumpMessages(int rounds)
{
    for (int round = 0; round < rounds; ++round) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::Sleep(1);
    }
}

void PumpMessagesFor(DWORD milliseconds)
{
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    while (::GetTickCount64() < end) {
        PumpMessages(1);
        ::Sleep(10);
    }
}

Rgb BitmapPixel(HBITMAP bitmap, int x, int y)
{
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    SelectedObject selection(dc.Get(), bitmap);
    const COLORREF color = ::GetPixel(dc.Get(), x, y);
    return {GetRValue(color), GetGValue(color), GetBValue(color)};
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP description{};
    ::GetObjectW(bitmap, sizeof description, &description);
    return {description.bmWidth, description.bmHeight};
}

Rgb WindowPixel(HWND window, int x, int y)
{
    WindowDc dc(window);
    const COLORREF color = ::GetPixel(dc.Get(), x, y);
    return {GetRValue(color), GetGValue(color), GetBValue(color)};
}

::testing::AssertionResult NearColor(const Rgb& actual, const Rgb& expected, int tolerance)
{
    if (std::abs(actual.red - expected.red) <= tolerance && std::abs(actual.green - expected.green) <= tolerance &&
        std::abs(actual.blue - expected.blue) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << actual.red << ", " << actual.green << ", " << actual.blue
                                         << ") is not (" << expected.red << ", " << expected.green << ", "
                                         << expected.blue << ") within " << tolerance;
}

TemporaryFolder::TemporaryFolder()
{
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    path_ = std::wstring(base) + L"lumivar-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L"\\";
    ::CreateDirectoryW(path_.c_str(), nullptr);
}

TemporaryFolder::~TemporaryFolder()
{
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((path_ + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                ::DeleteFileW((path_ + found.cFileName).c_str());
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(path_.c_str());
}

bool WritePng(const std::wstring& path, int width, int height, const std::function<uint32_t(int, int)>& argb)
{
    // The PNG encoder of GDI+.
    static const CLSID kPngEncoder = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, Gdiplus::Color(argb(x, y)));
    }
    return bitmap.Save(path.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
}

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\'));      // <build>\tests
    folder.resize(folder.find_last_of(L'\\') + 1);  // the build folder
    return folder + L"bin\\";
}
