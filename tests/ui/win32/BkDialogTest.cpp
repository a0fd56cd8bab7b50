#include "ui/win32/BkDialog.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <thread>

#include "SkinTestDialog.h"
#include "link/Message.h"

namespace {

// Pixel (x, y) of a bitmap resource.
Rgb ResourcePixel(UINT id, int x, int y)
{
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    return BitmapPixel(bitmap.Get(), x, y);
}

Rgb SurfacePixel(HDC surface, int x, int y)
{
    const COLORREF color = ::GetPixel(surface, x, y);
    return {GetRValue(color), GetGValue(color), GetBValue(color)};
}

TEST(BkDialog, BackgroundOfTheClientSizeShowsOnceUnscaled)
{
    SkinTestDialog dialog;
    ASSERT_TRUE(dialog.Open(800, 600));
    EXPECT_EQ(dialog.BackgroundWidth(), 800);
    EXPECT_EQ(dialog.BackgroundHeight(), 600);
    dialog.Show();
    // Points where no control covers the background.
    for (POINT p : {POINT{0, 0}, POINT{560, 60}, POINT{799, 599}, POINT{10, 590}, POINT{40, 400}})
        EXPECT_TRUE(NearColor(WindowPixel(dialog.Handle(), p.x, p.y), ResourcePixel(IDB_MAIN_BACKGROUND, p.x, p.y), 0))
            << p.x << "," << p.y;
}

TEST(BkDialog, LargerClientAreaRepeatsTheBitmapRightAndDown)
{
    // A level row (150 x 20) tiled over 400 x 70: three columns and four rows, the
    // last ones cut off.
    SkinTestDialog dialog(IDD_CUSTOM_COLORS, IDB_LEVEL_4);
    ASSERT_TRUE(dialog.Open(400, 70));
    std::vector<std::pair<POINT, Rgb>> drawn;
    const POINT probes[] = {{5, 10}, {155, 10}, {305, 30}, {399, 69}, {70, 45}, {149, 19}, {150, 20}, {230, 65}};
    dialog.backgroundDrawn = [&](HDC surface) {
        for (POINT p : probes) drawn.push_back({p, SurfacePixel(surface, p.x, p.y)});
    };
    dialog.Show();
    ASSERT_FALSE(drawn.empty());
    for (const auto& [p, color] : drawn) {
        const Rgb expected = ResourcePixel(IDB_LEVEL_4, p.x % 150, p.y % 20);
        EXPECT_TRUE(NearColor(color, expected, 0)) << p.x << "," << p.y;
        EXPECT_TRUE(NearColor(WindowPixel(dialog.Handle(), p.x, p.y), expected, 0)) << p.x << "," << p.y;
    }
}

TEST(BkDialog, ReplacingOrLosingTheBackground)
{
    SkinTestDialog dialog;
    ASSERT_TRUE(dialog.Open());
    dialog.Show();
    ::ValidateRect(dialog.Handle(), nullptr);

    dialog.SetBackgroundBitmap(IDB_CUSTOM_COLORS_BACKGROUND);
    EXPECT_EQ(dialog.BackgroundWidth(), 800);
    EXPECT_EQ(dialog.BackgroundHeight(), 500);
    RECT update{};
    EXPECT_TRUE(::GetUpdateRect(dialog.Handle(), &update, FALSE));  // the whole client area repaints
    EXPECT_EQ(update.right - update.left, 800);
    PumpMessages();
    EXPECT_TRUE(NearColor(WindowPixel(dialog.Handle(), 600, 50), ResourcePixel(IDB_CUSTOM_COLORS_BACKGROUND, 600, 50), 0));

    dialog.SetBackgroundBitmap(4242);  // no such resource
    EXPECT_FALSE(dialog.HasBackground());
    EXPECT_EQ(dialog.BackgroundWidth(), 0);
    EXPECT_EQ(dialog.BackgroundHeight(), 0);
    bool drawnAgain = false;
    dialog.backgroundDrawn = [&](HDC) { drawnAgain = true; };
    PumpMessages();
    ::ValidateRect(dialog.Handle(), nullptr);
    // Without background a resize asks for no repaint of its own and nothing is tiled.
    ::SetWindowPos(dialog.Handle(), nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    EXPECT_FALSE(::GetUpdateRect(dialog.Handle(), nullptr, FALSE));
    EXPECT_FALSE(drawnAgain);
}

TEST(BkDialog, StaticTextsTransparentTrackbarsOpaque)
{
    SkinTestDialog dialog;
    ASSERT_TRUE(dialog.Open());
    HWND label = ::GetDlgItem(dialog.Handle(), IDC_TITLE);
    HWND trackbar = ::CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE, 10, 10, 100, 30,
                                      dialog.Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(trackbar, nullptr);
    WindowDc dc(dialog.Handle());
    const HBRUSH hollow = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));

