#include "ui/win32/TextView.h"

#include <gtest/gtest.h>

#include "SkinTestDialog.h"
#include "ui/win32/SkinFont.h"

namespace {

class TextViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Open());
        ASSERT_TRUE(label.SubclassDlgItem(dialog.Handle(), IDC_MODE_HEADING));
        label.SetLabelFont(kSkinFontFamily, 11.0f, kSkinFontStyle, Gdiplus::UnitPoint, 0xFFFFFFFF);
        dialog.Show();
    }

    SIZE Show(const std::wstring& text)
    {
        label.SetLabelText(text);
        ::InvalidateRect(label.Handle(), nullptr, TRUE);
        ::UpdateWindow(label.Handle());
        PumpMessages();
        RECT window{};
        ::GetWindowRect(label.Handle(), &window);
        return {window.right - window.left, window.bottom - window.top};
    }

    SkinTestDialog dialog;
    TextView label;
};

TEST_F(TextViewTest, MeasuredLabelFollowsItsText)
{
    const SIZE shortText = Show(L"MODE");
    const SIZE longText = Show(L"LIGHTING MODE LIGHTING MODE");
    EXPECT_GT(shortText.cx, 10);
    EXPECT_GT(shortText.cy, 8);
    EXPECT_GT(longText.cx, shortText.cx * 3);
    EXPECT_EQ(longText.cy, shortText.cy);
    EXPECT_EQ(Show(L"").cx, 0);
}

TEST_F(TextViewTest, FixedBoxKeepsItsSizeWhateverTheText)
{
    label.fixedWidth = 130;
    label.fixedHeight = 30;
    for (const wchar_t* text : {L"", L"LUMIVAR", L"A TEXT FAR LONGER THAN ITS BOX CAN HOLD"}) {
        const SIZE size = Show(text);
        EXPECT_EQ(size.cx, 130) << text;
        EXPECT_EQ(size.cy, 30) << text;
    }
    // Either dimension alone: that one fixed, the other measured.
    label.fixedHeight = -1;
    const SIZE widthOnly = Show(L"LUMIVAR");
    EXPECT_EQ(widthOnly.cx, 130);
    EXPECT_LT(widthOnly.cy, 30);
}

TEST_F(TextViewTest, NewTextRepaintsTheParentWhereTheOldOneWas)
{
    Show(L"A LONG HEADING TEXT");
    RECT place{};
    ::GetWindowRect(label.Handle(), &place);
    ::MapWindowPoints(nullptr, dialog.Handle(), reinterpret_cast<POINT*>(&place), 2);
    ::ValidateRect(dialog.Handle(), nullptr);

    label.SetLabelText(L"A");
    RECT update{};
    ASSERT_TRUE(::GetUpdateRect(dialog.Handle(), &update, FALSE));
    RECT covered{};
    ::UnionRect(&covered, &update, &place);
    EXPECT_TRUE(::EqualRect(&covered, &update));
}

TEST_F(TextViewTest, CentredTextDrawnInTheLabelColour)
{
    label.fixedWidth = 130;
    label.fixedHeight = 30;
    Show(L"I");
    // A white bar in the middle, the background at the edges.
    int white = 0;
    for (int x = 55; x < 75; ++x) {
        const Rgb c = WindowPixel(label.Handle(), x, 15);
        white += c.red > 240 && c.green > 240 && c.blue > 240;
    }
    EXPECT_GT(white, 0);
    const Rgb edge = WindowPixel(label.Handle(), 2, 2);
    EXPECT_FALSE(edge.red > 240 && edge.green > 240 && edge.blue > 240);
}

TEST(SkinFont, MissingFamilyFallsBackToASansSerifFont)
{
    auto font = CreateSkinFont(L"No Such Family Anywhere", 11.0f, kSkinFontStyle, Gdiplus::UnitPoint);
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(font->IsAvailable());
    EXPECT_FLOAT_EQ(font->GetSize(), 11.0f);
    EXPECT_EQ(font->GetStyle(), Gdiplus::FontStyleBold);
    EXPECT_NE(CreateSkinFont(nullptr, 8.0f, kSkinFontStyle, Gdiplus::UnitPixel), nullptr);
}

TEST(SkinFont, PointsDividedByTheDisplayScaleKeepThePixelSize)
{
    auto at96 = CreateSkinFont(kSkinFontFamily, 11.0f, kSkinFontStyle, Gdiplus::UnitPoint);
    auto at144 = CreateSkinFont(kSkinFontFamily, PointsForDisplay(11.0f, 144.0f / 96.0f), kSkinFontStyle,
                                Gdiplus::UnitPoint);
    ASSERT_TRUE(at96 && at144);
    EXPECT_NEAR(at144->GetHeight(144.0f), at96->GetHeight(96.0f), 0.01);
    EXPECT_FLOAT_EQ(PointsForDisplay(18.0f, 1.25f), 14.4f);
    EXPECT_FLOAT_EQ(PointsForDisplay(7.0f, 0.0f), 7.0f);  // no scale known: as given
}

}  // namespace
