#include "ui/win32/Dialog.h"

#include <gtest/gtest.h>

#include "SkinTestDialog.h"
#include "ui/win32/Button.h"
#include "ui/win32/GdiPlusBitmap.h"
#include "ui/win32/MemDC.h"

namespace {

// A modal run of the main template whose initialisation queues what the test wants
// to happen inside the dialog's own message loop.
class ModalDialog : public BkDialog {
public:
    ModalDialog() : BkDialog(IDD_T507CTRL_DIALOG, nullptr) {}

    std::wstring imageFolder;
    int clicks = 0;
    bool initialised = false;

protected:
    BOOL OnInitDialog() override
    {
        initialised = true;
        button_.SubclassDlgItem(Handle(), IDC_DEFAULT);
        ::PostMessageW(button_.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ::PostMessageW(button_.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        ::PostMessageW(button_.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
        ::PostMessageW(button_.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        ::PostMessageW(Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return TRUE;
    }
    bool OnCommand(WORD id, WORD notifyCode, HWND control) override
    {
        if (id == IDC_DEFAULT && notifyCode == BN_CLICKED) ++clicks;
        return BkDialog::OnCommand(id, notifyCode, control);
    }
    void OnRequestDone(int32_t, Message*) override {}

private:
    Button button_;
};

TEST(Dialog, ModalRunEndsWithTheResultAndSeesQueuedMessagesFirst)
{
    ModalDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(dialog.initialised);
    // The double click became a second press inside the dialog's own loop.
    EXPECT_EQ(dialog.clicks, 2);
    EXPECT_EQ(dialog.Handle(), nullptr);
}

TEST(Dialog, MissingTemplateFailsWithoutAWindow)
{
    SkinTestDialog dialog(4242, 0);
    EXPECT_FALSE(dialog.Create());
    EXPECT_EQ(dialog.DoModal(), -1);
}

TEST(Window, OneObjectPerWindowAndBackWhenDetached)
{
    SkinTestDialog dialog;
    ASSERT_TRUE(dialog.Open());
    HWND control = ::GetDlgItem(dialog.Handle(), IDC_DEFAULT);
    EXPECT_EQ(Window::FromHandle(dialog.Handle()), &dialog);

    Button first;
    Button second;
    ASSERT_TRUE(first.Subclass(control));
    EXPECT_FALSE(second.Subclass(control));
    EXPECT_FALSE(first.Subclass(::GetDlgItem(dialog.Handle(), IDC_MIN)));
    EXPECT_EQ(Window::FromHandle(control), &first);
    EXPECT_NE(::GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK, 0);  // owner-drawn from now on

    first.Detach();
    EXPECT_EQ(Window::FromHandle(control), nullptr);
    EXPECT_TRUE(second.Subclass(control));
    EXPECT_FALSE(Window().Subclass(nullptr));
}

TEST(Window, ObjectForgetsAWindowThatIsDestroyed)
{
    SkinTestDialog dialog;
    ASSERT_TRUE(dialog.Open());
    Button button;
    ASSERT_TRUE(button.SubclassDlgItem(dialog.Handle(), IDC_DEFAULT));
    ::DestroyWindow(button.Handle());
    EXPECT_EQ(button.Handle(), nullptr);
}

TEST(MemDC, DrawsOffScreenAndCopiesBackOverTheRectangle)
{
    WindowDc screen(nullptr);
    MemorySurface target(screen.Get(), 40, 30);
    UniqueBrush blue(::CreateSolidBrush(RGB(0, 0, 255)));
    const RECT all{0, 0, 40, 30};
    ::FillRect(target.Get(), &all, blue.Get());
    {
        const RECT area{10, 5, 30, 25};
        MemDC memory(target.Get(), area, true);
        // Starts with the target's pixels, in the target's coordinates.
        EXPECT_EQ(::GetPixel(memory.Get(), 12, 7), RGB(0, 0, 255));
        UniqueBrush red(::CreateSolidBrush(RGB(255, 0, 0)));
        const RECT part{10, 5, 20, 15};
        ::FillRect(memory.Get(), &part, red.Get());
        EXPECT_EQ(::GetPixel(target.Get(), 12, 7), RGB(0, 0, 255));  // nothing shown yet
    }
    EXPECT_EQ(::GetPixel(target.Get(), 12, 7), RGB(255, 0, 0));
    EXPECT_EQ(::GetPixel(target.Get(), 25, 20), RGB(0, 0, 255));
    EXPECT_EQ(::GetPixel(target.Get(), 5, 5), RGB(0, 0, 255));
}

TEST(GdiPlusBitmap, LoadsFilesAndBitmapResources)
{
    GdiPlusBitmapResource bitmap;
    EXPECT_TRUE(bitmap.LoadBitmapResource(::GetModuleHandleW(nullptr), IDB_CUSTOM_COLORS_BACKGROUND));
    EXPECT_EQ(bitmap.Width(), 800);
    EXPECT_EQ(bitmap.Height(), 500);
    EXPECT_FALSE(bitmap.LoadBitmapResource(::GetModuleHandleW(nullptr), 4242));
    EXPECT_FALSE(bitmap);
    EXPECT_FALSE(bitmap.Load(L"Z:\\no\\such\\picture.png"));
    EXPECT_EQ(bitmap.Width(), 0);
}

}  // namespace