    ::SetBkMode(dc.Get(), OPAQUE);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(::SendMessageW(dialog.Handle(), WM_CTLCOLORSTATIC,
                                                      reinterpret_cast<WPARAM>(dc.Get()),
                                                      reinterpret_cast<LPARAM>(label))),
              hollow);
    EXPECT_EQ(::GetBkMode(dc.Get()), TRANSPARENT);

    ::SetBkMode(dc.Get(), OPAQUE);
    EXPECT_NE(reinterpret_cast<HBRUSH>(::SendMessageW(dialog.Handle(), WM_CTLCOLORSTATIC,
                                                      reinterpret_cast<WPARAM>(dc.Get()),
                                                      reinterpret_cast<LPARAM>(trackbar))),
              hollow);
    // Other controls keep the dialog's answer.
    EXPECT_NE(reinterpret_cast<HBRUSH>(::SendMessageW(dialog.Handle(), WM_CTLCOLORBTN,
                                                      reinterpret_cast<WPARAM>(dc.Get()),
                                                      reinterpret_cast<LPARAM>(::GetDlgItem(dialog.Handle(), IDC_MIN)))),
              hollow);
}

TEST(BkDialog, PressOnTheBackgroundWithoutDraggingLeavesTheWindowInPlace)
{
    SkinTestDialog dialog;
    ASSERT_TRUE(dialog.Open());
    dialog.Show();
    RECT before{};
    ::GetWindowRect(dialog.Handle(), &before);
    ::SendMessageW(dialog.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
    ::SendMessageW(dialog.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
    RECT after{};
    ::GetWindowRect(dialog.Handle(), &after);
    EXPECT_TRUE(::EqualRect(&before, &after));
}

// Requests go to the dialog's thread and come back with the executor's result.
class RequestDialog : public SkinTestDialog {
public:
    int done = 0;
    int32_t lastResult = 0;
    Message* lastMessage = nullptr;

protected:
    void OnRequestDone(int32_t result, Message* message) override
    {
        ++done;
        lastResult = result;
        lastMessage = message;
    }
};

DWORD executorThread = 0;

int32_t Executor(Message* message)
{
    executorThread = ::GetCurrentThreadId();
    return message->Length() + 1;
}

TEST(BoBaseDialog, RequestsRunOnTheDialogThread)
{
    RequestDialog dialog;
    Message message;
    uint8_t bytes[5] = {};
    message.Set(Message::kWrite, bytes, 5, nullptr, false);
    EXPECT_EQ(dialog.SendRequest(&message), 0);  // no window yet

    ASSERT_TRUE(dialog.Open());
    EXPECT_EQ(dialog.SendRequest(&message), 0);  // no executor: nothing runs, nothing reported
    EXPECT_EQ(dialog.done, 0);

    dialog.SetRequestExecutor(Executor);
    EXPECT_EQ(dialog.SendRequest(&message), 6);
    EXPECT_EQ(dialog.done, 1);
    EXPECT_EQ(dialog.lastResult, 6);
    EXPECT_EQ(dialog.lastMessage, &message);

    // From a worker: it waits while this thread runs the request.
    int32_t workerResult = -1;
    std::thread worker([&] { workerResult = dialog.SendRequest(&message); });
    while (dialog.done < 2) PumpMessages(1);
    worker.join();
    EXPECT_EQ(workerResult, 6);
    EXPECT_EQ(executorThread, ::GetCurrentThreadId());
}

}  // namespace
