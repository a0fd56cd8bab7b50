#include "monitor/win32/CGraph.h"

#include <gtest/gtest.h>

#include "base/win32/UniqueHandle.h"
#include "resource.h"
#include "support/win32/GdiPlusTestEnvironment.h"
#include "support/win32/WindowTestSupport.h"
#include "ui/win32/BaseDialog.h"

namespace {

class HostDialog : public BaseDialog {
public:
    HostDialog() : BaseDialog(IDD_T507CTRL_DIALOG, nullptr) {}
};

class CGraphTest : public ::testing::Test {
protected:
    void Open(CGraph& graph)
    {
        ASSERT_TRUE(dialog.Create());
        ::SetWindowPos(dialog.Handle(), nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(graph.SubclassDlgItem(dialog.Handle(), IDC_GPU_GRAPH));
        ::SetWindowPos(graph.Handle(), nullptr, 280, 480, 232, 80, SWP_NOZORDER | SWP_NOACTIVATE);
        graph.SetBounds(0, 100);
        graph.SetUnitsPerPixel(100.0f / 60.0f);
        graph.SetTexts(L"GPU TEMP", L"C\u00B0");
        ::ShowWindow(dialog.Handle(), SW_SHOWNOACTIVATE);
        ::UpdateWindow(dialog.Handle());
        PumpMessages();
    }

    void Repaint(CGraph& graph)
    {
        ::InvalidateRect(graph.Handle(), nullptr, TRUE);
        ::UpdateWindow(graph.Handle());
    }

    HostDialog dialog;
};

bool IsBackground(const Rgb& c) { return NearColor(c, {37, 40, 44}, 0); }

TEST_F(CGraphTest, PaintsStripGridBaseLineAndCurve)
{
    CGraph graph([] { return SIZE{1920, 1080}; });
    Open(graph);
    EXPECT_EQ(graph.Scale(), 1);
    EXPECT_TRUE(IsBackground(WindowPixel(graph.Handle(), 230, 40)));
    // Grid line at x = 4 + 32 * 3, base line at y = 76.
    EXPECT_TRUE(NearColor(WindowPixel(graph.Handle(), 100, 40), {0x31, 0x33, 0x37}, 1));
    EXPECT_TRUE(NearColor(WindowPixel(graph.Handle(), 150, 76), {0x48, 0x49, 0x4B}, 1));

    for (int i = 0; i < 100; ++i) graph.AddValue(50);  // a flat curve at y = 76 - 30 = 46
    EXPECT_EQ(graph.History().Count(), 100);
    Repaint(graph);
    EXPECT_TRUE(NearColor(WindowPixel(graph.Handle(), 50, 46), {0x21, 0xBA, 0xCC}, 2));
    // Under the curve: the gradient fill, neither background nor curve.
    const Rgb area = WindowPixel(graph.Handle(), 50, 60);
    EXPECT_FALSE(IsBackground(area));
    EXPECT_TRUE(NearColor(area, {0x26, 0x32, 0x36}, 12));
    // Right of the oldest reading nothing is filled.
    EXPECT_TRUE(IsBackground(WindowPixel(graph.Handle(), 150, 60)));

    graph.ResetHistory();
    Repaint(graph);
    EXPECT_TRUE(IsBackground(WindowPixel(graph.Handle(), 50, 60)));
    EXPECT_EQ(graph.History().MaximumText(), L"50");
}

TEST_F(CGraphTest, ScaleFollowsTheScreen)
{
    SIZE screen{3840, 2160};
    CGraph graph([&] { return screen; });
    EXPECT_EQ(graph.History().Points().size(), 450u);
    Open(graph);
    graph.ResetHistory();
    graph.AddValue(100);
    EXPECT_FLOAT_EQ(graph.History().Points()[0].y, 152.0f - 100.0f / (100.0f / 60.0f));

    screen = {3840, 2159};
    graph.ResetHistory();
    EXPECT_EQ(graph.History().Points().size(), 225u);
}

}  // namespace
