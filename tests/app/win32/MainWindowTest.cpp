#include "support/win32/GdiPlusTestEnvironment.h"
#include "support/win32/WindowTestSupport.h"

#include "StartupSettings.h"
#include "link/ControllerLink.h"
#include "resource.h"
#include "sim/MemorySettingsStore.h"
#include "sim/RecordingPauses.h"
#include "sim/SimGpu.h"
#include "sim/SimHidBus.h"
#include "sim/SimLightingController.h"
#include "sim/SimSensorPorts.h"
#include "sim/SimTraceSink.h"
#include "ui/win32/CustomColorsDriver.h"
#include "win32/CAboutDlg.h"
#include "win32/T507CtrlDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring MenuText(HMENU menu, UINT command)
{
    wchar_t text[64] = {};
    ::GetMenuStringW(menu, command, text, 64, MF_BYCOMMAND);
    return text;
}

// The window's zero-delay timers still take the system's minimum timer period to come due.
void Settle()
{
    PumpMessagesFor(120);
}

// Closes whatever modal loop the test is about to enter (a menu, a dialog) from inside
// that loop, after letting a check run on what it shows.
class ModalCloser {
public:
    static void Arm(std::function<void()> check)
    {
        check_ = std::move(check);
        ::SetTimer(nullptr, 0, 200, Fire);
    }

private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD)
    {
        ::KillTimer(nullptr, id);
        if (check_) check_();
        check_ = nullptr;
    }
    static inline std::function<void()> check_;
};

class MainWindow : public ::testing::Test {
protected:
    MainWindow() : controller(clock, SimControllerState::Configured())
    {
        bus.Attach(controller);
        app.executableDirectory = ProgramFolder();
    }

    ~MainWindow() override
    {
        if (window && window->Handle() != nullptr) ::DestroyWindow(window->Handle());
        PumpMessages();
    }

    void Open(const wchar_t* language = L"EN")
    {
        app.languageCode = language;
        app.screenWidth = screen.cx;
        app.screenHeight = screen.cy;
        window = std::make_unique<CT507CtrlDlg>(app, hardware, settings);
        ASSERT_TRUE(window->Create());
        ::ShowWindow(window->Handle(), SW_SHOW);
        Settle();
        controller.ForgetReceived();
        pauses.Forget();
    }

    HWND Item(int id) const { return ::GetDlgItem(window->Handle(), id); }

    // A real click: button down and up over the control.
    void Click(int id, int x = 4, int y = 4)
    {
        HWND control = Item(id);
        ::SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Settle();
    }

    void Command(WORD id)
    {
        ::SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        Settle();
    }

    std::vector<std::pair<uint8_t, Bytes>> Sets() const
    {
        std::vector<std::pair<uint8_t, Bytes>> out;
        for (const SimReceivedFrame& f : controller.ReceivedFrames()) {
            if (f.access == 0) out.emplace_back(f.command, f.payload);
        }
        return out;
    }

    SimTraceSink trace;
    SimClock clock;
    SimLightingController controller;
    SimHidBus bus{clock};
    SimSensorPorts ports;
    SimGpu gpu;
    RecordingPauses pauses{&clock};
    MemorySettingsStore settings;
    SIZE screen{1920, 1080};
    UINT dpi = 96;
    Hardware hardware{bus, ports, gpu, pauses, [this] { return screen; }, [this](HWND) { return dpi; }};
    AppState app;
    std::unique_ptr<CT507CtrlDlg> window;
};

TEST_F(MainWindow, OpensConnectedWithThePanelShown)
{
    Open();
    HWND w = window->Handle();
    EXPECT_EQ(WindowText(w), L"Lumivar utility");
    EXPECT_EQ(window->LinkState(), 2);
    EXPECT_EQ(WindowText(Item(IDC_VERSION)), L"V 1.0.3");
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_STATUS)));
    for (int id : {IDC_FAN_GRAPH, IDC_GPU_GRAPH, IDC_CPU_GRAPH}) EXPECT_FALSE(::IsWindowVisible(Item(id))) << id;
    RECT rect{};
    ::GetClientRect(w, &rect);
    EXPECT_EQ(rect.right, 800);
    EXPECT_EQ(rect.bottom, 600);
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_MODE_0)));
    EXPECT_EQ(window->Panel().SelectedLocation(), 0);
    EXPECT_EQ(WindowText(Item(IDC_TITLE)), L"LUMIVAR");
    EXPECT_EQ(MenuText(window->PopupMenu(), 12), L"Firmware Update");
    EXPECT_EQ(MenuText(window->PopupMenu(), 13), L"Minimize To Tray");
    EXPECT_EQ(MenuText(window->PopupMenu(), 16), L"Help");
    const auto lines = trace.Lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const std::wstring& l) { return l.find(L" : dpi:96\r\n") != std::wstring::npos; }));
}

