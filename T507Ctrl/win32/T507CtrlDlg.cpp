#include "win32/T507CtrlDlg.h"

#include "StartupSettings.h"
#include "base/SettingsStore.h"
#include "link/ControllerLink.h"
#include "link/DebugTrace.h"
#include "resource.h"
#include "firmware/win32/FirmwareCommand.h"
#include "ui/win32/LanguageText.h"
#include "win32/CAboutDlg.h"

#include <cmath>

namespace {

constexpr wchar_t kWindowTitle[] = L"Lumivar utility";
constexpr COLORREF kStatusRed = RGB(0xFF, 0x00, 0x00);
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr size_t kMenuTextCapacity = 50;

SIZE ScreenOf(const AppState& app)
{
    return SIZE{app.screenWidth, app.screenHeight};
}

}  // namespace

SIZE MeasureDesktop()
{
    RECT rect{};
    ::GetWindowRect(::GetDesktopWindow(), &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

UINT WindowDpi(HWND window)
{
    const UINT dpi = ::GetDpiForWindow(window);
    return dpi != 0 ? dpi : 96;
}

CT507CtrlDlg::CT507CtrlDlg(AppState& app, Hardware& hardware, SettingsStore& settings)
    : BkDialog(IDD_T507CTRL_DIALOG, nullptr),
      app_(app),
      hardware_(hardware),
      settings_(settings),
      icon_(static_cast<HICON>(::LoadImageW(Dialog::ResourceModule(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, 0,
                                            0, LR_DEFAULTSIZE))),
      devices_(hardware.hid),
      sensors_(hardware.ports, hardware.pauses, readingSender_, hardware.gpu),
      fanGraph_([this] { return ScreenOf(app_); }),
      gpuGraph_([this] { return ScreenOf(app_); }),
      cpuGraph_([this] { return ScreenOf(app_); }),
      panel_(devices_, settings, hardware.pauses, *this)
{
}

CT507CtrlDlg::~CT507CtrlDlg()
{
    DeleteTrayIcon();
}

// ---------------------------------------------------------------------------
// Creation and initialisation

BOOL CT507CtrlDlg::OnInitDialog()
{
    BkDialog::OnInitDialog();
    HWND window = Handle();
    SubclassControls();

    // Centred on the screen, dragged by its background.
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const SIZE screen = MeasureDesktop();
    ::SetWindowPos(window, nullptr, (screen.cx - (rect.right - rect.left)) / 2,
                   (screen.cy - (rect.bottom - rect.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EnableDragMove(true);
    CreateMenus();

    if (HMENU systemMenu = ::GetSystemMenu(window, FALSE)) {
        wchar_t about[kMenuTextCapacity] = {};
        if (::LoadStringW(Dialog::ResourceModule(), IDS_ABOUTBOX, about, kMenuTextCapacity) > 0) {
            ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(systemMenu, MF_STRING, kHelpCommand, about);
        }
    }

    tray_.cbSize = sizeof tray_;
    tray_.hWnd = window;
    tray_.uID = kTrayIconId;
    tray_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    tray_.uCallbackMessage = kTrayMessage;
    tray_.hIcon = icon_.Get();
    ::lstrcpynW(tray_.szTip, kWindowTitle, ARRAYSIZE(tray_.szTip));

    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Get()));
    ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.Get()));

    if (sensors_.Gpu().Open() != 0) {
        ::MessageBoxW(window, L"NVAPI Initialize Error!", nullptr, MB_OK | MB_ICONERROR);
    }

    const UINT dpi = hardware_.windowDpi ? hardware_.windowDpi(window) : WindowDpi(window);
    DEBUG_TRACE(L"dpi:%d\r\n", static_cast<int>(dpi));
    displayScale_ = static_cast<float>(dpi / 96.0);

    Layout();
    for (CGraph* graph : {&fanGraph_, &gpuGraph_, &cpuGraph_}) ::ShowWindow(graph->Handle(), SW_HIDE);

    devices_.Setup(this, window, deviceTable_, 1);
    linkState_ = LightingPanel::kLinkReady;
    ArmTimer(kConnectTimer);
    ::SetWindowTextW(window, kWindowTitle);
    return TRUE;
}

void CT507CtrlDlg::SubclassControls()
{
    HWND window = Handle();
    const struct {
        Window* control;
        int id;
    } controls[] = {
        {&settingButton_, IDC_SETTING},        {&minButton_, IDC_MIN},
        {&closeButton_, IDC_CLOSE},            {&location0On_, IDC_LOCATION0_ON},
        {&location0Off_, IDC_LOCATION0_OFF},   {&location1On_, IDC_LOCATION1_ON},
        {&location1Off_, IDC_LOCATION1_OFF},   {&applyButton_, IDC_APPLY},
        {&defaultButton_, IDC_DEFAULT},        {&location0Select_, IDC_LOCATION0_SELECT},
        {&location1Select_, IDC_LOCATION1_SELECT}, {&allOnButton_, IDC_ALL_ON},
        {&allOffButton_, IDC_ALL_OFF},         {&versionLabel_, IDC_VERSION},
        {&titleLabel_, IDC_TITLE},             {&locationHeading_, IDC_LOCATION_HEADING},
        {&location0Name_, IDC_LOCATION0_NAME}, {&location1Name_, IDC_LOCATION1_NAME},
        {&modeHeading_, IDC_MODE_HEADING},     {&fanGraph_, IDC_FAN_GRAPH},
        {&gpuGraph_, IDC_GPU_GRAPH},           {&cpuGraph_, IDC_CPU_GRAPH},
        {&location1Level_, IDC_LOCATION1_LEVEL}, {&location0Level_, IDC_LOCATION0_LEVEL},
        {&colorPlate_, IDC_COLOR_PLATE},
    };
    for (const auto& c : controls) c.control->SubclassDlgItem(window, c.id);
    for (int i = 0; i < 7; ++i) {
        modeButtons_[i].SubclassDlgItem(window, IDC_MODE_0 + i);
        modeNames_[i].SubclassDlgItem(window, IDC_MODE_NAME_0 + i);
    }
    location0Level_.levelCallback = [this](int32_t) { panel_.LevelPicked(); };
    location1Level_.levelCallback = [this](int32_t) { panel_.LevelPicked(); };
    colorPlate_.colorCallback = [this](uint8_t& red, uint8_t& green, uint8_t& blue) {
        panel_.ColorPicked({red, green, blue});
    };
    colorPlate_.dialogLevel = [this] { return panel_.SelectedBrightness(); };
}

void CT507CtrlDlg::CreateMenus()
{
    popupMenu_.Reset(::CreatePopupMenu());
    ::AppendMenuW(popupMenu_.Get(), MF_STRING, kFirmwareCommand,
                  Text(IDS_FIRMWARE_UPDATE_EN, IDS_FIRMWARE_UPDATE_ZH).c_str());
    ::AppendMenuW(popupMenu_.Get(), MF_STRING | (app_.minimiseToTray ? MF_CHECKED : MF_UNCHECKED), kMinToTrayCommand,
                  Text(IDS_MIN_TO_TRAY_EN, IDS_MIN_TO_TRAY_ZH).c_str());
    ::AppendMenuW(popupMenu_.Get(), MF_STRING, kHelpCommand, Text(IDS_HELP_EN, IDS_HELP_ZH).c_str());
}

std::wstring CT507CtrlDlg::Text(UINT englishId, UINT chineseId) const
{
    return LanguageText(app_.languageCode, englishId, chineseId, kMenuTextCapacity);
}

// ---------------------------------------------------------------------------
// Messages

LRESULT CT507CtrlDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        OnTimer(wParam);
        break;  // then the default handling
    case kFanSpeedMessage:
        OnReading(fanGraph_, lastFanSpeed_, static_cast<int32_t>(wParam));
        return 0;
    case kGpuTemperatureMessage:
        OnReading(gpuGraph_, lastGpuTemperature_, static_cast<int32_t>(wParam));
        return 0;
    case kCpuTemperatureMessage:
        OnReading(cpuGraph_, lastCpuTemperature_, static_cast<int32_t>(wParam));
        return 0;
    case kTrayMessage:
        return OnTrayNotification(wParam, lParam);
    case WM_SYSCOMMAND:
        if (OnSysCommand(wParam)) return 0;
        break;
    case WM_DISPLAYCHANGE: {
        const SIZE screen = hardware_.measureScreen ? hardware_.measureScreen() : MeasureDesktop();
        app_.screenWidth = screen.cx;
        app_.screenHeight = screen.cy;
        ArmTimer(kLayoutTimer);
        break;
    }
    case WM_PAINT:
        if (::IsIconic(Handle())) {
            PaintIconic();
            return 0;
        }
        break;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(icon_.Get());
    case WM_DESTROY:
        DeleteTrayIcon();
        backgroundBrush_.Reset();
        break;
    default:
        break;
    }
    return BkDialog::WindowProc(message, wParam, lParam);
}

