#include "ui/win32/CLevelStatic.h"

#include <gtest/gtest.h>

#include <vector>

#include "SkinTestDialog.h"

namespace {

const std::vector<UINT> kLevels = {IDB_LEVEL_1, IDB_LEVEL_2, IDB_LEVEL_3, IDB_LEVEL_4,
                                   IDB_LEVEL_5, IDB_LEVEL_6, IDB_LEVEL_7, IDB_LEVEL_8};

class LevelStaticTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Open());
        ASSERT_TRUE(level.SubclassDlgItem(dialog.Handle(), IDC_LOCATION0_LEVEL));
        ::SetWindowPos(level.Handle(), nullptr, 70, 161, 150, 20, SWP_NOZORDER | SWP_NOACTIVATE);
        level.levelCallback = [this](int32_t picked) { picked_.push_back(picked); };
        dialog.Show();
    }

    void Click(int x, int y)
    {
        ::PostMessageW(level.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::PostMessageW(level.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        PumpMessages();
    }

    SkinTestDialog dialog;
    CLevelStatic level;
    std::vector<int32_t> picked_;
};

TEST_F(LevelStaticTest, ClickPicksTheLevelOfTheSegment)
{
    level.SetLevelImages(IDB_LEVEL_0, kLevels);
    ASSERT_EQ(level.Segments().size(), 8u);
    EXPECT_EQ(level.ShownImage(), static_cast<UINT>(IDB_LEVEL_0));

    Click(40, 10);  // third segment: 36..53
    EXPECT_EQ(level.level, 3);
    EXPECT_EQ(level.ShownImage(), static_cast<UINT>(IDB_LEVEL_3));
    Click(40, 10);  // the same level again calls back again
    Click(0, 0);
    Click(143, 19);
    EXPECT_EQ(picked_, (std::vector<int32_t>{3, 3, 1, 8}));
    EXPECT_EQ(level.level, 8);

    // The row shows the picture of the level, centred, as a bitmap static.
    const auto style = ::GetWindowLongPtrW(level.Handle(), GWL_STYLE);
    EXPECT_EQ(style & 0x20F, SS_BITMAP | SS_CENTERIMAGE);
    EXPECT_NE(::SendMessageW(level.Handle(), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

TEST_F(LevelStaticTest, RightEdgeBeyondTheSegmentsChangesNothing)
{
    level.SetLevelImages(IDB_LEVEL_0, kLevels);
    level.level = 5;
    level.ShowLevel();
    for (int x = 144; x < 150; ++x) Click(x, 10);
    EXPECT_EQ(level.level, 5);
    EXPECT_EQ(level.ShownImage(), static_cast<UINT>(IDB_LEVEL_5));
    EXPECT_TRUE(picked_.empty());
}

TEST_F(LevelStaticTest, LevelWithoutPictureShowsTheEmptyRow)
{
    level.SetLevelImages(IDB_LEVEL_0, kLevels);
    level.level = 9;
    level.ShowLevel();
    EXPECT_EQ(level.level, 0);
    EXPECT_EQ(level.ShownImage(), static_cast<UINT>(IDB_LEVEL_0));
}

TEST_F(LevelStaticTest, NoEmptyPictureLeavesTheControlAsItIs)
{
    level.SetLevelImages(0, kLevels);
    EXPECT_EQ(level.ShownImage(), 0u);
    EXPECT_EQ(::GetWindowLongPtrW(level.Handle(), GWL_STYLE) & 0x0F, SS_LEFT);
}

TEST_F(LevelStaticTest, ResizingDividesTheRowAgain)
{
    level.SetLevelImages(IDB_LEVEL_4K_0, kLevels);
    ::SetWindowPos(level.Handle(), nullptr, 0, 0, 300, 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(level.Segments().size(), 8u);
    EXPECT_EQ(level.Segments()[1], (SegmentRect{37, 0, 74, 40}));
    Click(290, 30);  // 8 x 37 = 296
    EXPECT_EQ(level.level, 8);
}

}  // namespace
