#pragma once

#include "base/win32/UniqueHandle.h"
#include "lighting/LightingPanel.h"
#include "link/DeviceManager.h"
#include "monitor/Kadu.h"
#include "monitor/win32/CGraph.h"
#include "monitor/win32/WindowReadingSender.h"
#include "ui/win32/BkDialog.h"
#include "ui/win32/Button.h"
#include "ui/win32/CColorPlate.h"
#include "ui/win32/CLevelStatic.h"
#include "ui/win32/TextView.h"
#include "win32/AppState.h"

#include <shellapi.h>

#include <array>
#include <string>

// The program's main window: the skinned lighting panel, the sensor graphs, the tray
// icon and the menus. It owns the controller link and the sensor host, executes the
// link's requests, and drives its work through one-shot timers.
class CT507CtrlDlg : public BkDialog, private PanelHost {
public:
    static constexpr UINT kFanSpeedMessage = WM_USER + 2;
    static constexpr UINT kGpuTemperatureMessage = WM_USER + 3;
    static constexpr UINT kCpuTemperatureMessage = WM_USER + 4;
    static constexpr UINT kTrayMessage = WM_USER + 5;
    static constexpr UINT kTrayIconId = 128;
    // The base grey of the skin bitmaps, behind the status texts.
    static constexpr COLORREF kSkinGrey = RGB(0xD1, 0xD1, 0xD0);

    enum Timer : UINT_PTR { kConnectTimer = 1, kSensorTimer = 2, kDefaultTimer = 3, kApplyTimer = 4, kLayoutTimer = 5 };
    enum Command : WORD { kFirmwareCommand = 12, kMinToTrayCommand = 13, kOpenCommand = 14, kExitCommand = 15,
                          kHelpCommand = 16 };

    CT507CtrlDlg(AppState& app, Hardware& hardware, SettingsStore& settings);
    ~CT507CtrlDlg() override;

    // Seen by tests and by the firmware command.
    LightingPanel& Panel() { return panel_; }
    DeviceManager& Devices() { return devices_; }
    int32_t LinkState() const { return linkState_; }
    void SetLinkState(int32_t state) { linkState_ = state; }
    HMENU PopupMenu() const { return popupMenu_.Get(); }
    const NOTIFYICONDATAW& TrayRecord() const { return tray_; }
    bool TrayIconShown() const { return trayShown_; }
    float DisplayScale() const { return displayScale_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD notifyCode, HWND control) override;
    void OnCancel() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT controlType) override;
    void OnRequestDone(int32_t result, Message* message) override;

private:
    // PanelHost
    void SetVersionText(const std::wstring& text) override;
    void ShowDeviceNotFound(bool show) override;
    void ScheduleApply() override { ArmTimer(kApplyTimer); }

    void CreateMenus();
    void SubclassControls();
    void ArmTimer(UINT_PTR timer);
    void OnTimer(UINT_PTR timer);
    LRESULT OnTrayNotification(WPARAM iconId, LPARAM mouseMessage);
    bool OnSysCommand(WPARAM command);
    void OnReading(CGraph& graph, int32_t& last, int32_t value);
    void PaintIconic();
    void Close();
    void ShowPopupMenu(int x, int y, UINT flags);
    void RemoveTrayItems();
    void AddTrayIcon();
    void DeleteTrayIcon();
    void ToggleMinimiseToTray();
    void RunHelp();
    void RunFirmwareUpdate();

    // Layout (normal or 4K) and the texts of the language.
    void Layout();
    void LayoutWithFactor(int f);
    void SetLanguage(const std::wstring& languageCode);
    std::wstring Text(UINT englishId, UINT chineseId) const;

    AppState& app_;
    Hardware& hardware_;
    SettingsStore& settings_;
    UniqueIcon icon_;
    DeviceManager devices_;
    int32_t linkState_ = 0;
    WindowReadingSender readingSender_;
    Kadu sensors_;
    int32_t lastFanSpeed_ = 0;
    int32_t lastGpuTemperature_ = 0;
    int32_t lastCpuTemperature_ = 0;
    UniqueBrush backgroundBrush_;
    UniqueMenu popupMenu_;
    NOTIFYICONDATAW tray_{};
    bool trayShown_ = false;
    float displayScale_ = 1.0f;
    DeviceEntry deviceTable_[1] = {{0x04D9, 0x8008, 0}};

    Button settingButton_, minButton_, closeButton_;
    std::array<Button, 7> modeButtons_;
    Button location0On_, location0Off_, location1On_, location1Off_;
    Button applyButton_, defaultButton_;
    Button location0Select_, location1Select_;
    Button allOnButton_, allOffButton_;
    TextView versionLabel_, titleLabel_, locationHeading_, location0Name_, location1Name_, modeHeading_;
    std::array<TextView, 7> modeNames_;
    CGraph fanGraph_, gpuGraph_, cpuGraph_;
    CLevelStatic location1Level_, location0Level_;
    CColorPlate colorPlate_;

    LightingPanel panel_;
};