void CT507CtrlDlg::ArmTimer(UINT_PTR timer)
{
    ::SetTimer(Handle(), timer, 0, nullptr);
}

void CT507CtrlDlg::OnTimer(UINT_PTR timer)
{
    switch (timer) {
    case kConnectTimer:
        ::KillTimer(Handle(), timer);
        if (linkState_ == LightingPanel::kLinkReady) devices_.RefreshNames();
        panel_.ConnectAndRead(linkState_);
        break;
    case kSensorTimer:
        ::KillTimer(Handle(), timer);
        sensors_.Start(Handle());
        break;
    case kDefaultTimer:
        ::KillTimer(Handle(), timer);
        panel_.ResetToDefault();
        break;
    case kApplyTimer:
        ::KillTimer(Handle(), timer);
        panel_.Apply();
        break;
    case kLayoutTimer:
        ::KillTimer(Handle(), timer);
        Layout();
        panel_.Refresh();
        break;
    default:
        break;
    }
}

void CT507CtrlDlg::OnReading(CGraph& graph, int32_t& last, int32_t value)
{
    last = value;
    graph.AddValue(value);
    ::InvalidateRect(graph.Handle(), nullptr, TRUE);
}

LRESULT CT507CtrlDlg::OnTrayNotification(WPARAM iconId, LPARAM mouseMessage)
{
    if (iconId != kTrayIconId) return 1;
    if (mouseMessage == WM_LBUTTONDBLCLK) {
        ::ShowWindow(Handle(), SW_SHOWNORMAL);
        ::SetForegroundWindow(Handle());
        DeleteTrayIcon();
    } else if (mouseMessage == WM_RBUTTONDOWN) {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        ::SetForegroundWindow(Handle());
        wchar_t exitText[kMenuTextCapacity] = {};
        if (::GetMenuStringW(popupMenu_.Get(), kExitCommand, exitText, kMenuTextCapacity, MF_BYCOMMAND) <= 0) {
            ::AppendMenuW(popupMenu_.Get(), MF_STRING, kOpenCommand, Text(IDS_OPEN_EN, IDS_OPEN_ZH).c_str());
            ::AppendMenuW(popupMenu_.Get(), MF_STRING, kExitCommand, Text(IDS_EXIT_EN, IDS_EXIT_ZH).c_str());
        }
        ShowPopupMenu(cursor.x, cursor.y, TPM_RIGHTBUTTON);
        ::PostMessageW(Handle(), WM_NULL, 0, 0);  // lets the menu close when the user clicks elsewhere
    }
    return 0;
}

