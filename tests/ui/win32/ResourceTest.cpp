// The resources as built into the program: read back from the test program (which
// links the same resource script) and from T507Ctrl.exe itself.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/win32/UniqueHandle.h"
#include "resource.h"
#include "support/win32/WindowTestSupport.h"
#include "ui/win32/BaseDialog.h"

namespace {

struct StringResource {
    UINT id;
    const wchar_t* text;
};

const StringResource kStrings[] = {
    {101, L"关于 T507Ctrl(&A)..."},
    {102, L"Firmware Update"},
    {103, L"Minimize To Tray"},
    {104, L"Help"},
    {105, L"固件更新"},
    {106, L"最小化到托盘"},
    {107, L"帮助"},
    {108, L"Open"},
    {109, L"Exit"},
    {110, L"打开"},
    {111, L"退出"},
    {112, L"CUSTOM COLORS"},
    {113, L"APPLY"},
    {114, L"CANCEL"},
    {115, L"LUMIVAR"},
    {116, L"LOCATION"},
    {117, L"LIGHTING MODE"},
    {118, L"STATIC"},
    {119, L"BREATHE"},
    {120, L"FADE"},
    {121, L"CYCLE"},
    {122, L"WINK"},
    {123, L"SLIDE"},
    {124, L"RAINBOW"},
    {125, L"ON"},
    {126, L"OFF"},
    {127, L"DEFAULT"},
    {128, L"FAN SPEED"},
    {129, L"GPU TEMP"},
    {130, L"CPU TEMP"},
    {131, L"Device not found!"},
    {132, L"颜色盘"},
    {133, L"位置"},
    {134, L"模式"},
    {135, L"常亮"},
    {136, L"呼吸"},
    {137, L"渐变色"},
    {138, L"七彩循环"},
    {139, L"闪烁"},
    {140, L"流水"},
    {141, L"流彩"},
    {142, L"开"},
    {143, L"关"},
    {144, L"应用"},
    {145, L"恢复设置"},
    {146, L"风扇转速"},
    {147, L"GPU 温度"},
    {148, L"CPU 温度"},
    {149, L"没有找到设备!"},
    {150, L"Please don't shutdown computer when update firmware."},
    {151, L"请谨慎操作! 固件更新时不要关闭计算机."},
    {152, L"Please select a firmware"},
    {153, L"请选择一个固件"},
    {154, L"Notice"},
    {155, L"注意"},
    {156, L"取消"},
    {157, L"自定义颜色"},
    {158, L"Reset device to FW upgrade mode..."},
    {159, L"重启设备进入固件更新模式..."},
    {160, L"Reconnect device..."},
    {161, L"重新连接设备..."},
    {162, L"Failed to reconnect device..."},
    {163, L"设备重连失败!"},
    {164, L"Failed to get information from device!"},
    {165, L"获取设备信息失败!"},
    {166, L"Succeed to upgrade FW!"},
    {167, L"固件更新成功!"},
    {168, L"Failed to upgrade FW!"},
    {169, L"固件更新失败!"},
    {170, L"Bytes"},
    {171, L"字节"},
    {172, L"R"},
    {173, L"红"},
    {174, L"G"},
    {175, L"绿"},
    {176, L"B"},
    {177, L"蓝"},
    {178, L"RETURN"},
    {179, L"返回"},
};

struct BitmapResource {
    UINT id;
    int width;
    int height;
};

const BitmapResource kBitmaps[] = {
    {129, 800, 600}, {168, 1600, 1200}, {133, 800, 500},
    {134, 150, 20},  {135, 150, 20},    {136, 150, 20},  {137, 150, 20}, {138, 150, 20}, {139, 150, 20},
    {140, 150, 20},  {141, 150, 20},    {142, 150, 20},
    {169, 300, 40},  {170, 300, 40},    {171, 300, 40},  {172, 300, 40}, {173, 300, 40}, {174, 300, 40},
    {175, 300, 40},  {176, 300, 40},    {177, 300, 40},
};

std::wstring ProgramPath()
{
    return ProgramFolder() + L"T507Ctrl.exe";
}

// The test program's own resources, or those of T507Ctrl.exe loaded as data.
class ResourceTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (GetParam()) {
            program_.Reset(::LoadLibraryExW(ProgramPath().c_str(), nullptr,
                                            LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
            ASSERT_TRUE(program_) << "cannot load the program's resources";
            module_ = program_.Get();
        } else {
            module_ = ::GetModuleHandleW(nullptr);
        }
    }