TEST_F(MainWindow, ModeAndLevelClicksReachTheController)
{
    Open();
    Click(IDC_MODE_1);
    EXPECT_EQ(Sets(), (std::vector<std::pair<uint8_t, Bytes>>{{0x08, {0x00, 0x03, 0x01, 0xBB, 0x80, 0x00, 0x14}}}));
    EXPECT_EQ(controller.Location(0).Mode(), 1);

    controller.ForgetReceived();
    Click(IDC_LOCATION0_LEVEL, 18 * 2 + 5, 10);  // the third segment: level 3
    const auto sent = Sets();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].second, (Bytes{0x00, 0x08, 0x5F}));
    EXPECT_EQ(controller.Location(0).Brightness(), 95);
}

TEST_F(MainWindow, PresetClickOnThePlateSendsAndStoresTheColour)
{
    Open();
    Click(IDC_COLOR_PLATE, 209, 209);  // lower right of the wheel: green
    EXPECT_EQ(Sets(), (std::vector<std::pair<uint8_t, Bytes>>{{0x04, {0x80, 0x00, 0xFF, 0x00, 0x00, 0x00}}}));
    EXPECT_EQ(settings.Value(L"hanlde_0", L"maxG"), L"255");
    EXPECT_EQ(settings.Value(L"hanlde_0", L"maxB"), L"0");
}

TEST_F(MainWindow, CentreClickOpensTheCustomColoursAtTheLocationsBrightness)
{
    Open();
    CustomColorsDriver driver({POINT{550, 250}});  // the right edge of the wheel: red
    Click(IDC_COLOR_PLATE, 138, 138);
    Settle();
    EXPECT_EQ(driver.Closed(), 1);
    EXPECT_EQ(Sets(), (std::vector<std::pair<uint8_t, Bytes>>{{0x04, {0x80, 0xFF, 0x00, 0x00, 0x00, 0x00}}}));
    EXPECT_EQ(settings.Value(L"hanlde_0", L"maxR"), L"255");
}

TEST_F(MainWindow, StoredMinimizeToTrayShowsItsCheckMark)
{
    app.minimiseToTray = true;
    Open();
    EXPECT_EQ(::GetMenuState(window->PopupMenu(), 13, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
}

TEST_F(MainWindow, AllOffDisablesThePanelAndAllOnBringsItBack)
{
    Open();
    Click(IDC_ALL_OFF);
    EXPECT_FALSE(controller.Location(0).On());
    EXPECT_FALSE(controller.Location(1).On());
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_MODE_0)));
    Click(IDC_ALL_ON);
    EXPECT_TRUE(controller.Location(0).On());
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_MODE_0)));
}

TEST_F(MainWindow, DefaultRestoresStaticBlue)
{
    Open();
    Click(IDC_MODE_6);
    Click(IDC_DEFAULT);
    EXPECT_EQ(controller.Location(0).Mode(), 0);
    EXPECT_EQ(controller.Location(1).Blue(), 255);
    EXPECT_EQ(settings.Value(L"hanlde_1", L"maxB"), L"255");
}