bool CT507CtrlDlg::OnSysCommand(WPARAM command)
{
    if ((command & 0xFFF0) == kHelpCommand) {
        RunHelp();
        return true;
    }
    if (command == SC_MINIMIZE && app_.minimiseToTray) {
        AddTrayIcon();
        ::ShowWindow(Handle(), SW_HIDE);
        return true;
    }
    return false;
}

void CT507CtrlDlg::PaintIconic()
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(Handle(), &paint);
    ::SendMessageW(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    ::GetClientRect(Handle(), &client);
    const int cx = ::GetSystemMetrics(SM_CXICON);
    const int cy = ::GetSystemMetrics(SM_CYICON);
    ::DrawIcon(dc, (client.right - cx + 1) / 2, (client.bottom - cy + 1) / 2, icon_.Get());
    ::EndPaint(Handle(), &paint);
}

bool CT507CtrlDlg::OnCommand(WORD id, WORD notifyCode, HWND control)
{
    if (notifyCode != BN_CLICKED && control != nullptr) return BkDialog::OnCommand(id, notifyCode, control);
    switch (id) {
    case IDC_SETTING: {
        RemoveTrayItems();
        RECT button{};
        ::GetWindowRect(settingButton_.Handle(), &button);
        ShowPopupMenu(button.left + 20, button.bottom, TPM_RIGHTALIGN);
        return true;
    }
    case IDC_MIN:
        ::PostMessageW(Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return true;
    case IDC_CLOSE:
    case kExitCommand:
        Close();
        return true;
    case kFirmwareCommand:
        RunFirmwareUpdate();
        return true;
    case kMinToTrayCommand:
        ToggleMinimiseToTray();
        return true;
    case kOpenCommand:
        ::ShowWindow(Handle(), SW_SHOWNORMAL);
        return true;
    case kHelpCommand:
        RunHelp();
        return true;
    case IDC_LOCATION0_SELECT:
    case IDC_LOCATION1_SELECT:
        panel_.SelectLocation(id == IDC_LOCATION0_SELECT ? 0 : 1);
        return true;
    case IDC_ALL_ON:
    case IDC_ALL_OFF:
        panel_.SwitchAll(id == IDC_ALL_ON);
        return true;
    case IDC_LOCATION0_ON:
    case IDC_LOCATION1_ON:
        panel_.SwitchSelected(true);
        return true;
    case IDC_LOCATION0_OFF:
    case IDC_LOCATION1_OFF:
        panel_.SwitchSelected(false);
        return true;
    case IDC_COLOR_PLATE:
        panel_.PlateClicked();
        return true;
    case IDC_APPLY:
        panel_.Apply();
        return true;
    case IDC_DEFAULT:
        ArmTimer(kDefaultTimer);
        return true;
    default:
        if (id >= IDC_MODE_0 && id <= IDC_MODE_6) {
            panel_.SelectMode(id - IDC_MODE_0);
            return true;
        }
        return BkDialog::OnCommand(id, notifyCode, control);
    }
}

void CT507CtrlDlg::OnCancel()
{
    // Escape and the system menu's Close end the program like the close button.
    Close();
}

void CT507CtrlDlg::Close()
{
    EndDialog(IDCANCEL);
    sensors_.Stop();
}

void CT507CtrlDlg::ShowPopupMenu(int x, int y, UINT flags)
{
    ::TrackPopupMenu(popupMenu_.Get(), flags, x, y, 0, Handle(), nullptr);
}

void CT507CtrlDlg::RemoveTrayItems()
{
    wchar_t exitText[kMenuTextCapacity] = {};
    if (::GetMenuStringW(popupMenu_.Get(), kExitCommand, exitText, kMenuTextCapacity, MF_BYCOMMAND) <= 0) return;
    ::RemoveMenu(popupMenu_.Get(), kOpenCommand, MF_BYCOMMAND);
    ::RemoveMenu(popupMenu_.Get(), kExitCommand, MF_BYCOMMAND);
}

void CT507CtrlDlg::AddTrayIcon()
{
    trayShown_ = ::Shell_NotifyIconW(NIM_ADD, &tray_) != FALSE || trayShown_;
}

void CT507CtrlDlg::DeleteTrayIcon()
{
    if (tray_.hWnd != nullptr) ::Shell_NotifyIconW(NIM_DELETE, &tray_);
    trayShown_ = false;
}

void CT507CtrlDlg::ToggleMinimiseToTray()
{
    app_.minimiseToTray = !app_.minimiseToTray;
    if (!app_.minimiseToTray) DeleteTrayIcon();
    ::CheckMenuItem(popupMenu_.Get(), kMinToTrayCommand,
                    MF_BYCOMMAND | (app_.minimiseToTray ? MF_CHECKED : MF_UNCHECKED));
    settings_.Write(kSettingsSection, kMinToTrayKey, app_.minimiseToTray ? L"1" : L"0");
}

void CT507CtrlDlg::RunHelp()
{
    CAboutDlg help(Handle());
    help.DoModal();
}

void CT507CtrlDlg::RunFirmwareUpdate()
{
    const auto setLinkState = [this](int32_t state) { linkState_ = state; };
    if (RunFirmwareCommand(Handle(), devices_, *this, app_.languageCode, setLinkState, hardware_.pauses)) {
        ArmTimer(kConnectTimer);  // find, read and show the controller again
    }
}

HBRUSH CT507CtrlDlg::OnCtlColor(HDC dc, HWND control, UINT controlType)
{
    const HBRUSH base = BkDialog::OnCtlColor(dc, control, controlType);
    const int id = ::GetDlgCtrlID(control);
    if (id != IDC_STATUS && id != IDC_VERSION) return base;
    ::SetTextColor(dc, id == IDC_STATUS ? kStatusRed : kWhite);
    ::SetBkColor(dc, kSkinGrey);
    ::SetBkMode(dc, TRANSPARENT);
    return backgroundBrush_.Get();
}

void CT507CtrlDlg::OnRequestDone(int32_t result, Message* message)
{
    if (message != nullptr) TraceRequest(result, *message, LUMIVAR_WIDEN(__FILE__), __LINE__);
}

void CT507CtrlDlg::SetVersionText(const std::wstring& text)
{
    versionLabel_.SetLabelText(text);
}

void CT507CtrlDlg::ShowDeviceNotFound(bool show)
{
    ::ShowWindow(::GetDlgItem(Handle(), IDC_STATUS), show ? SW_SHOW : SW_HIDE);
}