    std::vector<uint8_t> Bytes(LPCWSTR name, LPCWSTR type) const
    {
        HRSRC found = ::FindResourceW(module_, name, type);
        if (found == nullptr) return {};
        HGLOBAL loaded = ::LoadResource(module_, found);
        const auto* data = static_cast<const uint8_t*>(::LockResource(loaded));
        if (data == nullptr) return {};
        return {data, data + ::SizeofResource(module_, found)};
    }

    UniqueModule program_;
    HMODULE module_ = nullptr;
};

TEST_P(ResourceTest, EveryStringInBothLanguages)
{
    for (const StringResource& expected : kStrings) {
        const wchar_t* text = nullptr;
        const int length = ::LoadStringW(module_, expected.id, reinterpret_cast<LPWSTR>(&text), 0);
        ASSERT_GT(length, 0) << expected.id;
        EXPECT_EQ(std::wstring(text, static_cast<size_t>(length)), expected.text) << expected.id;
    }
    // Nothing else around the table.
    const wchar_t* text = nullptr;
    EXPECT_EQ(::LoadStringW(module_, 100, reinterpret_cast<LPWSTR>(&text), 0), 0);
    EXPECT_EQ(::LoadStringW(module_, 180, reinterpret_cast<LPWSTR>(&text), 0), 0);
}

TEST_P(ResourceTest, SettingsTemplateIsElevenBytesWithALineFeed)
{
    const std::vector<uint8_t> bytes = Bytes(MAKEINTRESOURCEW(IDR_SETTINGS_TEMPLATE), L"OWNER_DATA");
    const std::vector<uint8_t> expected = {'[', 'S', 'e', 't', 't', 'i', 'n', 'g', 's', ']', '\n'};
    EXPECT_EQ(bytes, expected);
}

TEST_P(ResourceTest, SkinBitmapsHaveTheirSizesIn24Bits)
{
    for (const BitmapResource& expected : kBitmaps) {
        const std::vector<uint8_t> bytes = Bytes(MAKEINTRESOURCEW(expected.id), MAKEINTRESOURCEW(2));  // RT_BITMAP
        ASSERT_GE(bytes.size(), sizeof(BITMAPINFOHEADER)) << expected.id;
        BITMAPINFOHEADER header{};
        std::memcpy(&header, bytes.data(), sizeof header);
        EXPECT_EQ(header.biWidth, expected.width) << expected.id;
        EXPECT_EQ(std::abs(header.biHeight), expected.height) << expected.id;
        EXPECT_EQ(header.biBitCount, 24) << expected.id;
    }
}

TEST_P(ResourceTest, IconAndManifest)
{
    EXPECT_FALSE(Bytes(MAKEINTRESOURCEW(IDR_MAINFRAME), MAKEINTRESOURCEW(14)).empty());  // RT_GROUP_ICON
    const std::vector<uint8_t> bytes = Bytes(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    const std::string manifest(bytes.begin(), bytes.end());
    EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
    EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Builds, ResourceTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Program" : "TestProgram"; });

// The templates, made into windows.
struct TemplateControl {
    UINT dialog;
    int id;
    const wchar_t* className;
    const wchar_t* text;  // null: not checked
    DWORD styleBits;      // must all be set
    bool visible;
};

const TemplateControl kControls[] = {
    {IDD_ABOUTBOX, IDC_HELP_TEXT, L"Edit", L"",
     ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL | WS_HSCROLL, true},
    {IDD_ABOUTBOX, IDC_WEBSITE_LINK, L"SysLink", nullptr, 0, true},
    {IDD_ABOUTBOX, IDOK, L"Button", L"OK", BS_DEFPUSHBUTTON, true},
    {IDD_T507CTRL_DIALOG, IDC_SETTING, L"Button", L"Setting", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_MIN, L"Button", L"Min", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_CLOSE, L"Button", L"Close", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_TITLE, L"Static", L"LUMIVAR", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_STATUS, L"Static", L"Device not found!", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_LOCATION_HEADING, L"Static", L"LOCATION", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_LOCATION0_NAME, L"Static", L"BRYMO LOGO", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_LOCATION1_NAME, L"Static", L"EDGE LED", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_LOCATION0_ON, L"Button", L"ON", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_LOCATION0_OFF, L"Button", L"OFF", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_LOCATION1_ON, L"Button", L"ON", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_LOCATION1_OFF, L"Button", L"OFF", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_LOCATION0_LEVEL, L"Static", L"", SS_NOTIFY, true},
    {IDD_T507CTRL_DIALOG, IDC_LOCATION1_LEVEL, L"Static", L"", SS_NOTIFY, true},
    {IDD_T507CTRL_DIALOG, IDC_FAN_GRAPH, L"Static", L"", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_GPU_GRAPH, L"Static", L"", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_CPU_GRAPH, L"Static", L"", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_COLOR_PLATE, L"Button", nullptr, 0, true},
    {IDD_T507CTRL_DIALOG, IDC_MODE_0, L"Button", nullptr, 0, true},
    {IDD_T507CTRL_DIALOG, IDC_MODE_6, L"Button", nullptr, 0, true},
    {IDD_T507CTRL_DIALOG, IDC_APPLY, L"Button", L"APPLY", 0, true},  // the layout hides it
    {IDD_T507CTRL_DIALOG, IDC_DEFAULT, L"Button", L"DEFAULT", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_MODE_HEADING, L"Static", L"LIGHTING MODE", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_MODE_NAME_0, L"Static", L"STATIC", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_MODE_NAME_1, L"Static", L"BREATHE", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_MODE_NAME_2, L"Static", L"FADE", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_MODE_NAME_3, L"Static", L"CYCLE", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_MODE_NAME_4, L"Static", L"WINK", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_MODE_NAME_5, L"Static", L"SLIDE", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_MODE_NAME_6, L"Static", L"RAINBOW", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_VERSION, L"Static", L"", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_LOCATION0_SELECT, L"Button", nullptr, 0, true},
    {IDD_T507CTRL_DIALOG, IDC_LOCATION1_SELECT, L"Button", nullptr, 0, true},
    {IDD_T507CTRL_DIALOG, IDC_ALL_ON, L"Button", L"ON", 0, true},
    {IDD_T507CTRL_DIALOG, IDC_ALL_OFF, L"Button", L"OFF", 0, true},
    {IDD_CUSTOM_COLORS, IDC_DIALOG_TITLE, L"Static", L"CUSTOM COLORS", 0, true},
    {IDD_CUSTOM_COLORS, IDC_RED_LABEL, L"Static", L"R", 0, true},
    {IDD_CUSTOM_COLORS, IDC_GREEN_LABEL, L"Static", L"G", 0, true},
    {IDD_CUSTOM_COLORS, IDC_BLUE_LABEL, L"Static", L"B", 0, true},
    {IDD_CUSTOM_COLORS, IDC_LEVEL_LABEL, L"Static", L"L", 0, true},
    {IDD_CUSTOM_COLORS, IDC_RED_VALUE, L"Static", L"255", 0, true},
    {IDD_CUSTOM_COLORS, IDC_GREEN_VALUE, L"Static", L"255", 0, true},
    {IDD_CUSTOM_COLORS, IDC_BLUE_VALUE, L"Static", L"255", 0, true},
    {IDD_CUSTOM_COLORS, IDC_LEVEL_VALUE, L"Static", L"0.5", 0, true},
    {IDD_CUSTOM_COLORS, IDC_DECREASE, L"Button", nullptr, 0, true},
    {IDD_CUSTOM_COLORS, IDC_INCREASE, L"Button", nullptr, 0, true},
    {IDD_CUSTOM_COLORS, IDC_COLORS_APPLY, L"Button", L"APPLY", 0, true},
    {IDD_CUSTOM_COLORS, IDC_RETURN, L"Button", L"RETURN", 0, true},
    {IDD_FIRMWARE, IDC_DIALOG_TITLE, L"Static", L"Firmware Update", SS_CENTER, true},
    {IDD_FIRMWARE, IDC_FILE_LABEL, L"Static", L"File：", 0, true},
    {IDD_FIRMWARE, IDC_FILE_NAME, L"Static", L"", 0, true},
    {IDD_FIRMWARE, IDC_SIZE_LABEL, L"Static", L"Size：", 0, true},
    {IDD_FIRMWARE, IDC_FILE_SIZE, L"Static", L"", 0, true},
    {IDD_FIRMWARE, IDC_PROGRESS, L"msctls_progress32", nullptr, 0, false},
    {IDD_FIRMWARE, IDC_PERCENT, L"Static", L"100%", 0, false},
    {IDD_FIRMWARE, IDC_STATUS, L"Static", L"Static", 0, true},
    {IDD_FIRMWARE, IDCANCEL, L"Button", L"Cancel", 0, true},
};

std::wstring TextOf(HWND window)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

class TemplateDialog : public BaseDialog {
public:
    explicit TemplateDialog(UINT id) : BaseDialog(id, nullptr) {}
};

TEST(DialogTemplates, EveryControlWithItsClassTextAndStyle)
{
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_LINK_CLASS | ICC_PROGRESS_CLASS};
    ASSERT_TRUE(::InitCommonControlsEx(&classes));
    for (UINT id : {IDD_ABOUTBOX, IDD_T507CTRL_DIALOG, IDD_CUSTOM_COLORS, IDD_FIRMWARE}) {
        TemplateDialog dialog(id);
        ASSERT_TRUE(dialog.Create()) << id;
        for (const TemplateControl& control : kControls) {
            if (control.dialog != id) continue;
            HWND window = ::GetDlgItem(dialog.Handle(), control.id);
            ASSERT_NE(window, nullptr) << id << ": " << control.id;
            wchar_t className[64] = {};
            ::GetClassNameW(window, className, 64);
            EXPECT_EQ(_wcsicmp(className, control.className), 0) << control.id << " is a " << className;
            if (control.text != nullptr) {
                EXPECT_EQ(TextOf(window), control.text) << control.id;
            }
            const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
            EXPECT_EQ(style & control.styleBits, control.styleBits) << control.id;
            EXPECT_EQ((style & WS_VISIBLE) != 0, control.visible) << control.id;
        }
    }
}

TEST(DialogTemplates, FramesOfTheFourDialogs)
{
    struct Frame {
        UINT id;
        DWORD set;
        DWORD clear;
        const wchar_t* caption;
    };
    const Frame frames[] = {
        {IDD_ABOUTBOX, WS_CAPTION | WS_SYSMENU, WS_THICKFRAME, L"Help"},
        {IDD_T507CTRL_DIALOG, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, WS_CAPTION | WS_THICKFRAME | WS_BORDER, nullptr},
        {IDD_CUSTOM_COLORS, WS_POPUP, WS_CAPTION | WS_THICKFRAME | WS_BORDER, nullptr},
        {IDD_FIRMWARE, WS_POPUP | WS_BORDER | WS_SYSMENU, WS_DLGFRAME | WS_THICKFRAME, nullptr},
    };
    for (const Frame& frame : frames) {
        TemplateDialog dialog(frame.id);
        ASSERT_TRUE(dialog.Create()) << frame.id;
        const auto style = static_cast<DWORD>(::GetWindowLongPtrW(dialog.Handle(), GWL_STYLE));
        EXPECT_EQ(style & frame.set, frame.set) << frame.id;
        EXPECT_EQ(style & frame.clear, 0u) << frame.id;
        if (frame.caption != nullptr) {
            EXPECT_EQ(TextOf(dialog.Handle()), frame.caption);
        }
    }
}

TEST(DialogTemplates, HelpTextsShowAmpersandsAndQuotesAsTheyAre)
{
    TemplateDialog dialog(IDD_ABOUTBOX);
    ASSERT_TRUE(dialog.Create());
    std::vector<std::wstring> texts;
    for (HWND child = ::GetWindow(dialog.Handle(), GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) != -1) continue;
        const auto style = static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_STYLE));
        if ((style & SS_TYPEMASK) == SS_ICON) continue;
        EXPECT_NE(style & SS_NOPREFIX, 0u) << TextOf(child).size();
        texts.push_back(TextOf(child));
    }
    const std::vector<std::wstring> expected = {
        L"Lumivar Utility Help Screen",
        L"CONTROLLING LIGHTS",
        L"Each lighting panel\u2019s color, brightness and lighting modes can be controlled ",
        L"individually or in synced across.",
        L"To keep your LUMIVAR utility up-to-date, visit",
        L"to check for updates.",
        L"Lumivar Utility\uFF0C2.0.2 Version",
    };
    EXPECT_EQ(texts, expected);
}

}  // namespace