TEST_F(MainWindow, MinimizeToTrayIsStoredAtOnceAndUsedByTheMinButton)
{
    Open();
    Command(CT507CtrlDlg::kMinToTrayCommand);
    EXPECT_EQ(settings.Value(kSettingsSection, kMinToTrayKey), L"1");
    EXPECT_TRUE(app.minimiseToTray);
    EXPECT_EQ(::GetMenuState(window->PopupMenu(), 13, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));

    Click(IDC_MIN);
    EXPECT_FALSE(::IsWindowVisible(window->Handle()));
    EXPECT_TRUE(window->TrayIconShown());
    EXPECT_EQ(window->TrayRecord().uCallbackMessage, static_cast<UINT>(WM_USER + 5));
    EXPECT_EQ(window->TrayRecord().uID, 128u);
    EXPECT_EQ(std::wstring(window->TrayRecord().szTip), L"Lumivar utility");

    EXPECT_EQ(::SendMessageW(window->Handle(), WM_USER + 5, 127, WM_LBUTTONDBLCLK), 1);  // another icon
    EXPECT_FALSE(::IsWindowVisible(window->Handle()));
    ::SendMessageW(window->Handle(), WM_USER + 5, 128, WM_LBUTTONDBLCLK);
    PumpMessages();
    EXPECT_TRUE(::IsWindowVisible(window->Handle()));
    EXPECT_FALSE(window->TrayIconShown());

    Command(CT507CtrlDlg::kMinToTrayCommand);
    EXPECT_EQ(settings.Value(kSettingsSection, kMinToTrayKey), L"0");
    Click(IDC_MIN);
    EXPECT_TRUE(::IsIconic(window->Handle()));
    EXPECT_FALSE(window->TrayIconShown());
}

TEST_F(MainWindow, TrayMenuAddsOpenAndExitAndTheSettingButtonRemovesThem)
{
    Open();
    ModalCloser::Arm([] { ::EndMenu(); });
    ::SendMessageW(window->Handle(), WM_USER + 5, 128, WM_RBUTTONDOWN);
    PumpMessages();
    EXPECT_EQ(::GetMenuItemCount(window->PopupMenu()), 5);
    EXPECT_EQ(MenuText(window->PopupMenu(), 14), L"Open");
    EXPECT_EQ(MenuText(window->PopupMenu(), 15), L"Exit");

    ModalCloser::Arm([] { ::EndMenu(); });
    Click(IDC_SETTING);
    EXPECT_EQ(::GetMenuItemCount(window->PopupMenu()), 3);
}

TEST_F(MainWindow, HelpOpensFromTheMenuAndFromTheSystemMenu)
{
    Open();
    for (const bool fromSystemMenu : {false, true}) {
        std::wstring helpText;
        ModalCloser::Arm([&] {
            HWND help = ::FindWindowW(nullptr, L"Help");
            helpText = WindowText(::GetDlgItem(help, IDC_HELP_TEXT));
            ::PostMessageW(help, WM_COMMAND, IDOK, 0);
        });
        if (fromSystemMenu) ::SendMessageW(window->Handle(), WM_SYSCOMMAND, 16, 0);
        else Command(CT507CtrlDlg::kHelpCommand);
        EXPECT_EQ(helpText, CAboutDlg::HelpText()) << fromSystemMenu;
    }
    const std::wstring text = CAboutDlg::HelpText();
    EXPECT_EQ(text.substr(text.size() - 2), L"\u2019.");  // no line break after the last paragraph
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 5);
}

TEST_F(MainWindow, DisplayChangeTo4KLaysTheWindowOutAgainWithTheGraphs)
{
    Open();
    screen = SIZE{3840, 2160};
    ::SendMessageW(window->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(3840, 2160));
    Settle();
    RECT rect{};
    ::GetClientRect(window->Handle(), &rect);
    EXPECT_EQ(rect.right, 1600);
    EXPECT_EQ(rect.bottom, 1200);
    for (int id : {IDC_FAN_GRAPH, IDC_GPU_GRAPH, IDC_CPU_GRAPH}) EXPECT_TRUE(::IsWindowVisible(Item(id))) << id;
    ::GetWindowRect(Item(IDC_FAN_GRAPH), &rect);
    EXPECT_EQ(rect.right - rect.left, 464);
    EXPECT_EQ(window->Panel().SelectedLocation(), 0);
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_MODE_0)));
}

TEST_F(MainWindow, ChineseTexts)
{
    Open(L"ZH");
    EXPECT_EQ(WindowText(Item(IDC_TITLE)), L"\u989C\u8272\u76D8");
    EXPECT_EQ(WindowText(Item(IDC_MODE_NAME_0)), L"\u5E38\u4EAE");
    EXPECT_EQ(MenuText(window->PopupMenu(), 12), L"\u56FA\u4EF6\u66F4\u65B0");
}

TEST_F(MainWindow, OtherLanguagesKeepTheTemplateTexts)
{
    Open(L"DE");
    EXPECT_EQ(WindowText(Item(IDC_MODE_NAME_1)), L"BREATHE");
    EXPECT_EQ(MenuText(window->PopupMenu(), 12), L"");
}

TEST_F(MainWindow, WithoutControllerTheStatusReadsDeviceNotFound)
{
    controller.Remove();
    Open();
    EXPECT_EQ(window->LinkState(), 3);
    EXPECT_TRUE(::IsWindowVisible(Item(IDC_STATUS)));
    EXPECT_EQ(WindowText(Item(IDC_STATUS)), L"Device not found!");
    EXPECT_EQ(WindowText(Item(IDC_VERSION)), L"");
    Click(IDC_MODE_1);
    EXPECT_TRUE(controller.ReceivedFrames().empty());
}

TEST_F(MainWindow, FirmwareUpdateWithoutControllerDoesNothing)
{
    controller.Remove();
    Open();
    Command(CT507CtrlDlg::kFirmwareCommand);  // no file dialog comes up to block this call
    EXPECT_EQ(window->LinkState(), 3);
    EXPECT_TRUE(controller.ReceivedFrames().empty());
}

// Plays the user of a firmware update from the menu: picks the file in the open-file
// dialog, agrees to the warning and to the outcome, and lets the simulated time pass
// meanwhile so the controller can restart.
class FirmwareUser {
public:
    FirmwareUser(std::wstring file, SimClock& clock) : file_(std::move(file)), clock_(clock)
    {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, 50, Tick);
    }
    ~FirmwareUser()
    {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }

    std::vector<std::wstring> notices;  // texts of the "Notice" boxes, in order

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        FirmwareUser* self = current_;
        if (self == nullptr) return;
        self->clock_.Advance(500);
        HWND box = nullptr;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND window, LPARAM result) -> BOOL {
                wchar_t className[16] = {};
                ::GetClassNameW(window, className, 16);
                const std::wstring caption = WindowText(window);
                if (std::wstring(className) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
                if (caption != L"Notice" && caption != L"Please select a firmware") return TRUE;
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&box));
        if (box == nullptr) return;
        if (WindowText(box) == L"Notice") {
            self->notices.push_back(WindowText(::GetDlgItem(box, 0xFFFF)));
        } else if (!::SetDlgItemTextW(box, 0x047C, self->file_.c_str())) {
            ::SetDlgItemTextW(box, 0x0480, self->file_.c_str());
        }
        ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, IDOK)));
    }

    static inline FirmwareUser* current_ = nullptr;
    std::wstring file_;
    SimClock& clock_;
    UINT_PTR timer_ = 0;
};

TEST_F(MainWindow, FirmwareUpdateFromTheMenuEndsWithTheNewVersionShown)
{
    TemporaryFolder folder;
    const std::wstring image = folder.Path() + L"firmware.bin";
    {
        std::ofstream out(std::filesystem::path(image), std::ios::binary);
        std::string bytes(300, '\x5A');
        bytes += std::string(SimLightingController::kImageVersionTag) + "2.1.0";
        bytes.push_back('\0');
        out << bytes;
    }
    Open();
    {
        FirmwareUser user(image, clock);
        Command(CT507CtrlDlg::kFirmwareCommand);  // returns when the update dialog has closed
        ASSERT_EQ(user.notices.size(), 2u);
        EXPECT_EQ(user.notices[0], L"Please don't shutdown computer when update firmware.");
        EXPECT_EQ(user.notices[1], L"Succeed to upgrade FW!");
    }
    Settle();  // timer 1: the main window finds, reads and shows the controller again
    EXPECT_EQ(window->LinkState(), 2);
    EXPECT_EQ(WindowText(Item(IDC_VERSION)), L"V 2.1.0");
    EXPECT_EQ(controller.UpgradeCount(), 1);
}

TEST_F(MainWindow, DisplayScaleDividesTheFontSizes)
{
    dpi = 144;
    Open();
    EXPECT_FLOAT_EQ(window->DisplayScale(), 1.5f);
}

}  // namespace
